#include "barcode/DesenhoCodigoBarras.h"
#include "tabulon/ErroExecucao.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace zove;

namespace {

const QString numero44 = QStringLiteral("85670000001503700243001234567890903200612282");

bool preto(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == QColor(Qt::black);
}
bool branco(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == QColor(Qt::white);
}

// One character per column at a row inside the bars: '1' black, '0' white.
std::string colunas(const QImage& img, int y = 25) {
    std::string s;
    for (int x = 0; x < img.width(); ++x)
        s += preto(img, x, y) ? '1' : '0';
    return s;
}

// Reads the digits back from the columns: after the quiet zone and the start, each pair is ten
// runs (bar, space, ...) whose widths spell the two digits' patterns.
QString decodifica(const std::string& c) {
    const std::map<std::string, char> digitos = {
        {"11331", '0'}, {"31113", '1'}, {"13113", '2'}, {"33111", '3'}, {"11313", '4'},
        {"31311", '5'}, {"13311", '6'}, {"11133", '7'}, {"31131", '8'}, {"13131", '9'},
    };
    std::vector<int> runs;
    size_t x = 14;
    while (x < c.size()) {
        size_t y = x;
        while (y < c.size() && c[y] == c[x])
            ++y;
        runs.push_back(static_cast<int>(y - x));
        x = y;
    }
    QString saida;
    // The stop pattern takes the last runs (3 bar, 1 space, 1 bar) and the trailing white.
    for (size_t i = 0; i + 10 <= runs.size() - 4; i += 10) {
        std::string barras, espacos;
        for (size_t k = 0; k < 5; ++k) {
            barras += static_cast<char>('0' + runs[i + 2 * k]);
            espacos += static_cast<char>('0' + runs[i + 2 * k + 1]);
        }
        const auto b = digitos.find(barras);
        const auto e = digitos.find(espacos);
        saida += b == digitos.end() ? QLatin1Char('?') : QLatin1Char(b->second);
        saida += e == digitos.end() ? QLatin1Char('?') : QLatin1Char(e->second);
    }
    return saida;
}

QStringList arquivosDa(const QString& pasta) {
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

TEST(DesenhoCodigoBarras, ParZeroCincoIntercalaBarrasEEspacos) {
    QTemporaryDir pasta;
    QImage img(40, 60, QImage::Format_RGB32);
    img.fill(Qt::red); // whatever was there is cleared
    desenhaCodigoBarras("05", img, pasta.path());
    // quiet zone 10 | start 1010 | bars of 0 (1,1,3,3,1) with spaces of 5 (3,1,3,1,1):
    //   1 000 1 0 111 000 111 0 1 0 | stop 111 0 1 | white to the edge
    EXPECT_EQ(colunas(img), "0000000000"
                            "1010"
                            "100010111000111010"
                            "11101"
                            "000");
}

TEST(DesenhoCodigoBarras, BarrasVaoDaLinha1AteAntesDaLinha50) {
    QTemporaryDir pasta;
    QImage img(60, 70, QImage::Format_RGB32);
    desenhaCodigoBarras("05", img, pasta.path());
    const std::string c = colunas(img);
    for (int x = 0; x < img.width(); ++x) {
        EXPECT_TRUE(branco(img, x, 0)) << x;
        for (int y = 1; y < 50; ++y)
            ASSERT_EQ(preto(img, x, y), c[static_cast<size_t>(x)] == '1') << x << "," << y;
        for (int y = 50; y < img.height(); ++y)
            ASSERT_TRUE(branco(img, x, y)) << x << "," << y;
    }
}

TEST(DesenhoCodigoBarras, NumeroDe44DigitosOcupa415Colunas) {
    QTemporaryDir pasta;
    QImage img(500, 60, QImage::Format_RGB32);
    desenhaCodigoBarras(numero44, img, pasta.path());
    const std::string c = colunas(img);
    EXPECT_EQ(larguraCodigoBarras(44), 415);
    EXPECT_EQ(c.substr(0, 14), "00000000001010"); // quiet zone, start at columns 10 and 12
    EXPECT_EQ(c.find_last_of('1'), 414u);         // 10 + 4 + 22 x 18 + 4
    EXPECT_EQ(c.substr(410, 5), "11101");
    EXPECT_EQ(c.find('1', 415), std::string::npos);
    // Every digit has two wide and three narrow bars (9 columns) when it is the bar digit of its
    // pair: 22 x 9, plus 2 for the start and 4 for the stop.
    EXPECT_EQ(std::count(c.begin(), c.end(), '1'), 22 * 9 + 2 + 4);
    EXPECT_EQ(decodifica(c), numero44);
}

TEST(DesenhoCodigoBarras, DigitoQueFaltaOuNaoNumericoLidoComoZero) {
    QTemporaryDir pasta;
    QImage a(80, 60, QImage::Format_RGB32), b(80, 60, QImage::Format_RGB32), c(80, 60, QImage::Format_RGB32);
    desenhaCodigoBarras("050", a, pasta.path());
    desenhaCodigoBarras("0500", b, pasta.path());
    desenhaCodigoBarras("05x0", c, pasta.path());
    EXPECT_EQ(colunas(a), colunas(b));
    EXPECT_EQ(colunas(c), colunas(b));
    EXPECT_EQ(decodifica(colunas(a)), "0500");
}

TEST(DesenhoCodigoBarras, SuperficieEstreitaCortaOSimbolo) {
    QTemporaryDir pasta;
    QImage larga(500, 60, QImage::Format_RGB32), estreita(100, 30, QImage::Format_ARGB32);
    desenhaCodigoBarras(numero44, larga, pasta.path());
    desenhaCodigoBarras(numero44, estreita, pasta.path());
    ASSERT_EQ(estreita.size(), QSize(100, 30));
    EXPECT_EQ(colunas(estreita, 25), colunas(larga, 25).substr(0, 100));
    EXPECT_TRUE(branco(estreita, 10, 0));
}

TEST(DesenhoCodigoBarras, BitmapGravadoTemAsMesmasColunasE96Dpi) {
    QTemporaryDir pasta;
    QImage img(420, 52, QImage::Format_RGB32);
    desenhaCodigoBarras(numero44, img, pasta.path());
    EXPECT_EQ(img.dotsPerMeterX(), 3780);

    const QString arquivo = pasta.filePath("_barcode_" + numero44 + ".bmp");
    EXPECT_EQ(arquivoCodigoBarras(numero44, pasta.path()), arquivo);
    QImage lida;
    ASSERT_TRUE(lida.load(arquivo, "BMP"));
    EXPECT_EQ(lida.size(), QSize(420, 52));
    EXPECT_EQ(lida.dotsPerMeterX(), 3780);
    EXPECT_EQ(lida.dotsPerMeterY(), 3780);
    for (int y : {0, 1, 25, 49, 50, 51})
        EXPECT_EQ(colunas(lida, y), colunas(img, y)) << y;
    EXPECT_EQ(decodifica(colunas(lida)), numero44);
}

TEST(DesenhoCodigoBarras, DesenharDuasVezesDeixaUmArquivo) {
    QTemporaryDir pasta;
    QImage img(420, 52, QImage::Format_RGB32);
    desenhaCodigoBarras(numero44, img, pasta.path());
    desenhaCodigoBarras(numero44, img, pasta.path());
    EXPECT_EQ(arquivosDa(pasta.path()), QStringList{"_barcode_" + numero44 + ".bmp"});
}

TEST(DesenhoCodigoBarras, SemPastaGravaNaPastaAtual) {
    QTemporaryDir pasta;
    const QString anterior = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(pasta.path()));
    QImage img(420, 52, QImage::Format_RGB32);
    try {
        desenhaCodigoBarras(numero44, img);
    } catch (...) {
        QDir::setCurrent(anterior);
        throw;
    }
    QDir::setCurrent(anterior);
    EXPECT_EQ(arquivosDa(pasta.path()), QStringList{"_barcode_" + numero44 + ".bmp"});
}

TEST(DesenhoCodigoBarras, FalhaDeGravacaoEhRelatada) {
    QTemporaryDir pasta;
    const QString inexistente = pasta.filePath("nao/existe");
    QImage img(420, 52, QImage::Format_RGB32);
    try {
        desenhaCodigoBarras(numero44, img, inexistente);
        FAIL() << "no error for a folder that does not exist";
    } catch (const tabulon::ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), ErroArquivoCodigoBarras);
        EXPECT_TRUE(e.Descricao().contains("_barcode_" + numero44 + ".bmp")) << e.Descricao().toStdString();
    }
    EXPECT_TRUE(arquivosDa(pasta.path()).isEmpty());

    // A failed rewrite keeps the bitmap already there.
    desenhaCodigoBarras(numero44, img, pasta.path());
    const QString arquivo = arquivoCodigoBarras(numero44, pasta.path());
    const qint64 tamanho = QFileInfo(arquivo).size();
    EXPECT_THROW(salvaImagemCodigoBarras(numero44, QImage(), pasta.path()), tabulon::ErroExecucao);
    EXPECT_EQ(QFileInfo(arquivo).size(), tamanho);
    EXPECT_EQ(arquivosDa(pasta.path()), QStringList{"_barcode_" + numero44 + ".bmp"});
}

TEST(DesenhoCodigoBarras, SuperficieVaziaEhRelatada) {
    QTemporaryDir pasta;
    QImage vazia;
    try {
        desenhaCodigoBarras(numero44, vazia, pasta.path());
        FAIL() << "no error for an empty surface";
    } catch (const tabulon::ErroExecucao& e) {
        EXPECT_EQ(e.Numero(), ErroSuperficieCodigoBarras);
    }
    EXPECT_TRUE(arquivosDa(pasta.path()).isEmpty());
}

TEST(DesenhoCodigoBarras, EsperaPeloArquivoTemLimite) {
    QTemporaryDir pasta;
    EXPECT_FALSE(detalhe::aguardaArquivo(pasta.filePath("nunca.bmp"), 30));
    QFile f(pasta.filePath("existe.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(detalhe::aguardaArquivo(f.fileName(), 30));
}
