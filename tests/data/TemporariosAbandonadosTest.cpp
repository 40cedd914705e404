// Start-up removes what saves killed midway left in the data folder, and only that.
#include "data/ArquivoDeTabela.h"
#include "data/Referencias.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLockFile>
#include <gtest/gtest.h>

namespace {

TEST(TemporariosAbandonados, InicioRemoveOsDasTabelasGravadas) {
    teste::PastaDados pasta;
    const QStringList abandonados = {"CONTRIBUINTE.pRBVwl", "ZOV.Ab12Cd", "ZOV_temp.x1y2z3", "zov.QWERTY"};
    const QStringList alheios = {"mab_arrec.pRBVwl", "ZOV.abcdefg", "ZOVX.abcdef", "CONTRIBUINTE_temp",
                                 "ZOV.txt"};
    for (const QString& nome : abandonados + alheios)
        teste::gravaArquivo(pasta.arquivo(nome), "meio arquivo");

    const auto refs = zove::Referencias::carregar(pasta.caminho());
    ASSERT_TRUE(refs);
    for (const QString& nome : abandonados)
        EXPECT_FALSE(QFile::exists(pasta.arquivo(nome))) << nome.toStdString();
    for (const QString& nome : alheios)
        EXPECT_TRUE(QFile::exists(pasta.arquivo(nome))) << nome.toStdString();
}

TEST(TemporariosAbandonados, OsDeUmaTabelaSendoGravadaAgoraFicam) {
    teste::PastaDados pasta;
    teste::gravaArquivo(pasta.arquivo("ZOV.Ab12Cd"), "gravação em curso");
    teste::gravaArquivo(pasta.arquivo("CONTRIBUINTE.pRBVwl"), "abandonado");
    QLockFile outraCopia(zove::BloqueioTabela::caminho(pasta.caminho(), "ZOV"));
    ASSERT_TRUE(outraCopia.tryLock(0));

    zove::removeTemporariosAbandonados(pasta.caminho());
    EXPECT_TRUE(QFile::exists(pasta.arquivo("ZOV.Ab12Cd")));
    EXPECT_FALSE(QFile::exists(pasta.arquivo("CONTRIBUINTE.pRBVwl")));
}

} // namespace
