#include "entry/janelas/FrmZOV.h"

#include "printing/frmVisualizacao.h"

#include "common/Formato.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "entry/VerificacaoPreenchimento.h"
#include "platform/Configuracoes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zove {

namespace {

// The bars take 415 pixel columns and 50 rows.
const QSize tamanhoBarras(430, 52);

QComboBox* lista(QWidget* pai, const char* nome) {
    auto* c = new QComboBox(pai);
    c->setObjectName(QLatin1String(nome));
    c->setMaxVisibleItems(20);
    // Long revenue and class names must not widen the form past the screen; the open list shows them.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
    return c;
}

QLineEdit* caixa(QWidget* pai, const char* nome, int largura = 0) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    if (largura > 0)
        e->setFixedWidth(largura);
    return e;
}

QGroupBox* grupo(QWidget* pai, const char* nome, const QString& titulo) {
    auto* g = new QGroupBox(titulo, pai);
    g->setObjectName(QLatin1String(nome));
    return g;
}

// A button with the focus takes Enter itself; anywhere else Enter goes to the default button.
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(true);
    return b;
}

void preenche(QComboBox* c, const Itens& itens) {
    c->clear();
    for (const ItemLista& i : itens)
        c->addItem(i.texto, i.codigo);
    c->setCurrentIndex(-1);
    c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 2 * c->view()->frameWidth());
}

} // namespace

FrmZOV::FrmZOV(Referencias& refs, Plataforma plataforma, Relogio relogio, QWidget* parent)
    : QDialog(parent), m_refs(refs), m_plataforma(plataforma), m_relogio(std::move(relogio)),
      m_pastaPrograma(QCoreApplication::applicationDirPath()) {
    if (!m_relogio)
        m_relogio = [] { return QDate::currentDate(); };
    setObjectName(QStringLiteral("FrmZOV"));
    setWindowTitle(QStringLiteral("ZOVE - Preenchimento do documento"));
    montaTela();
    ligaEventos();
}

FrmZOV::~FrmZOV() = default;

QColor FrmZOV::corObrigatorio() {
    return QColor(255, 255, 192);
}

QDate FrmZOV::hoje() const {
    return m_relogio();
}

