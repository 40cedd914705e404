#include "printing/PaginaZov.h"

#include "barcode/DesenhoCodigoBarras.h"
#include "common/DadosImpressao.h"
#include "prensil/Impressao.h"
#include "prensil/Superficie.h"
#include "tabulon/ErroExecucao.h"

#include <QImage>
#include <QImageReader>

// The header's pictures are compiled into the program's static library; its resources must be
// registered by hand, whatever window (or none) is open.
static void iniciaRecursosPagina() {
    static const bool feito = [] {
        Q_INIT_RESOURCE(zove);
        return true;
    }();
    (void)feito;
}

namespace zove {

using prensil::Impressao;

namespace {

constexpr double MmPorPolegada = 25.4;
constexpr int AlturaCodigoBarras = 50;

const QString Arial = QStringLiteral("Arial");
const QString Courier = QStringLiteral("Courier New");
// The product name keeps its trailing blanks: they take part in the block's wrapping and centring.
const QString NomeProduto = QStringLiteral("ZOVE-OL") + QString(26, QLatin1Char(' '));
const QString Titulo = QStringLiteral("ZOVE");
const QString ContinuacaoTitulo;

class Pagina {
public:
    Pagina(Impressao& i, prensil::Superficie& s, const DadosImpressao& d, const OpcoesPagina& o)
        : imp(i), sup(s), dados(d), opcoes(o), versao(QStringLiteral("ZOVE v. ") + o.versao) {}

    void desenha();

private:
    void emY(double y) { sup.setCurrentY(y); }
    double y() const { return sup.CurrentY(); }
    void fonte(const QString& nome, double tamanho) {
        sup.setFontName(nome);
        sup.setFontSize(tamanho);
    }
    void linhaVazia() { sup.Print(QString(), true); }
    // A centred, vertically centred text block.
    void bloco(double x1, double x2, const QString& texto, double altura, bool negrito = false) {
        imp.alinharTexto(x1, x2, texto, sup, altura, Impressao::zmkCenter, 0, negrito, true);
    }
    void estado() {
        fonte(Arial, 8);
        imp.alinharImpressao(2, 47, QStringLiteral("ESTADO DE OSTRAL"), sup, Impressao::zmkCenter, 0, true,
                             true);
    }
    void moldura(double altura) {
        imp.desenhaGrid(2, 47, QString(), sup, Impressao::zmkSimpleBorder, false, 0, Impressao::zmkCenter, 0,
                        0, altura, false, false);
    }
    void figura(const QString& arquivo, double x) {
        const QSizeF tamanho = tamanhoNaturalMm(arquivo);
        sup.PaintPicture(arquivo, x, y(), tamanho.width(), tamanho.height());
    }
    void brasao() { figura(QString::fromLatin1(ImagemBrasao), 9); }
    void logoQor() { figura(QString::fromLatin1(ImagemQor), 14); }
    void barras(double x) {
        sup.PaintPicture(opcoes.arquivoCodigoBarras, x, y(), larguraBarras, alturaBarras);
    }
    void digitos(double x1, double x2) {
        fonte(Courier, 9);
        imp.alinharImpressao(x1, x2, dados.CodigoBarraVisualizado, sup, Impressao::zmkCenter, 0, true, true);
    }
    void autenticacao() {
        fonte(Arial, 8);
        imp.alinharImpressao(50, 200, QStringLiteral("AUTENTICAÇÃO"), sup, Impressao::zmkLeft, 0, false,
                             true);
    }
    void informacoes() {
        emY(posicaoInformacoes);
        fonte(Courier, 10);
        imp.alinharTextoComEnter(53, 130, dados.InformacoesAdicionais, sup, 20, 0, true);
    }
    void linhaDeCorte(double yCorte) {
        for (int i = 1; i <= 199; i += 2)
            sup.Line(i, yCorte, i + 1, yCorte, 0, true);
    }
    enum class Numero { ComCaixa, SemCaixa };
    void celula(const QString& numero, const QString& legenda, const QString& valor, double a, double b,
                bool valorADireita = false, bool ultimaDaLinha = false, Numero caixa = Numero::ComCaixa);
    // Draws the field grid from the current y; returns its bottom.
    double grade();
    void verificaCodigoBarras();

