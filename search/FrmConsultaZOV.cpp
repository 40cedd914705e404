#include "search/FrmConsultaZOV.h"

#include "data/MarcasDeImpressao.h"
#include "data/PesquisaDocumentos.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "platform/TituloPrograma.h"
#include "search/FormularioDocumento.h"
#include "search/ModeloResultado.h"
#include "validation/Validacao.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace zove {

const QString FrmConsultaZOV::Titulo = QStringLiteral("Consultar Documentos Emitidos");
const QString FrmConsultaZOV::NenhumaReceita = QStringLiteral("<Nenhuma receita selecionada>");
const QString FrmConsultaZOV::InstrucoesImpressao =
    QStringLiteral("Instruções para impressão do ZOVE\r\n"
                   "\r\n"
                   "1. Utilize impressora jato de tinta ou laser;\r\n"
                   "2. Utilize qualidade de impressão normal. Não utilize as opções\r\n"
                   "   Rascunho ou Econômica;\r\n"
                   "3. Imprima este documento em folha A4 (210 x 297 mm) de cor branca;\r\n"
                   "4. Não fure, dobre, amasse, rasure ou risque o código de barras\r\n"
                   "\r\n"
                   "\r\n"
                   "Confirma a impressão?");

namespace {

// Item data: the value the user's choice stands for (a number, as the lists always carried) and the
// code exactly as the table stores it, which is what the search compares.
constexpr int kCodigo = Qt::UserRole + 1;

// A batch of more than this many documents shows its progress.
constexpr int kLoteComProgresso = 3;

const QString kAviso = QStringLiteral("Aviso");

template <class T> T* nomeado(T* w, const char* nome) {
    w->setObjectName(QLatin1String(nome));
    return w;
}

} // namespace

FrmConsultaZOV::FrmConsultaZOV(Referencias& refs, Plataforma plataforma, FormularioDocumento* formulario,
                               QWidget* parent)
    : QDialog(parent), m_refs(refs), m_plataforma(plataforma), m_formulario(formulario) {
    setObjectName(QStringLiteral("FrmConsultaZOV"));
    setWindowTitle(Titulo);
    montaJanela();
    // Load: the lists, the revenues of type 0, the columns.
    CarregaCombos();
    CarregaReceitasDoTipo(0);
}

FrmConsultaZOV::~FrmConsultaZOV() = default;

