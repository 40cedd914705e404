// The command-line import into a data folder that cannot be written: the user reads that the folder is
// read-only, by name, and nothing changes. Tests run as root, which ignores permission bits, so the
// folder is made read-only by a read-only bind mount that only the program's own mount namespace sees.
#include "data/Referencias.h"
#include "support/TestSupport.h"
#include "tools/GeradorRegistros.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ImportacaoPastaSomenteLeitura, DizQueAPastaNaoPodeSerGravada) {
    if (QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("true")}) != 0)
        GTEST_SKIP() << "no mount namespace here to make a read-only folder in";
    teste::PastaDados dados;
    QTemporaryDir trabalho;
    const QString arquivo = trabalho.filePath(QStringLiteral("lote.txt"));
    {
        const auto refs = zove::Referencias::carregar(dados.caminho());
        teste::gravaArquivo(arquivo, zove::GeradorRegistros(*refs, QDate::currentDate()).arquivo(3));
    }
    const QByteArray zovAntes = teste::leArquivo(dados.arquivo(QStringLiteral("ZOV")));
    const QByteArray contribuintesAntes = teste::leArquivo(dados.arquivo(QStringLiteral("CONTRIBUINTE")));

    QProcess zove;
    zove.start(
        QStringLiteral("unshare"),
        {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
         QStringLiteral("mount --bind -o ro \"$1\" \"$1\" && exec \"$2\" --dados \"$1\" --importar \"$3\""),
         QStringLiteral("sh"), dados.caminho(), QStringLiteral(ZOVE_BIN_DIR "/zove"), arquivo});
    ASSERT_TRUE(zove.waitForFinished(60000));
    const QString erros = QString::fromUtf8(zove.readAllStandardError());
    const QString saida = QString::fromUtf8(zove.readAllStandardOutput());
    if (erros.contains(QStringLiteral("mount:")))
        GTEST_SKIP() << "the folder could not be mounted read-only: " << erros.toStdString();
    EXPECT_EQ(zove.exitCode(), 1);
    const QString motivo = QStringLiteral("A pasta de dados %1 é somente leitura").arg(dados.caminho());
    EXPECT_TRUE(erros.contains(QStringLiteral("zove: Os ZOVEs válidos não foram gravados: ") + motivo))
        << erros.toStdString();
    EXPECT_TRUE(saida.startsWith(QStringLiteral("1: ZOVE não gravado: ") + motivo)) << saida.toStdString();
    EXPECT_EQ(teste::leArquivo(dados.arquivo(QStringLiteral("ZOV"))), zovAntes);
    EXPECT_EQ(teste::leArquivo(dados.arquivo(QStringLiteral("CONTRIBUINTE"))), contribuintesAntes);
}

} // namespace
