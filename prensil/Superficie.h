#pragma once
// The drawing surface the print helper draws on: a printer page or a picture, in millimetres.
// Colours are 0xBBGGRR values, as the page layout gives them.
#include <QtGlobal>
#include <QString>

namespace prensil {

class Superficie {
public:
    enum class Escala { Pixels, Milimetros };

    virtual ~Superficie() = default;

    virtual void setEscala(Escala escala) = 0;
    virtual double largura() const = 0;
    virtual double altura() const = 0;
    virtual double TextWidth(const QString& texto) const = 0;
    virtual double TextHeight(const QString& texto) const = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual void setForeColor(quint32 cor) = 0;
    virtual void setFillColor(quint32 cor) = 0;
    virtual void setFontName(const QString& nome) = 0;
    virtual void setFontSize(double pontos) = 0;
    virtual void setFontBold(bool negrito) = 0;
    virtual void Print(const QString& texto) = 0;
    virtual void Line(double x1, double y1, double x2, double y2, quint32 cor) = 0;
    virtual void Box(double x1, double y1, double x2, double y2, quint32 cor, bool preenchido) = 0;
    virtual void Cls() = 0;
    virtual void PaintPicture(const QString& arquivoImagem, double x, double y, double largura, double altura) = 0;
    virtual void EndDoc() = 0;
    virtual void KillDoc() = 0;
};

} // namespace prensil