void FrmConsultaZOV::montaJanela() {
    auto* criteriosBox =
        nomeado(new QGroupBox(QStringLiteral("Critérios de pesquisa"), this), "fraCriterios");
    auto* grade = new QGridLayout(criteriosBox);
    cmbTipoReceita = nomeado(new QComboBox(criteriosBox), "cmbTipoReceita");
    cmbReceita = nomeado(new QComboBox(criteriosBox), "cmbReceita");
    txtIdentificacao = nomeado(new QLineEdit(criteriosBox), "txtIdentificacao");
    txtNome = nomeado(new QLineEdit(criteriosBox), "txtNome");
    cmbImpreso = nomeado(new QComboBox(criteriosBox), "cmbImpreso");
    cmbTipoReceita->setMinimumContentsLength(40);
    cmbReceita->setMinimumContentsLength(40);
    cmbTipoReceita->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbReceita->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    txtIdentificacao->setMaxLength(20);

    const auto rotulo = [&](const QString& texto, QWidget* campo, int linha, int coluna) {
        auto* l = new QLabel(texto, criteriosBox);
        l->setBuddy(campo);
        grade->addWidget(l, linha, coluna);
        grade->addWidget(campo, linha, coluna + 1);
    };
    rotulo(QStringLiteral("Tipo de Receita"), cmbTipoReceita, 0, 0);
    rotulo(QStringLiteral("Receita"), cmbReceita, 1, 0);
    rotulo(QStringLiteral("Identificação"), txtIdentificacao, 0, 2);
    rotulo(QStringLiteral("Nome ou Razão Social"), txtNome, 1, 2);
    rotulo(QStringLiteral("Impresso"), cmbImpreso, 2, 2);
    grade->setColumnStretch(1, 3);
    grade->setColumnStretch(3, 2);

    auto* resultadoBox = nomeado(new QGroupBox(QStringLiteral("Resultado"), this), "fraResultado");
    auto* resultado = new QVBoxLayout(resultadoBox);
    ListView1 = nomeado(new QTreeView(resultadoBox), "ListView1");
    m_modelo = new ModeloResultado(this);
    ListView1->setModel(m_modelo);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The columns take the width of what they show; the clerk may widen or narrow each one.
    ListView1->header()->setSectionResizeMode(QHeaderView::Interactive);
    ListView1->header()->setStretchLastSection(true);
    ajustaColunas();
    lblRegistro = nomeado(new QLabel(QStringLiteral("Registro(s): 0"), resultadoBox), "lblRegistro");
    resultado->addWidget(ListView1);
    resultado->addWidget(lblRegistro);

    Pesquisar = nomeado(new QPushButton(QStringLiteral("&Pesquisar"), this), "Pesquisar");
    Selecionar = nomeado(new QPushButton(QStringLiteral("Selecionar"), this), "Selecionar");
    cmdImprimir = nomeado(new QPushButton(QStringLiteral("&Imprimir"), this), "cmdImprimir");
    cmdEliminar = nomeado(new QPushButton(QStringLiteral("&Eliminar"), this), "cmdEliminar");
    Fechar = nomeado(new QPushButton(QStringLiteral("Fechar"), this), "Fechar");
    cmdEnter = nomeado(new QPushButton(QStringLiteral("<Enter>"), this), "cmdEnter");
    // Enter moves to the next field, as the users are used to; the button itself never takes the focus.
    cmdEnter->setDefault(true);
    cmdEnter->setFocusPolicy(Qt::NoFocus);
    for (QPushButton* b : {Pesquisar, Selecionar, cmdImprimir, cmdEliminar, Fechar})
        b->setAutoDefault(false);
    Selecionar->setEnabled(m_formulario != nullptr);
    cmdImprimir->setEnabled(m_formulario != nullptr);

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(Pesquisar);
    botoes->addWidget(Selecionar);
    botoes->addWidget(cmdImprimir);
    botoes->addWidget(cmdEliminar);
    botoes->addStretch();
    botoes->addWidget(cmdEnter);
    botoes->addWidget(Fechar);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(criteriosBox);
    principal->addWidget(resultadoBox, 1);
    principal->addLayout(botoes);
    resize(960, 600);

    connect(cmbTipoReceita, &QComboBox::activated, this, &FrmConsultaZOV::cmbTipoReceita_Click);
    connect(Pesquisar, &QPushButton::clicked, this, &FrmConsultaZOV::Pesquisar_Click);
    connect(Selecionar, &QPushButton::clicked, this, &FrmConsultaZOV::Selecionar_Click);
    connect(ListView1, &QTreeView::doubleClicked, this, &FrmConsultaZOV::Selecionar_Click);
    connect(cmdImprimir, &QPushButton::clicked, this, &FrmConsultaZOV::cmdImprimir_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &FrmConsultaZOV::cmdEliminar_Click);
    connect(Fechar, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdEnter, &QPushButton::clicked, this, [this] { focusNextChild(); });
    txtIdentificacao->installEventFilter(this);
    txtNome->installEventFilter(this);
}

void FrmConsultaZOV::CarregaCombos() {
    cmbTipoReceita->clear();
    cmbTipoReceita->addItem(QString(), 0);
    if (m_refs.oMAB_TIPO_RECEITAs) {
        for (const auto& tipo : *m_refs.oMAB_TIPO_RECEITAs) {
            cmbTipoReceita->addItem(tipo->MTR_DESCRICAO, tipo->MTR_TIP_RECEITA.toInt());
            cmbTipoReceita->setItemData(cmbTipoReceita->count() - 1, tipo->MTR_TIP_RECEITA, kCodigo);
        }
    }
    cmbImpreso->clear();
    cmbImpreso->addItem(QString(), 0);
    cmbImpreso->addItem(QStringLiteral("Sim"), 1);
    cmbImpreso->addItem(QStringLiteral("Não"), 2);
}

