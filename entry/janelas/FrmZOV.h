#pragma once
// The entry form of one document. It reads its controls into a Preenchimento, asks the entry rules
// (entry/) what the selected revenue switches on and off, and applies the answer; Imprimir checks
// the whole form and assembles the document.
#include "entry/MontagemDocumento.h"
#include "entry/Preenchimento.h"
#include "entry/RegrasReceita.h"
#include "platform/Mensagens.h"
#include "platform/Plataforma.h"

#include <QColor>
#include <QDialog>
#include <QHash>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zove {

class Referencias;
class frmVisualizacao;

class FrmZOV : public QDialog {
    Q_OBJECT
public:
    // `relogio` gives "today" for the date rules (the machine's date when not given).
    FrmZOV(Referencias& refs, Plataforma plataforma, Relogio relogio = {}, QWidget* parent = nullptr);
    ~FrmZOV() override;

    // The saved document the form works on; 0 for a new one. Set before the form loads.
    double NumDocumento = 0;

    // Fills the lists and puts the form in its empty state. Runs once, when the form is first shown
    // (a caller that needs the form loaded without showing it calls it itself).
    void Form_Load();
    bool carregado() const { return m_carregado; }

    // ---- what the save and print flow builds on
    // The controls as plain values, with the rule flags of the selected revenue.
    Preenchimento leFormulario() const;
    const FlagsReceita& flags() const { return m_flags; }
    // The complete check; shows the numbered error list and returns false when something is wrong.
    bool ValidaPreenchimento();
    // Assembles the checked form: number, visible line, bars drawn on pctCodigoBarras, texts of the
    // page. On failure shows why and returns the errors without a document.
    ResultadoMontagem GeraDocumento();
    // The last document GeraDocumento assembled.
    const std::optional<DocumentoMontado>& documentoMontado() const { return m_documento; }
    // Where the bar bitmaps are written (the current folder when empty).
    void definirPastaImagens(const QString& pasta) { m_pastaImagens = pasta; }
    // The folder holding the fee table page (the program's folder when not set).
    void definirPastaPrograma(const QString& pasta) { m_pastaPrograma = pasta; }

    // ---- handlers of the lists, as a user's choice runs them
    void cmbTipoReceita_Click();
    void cmbReceita_Click();
    void cmbTipoIdentificacao_Click();
    void cmbClasseVecto_Click();
    void cmbTipoPeriodo_Click();
    // Shows and fills the period group of a reference code.
    void aplicaPeriodo(const QString& MVD_REFERENCIA);
    void Imprimir_Click();
    void Sair_Click();

    // ---- saving and printing
    // Preview: the same checks, save and confirmation as Imprimir, then the preview window.
    void cmdVisualizar_Click();
    // Saves the document (insert when `numero` is 0, which then receives the new number; update
    // otherwise) together with its taxpayer, both or neither. On failure shows why and returns false.
    bool SalvaZOV(double& numero);
    // Composes the document and prints it, or shows it in the preview. True for a complete print.
    bool MostraDocumento(bool previa);
    // The preview window this form prints through, created on first use.
    frmVisualizacao& visualizacao();
    // Loads the saved document `numero` into the form (0 does nothing). False, with a message, when it
    // does not exist or its revenue or identification type cannot be selected.
    bool CarregarZOV(double& numero);
    // Empties the form for a new document (NumDocumento back to 0).
    void LimparZOV();
    // Prints the document loaded from NumDocumento without checking, saving or asking, then clears the
    // form. False when it could not be printed.
    bool ImprimirPantAnterior();
    // Writes the page of the loaded document to a PDF file, without marking it printed.
    bool GravaPdf(const QString& arquivo);
    // The question asked before printing or previewing, as the user reads it.
    static QString textoConfirmacao(bool previa);

    // Background of a field that must be filled.
    static QColor corObrigatorio();
    // A text field's maximum length when nothing limits it (QLineEdit's own default).
    static constexpr int semLimite = 32767;

