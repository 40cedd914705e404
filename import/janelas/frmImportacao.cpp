#include "import/janelas/frmImportacao.h"

#include "import/ZovImportacao.h"
#include "import/janelas/frmLogs.h"
#include "platform/DialogosArquivo.h"
#include "platform/Mensagens.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace zove {

const QString frmImportacao::MensagemSemLog = QStringLiteral("ZOVE não possui Log de erro");

namespace {

int pixels(int twips) {
    return twips / 15;
}

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

} // namespace

// The rows of the last import, read from the driver's records when the view asks for them. It shows
// no rows while an import runs (the records change then).
class ModeloRegistros : public QAbstractTableModel {
public:
    ModeloRegistros(QObject* pai) : QAbstractTableModel(pai) {}

    void mostra(const ZovsReg* zovs) {
        beginResetModel();
        m_zovs = zovs;
        endResetModel();
    }

    int rowCount(const QModelIndex& pai) const override {
        return pai.isValid() || !m_zovs ? 0 : static_cast<int>(std::min<qsizetype>(m_zovs->Count(), INT_MAX));
    }
    int columnCount(const QModelIndex& pai) const override { return pai.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& indice, int papel) const override {
        if (!m_zovs || papel != Qt::DisplayRole || !indice.isValid())
            return {};
        const qsizetype posicao = indice.row() + 1;
        switch (indice.column()) {
        case 0:
            return QString::number(posicao);
        case 1:
            return m_zovs->RazaoSocial(posicao);
        default:
            return m_zovs->Status(posicao);
        }
    }

    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override {
        if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole)
            return QAbstractTableModel::headerData(secao, orientacao, papel);
        static const QString titulos[] = {QStringLiteral("Índice"), QStringLiteral("Responsável do ZOVE"),
                                          QStringLiteral("Situação")};
        return secao >= 0 && secao < 3 ? titulos[secao] : QVariant();
    }

private:
    const ZovsReg* m_zovs = nullptr;
};

frmImportacao::frmImportacao(Plataforma plataforma, Referencias& refs, const QString& pastaPrograma,
                             QWidget* parent, std::function<QDate()> hoje)
    : QDialog(parent), m_plataforma(plataforma), m_refs(refs), m_pastaPrograma(pastaPrograma),
      m_hoje(std::move(hoje)) {
    setObjectName(QStringLiteral("frmImportacao"));
    setWindowTitle(QStringLiteral("Importação de ZOVE"));
    setModal(true);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label23 = new QLabel(QStringLiteral("Arquivo:"), Frame1);
    Label23->setObjectName(QStringLiteral("Label23"));
    txtArquivo = new QLineEdit(Frame1);
    txtArquivo->setObjectName(QStringLiteral("txtArquivo"));
    Label23->setBuddy(txtArquivo);
    cmdProcurar = botao(Frame1, "cmdProcurar", QStringLiteral("&Procurar..."));
    cmdImportar = botao(Frame1, "cmdImportar", QStringLiteral("&Importar"));

    lvwLista = new QTableView(Frame1);
    lvwLista->setObjectName(QStringLiteral("lvwLista"));
    m_modelo = new ModeloRegistros(lvwLista);
    lvwLista->setModel(m_modelo);
    lvwLista->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwLista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwLista->setShowGrid(false);
    lvwLista->setWordWrap(false);
    lvwLista->verticalHeader()->hide();
    lvwLista->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lvwLista->horizontalHeader()->setHighlightSections(false);
    lvwLista->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lvwLista->setColumnWidth(0, pixels(1000));
    lvwLista->setColumnWidth(1, pixels(8200));
    lvwLista->setColumnWidth(2, pixels(2000));

    lblProgresso = new QLabel(Frame1);
    lblProgresso->setObjectName(QStringLiteral("lblProgresso"));
    cmdCancelar = botao(Frame1, "cmdCancelar", QStringLiteral("Ca&ncelar importação"));
    cmdCancelar->setEnabled(false);

    cmdLog = botao(this, "cmdLog", QStringLiteral("&Log de erros"));
    cmdAviso = botao(this, "cmdAviso", QStringLiteral("&Tabela de taxas"));
    cmdFechar = botao(this, "cmdFechar", QStringLiteral("&Fechar"));

    auto* grade = new QGridLayout(Frame1);
    grade->addWidget(Label23, 0, 0);
    grade->addWidget(txtArquivo, 0, 1);
    grade->addWidget(cmdProcurar, 0, 2);
    grade->addWidget(cmdImportar, 0, 3);
    grade->addWidget(lvwLista, 1, 0, 1, 4);
    grade->addWidget(lblProgresso, 2, 0, 1, 3);
    grade->addWidget(cmdCancelar, 2, 3);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(cmdLog);
    botoes->addWidget(cmdAviso);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(botoes);
    resize(pixels(12200), 520);

    connect(cmdProcurar, &QPushButton::clicked, this, &frmImportacao::cmdProcurar_Click);
    connect(cmdImportar, &QPushButton::clicked, this, &frmImportacao::cmdImportar_Click);
    connect(cmdLog, &QPushButton::clicked, this, &frmImportacao::cmdLog_Click);
    connect(lvwLista, &QAbstractItemView::doubleClicked, this, &frmImportacao::cmdLog_Click);
    connect(cmdAviso, &QPushButton::clicked, this, &frmImportacao::cmdAviso_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { m_cancelar = true; });
    connect(cmdFechar, &QPushButton::clicked, this, &frmImportacao::close);
}

