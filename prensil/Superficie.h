#pragma once
// The drawing surface the print helper draws on: a printer page, a PDF page or a picture.
// Positions are in the surface's current scale (millimetres for everything the helper draws); text is
// drawn with its top at CurrentY. Colours are 0xBBGGRR values, 0 being black. A surface reports a
// failure (a printer fault, a picture that cannot be read) by throwing.
#include <QString>
#include <QtGlobal>

namespace prensil {

enum class Escala { Twips = 1, Pixels = 3, Milimetros = 6 };

class Superficie {
public:
    virtual ~Superficie() = default;

    virtual Escala ScaleMode() const = 0;
    virtual void setScaleMode(Escala escala) = 0;

    // Size of a text in the current font and scale; a text with line breaks is as tall as its lines.
    virtual double TextWidth(const QString& texto) const = 0;
    virtual double TextHeight(const QString& texto) const = 0;

    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    virtual void setForeColor(quint32 cor) = 0;
    virtual void setFontName(const QString& nome) = 0;
    virtual double FontSize() const = 0;
    virtual void setFontSize(double pontos) = 0;
    virtual void setFontBold(bool negrito) = 0;

    // Prints at (CurrentX, CurrentY). Ending the line takes CurrentX back to the left edge and CurrentY
    // one line of the current font down; otherwise CurrentX moves right by the printed width.
    virtual void Print(const QString& texto, bool saltaLinha) = 0;
    // A rectangle between two corners, outlined or filled, in a colour. The position ends at the
    // second corner.
    virtual void Line(double x1, double y1, double x2, double y2, quint32 cor, bool preenchido) = 0;

    // Clears the surface and takes the position back to the top left.
    virtual void Cls() = 0;
    // Paints a picture file with its top left corner at (x, y), at the given size.
    virtual void PaintPicture(const QString& arquivo, double x, double y, double largura, double altura) = 0;
    // Printer only: sends the page, or cancels the job.
    virtual void EndDoc() = 0;
    virtual void KillDoc() = 0;
};

} // namespace prensil
