// The signing tool, run as a program: it signs only content that the loader reads as it is.
#include "support/TestSupport.h"
#include "tabulon/Init.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Execucao {
    int saida = -1;
    QString erros;
};

Execucao executa(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(ZOVE_BIN_DIR "/zove-assina"), argumentos);
    Execucao e;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return e;
    e.saida = p.exitCode();
    e.erros = QString::fromUtf8(p.readAllStandardError());
    return e;
}

TEST(AssinaTabela, RecusaConteudoQueOCarregadorLeriaDeOutraForma) {
    const struct {
        const char* descricao;
        QByteArray conteudo;
        const char* motivo; // empty: signed
    } casos[] = {
        {"fim de linha Unix", "COD|NOME\n1|A\n", "linha 1: termina com LF sem CR"},
        {"LF no meio", "COD|NOME\r\n1|A\n2|B\r\n", "linha 2: termina com LF sem CR"},
        {"linha vazia", "COD|NOME\r\n1|A\r\n\r\n2|B\r\n", "linha 3: está vazia"},
        {"cabecalho vazio", "\r\n1|A\r\n", "linha 1: está vazia"},
        {"byte nulo", QByteArray("COD|NOME\r\n1|A", 14) + QByteArray(1, '\0') + "B\r\n",
         "linha 2: contém um byte nulo"},
        {"CR LF", "COD|NOME\r\n1|A\r\n", ""},
        {"so CR", "COD|NOME\r1|A\r", ""},
        {"sem fim na ultima linha", "COD|NOME\r\n1|A", ""},
    };
    QTemporaryDir dir;
    const QString tabela = dir.filePath("TAB");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.descricao);
        teste::gravaArquivo(tabela, c.conteudo);
        const Execucao e = executa({tabela});
        if (*c.motivo) {
            EXPECT_EQ(e.saida, 1);
            EXPECT_TRUE(e.erros.contains(QString::fromUtf8(c.motivo))) << e.erros.toStdString();
            EXPECT_EQ(teste::leArquivo(tabela), c.conteudo) << "left as it was";
        } else {
            EXPECT_EQ(e.saida, 0) << e.erros.toStdString();
            EXPECT_EQ(executa({"--verificar", tabela}).saida, 0);
            EXPECT_TRUE(tabulon::Init().ValidaHashDeArchivoMD5(tabela));
        }
    }
}

} // namespace
