#pragma once
// The saved-document search window: finds saved documents by revenue type, revenue, identification,
// name and printed mark, opens one in the entry form, prints a selection in one run and deletes a
// selection in one change of the table.
#include "data/PesquisaDocumentos.h"
#include "platform/Plataforma.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace zove {

class FormularioDocumento;
class ModeloResultado;
class Referencias;
struct ResultadoAlteracao;

class FrmConsultaZOV : public QDialog {
    Q_OBJECT
public:
    // formulario: the entry form that opens and prints documents; without it those buttons stay
    // disabled.
    FrmConsultaZOV(Referencias& refs, Plataforma plataforma, FormularioDocumento* formulario,
                   QWidget* parent = nullptr);
    ~FrmConsultaZOV() override;

    static const QString Titulo;
    static const QString NenhumaReceita;
    static const QString InstrucoesImpressao;

    // Criteria
    QComboBox* cmbTipoReceita;
    QComboBox* cmbReceita;
    QLineEdit* txtIdentificacao;
    QLineEdit* txtNome;
    QComboBox* cmbImpreso;
    // Result
    QTreeView* ListView1;
    QLabel* lblRegistro;
    // Buttons
    QPushButton* Pesquisar;
    QPushButton* Selecionar;
    QPushButton* cmdImprimir;
    QPushButton* cmdEliminar;
    QPushButton* Fechar;
    QPushButton* cmdEnter;

    // The document numbers of the selected rows, in list order.
    QStringList numerosSelecionados() const;
    // The list's rows: how many, and the document number of each.
    int linhas() const;
    QString numeroDaLinha(int linha) const;

    // True while a batch print runs.
    bool imprimindo() const { return m_imprimindo; }

public slots:
    void Pesquisar_Click();
    void Selecionar_Click();
    void cmdImprimir_Click();
    void cmdEliminar_Click();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void montaJanela();
    void CarregaCombos();
    void CarregaReceitasDoTipo(qint16 tipo);
    void cmbTipoReceita_Click();
    CriteriosPesquisa criterios() const;
    void preencheLista(const CriteriosPesquisa& c, bool avisaSeVazio);
    void ajustaColunas();
    // The current row when it is selected; -1 otherwise.
    int linhaAtualSelecionada() const;

    Referencias& m_refs;
    Plataforma m_plataforma;
    FormularioDocumento* m_formulario;
    ModeloResultado* m_modelo;
    // What the list shows, so it can be shown again after a change (a batch print, a delete).
    CriteriosPesquisa m_criteriosDaLista;
    bool m_listaPreenchida = false;
    bool m_imprimindo = false;
};

} // namespace zove
