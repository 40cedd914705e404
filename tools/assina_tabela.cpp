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
#include <optional>

using namespace tabulon;

namespace {

// Why the content would not load as it reads, or nothing. Lines end at CR or CR LF: an LF alone does
// not end a line, so a file with Unix line ends is one long header line that the digest then covers;
// an empty line or a NUL byte makes the load fail after the digest passed.
std::optional<QString> problemaDoConteudo(const QByteArray& conteudo) {
    const qsizetype n = conteudo.size();
    qsizetype linha = 1;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = conteudo.at(i);
        if (c == '\0')
            return QStringLiteral("linha %1: contém um byte nulo").arg(linha);
        if (c == '\n')
            return QStringLiteral("linha %1: termina com LF sem CR; as linhas devem terminar com CR LF")
                .arg(linha);
        if (c == '\r') {
            if (i == inicio)
                return QStringLiteral("linha %1: está vazia").arg(linha);
            if (i + 1 < n && conteudo.at(i + 1) == '\n')
                ++i;
            ++linha;
            inicio = i + 1;
        }
    }
    return std::nullopt;
}

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
    if (const auto problema = problemaDoConteudo(conteudo)) {
        std::fprintf(stderr, "%s: %s; o arquivo não foi assinado\n", qPrintable(caminho),
                     qPrintable(*problema));
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
