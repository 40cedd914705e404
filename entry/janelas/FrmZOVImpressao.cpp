// The entry form's save and print flow: check, save, confirm, print or preview.
#include "barcode/DesenhoCodigoBarras.h"
#include "common/DadosImpressao.h"
#include "common/Formato.h"
#include "data/DocumentoSalvo.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "entry/DocumentoDoFormulario.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Configuracoes.h"
#include "printing/frmVisualizacao.h"
#include "tabulon/ErroExecucao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zove {

namespace {

// The number the form works on, as the tables and the page write it: a whole number, never "1.2e+06".
QString textoNumero(double numero) {
    return QString::number(static_cast<qint64>(numero));
}

QString codigo(const QComboBox* c) {
    return c->currentIndex() >= 0 ? QString::number(c->currentData().toInt()) : QStringLiteral("0");
}

} // namespace

QString FrmZOV::textoConfirmacao(bool previa) {
    return QStringLiteral("Instruções para impressão do ZOVE\n\n"
                          "1. Utilize impressora jato de tinta ou laser;\n"
                          "2. Utilize qualidade de impressão normal. Não utilize as opções\n") +
           (previa ? QStringLiteral("    Rascunho ou Econômica;\n")
                   : QStringLiteral("   Rascunho ou Econômica;\n")) +
           QStringLiteral("3. Imprima este documento em folha A4 (210 x 297 mm) de cor branca;\n"
                          "4. Não fure, dobre, amasse, rasure ou risque o código de barras\n\n"
                          " Confirmar dados digitados?");
}

frmVisualizacao& FrmZOV::visualizacao() {
    if (!m_visualizacao) {
        m_visualizacao = std::make_unique<frmVisualizacao>(m_plataforma, m_refs, this);
        // The bitmaps go to the program's own folder, shared with the page and the clean-up.
        if (m_pastaImagens.isEmpty())
            m_pastaImagens = pastaImagensCodigoBarras();
        m_visualizacao->setPastaCodigoBarras(m_pastaImagens);
    }
    return *m_visualizacao;
}