frmImportacao::~frmImportacao() {
    // The driver goes before the list: the list must not read it any more.
    m_modelo->mostra(nullptr);
}

ZovImportacao& frmImportacao::importacao() {
    if (!m_importacao)
        m_importacao = std::make_unique<ZovImportacao>(m_refs, m_hoje);
    return *m_importacao;
}

void frmImportacao::cmdProcurar_Click() {
    const QString caminho =
        m_plataforma.dialogos.abrir(this, QStringLiteral("Importação de arquivos que contém ZOVE"),
                                    QStringLiteral("Arquivo de ZOVE (TXT)|*.txt"), QString());
    if (!caminho.isEmpty())
        txtArquivo->setText(caminho);
}

void frmImportacao::cmdImportar_Click() {
    if (m_importando || txtArquivo->text().trimmed().isEmpty())
        return;
    ZovImportacao& driver = importacao();
    m_modelo->mostra(nullptr);
    driver.Zovs().Reset();

    // The import runs here, letting the window repaint and take the cancel click between records.
    m_importando = true;
    m_cancelar = false;
    for (QWidget* w :
         {static_cast<QWidget*>(cmdImportar), static_cast<QWidget*>(cmdProcurar),
          static_cast<QWidget*>(cmdLog), static_cast<QWidget*>(cmdFechar), static_cast<QWidget*>(txtArquivo)})
        w->setEnabled(false);
    cmdCancelar->setEnabled(true);
    lblProgresso->setText(QStringLiteral("Importando..."));
    driver.aoProgredir([this](const ZovImportacao::Progresso&) {
        mostraProgresso();
        QCoreApplication::processEvents();
        return !m_cancelar;
    });
    driver.ImportaDados(txtArquivo->text());
    driver.aoProgredir({});
    m_importando = false;
    cmdCancelar->setEnabled(false);
    for (QWidget* w :
         {static_cast<QWidget*>(cmdImportar), static_cast<QWidget*>(cmdProcurar),
          static_cast<QWidget*>(cmdLog), static_cast<QWidget*>(cmdFechar), static_cast<QWidget*>(txtArquivo)})
        w->setEnabled(true);

    m_modelo->mostra(&driver.Zovs());
    mostraProgresso();
    if (driver.cancelado())
        lblProgresso->setText(lblProgresso->text() +
                              QStringLiteral(" — importação cancelada, nada foi gravado"));

    // Nothing to list: the file's own problem would otherwise stay hidden.
    if (driver.Zovs().Count() == 0 && driver.Logs().Count() > 0)
        mostraLogs(driver.Logs());
}

void frmImportacao::mostraProgresso() {
    const auto& p = importacao().progresso();
    lblProgresso->setText(QStringLiteral("Registros lidos: %1   Importados: %2   Inválidos: %3")
                              .arg(p.lidos)
                              .arg(p.validos)
                              .arg(p.invalidos));
}

void frmImportacao::cmdLog_Click() {
    if (m_importando || m_modelo->rowCount({}) == 0)
        return;
    const QModelIndex atual = lvwLista->currentIndex();
    if (!atual.isValid() || !lvwLista->selectionModel()->isRowSelected(atual.row(), {}))
        return;
    const qsizetype posicao = atual.row() + 1;
    ZovImportacao& driver = importacao();
    if (posicao > driver.Zovs().Count())
        return;
    const auto zov = driver.Zovs().Item(posicao);
    if (m_modelo->index(atual.row(), 2).data().toString() == ZovRegras::Importado) {
        // An imported record may still carry lines (conversions, checks that only warn).
        if (zov->Logs().Count() == 0)
            m_plataforma.mensagens.mostrar(this, MensagemSemLog, Mensagens::Botoes::OK,
                                           Mensagens::Icone::Informacao, QStringLiteral("Aviso"));
        else
            mostraLogs(zov->Logs());
        return;
    }
    zove::Logs logs;
    logs.AddRange(driver.Logs());
    logs.AddRange(zov->Logs());
    mostraLogs(logs);
}

void frmImportacao::mostraLogs(const zove::Logs& logs) {
    frmLogs janela(this);
    janela.Logs(logs);
    janela.exec();
}

void frmImportacao::cmdAviso_Click() {
    abreTabelaDeTaxas(m_plataforma, this, m_pastaPrograma);
}

void frmImportacao::closeEvent(QCloseEvent* evento) {
    // The driver is working in this window's call stack; it must finish (or be cancelled) first.
    if (m_importando) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void frmImportacao::reject() {
    if (!m_importando)
        QDialog::reject();
}

} // namespace zove
