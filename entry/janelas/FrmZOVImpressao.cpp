// The entry form's save and print flow: check, save, confirm, print or preview.
#include "barcode/DesenhoCodigoBarras.h"
#include "common/DadosImpressao.h"
#include "common/Formato.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Configuracoes.h"
#include "printing/frmVisualizacao.h"
#include "tabulon/ErroExecucao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>

namespace zove {

namespace {

// The number the form works on, as the tables and the page write it: a whole number, never "1.2e+06".
QString textoNumero(double numero) {
    return QString::number(static_cast<qint64>(numero));
}

QString codigo(const QComboBox* c) {
    return c->currentIndex() >= 0 ? QString::number(c->currentData().toInt()) : QStringLiteral("0");
}

// An amount as the tables keep it: the number with a decimal comma and no thousands separator.
QString valorGravado(const QLineEdit* campo) {
    const qint64 c = formato::centavos(campo->text()).value_or(0);
    return QStringLiteral("%1,%2").arg(c / 100).arg(c % 100, 2, 10, QLatin1Char('0'));
}

QString doisDigitos(const Selecao& s) {
    return s.selecionado() ? QStringLiteral("%1").arg(s.codigo, 2, 10, QLatin1Char('0')) : QString();
}

// The reference as the saved document keeps it: the year followed by the two-digit month, period or
// quota; the parcel; the fiscal year; empty for a revenue without one.
QString referenciaGravada(const Preenchimento& p) {
    const QString& tipo = p.flags.MVD_REFERENCIA;
    if (tipo.isEmpty() || tipo == QLatin1String("1"))
        return p.ano1 + doisDigitos(p.mes);
    if (tipo == QLatin1String("2"))
        return p.anoPeriodo + doisDigitos(p.valorPeriodo);
    if (tipo == QLatin1String("4"))
        return p.anoQuota + doisDigitos(p.quota);
    if (tipo == QLatin1String("3"))
        return p.numParcela;
    if (tipo == QLatin1String("5"))
        return p.ano;
    return {};
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
    const Preenchimento p = leFormulario();
    QString identificacao = p.identificacao;
    identificacao.remove(QLatin1Char('-')).remove(QLatin1Char('.')).remove(QLatin1Char('/'));
    const QString tipo = codigo(cmbTipoIdentificacao);
    const QString receita = codigo(cmbReceita);
    const QString origem = p.numDoctoOrigem.isEmpty() ? QStringLiteral("0") : p.numDoctoOrigem;
    QString referencia = referenciaGravada(p);
    if (referencia.isEmpty())
        referencia = QStringLiteral("000000");
    const QString municipio =
        p.municipio.selecionado() ? QString::number(p.municipio.codigo) : QStringLiteral("0");
    const QString classe = p.classe.selecionado() ? QString::number(p.classe.codigo) : QStringLiteral("0");
    const QString hoje = this->hoje().toString(QStringLiteral("dd/MM/yyyy"));
    const QString principal = valorGravado(txtValorPrincipal);
    const QString multa = valorGravado(txtValorMulta);
    const QString juros = valorGravado(txtValorJuros);
    const QString correcao = valorGravado(txtValorCorrecao);
    const QString total = valorGravado(txtValorTotal);
    const QString atual = textoNumero(numero);

    QString novoNumero = atual;
    // Document and taxpayer are written together or not at all.
    const ResultadoAlteracao r = m_refs.oZovEnv().AlteraEmLote(
        [&](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes, QString* erro) {
            if (numero == 0) {
                const std::optional<QString> proximo = ZovEnv_Simulator::ProximoNumeroDocumento(zovs);
                if (!proximo) {
                    *erro = QStringLiteral("O número do último documento salvo não é numérico.");
                    return false;
                }
                novoNumero = *proximo;
                zovs.NewZOV(novoNumero, tipo, identificacao, receita, referencia, origem, p.dataVencimento,
                            p.dataMaxPagto, principal, juros, multa, correcao, total, hoje,
                            QStringLiteral("OL"), municipio, classe, QStringLiteral("0"));
            } else {
                bool achou = false;
                for (const auto& z : zovs) {
                    if (z->NUM_DOCUMENTO != atual)
                        continue;
                    achou = true;
                    z->TIPO_DOCUMENTO_IDENT = tipo;
                    z->NUM_DOCUMENTO_IDENT = identificacao;
                    z->COD_RECEITA = receita;
                    z->REFERENCIA = referencia;
                    z->NUM_DOCUMENTO_ORIGEM = origem;
                    z->DATA_VENCIMENTO = p.dataVencimento;
                    z->DATA_CALCULO = p.dataMaxPagto;
                    z->VALOR_PRINCIPAL = principal;
                    z->VALOR_JUROS = juros;
                    z->VALOR_MULTA = multa;
                    z->VALOR_CORRECAO = correcao;
                    z->VALOR_TOTAL = total;
                    z->DATA_ATUALIZACAO = hoje;
                    z->COD_MUNICIPIO = municipio;
                    z->COD_CLASSE_VECTO = classe;
                    break;
                }
                if (!achou) {
                    *erro = QStringLiteral("O documento %1 não existe mais.").arg(atual);
                    return false;
                }
            }
            // Every row of the taxpayer is brought up to date; a new one is added only when none exists.
            bool existe = false;
            for (const auto& c : contribuintes) {
                if (c->TIPO_DOCUMENTO != tipo || c->DOCUMENTO_IDENTIFICACAO != identificacao)
                    continue;
                existe = true;
                c->RAZAO_SOCIAL = p.nome;
                c->NUM_DDD = p.ddd;
                c->NUM_FONE = p.fone;
            }
            if (!existe)
                contribuintes.NewContribuinte(tipo, identificacao, p.nome, p.ddd, p.fone);
            return true;
        });
    if (!r.ok) {
        m_plataforma.mensagens.mostrar(
            this,
            QStringLiteral("Ocorreu o seguinte erro:\n") + r.erro +
                QStringLiteral("\nVerifique a sua permissão de usuário em seu computador"),
            Mensagens::Botoes::OK, Mensagens::Icone::Critico, QStringLiteral("Erro"));
        return false;
    }
    numero = novoNumero.toDouble();
    return true;
}

bool FrmZOV::MostraDocumento(bool previa) {
    QCoreApplication::processEvents();
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

void FrmZOV::Imprimir_Click() {
    if (!ValidaPreenchimento())
        return;
    m_plataforma.configuracoes.gravar(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE"),
                                      chkSalvarZOVE->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    // A save that fails stops here: nothing is printed as if it had been saved.
    if (chkSalvarZOVE->isChecked() && !SalvaZOV(NumDocumento))
        return;
    if (m_plataforma.mensagens.mostrar(this, textoConfirmacao(false), Mensagens::Botoes::SimNao,
                                       Mensagens::Icone::Pergunta,
                                       QStringLiteral("Confirmar dados")) != Mensagens::Resposta::Sim)
        return;
    if (MostraDocumento(false))
        visualizacao().mostraSucesso(this);
}

void FrmZOV::cmdVisualizar_Click() {
    if (!ValidaPreenchimento())
        return;
    m_plataforma.configuracoes.gravar(QStringLiteral("ZOVE"), QStringLiteral("SalvarZOVE"),
                                      chkSalvarZOVE->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (chkSalvarZOVE->isChecked() && !SalvaZOV(NumDocumento))
        return;
    if (m_plataforma.mensagens.mostrar(this, textoConfirmacao(true), Mensagens::Botoes::SimNao,
                                       Mensagens::Icone::Pergunta,
                                       QStringLiteral("Confirmar dados")) != Mensagens::Resposta::Sim)
        return;
    MostraDocumento(true);
}

} // namespace zove