bool FrmZOV::SalvaZOV(double& numero) {
    const documento::Linhas linhas = documento::linhas(valoresDoFormulario(leFormulario(), hoje()), hoje());
    // Document and taxpayer are written together or not at all.
    const ResultadoAlteracao r =
        m_refs.oZovEnv().SalvaDocumento(linhas, numero == 0 ? QString() : textoNumero(numero));
    if (!r.ok) {
        m_plataforma.mensagens.mostrar(
            this,
            QStringLiteral("Ocorreu o seguinte erro:\n") + r.erro +
                QStringLiteral("\nVerifique a sua permissão de usuário em seu computador"),
            Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
        return false;
    }
    numero = r.numDocumento.toDouble();
    return true;
}

bool FrmZOV::preparaVisualizacao() {
    frmVisualizacao& v = visualizacao();
    const ResultadoMontagem r = GeraDocumento();
    if (!r.documento)
        return false;
    const DocumentoMontado& d = *r.documento;
    DadosImpressao dados;
    dados.CodigoBarra = d.codigoBarras;
    dados.CodigoBarraVisualizado = d.linhaDigitavel;
    dados.identificacao = txtIdentificacao->text();
    dados.RazaoSocial = txtNome->text();
    dados.codigoReceita = codigo(cmbReceita);
    dados.DescricaoReceita = d.nomeReceita;
    dados.Documento = txtNumDoctoOrigem->text();
    dados.referencia = d.referencia;
    dados.Vencimento = txtDataVencimento->text();
    dados.InformacoesAdicionais = d.informacoesAdicionais;
    dados.ValorPrincipal = txtValorPrincipal->text();
    dados.ValorMulta = txtValorMulta->text();
    dados.ValorJuros = txtValorJuros->text();
    dados.ValorCorrecaoMonetaria = txtValorCorrecao->text();
    dados.ValorTotal = txtValorTotal->text();
    dados.p_num_documento = textoNumero(NumDocumento);
    v.setDados(dados);
    return true;
}

bool FrmZOV::MostraDocumento(bool previa) {
    QCoreApplication::processEvents();
    if (!preparaVisualizacao())
        return false;
    frmVisualizacao& v = visualizacao();
    if (previa) {
        v.mostrar();
        return true;
    }
    try {
        v.preparaCodigoBarras();
    } catch (const tabulon::ErroExecucao& erro) {
        m_plataforma.mensagens.mostrar(this, erro.Descricao(), Mensagens::Botoes::OK,
                                       Mensagens::Icone::Critico, QStringLiteral("Erro"));
        return false;
    }
    return v.Imprimir();
}

bool FrmZOV::GravaPdf(const QString& arquivo) {
    if (!preparaVisualizacao())
        return false;
    try {
        visualizacao().preparaCodigoBarras();
    } catch (const tabulon::ErroExecucao& erro) {
        m_plataforma.mensagens.mostrar(this, erro.Descricao(), Mensagens::Botoes::OK,
                                       Mensagens::Icone::Critico, QStringLiteral("Erro"));
        return false;
    }
    return visualizacao().gravaPdf(arquivo);
}

void FrmZOV::Imprimir_Click() {
    if (!confirmaParaImprimir(false))
        return;
    if (MostraDocumento(false)) {
        visualizacao().mostraSucesso(this);
        LimparZOV();
    }
}

// The steps shared by printing and previewing: the complete check, the composition, the remembered
// save choice, the optional save (a failed one stops here, so nothing prints as if saved) and the
// user's confirmation.
bool FrmZOV::confirmaParaImprimir(bool previa) {
    // A shortcut does not move the focus: the field being edited is left first, with its checks, so
    // the total, the amounts and the dates are checked and saved as they will be printed.
    if (QWidget* campo = focusWidget(); campo && m_campos.contains(campo)) {
        (previa ? cmdVisualizar : Imprimir)->setFocus(Qt::OtherFocusReason);
        if (focusWidget() == campo)
            return false;
    }
    if (!ValidaPreenchimento())
        return false;
    m_plataforma.configuracoes.gravar(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE"),
                                      chkSalvarZOVE->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    // A document whose number or bars cannot be composed is neither saved nor shown: the composition
    // is tried before anything is written.
    visualizacao();
    if (!GeraDocumento().documento)
        return false;
    const bool segue =
        (!chkSalvarZOVE->isChecked() || SalvaZOV(NumDocumento)) &&
        m_plataforma.mensagens.mostrar(this, textoConfirmacao(previa), Mensagens::Botoes::SimNao,
                                       Mensagens::Icone::Pergunta,
                                       QStringLiteral("Confirmar dados")) == Mensagens::Resposta::Sim;
    if (!segue) {
        // The bars of a document that goes no further would not follow the user's next changes.
        pctCodigoBarras->clear();
        lblLinhaDigitavel->clear();
    }
    return segue;
}

void FrmZOV::cmdVisualizar_Click() {
    if (!confirmaParaImprimir(true))
        return;
    // A preview that could not be composed has said why; the form keeps what the user typed.
    if (MostraDocumento(true))
        LimparZOV();
}

} // namespace zove

namespace zove {

namespace {

// Selects the item whose value equals the stored code read as a number ("03" finds 3); false when none.
bool selecionaCodigo(QComboBox* c, const QString& codigo) {
    bool ok = false;
    const int valor = codigo.trimmed().toInt(&ok);
    const int i = ok ? c->findData(valor) : -1;
    c->setCurrentIndex(i);
    return i >= 0;
}

} // namespace

bool FrmZOV::CarregarZOV(double& numero) {
    if (numero == 0)
        return true;
    if (!m_carregado)
        Form_Load();
    const QString texto = QString::number(static_cast<qint64>(numero));
    auto naoCarrega = [&](const QString& motivo) {
        m_plataforma.mensagens.mostrar(this, motivo, Mensagens::Botoes::OK, Mensagens::Icone::Critico,
                                       QStringLiteral("Erro"));
        return false;
    };
    const auto achados = m_refs.oZovEnv().ZOVSelectOne(texto);
    if (!achados || achados->Count() == 0)
        return naoCarrega(QStringLiteral("O documento %1 não foi encontrado.").arg(texto));
    const tabulon::ZOV z = *achados->Item(1);

    if (!selecionaCodigo(cmbTipoReceita, z.MCR_MTR_TIP_RECEITA))
        return naoCarrega(
            QStringLiteral("O tipo de receita do documento %1 não está disponível.").arg(texto));
    cmbTipoReceita_Click();
    if (!selecionaCodigo(cmbReceita, z.COD_RECEITA))
        return naoCarrega(
            QStringLiteral("A receita %1 do documento %2 não está disponível.").arg(z.COD_RECEITA, texto));
    cmbReceita_Click();

    const documento::Reaberto valores = documento::reabre(z, m_flags.MVD_REFERENCIA);
    txtDataMaxPagto->setText(valores.dataCalculo);
    txtDataVencimento->setText(valores.dataVencimento);
    txtNumDoctoOrigem->setText(valores.numDocumentoOrigem);
    if (!valores.municipio.isEmpty())
        selecionaCodigo(cmbMunicipio, valores.municipio);
    if (!valores.classe.isEmpty()) {
        selecionaCodigo(cmbClasseVecto, valores.classe);
        cmbClasseVecto_Click();
    }

    if (!selecionaCodigo(cmbTipoIdentificacao, z.TIPO_DOCUMENTO_IDENT))
        return naoCarrega(
            QStringLiteral("O tipo de identificação do documento %1 não está disponível.").arg(texto));
    cmbTipoIdentificacao_Click();
    txtIdentificacao->setText(z.NUM_DOCUMENTO_IDENT);
    focoSaiu(txtIdentificacao, Campo::Identificacao);
    const auto contribuinte =
        m_refs.oZovEnv().ContribuinteSelectOne(z.TIPO_DOCUMENTO_IDENT, z.NUM_DOCUMENTO_IDENT);
    if (contribuinte && contribuinte->Count() == 1) {
        txtNome->setText(contribuinte->Item(1)->RAZAO_SOCIAL);
        txtDDD->setText(contribuinte->Item(1)->NUM_DDD);
        txtFone->setText(contribuinte->Item(1)->NUM_FONE);
    } else {
        txtNome->clear();
        txtDDD->clear();
        txtFone->clear();
    }

    txtValorPrincipal->setText(formato::valor(valores.principal));
    txtValorCorrecao->setText(formato::valor(valores.correcao));
    txtValorMulta->setText(formato::valor(valores.multa));
    txtValorJuros->setText(formato::valor(valores.juros));
    // The total follows the amounts, whatever the stored total says.
    recalculaTotal();

    // The reference's parts, by the kind of the revenue now selected.
    const QString& tipo = m_flags.MVD_REFERENCIA;
    if (tipo == QLatin1String("3")) {
        txtNumParcela->setText(valores.parcela);
    } else if (tipo == QLatin1String("5")) {
        txtAno->setText(valores.anoReferencia);
    } else if (tipo == QLatin1String("4")) {
        txtAnoQuota->setText(valores.anoReferencia);
        selecionaCodigo(cmbQuota, valores.periodo);
    } else if (tipo == QLatin1String("2")) {
        const auto periodos =
            m_refs.oPERIODOSs ? m_refs.oPERIODOSs->Query_COD_PERIODO(valores.periodo) : nullptr;
        if (periodos && periodos->Count() > 0) {
            selecionaCodigo(cmbTipoPeriodo, periodos->Item(1)->TIPO_PERIODO);
            cmbTipoPeriodo_Click();
            selecionaCodigo(cmbValorPeriodo, valores.periodo);
        }
        txtAnoPeriodo->setText(valores.anoReferencia);
    } else if (tipo.isEmpty() || tipo == QLatin1String("1")) {
        txtAno1->setText(valores.anoReferencia);
        selecionaCodigo(cmbMes1, valores.periodo);
    }
    return true;
}

void FrmZOV::LimparZOV() {
    for (QLineEdit* campo : {txtIdentificacao, txtNome, txtDDD, txtFone, txtDataVencimento, txtNumDoctoOrigem,
                             txtAno1, txtAnoPeriodo, txtNumParcela, txtAnoQuota, txtAno})
        campo->clear();
    // The lists and the fields a revenue switches go back to the state of a new form; the save box
    // stays as the user left it.
    const bool salvar = chkSalvarZOVE->isChecked();
    Form_Load();
    chkSalvarZOVE->setChecked(salvar);
    cmbTipoReceita->setCurrentIndex(-1);
    cmbTipoReceita_Click();
    cmbReceita->clear();
    cmbTipoIdentificacao->clear();
    cmbClasseVecto->setCurrentIndex(-1);
    cmbMunicipio->setCurrentIndex(-1);
    aplicaPeriodo(QStringLiteral("9"));
    for (QLineEdit* v : {txtValorPrincipal, txtValorMulta, txtValorJuros, txtValorCorrecao, txtValorTotal})
        v->setText(QStringLiteral("0,00"));
    m_documento.reset();
    pctCodigoBarras->clear();
    lblLinhaDigitavel->clear();
    // A document entered next is a new one, never an update of the one that was open.
    NumDocumento = 0;
}

bool FrmZOV::ImprimirPantAnterior() {
    if (!CarregarZOV(NumDocumento))
        return false;
    const bool impresso = MostraDocumento(false);
    LimparZOV();
    return impresso;
}

} // namespace zove
