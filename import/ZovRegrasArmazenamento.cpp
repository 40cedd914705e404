// The storing step of an imported document: the document and its taxpayer as the tables hold them,
// checked to be storable, then handed to the import's batch.
#include "import/ZovRegras.h"

#include "data/ConteudoTabela.h"
#include "data/DocumentoSalvo.h"
#include "data/LoteDocumentos.h"
#include "entry/RegrasReceita.h"
#include "import/ZovRegrasCampos.h"

namespace zove {

bool ZovRegras::armazena() {
    if (m_incluido || !m_ctx.lote)
        return true;

    const auto dataReal = [](const QString& texto) {
        return documento::dataGravada(*regras::dataReal(texto));
    };
    documento::Valores v;
    v.tipoIdentificacao = m_tipoIdentificacao;
    v.identificacao = m_NumIdentificacao;
    // Stored with the width the entry form gives an identification of that kind.
    if (const TipoIdentificacao* t = zove::tipoIdentificacao(m_tipoIdentificacao.toInt()); t && t->mascara)
        v.larguraIdentificacao = t->comprimentoEdicao;
    v.nome = m_RazaoSocial;
    v.ddd = m_DDD;
    v.fone = m_Telefone;
    v.receita = m_receita;
    v.tipoReferencia = MVD_REFERENCIA;
    v.anoReferencia = m_ano;
    v.periodo = m_periodo;
    v.parcela = QString::number(m_parcelas.toInt());
    v.numDocumentoOrigem = m_NumDocumentoOrigem;
    v.dataVencimento = dataReal(m_DataVencimento);
    v.dataCalculo = dataReal(m_DataMaximaPagamento);
    v.principal = m_ValorPrincipal;
    v.multa = m_Multa;
    v.juros = m_Juros;
    v.correcao = m_CorrecaoMonetaria;
    v.total = m_total;
    v.municipio = m_CodMunicipio;
    v.classe = m_CodClasseVencimento;
    const documento::Linhas linhas = documento::linhas(v, m_ctx.hoje);
    const tabulon::ZOV& documento = linhas.zov;
    const tabulon::CONTRIBUINTE& contribuinte = linhas.contribuinte;

    // Both records are checked before either is kept, so a document never goes without its taxpayer.
    auto problema = conteudo::problemaDoRegistro(documento);
    if (!problema)
        problema = conteudo::problemaDoRegistro(contribuinte);
    if (problema) {
        registra(*problema);
        return false;
    }
    m_ctx.lote->inclui(documento, contribuinte);
    m_incluido = true;
    return true;
}

} // namespace zove
