#include "printing/frmVisualizacao.h"

#include "barcode/DesenhoCodigoBarras.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/AreaDeTrabalho.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "printing/PaginaZov.h"
#include "printing/SuperficieQt.h"
#include "tabulon/ErroExecucao.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace zove {

namespace {

constexpr double MmPorPolegada = 25.4;
constexpr int DpiTela = 96;

// The page's content spans x 1 to 200 mm and y 0 to about 279 mm from the printable area's corner.
const QMarginsF MargensPagina(4, 5, 4, 5);

QString versaoDe(const Referencias& refs) {
    if (!refs.oPARAMETROSs)
        return {};
    try {
        return refs.oPARAMETROSs->Item(1)->VERSAO;
    } catch (const tabulon::ErroExecucao&) {
        return {};
    }
}

bool numeroSalvo(const QString& numero) {
    bool ok = false;
    const qint64 n = numero.trimmed().toLongLong(&ok);
    return ok && n != 0;
}

} // namespace

QuadroPrevia::QuadroPrevia(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void QuadroPrevia::setImagem(const QImage& imagem) {
    m_imagem = imagem;
    update();
}

QSize QuadroPrevia::sizeHint() const {
    return QSize(qRound(frmVisualizacao::LarguraPreviaMm * DpiTela / MmPorPolegada),
                 qRound(frmVisualizacao::AlturaPreviaMm * DpiTela / MmPorPolegada));
}

void QuadroPrevia::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    pintor.fillRect(rect(), Qt::white);
    pintor.drawImage(QPoint(0, 0), m_imagem);
}

void QuadroPrevia::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    emit redimensionado();
}

frmVisualizacao::frmVisualizacao(Plataforma plataforma, Referencias& referencias, QWidget* parent)
    : QDialog(parent), m_plataforma(plataforma), m_referencias(referencias),
      m_relogio([] { return QDateTime::currentDateTime(); }) {
    setWindowTitle(QStringLiteral("Visualização da Impressão do ZOVE-OL"));
    setObjectName(QStringLiteral("frmVisualizacao"));

    pctZov = new QuadroPrevia(this);
    pctZov->setObjectName(QStringLiteral("pctZov"));
    pctZov->setMinimumSize(200, 130);
    vscBarra = new QScrollBar(Qt::Vertical, this);
    vscBarra->setObjectName(QStringLiteral("vscBarra"));
    vscBarra->setRange(0, 2);
    vscBarra->setPageStep(1);
    vscBarra->setSingleStep(1);
    chkAjustar = new QCheckBox(QStringLiteral("Ajustar à janela"), this);
    chkAjustar->setObjectName(QStringLiteral("chkAjustar"));
    cmdImprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    cmdSair = new QPushButton(QStringLiteral("Sair"), this);
    cmdSair->setObjectName(QStringLiteral("cmdSair"));

    auto* topo = new QHBoxLayout;
    topo->setSpacing(0);
    topo->addWidget(pctZov, 1);
    topo->addWidget(vscBarra);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(chkAjustar);
    botoes->addStretch(1);
    botoes->addWidget(cmdImprimir);
    botoes->addWidget(cmdSair);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo, 1);
    layout->addLayout(botoes);

    connect(vscBarra, &QScrollBar::valueChanged, this, [this] { desenhaPrevia(); });
    connect(chkAjustar, &QCheckBox::toggled, this, [this] { desenhaPrevia(); });
    connect(pctZov, &QuadroPrevia::redimensionado, this, [this] {
        if (chkAjustar->isChecked() && isVisible() && !m_primeiraAtivacao)
            desenhaPrevia();
    });
    connect(cmdImprimir, &QPushButton::clicked, this, &frmVisualizacao::cmdImprimir_Click);
    connect(cmdSair, &QPushButton::clicked, this, &QDialog::reject);

    m_pastaCodigoBarras = pastaImagensCodigoBarras();
    m_pastaDocumentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

