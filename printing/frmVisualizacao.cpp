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
#include "tabulon/Funcoes.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
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
constexpr double AlturaFolhaMm = 297;

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
    lblAvisoImpressora = new QLabel(this);
    lblAvisoImpressora->setObjectName(QStringLiteral("lblAvisoImpressora"));
    lblAvisoImpressora->setWordWrap(true);
    lblAvisoImpressora->setStyleSheet(QStringLiteral("color: #8a1c00;"));
    lblAvisoImpressora->hide();
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
    layout->addWidget(lblAvisoImpressora);
    layout->addLayout(botoes);

    connect(vscBarra, &QScrollBar::valueChanged, this, [this] { desenhaPrevia(); });
    connect(chkAjustar, &QCheckBox::toggled, this, [this] { desenhaPrevia(); });
    connect(pctZov, &QuadroPrevia::redimensionado, this, [this] {
        if (isVisible() && !m_primeiraAtivacao)
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

void frmVisualizacao::mostraFalha(const QString& motivo) {
    m_motivoFalha = motivo.isEmpty() ? QStringLiteral("erro ao desenhar ou enviar a página") : motivo;
    QString texto = QStringLiteral("Ocorreu algum erro na impressão, no documento ") +
                    m_dados.p_num_documento +
                    QStringLiteral(" Verifique se a impressora está conectada e ativa");
    if (!motivo.isEmpty())
        texto += QStringLiteral("\n\nO documento não foi impresso: ") + motivo + QLatin1Char('.');
    m_plataforma.mensagens.mostrar(this, texto, Mensagens::Botoes::OK, Mensagens::Icone::Informacao,
                                   QStringLiteral("Aviso"));
}

void frmVisualizacao::mostraFalhaPdf(const QString& caminho, const QString& motivo) {
    m_motivoFalha = QStringLiteral("não foi possível gravar o arquivo %1 (%2)")
                        .arg(QDir::toNativeSeparators(caminho), motivo);
    m_plataforma.mensagens.mostrar(this,
                                   QStringLiteral("Não foi possível gravar o documento ") +
                                       m_dados.p_num_documento + QStringLiteral(" no arquivo\n") +
                                       QDir::toNativeSeparators(caminho) + QStringLiteral("\n\nMotivo: ") +
                                       motivo,
                                   Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
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
    return true;
}

void frmVisualizacao::registraImpresso() {
    if (!numeroSalvo(m_dados.p_num_documento))
        return;
    const QString numero = m_dados.p_num_documento.trimmed();
    if (m_registraImpresso) {
        m_registraImpresso(numero);
        return;
    }
    const ResultadoAlteracao marca = m_referencias.oZovEnv().ZovUpdateImpreso(QStringLiteral("1"), numero);
    if (!marca.ok)
        m_plataforma.mensagens.mostrar(
            this,
            QStringLiteral("O documento ") + m_dados.p_num_documento +
                QStringLiteral(" foi impresso, mas não foi possível registrá-lo como impresso:\n") +
                marca.erro,
            Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
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

namespace {

// "Print to file" chosen in the printer set-up: Qt writes the file itself, no spooler involved. (A
// printer object made where Qt sees no printer is also in PDF format, but names no file.)
bool imprimeEmArquivo(const QPrinter& impressora) {
    return impressora.outputFormat() == QPrinter::PdfFormat && !impressora.outputFileName().isEmpty();
}

QPageLayout layoutDaPagina() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, MargensPagina,
                       QPageLayout::Millimeter);
}

} // namespace

bool frmVisualizacao::imprimeEmPdf(const QString& caminho, bool marcar) {
    const QString pasta = QFileInfo(caminho).absolutePath();
    if (!QDir().mkpath(pasta)) {
        mostraFalhaPdf(caminho, QStringLiteral("a pasta %1 não existe e não pôde ser criada")
                                    .arg(QDir::toNativeSeparators(pasta)));
        return false;
    }
    // Written under a temporary name and renamed only when the page is complete.
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        mostraFalhaPdf(caminho, tabulon::motivoEmPortugues(arquivo.errorString()));
        return false;
    }
    bool completo = false;
    {
        QPdfWriter pdf(&arquivo);
        pdf.setCreator(QStringLiteral("ZOVE"));
        pdf.setTitle(QStringLiteral("ZOVE ") + m_dados.p_num_documento);
        pdf.setPageLayout(layoutDaPagina());
        SuperficieQt superficie(&pdf);
        completo = Imprime(superficie, true);
    }
    if (!completo) {
        arquivo.cancelWriting();
        return false;
    }
    if (!arquivo.commit()) {
        mostraFalhaPdf(caminho, tabulon::motivoEmPortugues(arquivo.errorString()));
        return false;
    }
    m_arquivoPdf = caminho;
    if (marcar)
        registraImpresso();
    return true;
}

bool frmVisualizacao::Imprimir() {
    m_arquivoPdf.clear();
    m_filaUsada.clear();
    m_motivoFalha.clear();
    m_trabalho = 0;
    // The printer object is set up on first use, and only then is it known whether the machine has a
    // printer at all: asked before, the first run of a session would go to the printer object's own
    // fallback file instead of the document's PDF.
    QPrinter& impressora = m_plataforma.impressora.printer();
    if (m_plataforma.impressora.semImpressora())
        return imprimeEmPdf(nomePdf(), true);
    if (imprimeEmArquivo(impressora))
        return imprimeNaImpressora();
    return imprimeNaFila(m_plataforma.impressora.fila());
}

bool frmVisualizacao::imprimeNaImpressora() {
    QPrinter& impressora = m_plataforma.impressora.printer();
    impressora.setPageLayout(layoutDaPagina());
    impressora.setDocName(QStringLiteral("ZOVE ") + m_dados.p_num_documento);
    bool ok = false;
    {
        SuperficieQt superficie(&impressora, &impressora);
        ok = Imprime(superficie, true);
    }
    if (ok)
        registraImpresso();
    return ok;
}

bool frmVisualizacao::confirmaAviso(const QString& texto) {
    QStringList& aceitos = m_avisosAceitos ? *m_avisosAceitos : m_avisosDestaJanela;
    if (aceitos.contains(texto))
        return true;
    if (m_semPerguntas) {
        m_plataforma.mensagens.mostrar(this, texto, Mensagens::Botoes::OK, Mensagens::Icone::Exclamacao,
                                       QStringLiteral("Aviso"));
        aceitos.append(texto);
        return true;
    }
    const bool segue =
        m_plataforma.mensagens.mostrar(this, texto + QStringLiteral("\n\nDeseja imprimir assim mesmo?"),
                                       Mensagens::Botoes::SimNaoPadraoNao, Mensagens::Icone::Exclamacao,
                                       QStringLiteral("Aviso")) == Mensagens::Resposta::Sim;
    if (segue)
        aceitos.append(texto);
    return segue;
}

bool frmVisualizacao::imprimeNaFila(const QString& fila) {
    if (fila.isEmpty()) {
        mostraFalha(QStringLiteral("nenhuma impressora foi escolhida"));
        return false;
    }
    const EstadoFila estado = m_plataforma.impressora.consultaFila(fila);
    if (!estado.existe || !estado.aceitaTrabalhos) {
        mostraFalha(estado.motivo.isEmpty() ? QStringLiteral("a fila \"%1\" não pode ser usada").arg(fila)
                                            : estado.motivo);
        return false;
    }
    if (estado.parada &&
        !confirmaAviso(QStringLiteral("A impressora \"%1\" está parada: o documento ficará na fila e só será "
                                      "impresso quando ela for reativada.")
                           .arg(fila))) {
        m_motivoFalha = QStringLiteral("impressão cancelada pelo usuário");
        return false;
    }
    if (estado.margensFisicas) {
        const QString aviso = avisoMargens(fila, *estado.margensFisicas);
        if (!aviso.isEmpty() && !confirmaAviso(aviso)) {
            m_motivoFalha = QStringLiteral("impressão cancelada pelo usuário");
            return false;
        }
    }

    // The page goes to the spooler as one PDF, drawn exactly as the preview and the PDF file are.
    QByteArray pagina;
    bool completo = false;
    {
        QBuffer buffer(&pagina);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("ZOVE"));
        pdf.setTitle(QStringLiteral("ZOVE ") + m_dados.p_num_documento);
        pdf.setPageLayout(layoutDaPagina());
        SuperficieQt superficie(&pdf);
        completo = Imprime(superficie, true);
    }
    if (!completo)
        return false;
    const EnvioTrabalho envio =
        m_plataforma.impressora.enviaPdf(fila, pagina, QStringLiteral("ZOVE ") + m_dados.p_num_documento,
                                         m_plataforma.impressora.printer().copyCount());
    if (!envio.aceito()) {
        mostraFalha(envio.erro.isEmpty() ? QStringLiteral("a fila \"%1\" não aceitou o trabalho").arg(fila)
                                         : envio.erro);
        return false;
    }
    m_filaUsada = fila;
    m_trabalho = envio.trabalho;
    registraImpresso();
    return true;
}

QRectF frmVisualizacao::areaComTinta() {
    // The page drawn at a modest resolution; the ink's bounds are what the printer must reach.
    constexpr double dpi = 100;
    const QSizeF a4(210, 297);
    QImage imagem(qRound(a4.width() * dpi / MmPorPolegada), qRound(a4.height() * dpi / MmPorPolegada),
                  QImage::Format_RGB32);
    const int pontosPorMetro = qRound(dpi / 0.0254);
    imagem.setDotsPerMeterX(pontosPorMetro);
    imagem.setDotsPerMeterY(pontosPorMetro);
    imagem.fill(Qt::white);
    {
        SuperficieQt superficie(&imagem);
        OpcoesPagina opcoes;
        opcoes.arquivoCodigoBarras = arquivoCodigoBarras(m_dados.CodigoBarra, m_pastaCodigoBarras);
        opcoes.versao = versaoDe(m_referencias);
        try {
            desenhaPagina(m_impressao, superficie, m_dados, opcoes);
        } catch (const std::exception&) {
            return {};
        }
    }
    int esquerda = imagem.width(), direita = -1, topo = imagem.height(), base = -1;
    for (int y = 0; y < imagem.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(imagem.constScanLine(y));
        for (int x = 0; x < imagem.width(); ++x) {
            if (qGray(linha[x]) < 200) {
                esquerda = std::min(esquerda, x);
                direita = std::max(direita, x);
                topo = std::min(topo, y);
                base = std::max(base, y);
            }
        }
    }
    if (direita < 0)
        return {};
    const double mm = MmPorPolegada / dpi;
    // The drawing's origin is the page layout's margin corner.
    return QRectF(MargensPagina.left() + esquerda * mm, MargensPagina.top() + topo * mm,
                  (direita - esquerda + 1) * mm, (base - topo + 1) * mm);
}

QString frmVisualizacao::avisoMargens(const QString& fila, const QMarginsF& m) {
    const QRectF tinta = areaComTinta();
    if (tinta.isEmpty())
        return {};
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const auto mm = [&](double v) { return br.toString(v, 'f', 1) + QStringLiteral(" mm"); };
    // Less than a tenth of a millimetre is within the drawing's own rounding.
    constexpr double folga = 0.1;
    QStringList cortes;
    const auto confere = [&](double invadido, const QString& lado) {
        if (invadido > folga)
            cortes.append(QStringLiteral("- %1: %2 do documento ficariam fora da área impressa")
                              .arg(lado, mm(invadido)));
    };
    confere(m.top() - tinta.top(), QStringLiteral("em cima"));
    confere(m.bottom() - (297 - tinta.bottom()), QStringLiteral("embaixo"));
    confere(m.left() - tinta.left(), QStringLiteral("à esquerda"));
    confere(m.right() - (210 - tinta.right()), QStringLiteral("à direita"));
    if (cortes.isEmpty())
        return {};
    return QStringLiteral(
               "A impressora \"%1\" não imprime junto às bordas da folha (margens de %2 à esquerda, "
               "%3 à direita, %4 em cima e %5 embaixo), e parte do documento seria cortada:\n%6\n\n"
               "O documento não é reduzido, para que o código de barras mantenha o seu tamanho; "
               "o que ficar fora não será impresso.")
        .arg(fila, mm(m.left()), mm(m.right()), mm(m.top()), mm(m.bottom()), cortes.join(QLatin1Char('\n')));
}

bool frmVisualizacao::gravaPdf(const QString& caminho) {
    m_arquivoPdf.clear();
    m_motivoFalha.clear();
    return imprimeEmPdf(QFileInfo(caminho).absoluteFilePath(), false);
}

void frmVisualizacao::mostraSucesso(QWidget* pai) {
    const QString sucesso = QStringLiteral("Impressão efetuada com sucesso!");
    if (m_arquivoPdf.isEmpty()) {
        m_plataforma.mensagens.mostrar(pai, sucesso, Mensagens::Botoes::OK, Mensagens::Icone::Informacao,
                                       QStringLiteral("Aviso"));
        return;
    }
    // Enter keeps the clerk at the desk; opening a viewer is a choice.
    const auto resposta = m_plataforma.mensagens.mostrar(
        pai,
        sucesso + QStringLiteral("\n\nNão há impressora instalada: o documento foi gravado no arquivo\n") +
            QDir::toNativeSeparators(m_arquivoPdf) + QStringLiteral("\n\nDeseja abrir o arquivo agora?"),
        Mensagens::Botoes::SimNaoPadraoNao, Mensagens::Icone::Pergunta, QStringLiteral("Aviso"));
    if (resposta == Mensagens::Resposta::Sim)
        m_plataforma.areaDeTrabalho.abrirArquivo(m_arquivoPdf);
}

void frmVisualizacao::atualizaAvisoImpressora() {
    lblAvisoImpressora->clear();
    lblAvisoImpressora->hide();
    Impressora& impressora = m_plataforma.impressora;
    if (impressora.semImpressora() || imprimeEmArquivo(impressora.printer()))
        return;
    const QString fila = impressora.fila();
    if (fila.isEmpty())
        return;
    const EstadoFila estado = impressora.consultaFila(fila);
    QString aviso;
    if (!estado.existe || !estado.aceitaTrabalhos)
        aviso = QStringLiteral("Não será possível imprimir: ") + estado.motivo + QLatin1Char('.');
    else if (estado.margensFisicas)
        aviso = avisoMargens(fila, *estado.margensFisicas);
    if (aviso.isEmpty() && estado.parada)
        aviso = QStringLiteral("A impressora \"%1\" está parada: o documento ficará na fila.").arg(fila);
    if (!aviso.isEmpty()) {
        lblAvisoImpressora->setText(aviso);
        lblAvisoImpressora->show();
    }
}

bool frmVisualizacao::desenhaPrevia() {
    // At screen resolution, or at whatever resolution makes the page's width fill the picture.
    double dpi = DpiTela;
    if (chkAjustar->isChecked() && pctZov->width() > 0)
        dpi = pctZov->width() * MmPorPolegada / LarguraPreviaMm;
    // A picture taller than the usual 131 mm shows more of the page, down to the sheet's end.
    const int alturaMinima = qRound(AlturaPreviaMm * dpi / MmPorPolegada);
    const int alturaFolha = qRound(AlturaFolhaMm * dpi / MmPorPolegada);
    const QSize tamanho(qMax(1, qRound(LarguraPreviaMm * dpi / MmPorPolegada)),
                        qMax(1, qBound(alturaMinima, pctZov->height(), alturaFolha)));
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
        atualizaAvisoImpressora();
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
