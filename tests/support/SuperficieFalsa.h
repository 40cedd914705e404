#pragma once
// A drawing surface with fixed metrics that records every call: each character is 0.2 mm wide and
// one line 0.4 mm tall per point of font size (2 mm and 4 mm at size 10), whatever the face.
#include "prensil/Superficie.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace teste {

class SuperficieFalsa : public prensil::Superficie {
public:
    struct Texto {
        QString texto;
        double x, y;
        QString fonte;
        double tamanho;
        bool negrito;
        quint32 cor;
        bool saltaLinha;
    };
    struct Retangulo {
        double x1, y1, x2, y2;
        quint32 cor;
        bool preenchido;
    };
    struct Figura {
        QString arquivo;
        double x, y, largura, altura;
    };

    QList<Texto> textos;
    QList<Retangulo> retangulos;
    QList<Figura> figuras;
    QStringList chamadas; // "Cls", "EndDoc", "KillDoc"
    QList<prensil::Escala> escalasDefinidas;

    prensil::Escala escala = prensil::Escala::Twips;
    double x = 0, y = 0;
    QString fonte = QStringLiteral("Arial");
    double tamanho = 10;
    bool negrito = false;
    quint32 cor = 0;
    // Thrown by PaintPicture, as a surface does for a picture it cannot read, when set.
    bool falhaFigura = false;

    double larguraCaractere() const { return tamanho * 0.2; }
    double alturaLinha() const { return tamanho * 0.4; }

    prensil::Escala ScaleMode() const override { return escala; }
    void setScaleMode(prensil::Escala e) override {
        escala = e;
        escalasDefinidas.append(e);
    }
    double TextWidth(const QString& t) const override { return t.size() * larguraCaractere(); }
    double TextHeight(const QString& t) const override {
        qsizetype linhas = 1;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t.at(i) == QChar(13) || (t.at(i) == QChar(10) && (i == 0 || t.at(i - 1) != QChar(13))))
                ++linhas;
        }
        return linhas * alturaLinha();
    }
    double CurrentX() const override { return x; }
    double CurrentY() const override { return y; }
    void setCurrentX(double v) override { x = v; }
    void setCurrentY(double v) override { y = v; }
    void setForeColor(quint32 c) override { cor = c; }
    void setFontName(const QString& n) override { fonte = n; }
    double FontSize() const override { return tamanho; }
    void setFontSize(double p) override { tamanho = p; }
    void setFontBold(bool b) override { negrito = b; }
    void Print(const QString& t, bool salta) override {
        textos.append({t, x, y, fonte, tamanho, negrito, cor, salta});
        if (salta) {
            x = 0;
            y += alturaLinha();
        } else {
            x += TextWidth(t);
        }
    }
    void Line(double x1, double y1, double x2, double y2, quint32 c, bool cheio) override {
        retangulos.append({x1, y1, x2, y2, c, cheio});
        x = x2;
        y = y2;
    }
    void Cls() override {
        chamadas.append(QStringLiteral("Cls"));
        x = y = 0;
    }
    void PaintPicture(const QString& arquivo, double px, double py, double l, double a) override {
        if (falhaFigura)
            throw std::runtime_error("figura ilegível");
        figuras.append({arquivo, px, py, l, a});
    }
    void EndDoc() override { chamadas.append(QStringLiteral("EndDoc")); }
    void KillDoc() override { chamadas.append(QStringLiteral("KillDoc")); }

    // The printed texts, in order.
    QStringList linhas() const {
        QStringList r;
        for (const Texto& t : textos)
            r.append(t.texto);
        return r;
    }
};

} // namespace teste