frmVisualizacao::~frmVisualizacao() = default;

void frmVisualizacao::preparaCodigoBarras() {
    QImage barras(larguraCodigoBarras(m_dados.CodigoBarra.size()), 50, QImage::Format_RGB32);
    desenhaCodigoBarras(m_dados.CodigoBarra, barras, m_pastaCodigoBarras);
}

void frmVisualizacao::mostraFalha() {
    m_plataforma.mensagens.mostrar(
        this,
        QStringLiteral("Ocorreu algum erro na impressão, no documento ") + m_dados.p_num_documento +
            QStringLiteral(" Verifique se a impressora está conectada e ativa"),
        Mensagens::Botoes::OK, Mensagens::Icone::Informacao, QStringLiteral("Aviso"));
}

bool frmVisualizacao::Imprime(prensil::Superficie& superficie, bool impressora) {
    OpcoesPagina opcoes;
    opcoes.previa = !impressora;
    opcoes.posicaoBarra = vscBarra->value();
    opcoes.arquivoCodigoBarras = arquivoCodigoBarras(m_dados.CodigoBarra, m_pastaCodigoBarras);
    opcoes.versao = versaoDe(m_referencias);
    try {
        desenhaPagina(m_impressao, superficie, m_dados, opcoes);
        if (impressora)
            superficie.EndDoc();
    } catch (const std::exception&) {
        if (impressora) {
            try {
                superficie.KillDoc();
            } catch (const std::exception&) {
                // The job is gone either way.
            }
        }
        mostraFalha();
        return false;
    }
    if (impressora && m_marcar && numeroSalvo(m_dados.p_num_documento)) {
        const ResultadoAlteracao marca =
            m_referencias.oZovEnv().ZovUpdateImpreso(QStringLiteral("1"), m_dados.p_num_documento.trimmed());
        if (!marca.ok)
            m_plataforma.mensagens.mostrar(
                this,
                QStringLiteral("O documento ") + m_dados.p_num_documento +
                    QStringLiteral(" foi impresso, mas não foi possível registrá-lo como impresso:\n") +
                    marca.erro,
                Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
    }
    return true;
}

QString frmVisualizacao::nomePdf() const {
    const QString numero = m_dados.p_num_documento.trimmed();
    const QString parte =
        numeroSalvo(numero) ? numero : m_relogio().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString pasta = m_pastaDocumentos;
    if (pasta.isEmpty())
        pasta = QDir::homePath();
    return QDir(pasta).filePath(QStringLiteral("ZOVE_") + parte + QStringLiteral(".pdf"));
}

bool frmVisualizacao::imprimeEmPdf(const QString& caminho, bool marcar) {
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    // Written under a temporary name and renamed only when the page is complete.
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        mostraFalha();
        return false;
    }
    bool completo = false;
    {
        QPdfWriter pdf(&arquivo);
        pdf.setCreator(QStringLiteral("ZOVE"));
        pdf.setTitle(QStringLiteral("ZOVE ") + m_dados.p_num_documento);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, MargensPagina,
                                      QPageLayout::Millimeter));
        SuperficieQt superficie(&pdf);
        m_marcar = marcar;
        completo = Imprime(superficie, true);
        m_marcar = true;
    }
    if (!completo) {
        arquivo.cancelWriting();
        return false;
    }
    if (!arquivo.commit()) {
        mostraFalha();
        return false;
    }
    m_arquivoPdf = caminho;
    return true;
}

bool frmVisualizacao::Imprimir() {
    m_arquivoPdf.clear();
    // The printer object is set up on first use, and only then is it known whether the machine has a
    // printer at all: asked before, the first run of a session would go to the printer object's own
    // fallback file instead of the document's PDF.
    QPrinter& impressora = m_plataforma.impressora.printer();
    if (m_plataforma.impressora.semImpressora())
        return imprimeEmPdf(nomePdf(), true);
    impressora.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, MargensPagina, QPageLayout::Millimeter));
    impressora.setDocName(QStringLiteral("ZOVE ") + m_dados.p_num_documento);
    SuperficieQt superficie(&impressora, &impressora);
    return Imprime(superficie, true);
}

