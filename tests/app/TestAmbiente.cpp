// Regional settings test, folder helper, barcode picture clean-up and the online page's address.
#include "app/Ambiente.h"
#include "platform/PlataformaDeTeste.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zove::configuracoesRegionaisOK;

TEST(ConfiguracoesRegionais, SoADataDiaMesAnoEONumeroBrasileiroPassam) {
    struct Caso {
        QLocale locale;
        bool esperado;
        const char* porque;
    };
    QLocale semMilhar(QLocale::Portuguese, QLocale::Brazil);
    semMilhar.setNumberOptions(QLocale::OmitGroupSeparator);
    const Caso casos[] = {
        {QLocale(QLocale::Portuguese, QLocale::Brazil), true, "pt_BR: 25/12/2001 e 1.000,00"},
        {QLocale(QLocale::English, QLocale::UnitedStates), false, "month/day order"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), false, "day/month, but \",\" for thousands"},
        {QLocale(QLocale::German, QLocale::Germany), false, "1.000,00 but dd.MM.yy dates"},
        {QLocale(QLocale::Portuguese, QLocale::Portugal), false, "two-digit years, no \".\" for thousands"},
        {QLocale::c(), false, "C locale"},
        {semMilhar, false, "pt_BR writing 1000,00 without the thousands separator"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(configuracoesRegionaisOK(c.locale), c.esperado) << c.porque;
}

TEST(CorrigeCaminho, TiraBrancosEPoeUmaBarraNoFim) {
    const std::pair<const char*, const char*> casos[] = {
        {"/opt/zove", "/opt/zove/"},
        {"/opt/zove/", "/opt/zove/"},
        {"  /opt/zove  ", "/opt/zove/"},
        {"", ""},
        {"   ", ""},
        {"\t/opt/zove", "\t/opt/zove/"}, // only blanks are removed
    };
    for (const auto& [entrada, esperado] : casos)
        EXPECT_EQ(zove::corrigeCaminho(QString::fromUtf8(entrada)), QString::fromUtf8(esperado))
            << '"' << entrada << '"';
}

TEST(ImagensCodigoBarras, ApagaSoAsImagensDoCodigoDeBarras) {
    QTemporaryDir dir;
    const QStringList apagar = {"_barcode_85860000001234500000000000000000000000000000.bmp", "_barcode_1.bmp",
                                "_BARCODE_2.BMP"};
    const QStringList ficar = {"barcode_1.bmp", "_barcode_1.png", "x_barcode_1.bmp", "_barcode_1.bmp.bak"};
    for (const QString& nome : apagar + ficar) {
        QFile f(dir.filePath(nome));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    zove::apagaImagensCodigoBarras(dir.path());
    for (const QString& nome : apagar)
        EXPECT_FALSE(QFile::exists(dir.filePath(nome))) << nome.toStdString();
    for (const QString& nome : ficar)
        EXPECT_TRUE(QFile::exists(dir.filePath(nome))) << nome.toStdString();

    // A folder that does not exist is no error.
    zove::apagaImagensCodigoBarras(dir.filePath(QStringLiteral("nao-existe")));
}

TEST(EnderecoEmissaoOnline, ServidorConfiguradoOuOPadraoSeguidoDoCaminhoDaPagina) {
    const QString caminho = QStringLiteral("/tax.NET/Qor.Arrecadacao.Web/ZOVE_online/EmissaoZoveOnline.aspx");
    teste::ConfiguracoesEmMemoria config;
    EXPECT_EQ(zove::enderecoEmissaoOnline(config), QStringLiteral("https://www.pyx.ostral.gov.br") + caminho);

    config.gravar(QStringLiteral("ZOVE"), QStringLiteral("ServidorEmissaoOnline"),
                  QStringLiteral(" http://intranet.pyx:8080/ "));
    EXPECT_EQ(zove::enderecoEmissaoOnline(config), QStringLiteral("http://intranet.pyx:8080") + caminho);

    config.gravar(QStringLiteral("ZOVE"), QStringLiteral("ServidorEmissaoOnline"), QStringLiteral("  "));
    EXPECT_EQ(zove::enderecoEmissaoOnline(config), QStringLiteral("https://www.pyx.ostral.gov.br") + caminho);
}