void FrmZOV::montaTela() {
    // Widgets are created top to bottom, which is also the tab order.
    auto* raiz = new QVBoxLayout(this);

    auto* receita = grupo(this, "FrameReceita", QStringLiteral("Receita"));
    auto* fr = new QGridLayout(receita);
    fr->addWidget(new QLabel(QStringLiteral("Tipo de Receita"), receita), 0, 0);
    cmbTipoReceita = lista(receita, "cmbTipoReceita");
    fr->addWidget(cmbTipoReceita, 0, 1);
    fr->addWidget(new QLabel(QStringLiteral("Receita"), receita), 1, 0);
    cmbReceita = lista(receita, "cmbReceita");
    fr->addWidget(cmbReceita, 1, 1);
    lblClasse = new QLabel(QStringLiteral("Classe de Vencimento"), receita);
    lblClasse->setObjectName(QStringLiteral("lblClasse"));
    fr->addWidget(lblClasse, 2, 0);
    cmbClasseVecto = lista(receita, "cmbClasseVecto");
    fr->addWidget(cmbClasseVecto, 2, 1);
    fr->setColumnStretch(1, 1);
    raiz->addWidget(receita);

    auto* contribuinte = grupo(this, "FrameContribuinte", QStringLiteral("Contribuinte"));
    auto* fc = new QGridLayout(contribuinte);
    fc->addWidget(new QLabel(QStringLiteral("Tipo de identificação"), contribuinte), 0, 0);
    cmbTipoIdentificacao = lista(contribuinte, "cmbTipoIdentificacao");
    fc->addWidget(cmbTipoIdentificacao, 0, 1);
    fc->addWidget(new QLabel(QStringLiteral("Número de identificação"), contribuinte), 0, 2);
    txtIdentificacao = caixa(contribuinte, "txtIdentificacao", 180);
    fc->addWidget(txtIdentificacao, 0, 3);
    fc->addWidget(new QLabel(QStringLiteral("Nome/Razão Social"), contribuinte), 1, 0);
    txtNome = caixa(contribuinte, "txtNome");
    fc->addWidget(txtNome, 1, 1, 1, 3);
    fc->addWidget(new QLabel(QStringLiteral("DDD"), contribuinte), 2, 0);
    auto* telefone = new QHBoxLayout;
    txtDDD = caixa(contribuinte, "txtDDD", 60);
    txtDDD->setMaxLength(4);
    telefone->addWidget(txtDDD);
    telefone->addWidget(new QLabel(QStringLiteral("Telefone"), contribuinte));
    txtFone = caixa(contribuinte, "txtFone", 140);
    txtFone->setMaxLength(10);
    telefone->addWidget(txtFone);
    telefone->addStretch();
    fc->addLayout(telefone, 2, 1, 1, 3);
    fc->setColumnStretch(1, 1);
    raiz->addWidget(contribuinte);

    auto* documento = grupo(this, "FrameDocumento", QStringLiteral("Documento"));
    auto* fd = new QGridLayout(documento);
    Label4 = new QLabel(QStringLiteral("Número do Documento"), documento);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setMinimumWidth(150);
    fd->addWidget(Label4, 0, 0);
    txtNumDoctoOrigem = caixa(documento, "txtNumDoctoOrigem", 180);
    fd->addWidget(txtNumDoctoOrigem, 0, 1);
    fd->addWidget(new QLabel(QStringLiteral("Município"), documento), 0, 2);
    cmbMunicipio = lista(documento, "cmbMunicipio");
    fd->addWidget(cmbMunicipio, 0, 3);
    fd->setColumnStretch(3, 1);
    raiz->addWidget(documento);

    auto* periodos = new QHBoxLayout;
    FramePeriodo1 = grupo(this, "FramePeriodo1", QStringLiteral("Referência (mês/ano)"));
    auto* f1 = new QHBoxLayout(FramePeriodo1);
    cmbMes1 = lista(FramePeriodo1, "cmbMes1");
    cmbMes1->setMinimumWidth(140);
    f1->addWidget(cmbMes1);
    f1->addWidget(new QLabel(QStringLiteral("Ano"), FramePeriodo1));
    txtAno1 = caixa(FramePeriodo1, "txtAno1", 70);
    f1->addWidget(txtAno1);
    periodos->addWidget(FramePeriodo1);

    FramePeriodo2 = grupo(this, "FramePeriodo2", QStringLiteral("Referência (período)"));
    auto* f2 = new QHBoxLayout(FramePeriodo2);
    cmbTipoPeriodo = lista(FramePeriodo2, "cmbTipoPeriodo");
    f2->addWidget(cmbTipoPeriodo);
    cmbValorPeriodo = lista(FramePeriodo2, "cmbValorPeriodo");
    cmbValorPeriodo->setMinimumWidth(230);
    f2->addWidget(cmbValorPeriodo);
    f2->addWidget(new QLabel(QStringLiteral("Ano"), FramePeriodo2));
    txtAnoPeriodo = caixa(FramePeriodo2, "txtAnoPeriodo", 70);
    f2->addWidget(txtAnoPeriodo);
    periodos->addWidget(FramePeriodo2);

    FramePeriodo3 = grupo(this, "FramePeriodo3", QStringLiteral("Referência (parcela)"));
    auto* f3 = new QHBoxLayout(FramePeriodo3);
    f3->addWidget(new QLabel(QStringLiteral("Número da parcela"), FramePeriodo3));
    txtNumParcela = caixa(FramePeriodo3, "txtNumParcela", 70);
    // One digit more than a parcel may have, so 1000 is typed and refused rather than cut to 100.
    txtNumParcela->setMaxLength(4);
    f3->addWidget(txtNumParcela);
    periodos->addWidget(FramePeriodo3);

    FramePeriodo4 = grupo(this, "FramePeriodo4", QStringLiteral("Referência (cota/ano)"));
    auto* f4 = new QHBoxLayout(FramePeriodo4);
    cmbQuota = lista(FramePeriodo4, "cmbQuota");
    cmbQuota->setMinimumWidth(140);
    f4->addWidget(cmbQuota);
    f4->addWidget(new QLabel(QStringLiteral("Ano"), FramePeriodo4));
    txtAnoQuota = caixa(FramePeriodo4, "txtAnoQuota", 70);
    f4->addWidget(txtAnoQuota);
    periodos->addWidget(FramePeriodo4);

    FramePeriodo5 = grupo(this, "FramePeriodo5", QStringLiteral("Referência (exercício)"));
    auto* f5 = new QHBoxLayout(FramePeriodo5);
    f5->addWidget(new QLabel(QStringLiteral("Exercício"), FramePeriodo5));
    txtAno = caixa(FramePeriodo5, "txtAno", 70);
    f5->addWidget(txtAno);
    periodos->addWidget(FramePeriodo5);
    periodos->addStretch();
    raiz->addLayout(periodos);
    // One group at a time is shown; laying out all five at once would size the form for them all.
    for (QGroupBox* g : {FramePeriodo2, FramePeriodo3, FramePeriodo4, FramePeriodo5})
        g->hide();

    auto* datas = new QHBoxLayout;
    datas->addWidget(new QLabel(QStringLiteral("Data de vencimento"), this));
    txtDataVencimento = caixa(this, "txtDataVencimento", 110);
    datas->addWidget(txtDataVencimento);
    datas->addSpacing(24);
    datas->addWidget(new QLabel(QStringLiteral("Data máxima para pagamento"), this));
    txtDataMaxPagto = caixa(this, "txtDataMaxPagto", 110);
    datas->addWidget(txtDataMaxPagto);
    datas->addStretch();
    raiz->addLayout(datas);

    FrameCalculoValorPagar =
        grupo(this, "FrameCalculoValorPagar", QStringLiteral("Cálculo do valor a pagar"));
    auto* fv = new QGridLayout(FrameCalculoValorPagar);
    const std::pair<const char*, QString> valores[] = {
        {"txtValorPrincipal", QStringLiteral("Valor principal")},
        {"txtValorMulta", QStringLiteral("Multa")},
        {"txtValorJuros", QStringLiteral("Juros")},
        {"txtValorCorrecao", QStringLiteral("Correção monetária")},
        {"txtValorTotal", QStringLiteral("Valor total a pagar")},
    };
    QLineEdit** campos[] = {&txtValorPrincipal, &txtValorMulta, &txtValorJuros, &txtValorCorrecao,
                            &txtValorTotal};
    for (int i = 0; i < 5; ++i) {
        fv->addWidget(new QLabel(valores[i].second, FrameCalculoValorPagar), 0, i);
        *campos[i] = caixa(FrameCalculoValorPagar, valores[i].first, 150);
        (*campos[i])->setAlignment(Qt::AlignRight);
        (*campos[i])->setText(QStringLiteral("0,00"));
        fv->addWidget(*campos[i], 1, i);
    }
    txtValorTotal->setReadOnly(true);
    txtValorTotal->setFocusPolicy(Qt::NoFocus);
    raiz->addWidget(FrameCalculoValorPagar);

    auto* rodape = new QHBoxLayout;
    chkSalvarZOVE = new QCheckBox(QStringLiteral("Salvar o documento ao imprimir"), this);
    chkSalvarZOVE->setObjectName(QStringLiteral("chkSalvarZOVE"));
    rodape->addWidget(chkSalvarZOVE, 0, Qt::AlignTop);
    rodape->addStretch();
    auto* barras = new QVBoxLayout;
    pctCodigoBarras = new QLabel(this);
    pctCodigoBarras->setObjectName(QStringLiteral("pctCodigoBarras"));
    pctCodigoBarras->setFixedSize(tamanhoBarras);
    pctCodigoBarras->setStyleSheet(QStringLiteral("background: white"));
    barras->addWidget(pctCodigoBarras);
    lblLinhaDigitavel = new QLabel(this);
    lblLinhaDigitavel->setObjectName(QStringLiteral("lblLinhaDigitavel"));
    lblLinhaDigitavel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblLinhaDigitavel->setFont(QFont(QStringLiteral("Courier New"), 10));
    barras->addWidget(lblLinhaDigitavel);
    rodape->addLayout(barras);
    raiz->addLayout(rodape);
    // Spare height goes below the groups, which keep their natural height whatever groups a revenue
    // hides, so no label drifts away from its field.
    raiz->addStretch(1);

    auto* botoes = new QHBoxLayout;
    cmdVisualizar = botao(this, "cmdVisualizar", QStringLiteral("&Visualizar"));
    Imprimir = botao(this, "Imprimir", QStringLiteral("&Imprimir"));
    Limpar = botao(this, "Limpar", QStringLiteral("&Limpar"));
    cmdTabela = botao(this, "cmdTabela", QStringLiteral("&Tabela de Taxas"));
    Sair = botao(this, "Sair", QStringLiteral("&Sair"));
    // Enter moves to the next field: the default button does it, kept out of sight and of the tab order.
    cmdEnter = botao(this, "cmdEnter", QString());
    cmdEnter->setAutoDefault(false);
    cmdEnter->setDefault(true);
    cmdEnter->setFocusPolicy(Qt::NoFocus);
    cmdEnter->setFixedSize(0, 0);
    cmdEnter->setFlat(true);
    for (QPushButton* b : {cmdVisualizar, Imprimir, Limpar, cmdTabela, Sair})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdEnter);
    raiz->addLayout(botoes);

    resize(1000, 720);
}

