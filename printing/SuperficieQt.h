#pragma once
// The drawing surface over a QPainter: a printer, a PDF writer or a picture. Text is measured with the
// device's own font metrics; "Arial" and "Courier New" are drawn in their metric-compatible faces.
// Failures are raised as tabulon::ErroExecucao (482 for the printer, 53 for a picture not found).
#include "prensil/Superficie.h"

#include <QFont>
#include <QPainter>

class QPaintDevice;
class QPrinter;

namespace zove {

class SuperficieQt : public prensil::Superficie {
public:
    // Begins painting on the device. A printer is given as well so its job can be ended or cancelled
    // and its state checked; a PDF writer is given as a paged device without a printer.
    explicit SuperficieQt(QPaintDevice* dispositivo, QPrinter* impressora = nullptr);
    ~SuperficieQt() override;

    // False when the painter could not begin on the device.
    bool iniciou() const { return m_iniciou; }
    // True once EndDoc ended the painting on the device with no error.
    bool terminou() const { return m_terminou; }

    // Makes "Arial" and "Courier New" resolve to the Liberation faces. Called by the constructor.
    static void registraFontes();

    prensil::Escala ScaleMode() const override { return m_escala; }
    void setScaleMode(prensil::Escala escala) override { m_escala = escala; }
    double TextWidth(const QString& texto) const override;
    double TextHeight(const QString& texto) const override;
    double CurrentX() const override { return m_x / unidadeX(); }
    double CurrentY() const override { return m_y / unidadeY(); }
    void setCurrentX(double x) override { m_x = x * unidadeX(); }
    void setCurrentY(double y) override { m_y = y * unidadeY(); }
    void setForeColor(quint32 cor) override { m_cor = cor; }
    void setFontName(const QString& nome) override;
    double FontSize() const override { return m_fonte.pointSizeF(); }
    void setFontSize(double pontos) override;
    void setFontBold(bool negrito) override;
    void Print(const QString& texto, bool saltaLinha) override;
    void Line(double x1, double y1, double x2, double y2, quint32 cor, bool preenchido) override;
    void Cls() override;
    void PaintPicture(const QString& arquivo, double x, double y, double largura, double altura) override;
    void EndDoc() override;
    void KillDoc() override;

    QPainter& pintor() { return m_pintor; }

private:
    // Drawing on a device the painter could not begin on is a printer error.
    void exigeAtivo() const;
    // Device pixels per unit of the current scale.
    // Device pixels per unit of the current scale, for a resolution in dots per inch.
    double unidade(double dpi) const;
    double unidadeX() const { return unidade(m_dispositivo->logicalDpiX()); }
    double unidadeY() const { return unidade(m_dispositivo->logicalDpiY()); }

    QPaintDevice* m_dispositivo;
    QPrinter* m_impressora;
    QPainter m_pintor;
    bool m_iniciou = false;
    bool m_terminou = false;
    prensil::Escala m_escala = prensil::Escala::Twips;
    double m_x = 0; // device pixels
    double m_y = 0;
    quint32 m_cor = 0;
    QFont m_fonte;
};

} // namespace zove