    Impressao& imp;
    prensil::Superficie& sup;
    const DadosImpressao& dados;
    const OpcoesPagina& opcoes;
    const QString versao;
    double larguraBarras = 0;
    double alturaBarras = 0;
    double posicaoInformacoes = 0;
};

void Pagina::celula(const QString& numero, const QString& legenda, const QString& valor, double a, double b,
                    bool valorADireita, bool ultimaDaLinha, Numero caixa) {
    sup.setFontName(Arial);
    const bool comNumero = caixa == Numero::ComCaixa;
    if (comNumero)
        imp.desenhaGrid(a, a + 5, numero, sup, Impressao::zmkSimpleBorder, false, 6, Impressao::zmkCenter, 0,
                        0, 7, false, true);
    const double inicio = comNumero ? a + 5 : a;
    imp.desenhaGrid(inicio, b, legenda, sup, Impressao::zmkSimpleBorder, false, 6, Impressao::zmkLeft, 0, 0,
                    7, false, false);
    sup.setFontName(Courier);
    imp.desenhaGrid(inicio, b, valor, sup, Impressao::zmkSimpleBorder, true, 8,
                    valorADireita ? Impressao::zmkRight : Impressao::zmkLeft, 0, 0, 7, ultimaDaLinha, true);
}

double Pagina::grade() {
    // The name has an empty number box; the revenue's name has none at all.
    celula(QStringLiteral("01"), QStringLiteral("Inscrição Estadual | CNPJ | CPF | Renavam | RG"),
           dados.identificacao, 50, 125);
    celula(QStringLiteral("02"), QStringLiteral("Número QOR"), dados.NumeroQor, 125, 188, false, true);
    celula(QString(), QStringLiteral("Nome/Razão Social"), dados.RazaoSocial, 50, 188, false, true);
    celula(QStringLiteral("03"), QStringLiteral("Código de Receita"), dados.codigoReceita, 50, 76);
    celula(QString(), QStringLiteral("Receita"), dados.DescricaoReceita, 76, 188, false, true,
           Numero::SemCaixa);
    // The "05" number box, drawn after it, covers the right end of "Documento".
    celula(QStringLiteral("04"), QStringLiteral("Documento"), dados.Documento, 50, 90);
    celula(QStringLiteral("05"), QStringLiteral("Referência/Parcela"), dados.referencia, 85, 160);
    celula(QStringLiteral("06"), QStringLiteral("Vencimento"), dados.Vencimento, 160, 188, false, true);

    sup.setFontName(Arial);
    imp.desenhaGrid(50, 130, QStringLiteral("Informações Adicionais"), sup, Impressao::zmkSimpleBorder, false,
                    6, Impressao::zmkLeft, 0, 0, 37.5, false, false);
    celula(QStringLiteral("07"), QStringLiteral("Principal"), dados.ValorPrincipal, 130, 188, true, true);
    posicaoInformacoes = y();
    celula(QStringLiteral("08"), QStringLiteral("Multa"), dados.ValorMulta, 130, 188, true, true);
    celula(QStringLiteral("09"), QStringLiteral("Juros"), dados.ValorJuros, 130, 188, true, true);
    celula(QStringLiteral("10"), QStringLiteral("Correção Monetária"), dados.ValorCorrecaoMonetaria, 130, 188,
           true, true);
    celula(QStringLiteral("11"), QStringLiteral("Total a Pagar"), dados.ValorTotal, 130, 188, true, true);
    return y();
}

void Pagina::verificaCodigoBarras() {
    QImageReader leitor(opcoes.arquivoCodigoBarras);
    const QSize tamanho = leitor.size();
    const QSize esperado(larguraCodigoBarras(dados.CodigoBarra.size()), AlturaCodigoBarras);
    if (!tamanho.isValid())
        throw tabulon::ErroExecucao(tabulon::ErroExecucao::ArquivoNaoEncontrado,
                                    QStringLiteral("Arquivo não encontrado: ") + opcoes.arquivoCodigoBarras,
                                    QStringLiteral("Imprime"));
    if (tamanho != esperado)
        throw tabulon::ErroExecucao(tabulon::ErroExecucao::ArquivoNaoEncontrado,
                                    QStringLiteral("Imagem do código de barras com tamanho inesperado: ") +
                                        opcoes.arquivoCodigoBarras,
                                    QStringLiteral("Imprime"));
    const QSizeF mm = tamanhoNaturalMm(opcoes.arquivoCodigoBarras);
    larguraBarras = mm.width();
    alturaBarras = mm.height();
}

void Pagina::desenha() {
    sup.setScaleMode(prensil::Escala::Milimetros);
    bool copia1 = true;
    bool copia2 = true;
    if (opcoes.previa) {
        sup.Cls();
        if (opcoes.posicaoBarra == 1) {
            copia1 = false;
        } else if (opcoes.posicaoBarra == 2) {
            copia1 = false;
            copia2 = false;
        }
    }
    // The bitmap is checked before anything is drawn, so a missing one leaves no half page.
    verificaCodigoBarras();

    if (copia1) {
        emY(3);
        moldura(98);
        emY(5);
        estado();
        linhaVazia();
        brasao();
        emY(49);
        sup.setFontSize(8);
        bloco(2, 47, QStringLiteral("PYX"), 8);
        emY(61);
        sup.setFontSize(12);
        bloco(2, 47, NomeProduto, 15, true);
        emY(68);
        sup.setFontSize(7);
        bloco(2, 50, Titulo, 8);
        emY(71);
        sup.setFontSize(7);
        bloco(2, 50, ContinuacaoTitulo, 8);
        linhaVazia();
        logoQor();
        emY(92);
        sup.setFontSize(7);
        bloco(2, 47, QStringLiteral("QOR"), 8);
        emY(96);
        sup.setFontSize(6);
        bloco(2, 42, versao, 7);

        emY(0);
        barras(78);
        emY(13);
        digitos(51, 216);
        emY(y() + 2);
        const double base = grade();
        emY(base + 2);
        autenticacao();
        informacoes();
        linhaDeCorte(105);
    }

    double base2 = 0;
    if (copia2) {
        const double topo = y() + 2;
        emY(topo);
        moldura(68);
        emY(y() + 2);
        estado();
        emY(y() + 10);
        sup.setFontSize(12);
        bloco(2, 47, NomeProduto, 15, true);
        emY(y() - 4);
        sup.setFontSize(7);
        bloco(2, 50, Titulo, 8);
        emY(y() - 3);
        sup.setFontSize(7);
        bloco(2, 50, ContinuacaoTitulo, 8);
        linhaVazia();
        linhaVazia();
        logoQor();
        emY(y() + 10);
        sup.setFontSize(7);
        bloco(2, 47, QStringLiteral("QOR"), 8);
        emY(y() + 5);
        sup.setFontSize(6);
        bloco(2, 42, versao, 7);
        emY(topo);
        base2 = grade();
        informacoes();
        linhaDeCorte(base2 + 2);
    }

    const double topo = base2 + 5;
    emY(topo);
    moldura(98);
    emY(y() + 2);
    estado();
    linhaVazia();
    brasao();
    emY(y() + 33);
    sup.setFontSize(7);
    bloco(2, 47, QStringLiteral("PYX"), 8);
    emY(y() + 4);
    sup.setFontSize(12);
    bloco(2, 47, NomeProduto, 15, true);
    emY(y() - 4);
    sup.setFontSize(7);
    bloco(2, 50, Titulo, 8);
    emY(y() - 3);
    sup.setFontSize(7);
    bloco(2, 50, ContinuacaoTitulo, 8);
    linhaVazia();
    logoQor();
    emY(y() + 10);
    sup.setFontSize(7);
    bloco(2, 47, QStringLiteral("QOR"), 8);
    emY(y() - 2);
    sup.setFontSize(6);
    bloco(2, 42, versao, 7);
    emY(topo);
    const double base3 = grade();
    emY(base3 + 1);
    autenticacao();
    const double depoisAutenticacao = y();
    informacoes();
    emY(depoisAutenticacao + 3);
    digitos(43, 208);
    barras(70);
}

} // namespace

QSizeF tamanhoNaturalMm(const QString& arquivo) {
    iniciaRecursosPagina();
    const QImage imagem(arquivo);
    if (imagem.isNull())
        return {};
    const double dpiX = imagem.dotsPerMeterX() > 0 ? imagem.dotsPerMeterX() * 0.0254 : 96.0;
    const double dpiY = imagem.dotsPerMeterY() > 0 ? imagem.dotsPerMeterY() * 0.0254 : 96.0;
    return {imagem.width() * MmPorPolegada / dpiX, imagem.height() * MmPorPolegada / dpiY};
}

void desenhaPagina(Impressao& impressao, prensil::Superficie& superficie, const DadosImpressao& dados,
                   const OpcoesPagina& opcoes) {
    iniciaRecursosPagina();
    Pagina(impressao, superficie, dados, opcoes).desenha();
}

} // namespace zove
