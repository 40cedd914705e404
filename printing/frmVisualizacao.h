#pragma once
// The preview of a document as it prints, and the print run. One instance serves the whole run: the
// caller sets the document's texts, then shows the window (preview, with its own print button) or
// asks it to print directly.
#include "common/DadosImpressao.h"
#include "platform/Plataforma.h"
#include "prensil/Impressao.h"

#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QWidget>
#include <functional>

class QCheckBox;
class QPushButton;
class QScrollBar;

namespace prensil {
class Superficie;
}

namespace zove {

class Referencias;

// The preview picture: shows the drawn page at its natural size, or scaled to fit.
class QuadroPrevia : public QWidget {
    Q_OBJECT
public:
    explicit QuadroPrevia(QWidget* parent = nullptr);
    void setImagem(const QImage& imagem);
    const QImage& imagem() const { return m_imagem; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

signals:
    void redimensionado();

private:
    QImage m_imagem;
};

class frmVisualizacao : public QDialog {
    Q_OBJECT
public:
    // The picture's size in millimetres.
    static constexpr double LarguraPreviaMm = 209;
    static constexpr double AlturaPreviaMm = 131;

    frmVisualizacao(Plataforma plataforma, Referencias& referencias, QWidget* parent = nullptr);
    ~frmVisualizacao() override;

    // ---- The document's texts, stored and returned unchanged.
    const DadosImpressao& dados() const { return m_dados; }
    void setDados(const DadosImpressao& dados) { m_dados = dados; }
#define ZOVE_PROPRIEDADE(nome)                                                                               \
    const QString& nome() const {                                                                            \
        return m_dados.nome;                                                                                 \
    }                                                                                                        \
    void set_##nome(const QString& valor) {                                                                  \
        m_dados.nome = valor;                                                                                \
    }
    ZOVE_PROPRIEDADE(p_num_documento)
    ZOVE_PROPRIEDADE(CodigoBarra)
    ZOVE_PROPRIEDADE(CodigoBarraVisualizado)
    ZOVE_PROPRIEDADE(identificacao)
    ZOVE_PROPRIEDADE(NumeroQor)
    ZOVE_PROPRIEDADE(RazaoSocial)
    ZOVE_PROPRIEDADE(codigoReceita)
    ZOVE_PROPRIEDADE(DescricaoReceita)
    ZOVE_PROPRIEDADE(Documento)
    ZOVE_PROPRIEDADE(referencia)
    ZOVE_PROPRIEDADE(Vencimento)
    ZOVE_PROPRIEDADE(InformacoesAdicionais)
    ZOVE_PROPRIEDADE(ValorPrincipal)
    ZOVE_PROPRIEDADE(ValorMulta)
    ZOVE_PROPRIEDADE(ValorJuros)
    ZOVE_PROPRIEDADE(ValorCorrecaoMonetaria)
    ZOVE_PROPRIEDADE(ValorTotal)
#undef ZOVE_PROPRIEDADE

    // The folder of the bar pattern bitmaps (by default the program's own).
    void setPastaCodigoBarras(const QString& pasta) {
        m_pastaCodigoBarras = pasta;
    }
    const QString& pastaCodigoBarras() const {
        return m_pastaCodigoBarras;
    }
    // The folder where a run with no printer writes its PDF (by default the user's documents).
    void setPastaDocumentos(const QString& pasta) {
        m_pastaDocumentos = pasta;
    }
    // "Now", for naming the PDF of a document that is not saved.
    void setRelogio(std::function<QDateTime()> relogio) {
        m_relogio = std::move(relogio);
    }

    // Draws the bars of CodigoBarra and writes their bitmap. Raises tabulon::ErroExecucao when it
    // cannot.
    void preparaCodigoBarras();

    // Draws the page on a surface: the printer (impressora true: the job is ended and, when the run
    // is complete, the saved document marked printed) or the preview picture. False after any error,
    // which has been shown; on the printer the job is then cancelled and nothing is marked.
    bool Imprime(prensil::Superficie& superficie, bool impressora);
    // Prints on the application's printer or, when the machine has none, writes the page to
    // "ZOVE_<número>.pdf" in the documents folder. True for a complete run.
    bool Imprimir();
    // Writes the page to a PDF file (complete or not at all) without marking the document printed.
    // False after an error, which has been shown.
    bool gravaPdf(const QString& caminho);
    // The PDF the last complete run wrote; empty when it went to a printer.
    const QString& arquivoPdf() const {
        return m_arquivoPdf;
    }
    // "Impressão efetuada com sucesso!", naming the PDF and offering to open it when there is one.
    void mostraSucesso(QWidget* pai);

    // Shows the window modally; the page is drawn when it first becomes visible.
    int mostrar();

    // Redraws the preview picture from the copy the scroll bar selects.
    bool desenhaPrevia();

    QuadroPrevia* pctZov;
    QScrollBar* vscBarra;
    QPushButton* cmdImprimir;
    QPushButton* cmdSair;
    QCheckBox* chkAjustar;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void cmdImprimir_Click();
    void aoAtivarPrimeiraVez();
    QString nomePdf() const;
    void mostraFalha();
    bool imprimeEmPdf(const QString& caminho, bool marcar);

    Plataforma m_plataforma;
    Referencias& m_referencias;
    DadosImpressao m_dados;
    prensil::Impressao m_impressao;
    QString m_pastaCodigoBarras;
    QString m_pastaDocumentos;
    QString m_arquivoPdf;
    std::function<QDateTime()> m_relogio;
    bool m_primeiraAtivacao = true;
    bool m_marcar = true;
};

} // namespace zove
