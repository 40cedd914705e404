#include "prensil/Impressao.h"

#include "prensil/Superficie.h"

#include <QStringList>
#include <cmath>

namespace prensil {

namespace {

constexpr QChar CR = QChar(13);
constexpr QChar LF = QChar(10);
constexpr QChar Espaco = QLatin1Char(' ');

// Blanks only: line breaks are text to these helpers.
QString semEspacos(const QString& s) {
    qsizetype ini = 0;
    qsizetype fim = s.size();
    while (ini < fim && s.at(ini) == Espaco)
        ++ini;
    while (fim > ini && s.at(fim - 1) == Espaco)
        --fim;
    return s.mid(ini, fim - ini);
}

bool ehQuebra(QChar c) {
    return c == CR || c == LF;
}

// Characters taken by the line break at i: CR LF is one break.
qsizetype tamanhoQuebra(const QString& s, qsizetype i) {
    return (s.at(i) == CR && i + 1 < s.size() && s.at(i + 1) == LF) ? 2 : 1;
}

// Half of a count, halves going to the even neighbour.
qsizetype metadeArredondada(qsizetype soma) {
    if (soma % 2 == 0)
        return soma / 2;
    const qsizetype abaixo = (soma - 1) / 2;
    return abaixo % 2 == 0 ? abaixo : abaixo + 1;
}

// A justified line needs at most this many rounds of widening; past it the surface measures blanks
// as nothing and the line is printed as it is.
constexpr int LimiteJustificacao = 10000;

} // namespace

Impressao::Corte Impressao::cortarTexto(double x1, double x2, const QString& texto, Superficie& console,
                                        bool quebrar) {
    console.setScaleMode(Escala::Milimetros);
    const double largura = std::fabs(x2 - x1);
    const qsizetype tamanho = texto.size();

    auto cortaNaQuebra = [&](qsizetype limite) -> qsizetype {
        for (qsizetype i = 0; i < limite && i < tamanho; ++i)
            if (ehQuebra(texto.at(i)))
                return i;
        return -1;
    };

    if (largura >= console.TextWidth(texto)) {
        m_achouEnter = false;
        const qsizetype i = cortaNaQuebra(tamanho);
        if (i >= 0) {
            m_achouEnter = true;
            return {texto.left(i) + Espaco, i + tamanhoQuebra(texto, i), true};
        }
        return {texto, tamanho, false};
    }

    // The longest prefix strictly narrower than the span ends as `alto`; `m` is the cut length, which
    // may be one more.
    qsizetype baixo = 1;
    qsizetype alto = tamanho;
    qsizetype m = metadeArredondada(tamanho + 1);
    do {
        if (console.TextWidth(texto.left(m)) < largura)
            baixo = m + 1;
        else
            alto = m - 1;
        m = metadeArredondada(baixo + alto);
    } while (baixo <= alto);
    m = qBound<qsizetype>(0, m, tamanho);
    alto = qBound<qsizetype>(0, alto, tamanho);

    if (!quebrar) {
        const qsizetype n = qMax<qsizetype>(0, m - 1);
        return {texto.left(n), n, true};
    }

    m_achouEnter = false;
    if (const qsizetype i = cortaNaQuebra(m); i >= 0) {
        m_achouEnter = true;
        return {texto.left(i) + Espaco, i + tamanhoQuebra(texto, i), true};
    }
    for (qsizetype j = m - 1; j >= 0; --j)
        if (texto.at(j) == Espaco)
            return {texto.left(j), j + 1, true};
    // One word wider than the span: cut it where it still fits, so the line is printed whole and the
    // rest goes on the next one. A single character wider than the span still takes its own line.
    const qsizetype n = qMax<qsizetype>(1, alto);
    return {texto.left(n), n, true};
}

QString Impressao::justificarTexto(double x1, double x2, Superficie& console, const QString& linha) {
    console.setScaleMode(Escala::Milimetros);
    const QStringList palavras = semEspacos(linha).split(Espaco);
    const qsizetype c = palavras.size();
    if (c <= 1)
        return semEspacos(linha);

    const double largura = x2 - x1;
    qsizetype g = 1;
    qsizetype k = c - 1;
    QString candidato;
    for (int volta = 0; volta < LimiteJustificacao; ++volta) {
        if (k == -1) {
            k = c - 1;
            ++g;
        }
        candidato.clear();
        for (qsizetype j = 0; j < c; ++j) {
            candidato += palavras.at(j);
            candidato += QString(j < k ? g : g + 1, Espaco);
        }
        candidato = semEspacos(candidato);
        --k;
        if (console.TextWidth(Espaco + candidato) >= largura)
            break;
    }
    return candidato;
}

void Impressao::alinharImpressao(double posInicialmm, double posFinalmm, const QString& texto,
                                 Superficie& console, qint32 alinhamento, quint32 corFonte,
                                 bool negritarTexto, bool saltaLinha) {
    const Escala anterior = console.ScaleMode();
    console.setScaleMode(Escala::Milimetros);
    // The text is measured in the font it is printed in.
    console.setForeColor(corFonte);
    console.setFontBold(negritarTexto);
    const QString linha = semEspacos(cortarTexto(posInicialmm, posFinalmm, texto, console, false).linha);

    switch (alinhamento) {
    case zmkLeft:
    case zmkJustify:
        console.setCurrentX(posInicialmm);
        break;
    case zmkCenter:
        console.setCurrentX(posInicialmm +
                            std::fabs(((posFinalmm - posInicialmm) - console.TextWidth(linha)) / 2));
        break;
    case zmkRight:
        console.setCurrentX(std::fabs(posFinalmm - console.TextWidth(linha)));
        break;
    default:
        break;
    }
    console.Print(linha, saltaLinha);
    console.setScaleMode(anterior);
}

void Impressao::alinharTexto(double posInicialmm, double posFinalmm, const QString& texto,
                             Superficie& console, double alturaBlocoTexto, qint32 alinhamentoTexto,
                             quint32 corFonte, bool negritarTexto, bool alinharTextoVerticalmente) {
    const Escala anterior = console.ScaleMode();
    console.setScaleMode(Escala::Milimetros);
    console.setFontBold(negritarTexto);

    QStringList linhas;
    QString resto = texto;
    double acumulada = 0;
    double deslocamento = 0;
    int n = 0;
    for (;;) {
        ++n;
        acumulada += console.TextHeight(texto.left(1));
        if (alturaBlocoTexto > 0 && acumulada >= alturaBlocoTexto)
            break;
        // After the first line, the blanks a line starts with are skipped (and count as taken). Blanks
        // left alone at the end give empty lines, one blank each, so trailing blanks take part in the
        // vertical centring of a block.
        qsizetype brancos = 0;
        if (n > 1)
            while (brancos < resto.size() && resto.at(brancos) == Espaco)
                ++brancos;
        Corte corte;
        if (n > 1 && brancos == resto.size()) {
            corte.consumidos = 1;
        } else {
            corte = cortarTexto(posInicialmm, posFinalmm, resto.mid(brancos), console, true);
            corte.consumidos += brancos;
        }
        const QString linha = (corte.cortou && alinhamentoTexto == zmkJustify)
                                  ? justificarTexto(posInicialmm, posFinalmm, console, corte.linha)
                                  : corte.linha;
        if (alinharTextoVerticalmente)
            deslocamento = (alturaBlocoTexto - n * console.TextHeight(linha.left(1))) / 2;
        linhas.append(linha);
        // What follows is exactly what this line did not take.
        resto = resto.mid(corte.consumidos);
        if (resto.isEmpty())
            break;
    }

    console.setCurrentY(console.CurrentY() + deslocamento);
    for (const QString& linha : std::as_const(linhas))
        alinharImpressao(posInicialmm, posFinalmm, semEspacos(linha), console, alinhamentoTexto, corFonte,
                         negritarTexto, true);
    console.setScaleMode(anterior);
}

void Impressao::alinharTextoComEnter(double posInicialmm, double posFinalmm, const QString& textoFonte,
                                     Superficie& console, double alturaBlocoTexto, quint32 corFonte,
                                     bool negritarTexto) {
    // CR LF and LF end a paragraph. A bare CR ends it too but stays as the first character of the
    // next one, which therefore prints an empty line before its text (the line is cut at the CR).
    QStringList paragrafos;
    qsizetype inicio = 0;
    // The bare CR carried into the paragraph that starts at it has already ended the previous one.
    qsizetype carregado = -1;
    for (qsizetype j = 0; j <= textoFonte.size(); ++j) {
        if (j == textoFonte.size() || (ehQuebra(textoFonte.at(j)) && j != carregado)) {
            paragrafos.append(semEspacos(textoFonte.mid(inicio, j - inicio)));
            if (j == textoFonte.size())
                break;
            const qsizetype quebra = tamanhoQuebra(textoFonte, j);
            if (quebra == 1 && textoFonte.at(j) == CR) {
                inicio = carregado = j;
            } else {
                j += quebra - 1;
                inicio = j + 1;
            }
        }
    }
    while (paragrafos.size() > 1 && paragrafos.last().isEmpty())
        paragrafos.removeLast();

    const Escala anterior = console.ScaleMode();
    console.setScaleMode(Escala::Milimetros);
    console.setFontBold(negritarTexto);
    const double topo = console.CurrentY();

    bool cheio = false;
    for (const QString& paragrafo : std::as_const(paragrafos)) {
        QString resto = paragrafo;
        do {
            if (alturaBlocoTexto > 0 && console.CurrentY() - topo >= alturaBlocoTexto) {
                cheio = true;
                break;
            }
            const Corte corte = cortarTexto(posInicialmm, posFinalmm, resto, console, true);
            alinharImpressao(posInicialmm, posFinalmm, semEspacos(corte.linha), console, zmkLeft, corFonte,
                             negritarTexto, true);
            resto = semEspacos(resto.mid(corte.consumidos));
        } while (!resto.isEmpty());
        if (cheio)
            break;
    }
    console.setScaleMode(anterior);
}

void Impressao::desenhaGrid(double posInicial, double posFinal, const QString& textoGrid, Superficie& console,
                            qint32 tipoBorda, bool negritarTexto, double tamanhoFonte,
                            qint32 alinhamentoTexto, quint32 corFonte, quint32 corFundo, double alturaGrid,
                            bool saltarLinha, bool alinharTextoVerticalmente) {
    console.setScaleMode(Escala::Milimetros);
    const double tamanhoAnterior = console.FontSize();
    const double tamanho = tamanhoFonte != 0 ? tamanhoFonte : tamanhoAnterior;
    const double altura = (alturaGrid != 0 ? alturaGrid : console.TextHeight(textoGrid)) + 0.6;

    console.setFontSize(tamanho);
    const double y = console.CurrentY();
    const double topo = std::fabs(y);
    const double base = std::fabs(altura + y);

    if (corFundo != 0)
        console.Line(posInicial, y, posFinal, base, corFundo, true);

    switch (tipoBorda) {
    case zmkSimpleBorder:
        console.Line(posInicial, y, posFinal, base, 0, false);
        break;
    case zmkDoubleBorder:
        console.Line(posInicial, y, posFinal, base, 0, false);
        console.Line(posInicial + 0.6, y + 0.6, posFinal - 0.6, base - 0.6, 0, false);
        break;
    case zmk3DBorder:
        for (int n = 0; n < 3; ++n)
            console.Line(posInicial, y, posFinal - 0.1 * n, base - 0.1 * n, 0, false);
        break;
    case zmkBlackBorder:
        for (int n = 0; n < 3; ++n)
            console.Line(posInicial + 0.1 * n, y + 0.1 * n, posFinal - 0.1 * n, base - 0.1 * n, 0, false);
        break;
    case zmkVerticalBorder:
        console.Line(posInicial, y, posInicial + 0.1, base, 0, true);
        console.Line(posFinal, y, posFinal + 0.1, base, 0, true);
        break;
    default:
        break;
    }

    console.setCurrentY(topo + 0.6);
    alinharTexto(posInicial + 1, posFinal - 1, textoGrid, console, base - topo, alinhamentoTexto, corFonte,
                 negritarTexto, alinharTextoVerticalmente);
    console.setFontBold(false);
    console.setCurrentY(saltarLinha ? base : topo);
    console.setFontSize(tamanhoAnterior);
}

void Impressao::imprimirLinha(double posInicialmm, double posFinalmm, Superficie& console,
                              double espessuraLinha, quint32 corLinha, bool preencherCor) {
    console.setScaleMode(Escala::Milimetros);
    const double y = console.CurrentY();
    console.Line(posInicialmm, y, posFinalmm, y + espessuraLinha, corLinha, preencherCor);
}

} // namespace prensil