void FrmZOV::ligaEventos() {
    connect(cmbTipoReceita, &QComboBox::activated, this, &FrmZOV::cmbTipoReceita_Click);
    connect(cmbReceita, &QComboBox::activated, this, &FrmZOV::cmbReceita_Click);
    connect(cmbTipoIdentificacao, &QComboBox::activated, this, &FrmZOV::cmbTipoIdentificacao_Click);
    connect(cmbClasseVecto, &QComboBox::activated, this, &FrmZOV::cmbClasseVecto_Click);
    connect(cmbTipoPeriodo, &QComboBox::activated, this, &FrmZOV::cmbTipoPeriodo_Click);
    connect(Imprimir, &QPushButton::clicked, this, &FrmZOV::Imprimir_Click);
    connect(cmdVisualizar, &QPushButton::clicked, this, &FrmZOV::cmdVisualizar_Click);
    connect(Sair, &QPushButton::clicked, this, &FrmZOV::Sair_Click);
    connect(Limpar, &QPushButton::clicked, this, &FrmZOV::LimparZOV);
    connect(cmdTabela, &QPushButton::clicked, this,
            [this] { abreTabelaDeTaxas(m_plataforma, this, m_pastaPrograma); });
    connect(cmdEnter, &QPushButton::clicked, this, [this] { focusNextChild(); });
    ligaCampos();
}