    // Controls, with the names the users' documentation gives them.
    QComboBox* cmbTipoReceita;
    QComboBox* cmbReceita;
    QLabel* lblClasse;
    QComboBox* cmbClasseVecto;
    QComboBox* cmbTipoIdentificacao;
    QLineEdit* txtIdentificacao;
    QLineEdit* txtNome;
    QLineEdit* txtDDD;
    QLineEdit* txtFone;
    QLabel* Label4;
    QLineEdit* txtNumDoctoOrigem;
    QComboBox* cmbMunicipio;
    QGroupBox* FramePeriodo1;
    QComboBox* cmbMes1;
    QLineEdit* txtAno1;
    QGroupBox* FramePeriodo2;
    QComboBox* cmbTipoPeriodo;
    QComboBox* cmbValorPeriodo;
    QLineEdit* txtAnoPeriodo;
    QGroupBox* FramePeriodo3;
    QLineEdit* txtNumParcela;
    QGroupBox* FramePeriodo4;
    QComboBox* cmbQuota;
    QLineEdit* txtAnoQuota;
    QGroupBox* FramePeriodo5;
    QLineEdit* txtAno;
    QLineEdit* txtDataVencimento;
    QLineEdit* txtDataMaxPagto;
    QGroupBox* FrameCalculoValorPagar;
    QLineEdit* txtValorPrincipal;
    QLineEdit* txtValorMulta;
    QLineEdit* txtValorJuros;
    QLineEdit* txtValorCorrecao;
    QLineEdit* txtValorTotal;
    QCheckBox* chkSalvarZOVE;
    QLabel* pctCodigoBarras;
    QLabel* lblLinhaDigitavel;
    QPushButton* cmdVisualizar;
    QPushButton* Imprimir;
    QPushButton* Limpar;
    QPushButton* cmdTabela;
    QPushButton* Sair;
    QPushButton* cmdEnter;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    // Escape does not close the form: the form has no cancel button, and closing would lose what was
    // typed. It leaves through Sair or the window's close button.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    enum class Campo {
        Identificacao,
        Nome,
        Digitos,
        DocumentoOrigem,
        Ano,
        Parcela,
        Vencimento,
        DataLivre,
        Valor
    };

    void montaTela();
    void ligaEventos();
    // The filters and focus checks of the text fields.
    void ligaCampos();
    void filtra(QLineEdit* campo, Campo tipo);
    void aplica(QWidget* campo, EstadoCampo estado);
    void aplicaClasse();
    void preencheTiposIdentificacao(const QString& permitidos);
    void preencheClasses();
    void preencheValoresPeriodo();
    void recalculaTotal();
    QDate hoje() const;
    // The selected entry of a list; no selection is index -1.
    static Selecao selecao(const QComboBox* c);

    bool teclaDigitada(QLineEdit* campo, Campo tipo, int tecla);
    void cola(QLineEdit* campo, Campo tipo, const QString& texto);
    void focoEntrou(QLineEdit* campo, Campo tipo);
    // False when the field refuses to let the focus go.
    bool focoSaiu(QLineEdit* campo, Campo tipo);
    void recusa(QLineEdit* campo, const QString& texto, const QString& titulo, Mensagens::Icone icone);

    Referencias& m_refs;
    Plataforma m_plataforma;
    Relogio m_relogio;
    FlagsReceita m_flags;
    QString m_pastaImagens;
    QString m_pastaPrograma;
    std::optional<DocumentoMontado> m_documento;
    std::unique_ptr<frmVisualizacao> m_visualizacao;
    // Assembles the document and hands its texts to the preview window.
    bool preparaVisualizacao();
    bool confirmaParaImprimir(bool previa);
    QHash<QObject*, Campo> m_campos;
    QHash<QObject*, QString> m_nomesCampos;
    bool m_carregado = false;
    // Set while a check shows its message or puts the focus back, so the focus changes that causes
    // are not taken for the user leaving another field.
    bool m_verificando = false;
};

} // namespace zove