void FrmConsultaZOV::CarregaReceitasDoTipo(qint16 tipo) {
    cmbReceita->clear();
    cmbReceita->addItem(NenhumaReceita, -1);
    if (m_refs.oARREC_MAB_RECEITAs && m_refs.oMAB_VALIDA_DOCs) {
        const auto receitas = m_refs.oARREC_MAB_RECEITAs->Query_Receitas_Do_Tipo(QString::number(tipo),
                                                                                 *m_refs.oMAB_VALIDA_DOCs);
        if (receitas) {
            for (const auto& r : *receitas) {
                cmbReceita->addItem(r->MCR_NOME_RCTA + QStringLiteral(" - ") + r->MCR_COD_RCTA,
                                    r->MCR_COD_RCTA.toInt());
                cmbReceita->setItemData(cmbReceita->count() - 1, r->MCR_COD_RCTA, kCodigo);
            }
        }
    }
    cmbReceita->setCurrentIndex(0);
}

void FrmConsultaZOV::cmbTipoReceita_Click() {
    if (cmbTipoReceita->currentIndex() >= 0)
        CarregaReceitasDoTipo(static_cast<qint16>(cmbTipoReceita->currentData().toInt()));
    else
        cmbReceita->clear();
}

CriteriosPesquisa FrmConsultaZOV::criterios() const {
    CriteriosPesquisa c;
    if (cmbTipoReceita->currentIndex() >= 1)
        c.tipoReceita = cmbTipoReceita->currentData(kCodigo).toString();
    if (cmbReceita->currentIndex() >= 1)
        c.receita = cmbReceita->currentData(kCodigo).toString();
    c.identificacao = txtIdentificacao->text();
    c.nome = txtNome->text().trimmed().toUpper();
    switch (cmbImpreso->currentData().toInt()) {
    case 1:
        c.impresso = CriteriosPesquisa::Impresso::Sim;
        break;
    case 2:
        c.impresso = CriteriosPesquisa::Impresso::Nao;
        break;
    default:
        break;
    }
    return c;
}

void FrmConsultaZOV::Pesquisar_Click() {
    preencheLista(criterios(), true);
}

namespace {

// The wait cursor while the window works on the whole list.
class CursorDeEspera {
public:
    CursorDeEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorDeEspera() { QApplication::restoreOverrideCursor(); }
    CursorDeEspera(const CursorDeEspera&) = delete;
    CursorDeEspera& operator=(const CursorDeEspera&) = delete;
};

} // namespace

void FrmConsultaZOV::preencheLista(const CriteriosPesquisa& c, bool avisaSeVazio) {
    qsizetype total = 0;
    {
        const CursorDeEspera espera;
        const auto achados = pesquisaDocumentos(m_refs, c);
        total = achados ? achados->Count() : 0;
        m_modelo->defineDocumentos(total > 0 ? achados : nullptr);
        m_criteriosDaLista = c;
        m_listaPreenchida = true;
        ajustaColunas();
    }
    if (total == 0 && avisaSeVazio)
        m_plataforma.mensagens.mostrar(this, QStringLiteral("Nenhum registro encontrado"),
                                       Mensagens::Botoes::OK, Mensagens::Icone::Informacao, kAviso);
    lblRegistro->setText(QStringLiteral("Registro(s): ") + QString::number(total));
}

