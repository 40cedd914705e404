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
#include <QMarginsF>
#include <QRectF>
#include <QStringList>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
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

    // Draws the page on a surface: a printer (impressora true: the job is ended, or cancelled after an
    // error) or the preview picture. False after any error, which has been shown. Marks nothing: a page
    // drawn is not yet a page printed.
    bool Imprime(prensil::Superficie& superficie, bool impressora);
    // The print run: asks the queue whether it takes jobs (a stopped queue or a printer that cannot
    // print the page's edges is a question to the user), hands it the page and, only when the spooler
    // accepted the job, marks the saved document printed. When the machine has no printer the page
    // goes to "ZOVE_<número>.pdf" in the documents folder instead. True for an accepted job or a
    // written PDF.
    bool Imprimir();
    // Writes the page to a PDF file (complete or not at all) without marking the document printed.
    // False after an error, which has been shown.
    bool gravaPdf(const QString& caminho);
    // The PDF the last complete run wrote; empty when it went to a printer.
    const QString& arquivoPdf() const {
        return m_arquivoPdf;
    }
    // The queue and the spooler's job id of the last accepted run; why the last run failed.
    const QString& filaUsada() const {
        return m_filaUsada;
    }
    int trabalho() const {
        return m_trabalho;
    }
    const QString& motivoFalha() const {
        return m_motivoFalha;
    }
    // "Impressão efetuada com sucesso!", naming the PDF and offering to open it when there is one.
    void mostraSucesso(QWidget* pai);

    // What a run does with its printed mark: by default it records it at once. A batch collects the
    // numbers instead and records them together.
    void setRegistraImpresso(std::function<void(const QString& numero)> registra) {
        m_registraImpresso = std::move(registra);
    }
    // Warnings the user already accepted (a stopped queue, edges the printer cannot reach) are not
    // asked again for the documents that follow; the caller keeps the list for as long as it prints.
    void setAvisosAceitos(QStringList* aceitos) {
        m_avisosAceitos = aceitos;
    }
    // Without a user to answer (the command line), warnings are only shown and the run goes on.
    void setSemPerguntas(bool semPerguntas) {
        m_semPerguntas = semPerguntas;
    }
    // The warning for a page whose content would fall where the printer cannot print, or empty.
    QString avisoMargens(const QString& fila, const QMarginsF& margensFisicas);

    // Shows the window modally; the page is drawn when it first becomes visible.
    int mostrar();

    // Redraws the preview picture from the copy the scroll bar selects.
    bool desenhaPrevia();

    QuadroPrevia* pctZov;
    QScrollBar* vscBarra;
    QPushButton* cmdImprimir;
    QPushButton* cmdSair;
    QCheckBox* chkAjustar;
    QLabel* lblAvisoImpressora;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void cmdImprimir_Click();
    void aoAtivarPrimeiraVez();
    QString nomePdf() const;
    void mostraFalha(const QString& motivo = {});
    void mostraFalhaPdf(const QString& caminho, const QString& motivo);
    bool imprimeEmPdf(const QString& caminho, bool marcar);
    bool imprimeNaImpressora();
    bool imprimeNaFila(const QString& fila);
    // Asks once per accepted text; true to go on.
    bool confirmaAviso(const QString& texto);
    void registraImpresso();
    // Where the page puts ink, in millimetres from the sheet's top left corner.
    QRectF areaComTinta();
    void atualizaAvisoImpressora();

    Plataforma m_plataforma;
    Referencias& m_referencias;
    DadosImpressao m_dados;
    prensil::Impressao m_impressao;
    QString m_pastaCodigoBarras;
    QString m_pastaDocumentos;
    QString m_arquivoPdf;
    std::function<QDateTime()> m_relogio;
    QString m_filaUsada;
    QString m_motivoFalha;
    int m_trabalho = 0;
    std::function<void(const QString&)> m_registraImpresso;
    QStringList* m_avisosAceitos = nullptr;
    QStringList m_avisosDestaJanela;
    bool m_semPerguntas = false;
    bool m_primeiraAtivacao = true;
};

} // namespace zove
