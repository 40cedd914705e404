#include "printing/SuperficieQt.h"

#include "tabulon/ErroExecucao.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPrinter>

#include <algorithm>

namespace zove {

namespace {

QColor corDe(quint32 cor) {
    return QColor(int(cor & 0xFF), int((cor >> 8) & 0xFF), int((cor >> 16) & 0xFF));
}

qsizetype contaLinhas(const QString& texto) {
    qsizetype linhas = 1;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c == QChar(13) || (c == QChar(10) && (i == 0 || texto.at(i - 1) != QChar(13))))
            ++linhas;
    }
    return linhas;
}

// True when every pixel is black or white: such a picture (the bar pattern) is drawn as filled
// rectangles, so no device ever smooths or resamples its edges.
bool somentePretoEBranco(const QImage& img) {
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* linha = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = linha[x] & 0xFFFFFF;
            if (p != 0 && p != 0xFFFFFF)
                return false;
        }
    }
    return true;
}

} // namespace

void SuperficieQt::registraFontes() {
    static const bool feito = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    (void)feito;
}

SuperficieQt::SuperficieQt(QPaintDevice* dispositivo, QPrinter* impressora)
    : m_dispositivo(dispositivo), m_impressora(impressora) {
    registraFontes();
    m_fonte = QFont(QStringLiteral("Arial"));
    m_fonte.setPointSizeF(8);
    m_fonte.setStyleStrategy(QFont::PreferOutline);
    m_iniciou = m_pintor.begin(dispositivo);
    if (m_iniciou) {
        m_pintor.setFont(m_fonte);
        m_pintor.setRenderHint(QPainter::TextAntialiasing, true);
        m_pintor.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
}

SuperficieQt::~SuperficieQt() {
    if (m_pintor.isActive())
        m_pintor.end();
}

double SuperficieQt::unidade(double dpi) const {
    switch (m_escala) {
    case prensil::Escala::Milimetros:
        return dpi / 25.4;
    case prensil::Escala::Twips:
        return dpi / 1440.0;
    case prensil::Escala::Pixels:
        break;
    }
    return 1;
}

double SuperficieQt::TextWidth(const QString& texto) const {
    return QFontMetricsF(m_fonte, m_dispositivo).horizontalAdvance(texto) / unidadeX();
}

double SuperficieQt::TextHeight(const QString& texto) const {
    return contaLinhas(texto) * QFontMetricsF(m_fonte, m_dispositivo).height() / unidadeY();
}

void SuperficieQt::setFontName(const QString& nome) {
    m_fonte.setFamily(nome);
    if (m_pintor.isActive())
        m_pintor.setFont(m_fonte);
}

void SuperficieQt::setFontSize(double pontos) {
    if (pontos > 0)
        m_fonte.setPointSizeF(pontos);
    if (m_pintor.isActive())
        m_pintor.setFont(m_fonte);
}

void SuperficieQt::setFontBold(bool negrito) {
    m_fonte.setBold(negrito);
    if (m_pintor.isActive())
        m_pintor.setFont(m_fonte);
}

void SuperficieQt::exigeAtivo() const {
    if (!m_pintor.isActive())
        throw tabulon::ErroExecucao(tabulon::ErroExecucao::ErroImpressora,
                                    QStringLiteral("Error de Impresora"), QStringLiteral("SuperficieQt"));
}

void SuperficieQt::Print(const QString& texto, bool saltaLinha) {
    exigeAtivo();
    const QFontMetricsF metricas(m_fonte, m_dispositivo);
    if (!texto.isEmpty()) {
        m_pintor.setFont(m_fonte);
        m_pintor.setPen(corDe(m_cor));
        m_pintor.drawText(QPointF(m_x, m_y + metricas.ascent()), texto);
    }
    if (saltaLinha) {
        m_x = 0;
        m_y += metricas.height();
    } else {
        m_x += metricas.horizontalAdvance(texto);
    }
}

void SuperficieQt::Line(double x1, double y1, double x2, double y2, quint32 cor, bool preenchido) {
    exigeAtivo();
    const QRectF r =
        QRectF(QPointF(x1 * unidadeX(), y1 * unidadeY()), QPointF(x2 * unidadeX(), y2 * unidadeY()))
            .normalized();
    // A hair line of 0.1 mm, never thinner than one device pixel.
    const double espessura = qMax(1.0, 0.1 * m_dispositivo->logicalDpiX() / 25.4);
    QPen caneta(corDe(cor));
    caneta.setWidthF(espessura);
    caneta.setJoinStyle(Qt::MiterJoin);
    m_pintor.setPen(caneta);
    m_pintor.setBrush(preenchido ? QBrush(corDe(cor)) : QBrush(Qt::NoBrush));
    m_pintor.drawRect(r);
    m_x = x2 * unidadeX();
    m_y = y2 * unidadeY();
}

void SuperficieQt::Cls() {
    exigeAtivo();
    m_pintor.save();
    m_pintor.resetTransform();
    m_pintor.fillRect(QRect(0, 0, m_dispositivo->width(), m_dispositivo->height()), Qt::white);
    m_pintor.restore();
    m_x = m_y = 0;
}

void SuperficieQt::PaintPicture(const QString& arquivo, double x, double y, double largura, double altura) {
    exigeAtivo();
    QImage imagem(arquivo);
    if (imagem.isNull())
        throw tabulon::ErroExecucao(tabulon::ErroExecucao::ArquivoNaoEncontrado,
                                    QStringLiteral("Arquivo não encontrado: ") + arquivo,
                                    QStringLiteral("PaintPicture"));
    imagem = imagem.convertToFormat(QImage::Format_RGB32);
    const QRectF destino(x * unidadeX(), y * unidadeY(), largura * unidadeX(), altura * unidadeY());
    if (!somentePretoEBranco(imagem)) {
        m_pintor.drawImage(destino, imagem);
        return;
    }
    // Runs of black pixels, one row band at a time; rows repeating the one above extend its band.
    const double px = destino.width() / imagem.width();
    const double py = destino.height() / imagem.height();
    m_pintor.save();
    m_pintor.setPen(Qt::NoPen);
    m_pintor.setBrush(Qt::black);
    int inicio = 0;
    while (inicio < imagem.height()) {
        int fim = inicio + 1;
        while (fim < imagem.height() &&
               std::equal(imagem.constScanLine(inicio), imagem.constScanLine(inicio) + imagem.bytesPerLine(),
                          imagem.constScanLine(fim)))
            ++fim;
        const QRgb* linha = reinterpret_cast<const QRgb*>(imagem.constScanLine(inicio));
        for (int c = 0; c < imagem.width();) {
            if ((linha[c] & 0xFFFFFF) != 0) {
                ++c;
                continue;
            }
            int d = c;
            while (d < imagem.width() && (linha[d] & 0xFFFFFF) == 0)
                ++d;
            m_pintor.drawRect(
                QRectF(destino.x() + c * px, destino.y() + inicio * py, (d - c) * px, (fim - inicio) * py));
            c = d;
        }
        inicio = fim;
    }
    m_pintor.restore();
}

void SuperficieQt::EndDoc() {
    if (!m_pintor.isActive() || !m_pintor.end())
        throw tabulon::ErroExecucao(tabulon::ErroExecucao::ErroImpressora,
                                    QStringLiteral("Error de Impresora"), QStringLiteral("EndDoc"));
    if (m_impressora && (m_impressora->printerState() == QPrinter::Error ||
                         m_impressora->printerState() == QPrinter::Aborted))
        throw tabulon::ErroExecucao(tabulon::ErroExecucao::ErroImpressora,
                                    QStringLiteral("Error de Impresora"), QStringLiteral("EndDoc"));
    m_terminou = true;
}

void SuperficieQt::KillDoc() {
    if (m_impressora)
        m_impressora->abort();
    if (m_pintor.isActive())
        m_pintor.end();
}

} // namespace zove
