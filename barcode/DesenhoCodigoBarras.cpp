#include "barcode/DesenhoCodigoBarras.h"

#include "tabulon/ErroExecucao.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

namespace zove {

namespace {

// Five elements per digit, "1" narrow and "3" wide.
constexpr const char* padroes[10] = {"11331", "31113", "13113", "33111", "11313",
                                     "31311", "13311", "11133", "31131", "13131"};

constexpr int zonaQuieta = 10;
constexpr int topoBarra = 1;
constexpr int baseBarra = 50;        // bars cover the rows from the top one up to, not including, this one
constexpr int pontosPorMetro = 3780; // 96 dots per inch
constexpr int limiteEsperaMs = 5000;

int digito(const QString& codigo, qsizetype posicao) {
    if (posicao >= codigo.size())
        return 0;
    const QChar c = codigo.at(posicao);
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - u'0' : 0;
}

// One-pixel black vertical line at column x, clipped to the image.
void linha(QImage& img, int x) {
    if (x < 0 || x >= img.width())
        return;
    const int fim = qMin(baseBarra, img.height());
    for (int y = topoBarra; y < fim; ++y)
        reinterpret_cast<QRgb*>(img.scanLine(y))[x] = qRgb(0, 0, 0);
}

} // namespace

int larguraCodigoBarras(qsizetype digitos) {
    const qsizetype pares = (digitos + 1) / 2;
    return static_cast<int>(zonaQuieta + 4 + pares * 18 + 5);
}

QString pastaImagensCodigoBarras() {
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (pasta.isEmpty())
        pasta = QDir::tempPath() + QStringLiteral("/zove");
    pasta += QStringLiteral("/codigos-de-barras");
    QDir().mkpath(pasta);
    return pasta;
}

QString arquivoCodigoBarras(const QString& codigo, const QString& pasta) {
    const QString nome = QStringLiteral("_barcode_") + codigo + QStringLiteral(".bmp");
    return pasta.isEmpty() ? QDir::current().filePath(nome) : QDir(pasta).filePath(nome);
}

void desenhaCodigoBarras(const QString& codigo, QImage& superficie, const QString& pasta) {
    if (superficie.isNull())
        throw tabulon::ErroExecucao(ErroSuperficieCodigoBarras,
                                    QStringLiteral("Superfície de desenho do código de barras vazia"),
                                    QStringLiteral("desenhaCodigoBarras"));
    if (superficie.format() != QImage::Format_RGB32)
        superficie = QImage(superficie.size(), QImage::Format_RGB32);
    superficie.fill(Qt::white);
    superficie.setDotsPerMeterX(pontosPorMetro);
    superficie.setDotsPerMeterY(pontosPorMetro);

    int x = zonaQuieta;
    // Start: narrow bar, narrow space, narrow bar, narrow space.
    linha(superficie, x);
    x += 2;
    linha(superficie, x);
    x += 2;
    // Each pair: the first digit's pattern gives the bars, the second's the spaces between them.
    for (qsizetype i = 0; i < codigo.size(); i += 2) {
        const char* barras = padroes[digito(codigo, i)];
        const char* espacos = padroes[digito(codigo, i + 1)];
        for (int k = 0; k < 5; ++k) {
            for (int b = 0; b < barras[k] - '0'; ++b)
                linha(superficie, x++);
            x += espacos[k] - '0';
        }
    }
    // Stop: wide bar, narrow space, narrow bar.
    linha(superficie, x);
    linha(superficie, x + 1);
    linha(superficie, x + 2);
    linha(superficie, x + 4);

    salvaImagemCodigoBarras(codigo, superficie, pasta);
}

void salvaImagemCodigoBarras(const QString& codigo, const QImage& superficie, const QString& pasta) {
    const QString caminho = arquivoCodigoBarras(codigo, pasta);
    const QString origem = QStringLiteral("salvaImagemCodigoBarras");

    QImage imagem = superficie;
    imagem.setDotsPerMeterX(pontosPorMetro);
    imagem.setDotsPerMeterY(pontosPorMetro);

    // Written to a temporary file and renamed over the old bitmap, never deleted first.
    QSaveFile arquivo(caminho);
    if (imagem.isNull() || !arquivo.open(QIODevice::WriteOnly) || !imagem.save(&arquivo, "BMP") ||
        !arquivo.commit()) {
        arquivo.cancelWriting();
        throw tabulon::ErroExecucao(ErroArquivoCodigoBarras,
                                    QStringLiteral("Não foi possível gravar a imagem do código de barras ") +
                                        QDir::toNativeSeparators(caminho),
                                    origem);
    }
    if (!detalhe::aguardaArquivo(caminho, limiteEsperaMs))
        throw tabulon::ErroExecucao(ErroArquivoCodigoBarras,
                                    QStringLiteral("A imagem do código de barras não apareceu na pasta: ") +
                                        QDir::toNativeSeparators(caminho),
                                    origem);
}

namespace detalhe {

bool aguardaArquivo(const QString& caminho, int limiteMs) {
    const QDeadlineTimer prazo(limiteMs);
    for (;;) {
        if (QFileInfo::exists(caminho))
            return true;
        if (prazo.hasExpired())
            return false;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

} // namespace detalhe

} // namespace zove