Selecao FrmZOV::selecao(const QComboBox* c) {
    if (c->currentIndex() < 0)
        return {};
    return {c->currentText(), c->currentData().toInt(), c->currentIndex()};
}

void FrmZOV::showEvent(QShowEvent* evento) {
    if (!m_carregado)
        Form_Load();
    QDialog::showEvent(evento);
}

void FrmZOV::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void FrmZOV::Form_Load() {
    m_carregado = true;
    chkSalvarZOVE->setChecked(
        m_plataforma.configuracoes.ler(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE")).trimmed() ==
        QLatin1String("1"));
    preenche(cmbTipoReceita, tiposDeReceita(m_refs));
    cmbClasseVecto->clear();
    cmbClasseVecto_Click();
    preenche(cmbMunicipio, municipios(m_refs));
    preenche(cmbTipoPeriodo, periodicidades(m_refs));
    // With no revenue selected, every field a revenue switches is as a revenue without rules leaves it.
    m_flags = {};
    cmbTipoIdentificacao->clear();
    aplicaClasse();
    const Habilitacao h = habilitacaoDaReceita(m_flags, 0);
    aplica(txtNome, h.nome);
    aplica(txtDDD, h.telefone);
    aplica(txtFone, h.telefone);
    aplica(txtNumDoctoOrigem, h.documentoOrigem);
    aplica(cmbMunicipio, h.municipio);
    aplica(txtDataVencimento, h.vencimento);
    aplicaPeriodo(m_flags.MVD_REFERENCIA);
    txtDataMaxPagto->setText(UltimoDiaMesCorrente(hoje()).toString(QStringLiteral("dd/MM/yyyy")));
}

void FrmZOV::aplica(QWidget* campo, EstadoCampo estado) {
    if (estado == EstadoCampo::Inalterado)
        return;
    const bool obrigatorio = estado == EstadoCampo::Obrigatorio;
    campo->setEnabled(obrigatorio);
    QPalette p = campo->palette();
    const QColor cor = obrigatorio ? corObrigatorio() : QApplication::palette().color(QPalette::Button);
    for (auto grupoCor : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(grupoCor, QPalette::Base, cor);
        if (qobject_cast<QComboBox*>(campo))
            p.setColor(grupoCor, QPalette::Button, cor);
    }
    campo->setPalette(p);
}

// ---- selection cascade ------------------------------------------------------------------------------

void FrmZOV::cmbTipoReceita_Click() {
    cmbClasseVecto->clear();
    cmbReceita->clear();
    const Selecao tipo = selecao(cmbTipoReceita);
    if (tipo.selecionado())
        preenche(cmbReceita, receitasDoTipo(m_refs, tipo.codigo));
}

void FrmZOV::cmbReceita_Click() {
    Label4->setText(QStringLiteral("Número do Documento"));
    const Selecao receita = selecao(cmbReceita);
    const auto flags = receita.selecionado() ? flagsDaReceita(m_refs, receita.codigo) : std::nullopt;
    if (flags) {
        m_flags = *flags;
        lblClasse->setText(rotuloClasse(m_flags.MVD_CLASSE_VECTO));
        preencheClasses();
    } else {
        m_flags = {};
        Label4->setText(QString());
        // A revenue without rules has no classes; the previous revenue's must not stay.
        cmbClasseVecto->clear();
    }
    const Habilitacao h = habilitacaoDaReceita(m_flags, receita.codigo);
    txtNumDoctoOrigem->setMaxLength(h.limiteDocumentoOrigem > 0 ? h.limiteDocumentoOrigem : semLimite);

    preencheTiposIdentificacao(m_flags.MVD_TIPO_DOCUMENTO);
    aplica(txtNome, h.nome);
    aplica(txtDDD, h.telefone);
    aplica(txtFone, h.telefone);
    aplicaPeriodo(m_flags.MVD_REFERENCIA);

    txtNumDoctoOrigem->clear();
    cmbMunicipio->setCurrentIndex(-1);
    cmbClasseVecto->setCurrentIndex(-1);
    aplica(txtNumDoctoOrigem, h.documentoOrigem);
    aplicaClasse();
    aplica(cmbMunicipio, h.municipio);
    aplica(txtDataVencimento, h.vencimento);
    // A due date typed for the previous revenue would stay on a greyed field the user can no longer
    // correct, and be checked, saved and printed for a revenue that has none.
    if (h.vencimento == EstadoCampo::NaoAplicavel)
        txtDataVencimento->clear();
}

void FrmZOV::preencheClasses() {
    const Selecao receita = selecao(cmbReceita);
    const bool servico = m_flags.MVD_CLASSE_VECTO == QLatin1String("2");
    preenche(cmbClasseVecto,
             receita.selecionado() ? classesDaReceita(m_refs, receita.codigo, servico) : Itens{});
}

void FrmZOV::preencheTiposIdentificacao(const QString& permitidos) {
    preenche(cmbTipoIdentificacao, tiposDeIdentificacao(m_refs, permitidos));
    if (cmbTipoIdentificacao->count() > 0)
        cmbTipoIdentificacao->setCurrentIndex(0);
    cmbTipoIdentificacao_Click();
}

void FrmZOV::cmbTipoIdentificacao_Click() {
    txtIdentificacao->clear();
    const Selecao tipo = selecao(cmbTipoIdentificacao);
    const TipoIdentificacao* info = tipo.selecionado() ? tipoIdentificacao(tipo.codigo) : nullptr;
    txtIdentificacao->setMaxLength(info ? info->comprimentoEdicao : semLimite);
    txtNome->clear();
    txtDDD->clear();
    txtFone->clear();
    aplicaClasse();
}

void FrmZOV::aplicaClasse() {
    const Selecao tipo = selecao(cmbTipoIdentificacao);
    aplica(cmbClasseVecto, estadoClasse(m_flags, selecao(cmbReceita).codigo,
                                        tipo.selecionado() ? tipo.codigo : 0, cmbClasseVecto->count() == 0));
}

void FrmZOV::cmbClasseVecto_Click() {
    // The fiscal year is the only group a class does not own.
    if (grupoPeriodo(m_flags.MVD_REFERENCIA) != 5) {
        txtAno->clear();
        FramePeriodo5->hide();
    }
    const Selecao receita = selecao(cmbReceita);
    const Selecao classe = selecao(cmbClasseVecto);
    if (receita.codigo == receitas::ServicosTransito && receita.selecionado() && classe.selecionado()) {
        m_flags.MVD_REFERENCIA = QStringLiteral("9");
        preencheTiposIdentificacao(
            tiposPermitidosPorServico(codigoServico(m_refs, classe.codigo, receita.codigo)));
    }
}

void FrmZOV::aplicaPeriodo(const QString& ref) {
    QGroupBox* grupos[] = {FramePeriodo1, FramePeriodo2, FramePeriodo3, FramePeriodo4, FramePeriodo5};
    for (QGroupBox* g : grupos)
        g->hide();
    const int n = grupoPeriodo(ref);
    if (n == 0)
        return;
    grupos[n - 1]->show();
    grupos[n - 1]->raise();
    const QDate d = hoje();
    switch (n) {
    case 1:
        preenche(cmbMes1, periodos(m_refs, periodicidadeMeses));
        if (d.month() - 1 < cmbMes1->count())
            cmbMes1->setCurrentIndex(d.month() - 1);
        txtAno1->setText(QString::number(d.year()));
        break;
    case 2:
        if (cmbTipoPeriodo->count() > 0) {
            if (cmbTipoPeriodo->currentIndex() < 0)
                cmbTipoPeriodo->setCurrentIndex(0);
            preencheValoresPeriodo();
        }
        break;
    case 3:
        txtNumParcela->setText(QStringLiteral("1"));
        break;
    case 4:
        preenche(cmbQuota, periodos(m_refs, periodicidadeCotas));
        if (cmbQuota->count() > 0)
            cmbQuota->setCurrentIndex(0);
        txtAnoQuota->setText(QString::number(d.year()));
        break;
    case 5:
        aplica(txtAno, EstadoCampo::Obrigatorio);
        break;
    }
}

void FrmZOV::preencheValoresPeriodo() {
    const Selecao tipo = selecao(cmbTipoPeriodo);
    preenche(cmbValorPeriodo, tipo.selecionado() ? periodos(m_refs, tipo.codigo) : Itens{});
    if (cmbValorPeriodo->count() > 0)
        cmbValorPeriodo->setCurrentIndex(0);
}

void FrmZOV::cmbTipoPeriodo_Click() {
    preencheValoresPeriodo();
}

// ---- reading, checking and assembling -----------------------------------------------------------------

Preenchimento FrmZOV::leFormulario() const {
    Preenchimento p;
    p.flags = m_flags;
    p.tipoReceita = selecao(cmbTipoReceita);
    p.receita = selecao(cmbReceita);
    p.tipoIdentificacao = selecao(cmbTipoIdentificacao);
    p.identificacao = txtIdentificacao->text();
    p.nome = txtNome->text();
    p.ddd = txtDDD->text();
    p.fone = txtFone->text();
    p.numDoctoOrigem = txtNumDoctoOrigem->text();
    p.classe = selecao(cmbClasseVecto);
    p.classeHabilitada = cmbClasseVecto->isEnabled();
    p.municipio = selecao(cmbMunicipio);
    p.municipioHabilitado = cmbMunicipio->isEnabled();
    p.mes = selecao(cmbMes1);
    p.ano1 = txtAno1->text();
    p.tipoPeriodo = selecao(cmbTipoPeriodo);
    p.valorPeriodo = selecao(cmbValorPeriodo);
    p.anoPeriodo = txtAnoPeriodo->text();
    p.numParcela = txtNumParcela->text();
    p.quota = selecao(cmbQuota);
    p.anoQuota = txtAnoQuota->text();
    p.ano = txtAno->text();
    p.dataVencimento = txtDataVencimento->text();
    p.dataMaxPagto = txtDataMaxPagto->text();
    p.valorPrincipal = txtValorPrincipal->text();
    p.valorMulta = txtValorMulta->text();
    p.valorJuros = txtValorJuros->text();
    p.valorCorrecao = txtValorCorrecao->text();
    p.valorTotal = txtValorTotal->text();
    return p;
}

bool FrmZOV::ValidaPreenchimento() {
    const QStringList erros = verificaPreenchimento(leFormulario(), ContextoVerificacao{m_refs, hoje()});
    if (erros.isEmpty())
        return true;
    m_plataforma.mensagens.mostrar(this, textoRelatorioErros(erros), Mensagens::Botoes::OK,
                                   Mensagens::Icone::Critico, QString::fromUtf8(TituloErrosPreenchimento));
    return false;
}

ResultadoMontagem FrmZOV::GeraDocumento() {
    ResultadoMontagem r = montaDocumento(m_refs, leFormulario(), pctCodigoBarras->size(), m_pastaImagens);
    if (!r.documento) {
        m_documento.reset();
        pctCodigoBarras->clear();
        lblLinhaDigitavel->clear();
        m_plataforma.mensagens.mostrar(this, r.erros.join(QStringLiteral("\n")), Mensagens::Botoes::OK,
                                       Mensagens::Icone::Critico, QStringLiteral("Erro"));
        return r;
    }
    m_documento = r.documento;
    pctCodigoBarras->setPixmap(QPixmap::fromImage(m_documento->imagemBarras));
    lblLinhaDigitavel->setText(m_documento->linhaDigitavel);
    return r;
}

void FrmZOV::Sair_Click() {
    close();
}

void FrmZOV::recalculaTotal() {
    qint64 total = 0;
    for (const QLineEdit* v : {txtValorPrincipal, txtValorMulta, txtValorJuros, txtValorCorrecao})
        total += formato::centavos(v->text()).value_or(0);
    txtValorTotal->setText(formato::valor(total));
}

} // namespace zove