QStringList FrmConsultaZOV::numerosSelecionados() const {
    QModelIndexList linhas = ListView1->selectionModel()->selectedRows();
    std::sort(linhas.begin(), linhas.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList numeros;
    numeros.reserve(linhas.size());
    for (const QModelIndex& i : std::as_const(linhas))
        numeros.append(m_modelo->numero(i.row()));
    return numeros;
}

int FrmConsultaZOV::linhas() const {
    return m_modelo->rowCount();
}

QString FrmConsultaZOV::numeroDaLinha(int linha) const {
    return m_modelo->numero(linha);
}

int FrmConsultaZOV::linhaAtualSelecionada() const {
    const QModelIndex atual = ListView1->currentIndex();
    if (!atual.isValid() || !ListView1->selectionModel()->isRowSelected(atual.row(), {}))
        return -1;
    return atual.row();
}

void FrmConsultaZOV::Selecionar_Click() {
    if (!m_formulario || m_imprimindo || linhas() == 0)
        return;
    const int atual = linhaAtualSelecionada();
    if (atual < 0)
        return;
    const QString numero = m_modelo->numero(atual);
    m_formulario->abrir(this, numero);
    // The document may have been saved (or the tables changed) while it was open: the list shows the
    // tables as they are now, with that document still the current row.
    if (!m_listaPreenchida)
        return;
    preencheLista(m_criteriosDaLista, false);
    for (int i = 0; i < linhas(); ++i) {
        if (m_modelo->numero(i) != numero)
            continue;
        const QModelIndex indice = m_modelo->index(i, 0);
        ListView1->selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
        ListView1->scrollTo(indice);
        break;
    }
}

void FrmConsultaZOV::cmdImprimir_Click() {
    if (!m_formulario || m_imprimindo)
        return;
    const QStringList numeros = numerosSelecionados();
    if (numeros.isEmpty()) {
        m_plataforma.mensagens.mostrar(this, QStringLiteral("Deve Selecionar pelo menos um Registro"),
                                       Mensagens::Botoes::OK, Mensagens::Icone::Critico,
                                       QString::fromLatin1(TituloPrograma));
        return;
    }
    if (m_plataforma.mensagens.mostrar(this, InstrucoesImpressao, Mensagens::Botoes::SimNao,
                                       Mensagens::Icone::Informacao,
                                       QString::fromLatin1(TituloPrograma)) != Mensagens::Resposta::Sim)
        return;

    // Nothing else of this window runs while the batch prints.
    m_imprimindo = true;
    setEnabled(false);
    std::unique_ptr<QProgressDialog> progresso;
    if (numeros.size() > kLoteComProgresso) {
        progresso = std::make_unique<QProgressDialog>(this);
        progresso->setObjectName(QStringLiteral("progressoImpressao"));
        progresso->setWindowTitle(Titulo);
        // Cancel (or Esc) stops after the document being sent; what was sent stays printed.
        progresso->setCancelButtonText(QStringLiteral("Cancelar"));
        progresso->setAutoReset(false);
        progresso->setAutoClose(false);
        progresso->setRange(0, static_cast<int>(numeros.size()));
        progresso->setMinimumDuration(0);
        progresso->setWindowModality(Qt::WindowModal);
        progresso->setValue(0);
    }

    // The printed marks are written together: at most about once a second during a long batch, so a
    // crash loses at most the last second's marks, and once at the end.
    MarcasDeImpressao marcas(m_refs.oZovEnv());

    qsizetype impressos = 0;
    QString falhou;
    QString motivo;
    bool cancelado = false;
    // Without a printer every document goes to a PDF file of its own; the folders are named at the end.
    QStringList pastasPdf;
    for (const QString& numero : numeros) {
        if (progresso) {
            progresso->setLabelText(QStringLiteral("Imprimindo o documento %1 (%2 de %3)...")
                                        .arg(numero)
                                        .arg(impressos + 1)
                                        .arg(numeros.size()));
            progresso->setValue(static_cast<int>(impressos));
        }
        QCoreApplication::processEvents();
        if (progresso && progresso->wasCanceled()) {
            cancelado = true;
            break;
        }
        ImpressaoDocumento r;
        try {
            r = m_formulario->imprimir(this, numero);
        } catch (...) {
            // The entry form reports its own errors; the run stops here.
            r.impresso = false;
        }
        if (!r.impresso) {
            falhou = numero;
            motivo = r.motivo;
            break;
        }
        marcas.registra(numero);
        if (!r.arquivoPdf.isEmpty()) {
            const QString pasta = QDir::toNativeSeparators(QFileInfo(r.arquivoPdf).absolutePath());
            if (!pastasPdf.contains(pasta))
                pastasPdf.append(pasta);
        }
        ++impressos;
    }
    marcas.grava();
    progresso.reset();
    setEnabled(true);
    m_imprimindo = false;
    // The list shows the printed marks as they are now (an "Impresso: Não" list loses what was printed).
    if (impressos > 0 && m_listaPreenchida)
        preencheLista(m_criteriosDaLista, false);

    if (!marcas.pendentes().isEmpty())
        m_plataforma.mensagens.mostrar(
            this,
            QStringLiteral("%1 documento(s) foram impressos, mas não foi possível registrá-los como "
                           "impressos:\n%2")
                .arg(marcas.pendentes().size())
                .arg(marcas.erro()),
            Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
    if (cancelado) {
        m_plataforma.mensagens.mostrar(this,
                                       QStringLiteral("Impressão interrompida.\nDocumento(s) impresso(s): "
                                                      "%1 de %2.")
                                           .arg(impressos)
                                           .arg(numeros.size()),
                                       Mensagens::Botoes::OK, Mensagens::Icone::Informacao, kAviso);
        return;
    }
    if (!falhou.isEmpty()) {
        QString texto = QStringLiteral("A impressão parou no documento %1, que não foi impresso.\n"
                                       "Documento(s) impresso(s): %2 de %3.")
                            .arg(falhou)
                            .arg(impressos)
                            .arg(numeros.size());
        if (!motivo.isEmpty())
            texto += QStringLiteral("\n\nMotivo: ") + motivo + QLatin1Char('.');
        m_plataforma.mensagens.mostrar(this, texto, Mensagens::Botoes::OK, Mensagens::Icone::Exclamacao,
                                       kAviso);
        return;
    }
    QString texto = QStringLiteral("Impressão efetuada com sucesso!");
    if (!pastasPdf.isEmpty())
        texto += QStringLiteral("\n\nSem impressora instalada, cada documento foi gravado em um arquivo PDF "
                                "(ZOVE_<número>.pdf) na pasta:\n") +
                 pastasPdf.join(QLatin1Char('\n'));
    m_plataforma.mensagens.mostrar(this, texto, Mensagens::Botoes::OK, Mensagens::Icone::Informacao, kAviso);
}

void FrmConsultaZOV::cmdEliminar_Click() {
    if (m_imprimindo || linhas() == 0)
        return;
    if (m_plataforma.mensagens.mostrar(this, QStringLiteral("Deseja Excluir o(s) Registro(s)?"),
                                       Mensagens::Botoes::SimNao, Mensagens::Icone::Informacao,
                                       QString::fromLatin1(TituloPrograma)) != Mensagens::Resposta::Sim)
        return;
    if (linhaAtualSelecionada() < 0) {
        m_plataforma.mensagens.mostrar(
            this, QStringLiteral("Nenhum documento está selecionado; nada foi excluído."),
            Mensagens::Botoes::OK, Mensagens::Icone::Exclamacao, kAviso);
        return;
    }
    ResultadoAlteracao r;
    {
        const CursorDeEspera espera;
        r = m_refs.oZovEnv().ExcluiDocumentos(numerosSelecionados());
    }
    if (!r) {
        m_plataforma.mensagens.mostrar(
            this,
            QStringLiteral("Não foi possível excluir o(s) registro(s); nenhum foi excluído.\n\n") + r.erro,
            Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
        return;
    }
    Pesquisar_Click();
}

bool FrmConsultaZOV::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == txtIdentificacao && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const QString texto = tecla->text();
        // Only typed characters go through the filter; moving and deleting keys pass.
        if (texto.size() == 1 && (texto.at(0).unicode() >= 0x20 || texto.at(0).unicode() == teclaBackspace) &&
            !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            somenteNumeros(texto.at(0).unicode()) == 0)
            return true;
    } else if (evento->type() == QEvent::FocusIn && (objeto == txtIdentificacao || objeto == txtNome)) {
        auto* caixa = static_cast<QLineEdit*>(objeto);
        // After the box's own focus handling, which would otherwise place the caret over the selection.
        QTimer::singleShot(0, caixa, [this, caixa] {
            if (caixa == txtIdentificacao) {
                const Caixa c = selecionaTextoValor({caixa->text(), 0, 0, caixa->maxLength()});
                caixa->setText(c.texto);
                caixa->setSelection(static_cast<int>(c.inicioSelecao), static_cast<int>(c.tamanhoSelecao));
            } else {
                // A name keeps its dots: only the selection of the whole text applies.
                caixa->selectAll();
            }
        });
    }
    return QDialog::eventFilter(objeto, evento);
}

void FrmConsultaZOV::ajustaColunas() {
    // Sized to the header and the rows in view (the view measures only those), so a long list costs
    // no more than a short one.
    for (int i = 0; i < ModeloResultado::Colunas; ++i)
        ListView1->resizeColumnToContents(i);
}

void FrmConsultaZOV::closeEvent(QCloseEvent* evento) {
    if (m_imprimindo) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void FrmConsultaZOV::reject() {
    if (!m_imprimindo)
        QDialog::reject();
}

} // namespace zove
