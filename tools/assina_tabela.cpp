// Writes or refreshes the digest line of reference table files.
//
//   zove-assina ARQUIVO...           sign each file in place (an old digest line is replaced)
//   zove-assina --verificar ARQUIVO  exit 0 when every file's digest line is correct
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

using namespace tabulon;

namespace {

int assina(const QString& caminho) {
    QByteArray conteudo;
    try {
        conteudo = AbreArquivo(caminho);
    } catch (const ErroExecucao& e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caminho), qPrintable(e.Descricao()));
        return 1;
    }
    if (conteudo.isEmpty()) {
        std::fprintf(stderr, "%s: arquivo vazio\n", qPrintable(caminho));
        return 1;
    }
    const QByteArray assinado = MD5Driver::assinaConteudo(conteudo);
    QString erro;
    if (!gravaArquivoAtomico(caminho, assinado, &erro)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caminho), qPrintable(erro));
        return 1;
    }
    const QList<QByteArray> linhas = separaLinhas(assinado);
    std::printf("%s %s\n", qPrintable(caminho), linhas.last().mid(4).constData());
    return 0;
}

int verifica(const QString& caminho) {
    try {
        Init().ValidaHashDeArchivoMD5(caminho);
        std::printf("%s OK\n", qPrintable(caminho));
        return 0;
    } catch (const ErroExecucao& e) {
        std::printf("%s %s\n", qPrintable(caminho), qPrintable(e.Descricao()));
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool verificar = false;
    if (!args.isEmpty() && args.first() == QLatin1String("--verificar")) {
        verificar = true;
        args.removeFirst();
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        std::printf("uso: zove-assina [--verificar] ARQUIVO...\n"
                    "Grava (ou confere) a linha de digest das tabelas de referência do ZOVE.\n");
        return args.isEmpty() ? 2 : 0;
    }
    int falhas = 0;
    for (const QString& a : args)
        falhas += verificar ? verifica(a) : assina(a);
    return falhas == 0 ? 0 : 1;
}