bool frmVisualizacao::gravaPdf(const QString& caminho) {
    m_arquivoPdf.clear();
    return imprimeEmPdf(QFileInfo(caminho).absoluteFilePath(), false);
}

void frmVisualizacao::mostraSucesso(QWidget* pai) {
    const QString sucesso = QStringLiteral("Impressão efetuada com sucesso!");
    if (m_arquivoPdf.isEmpty()) {
        m_plataforma.mensagens.mostrar(pai, sucesso, Mensagens::Botoes::OK, Mensagens::Icone::Informacao,
                                       QStringLiteral("Aviso"));
        return;
    }
    const auto resposta = m_plataforma.mensagens.mostrar(
        pai,
        sucesso + QStringLiteral("\n\nNão há impressora instalada: o documento foi gravado no arquivo\n") +
            QDir::toNativeSeparators(m_arquivoPdf) + QStringLiteral("\n\nDeseja abrir o arquivo agora?"),
        Mensagens::Botoes::SimNao, Mensagens::Icone::Pergunta, QStringLiteral("Aviso"));
    if (resposta == Mensagens::Resposta::Sim)
        m_plataforma.areaDeTrabalho.abrirArquivo(m_arquivoPdf);
}

bool frmVisualizacao::desenhaPrevia() {
    // At screen resolution, or at whatever resolution makes the page's width fill the picture.
    double dpi = DpiTela;
    if (chkAjustar->isChecked() && pctZov->width() > 0)
        dpi = pctZov->width() * MmPorPolegada / LarguraPreviaMm;
    const QSize tamanho(qMax(1, qRound(LarguraPreviaMm * dpi / MmPorPolegada)),
                        qMax(1, qRound(AlturaPreviaMm * dpi / MmPorPolegada)));
    QImage imagem(tamanho, QImage::Format_RGB32);
    const int pontosPorMetro = qRound(dpi / 0.0254);
    imagem.setDotsPerMeterX(pontosPorMetro);
    imagem.setDotsPerMeterY(pontosPorMetro);
    imagem.fill(Qt::white);
    bool ok = false;
    {
        SuperficieQt superficie(&imagem);
        ok = Imprime(superficie, false);
    }
    pctZov->setImagem(imagem);
    return ok;
}

void frmVisualizacao::cmdImprimir_Click() {
    if (Imprimir())
        mostraSucesso(this);
}

int frmVisualizacao::mostrar() {
    // Every showing is a fresh load: the page of the document now set is drawn when it appears.
    m_primeiraAtivacao = true;
    pctZov->setImagem(QImage());
    // A fresh load shows the page from its top, whatever copy the previous document was left at.
    {
        const QSignalBlocker semRedesenho(vscBarra);
        vscBarra->setValue(0);
    }
    return exec();
}

void frmVisualizacao::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (m_primeiraAtivacao) {
        m_primeiraAtivacao = false;
        aoAtivarPrimeiraVez();
    }
}

void frmVisualizacao::aoAtivarPrimeiraVez() {
    try {
        preparaCodigoBarras();
        desenhaPrevia();
    } catch (const tabulon::ErroExecucao& erro) {
        if (erro.Numero() == tabulon::ErroExecucao::ErroImpressora) {
            m_plataforma.mensagens.mostrar(this, QStringLiteral("Error de Impresora"), Mensagens::Botoes::OK,
                                           Mensagens::Icone::Critico, QStringLiteral("Erro"));
            QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
            return;
        }
        m_plataforma.mensagens.mostrar(this, erro.Descricao(), Mensagens::Botoes::OK,
                                       Mensagens::Icone::Critico, QStringLiteral("Erro"));
    }
}

} // namespace zove
