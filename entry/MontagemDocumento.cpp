#include "entry/MontagemDocumento.h"

#include "barcode/DesenhoCodigoBarras.h"
#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "common/Formato.h"
#include "entry/RegrasReceita.h"
#include "tabulon/ErroExecucao.h"
#include "validation/CodigoBarras.h"

namespace zove {

namespace {

QString doisDigitos(int codigo) {
    return QStringLiteral("%1").arg(codigo, 2, 10, QLatin1Char('0'));
}

} // namespace

QString PeriodoReferencia(const Preenchimento& p) {
    const QString& ref = p.flags.MVD_REFERENCIA;
    switch (grupoPeriodo(ref)) {
    case 1:
        return doisDigitos(p.mes.codigo) + p.ano1;
    case 2:
        return doisDigitos(p.valorPeriodo.codigo) + p.anoPeriodo;
    case 3:
        return formato::zeros(p.numParcela, 6);
    case 4:
        return doisDigitos(p.quota.codigo) + p.anoQuota;
    case 5:
        return p.ano;
    default:
        return QStringLiteral("000000");
    }
}

std::shared_ptr<ZovDados> dadosCodigoBarras(const Preenchimento& p) {
    auto d = std::make_shared<ZovDados>();
    const QString digitos = digitosIdentificacao(p.identificacao);
    d->CodReceita(QString::number(p.receita.codigo));
    d->tipoIdentificacao(QString::number(p.tipoIdentificacao.codigo));
    d->NumIdentificacao(digitos);
    d->PeriodoReferencia(PeriodoReferencia(p));
    const QString origem = p.numDoctoOrigem.isEmpty() ? digitos : p.numDoctoOrigem;
    d->NumDocumentoOrigem(origem.size() < 8 ? origem.rightJustified(8, QLatin1Char('0')) : origem);
    if (p.classe.selecionado())
        d->IdClasseVencimento(QString::number(p.classe.codigo));
    if (p.municipio.selecionado())
        d->CodMunicipio(QString::number(p.municipio.codigo));
    d->CodClasseVencimento(p.flags.MVD_CLASSE_VECTO);
    return d;
}

QString textoReferencia(const Preenchimento& p) {
    switch (grupoPeriodo(p.flags.MVD_REFERENCIA)) {
    case 1:
        return p.mes.texto + QLatin1Char('/') + p.ano1;
    case 2:
        return p.valorPeriodo.texto + QLatin1Char('/') + p.anoPeriodo;
    case 3:
        return p.numParcela;
    case 4:
        return p.quota.texto + QLatin1Char('/') + p.anoQuota;
    case 5:
        return p.ano;
    default:
        return {};
    }
}

QString informacoesAdicionais(const Preenchimento& p) {
    QString texto = QStringLiteral(" ");
    if (p.receita.codigo == receitas::FundoInfanciaPF || p.receita.codigo == receitas::FundoInfanciaPJ)
        texto += QStringLiteral("Fundo para Infancia e Adolescencia\r\nCNPJ: 11.222.333/0001-81\r\n\r\n");
    if (p.flags.MVD_TELEFONE == QLatin1String("1"))
        texto += QStringLiteral("Telefone : (") + p.ddd + QStringLiteral(") - ") + p.fone;
    if (p.classe.selecionado())
        texto += QLatin1Char('\r') + p.classe.texto;
    return texto;
}

ResultadoMontagem montaDocumento(Referencias& refs, const Preenchimento& p, const QSize& tamanhoImagem,
                                 const QString& pasta) {
    ResultadoMontagem r;
    const auto total = formato::centavos(p.valorTotal);
    if (!total || *total < 0) {
        r.erros.append(QStringLiteral("Valor total inválido: ") + p.valorTotal);
        return r;
    }
    codigoDeBarra composicao(refs);
    composicao.Dados(dadosCodigoBarras(p));
    DocumentoMontado doc;
    doc.linhaDigitavel = montaNumeroCodigoBarras(*total, composicao, doc.codigoBarras);
    if (const auto erro = erroTamanhoCodigoBarras(doc.codigoBarras)) {
        r.erros.append(*erro);
        return r;
    }
    doc.imagemBarras = QImage(tamanhoImagem, QImage::Format_RGB32);
    try {
        desenhaCodigoBarras(doc.codigoBarras, doc.imagemBarras, pasta);
    } catch (const tabulon::ErroExecucao& e) {
        r.erros.append(QStringLiteral("Erro ao desenhar o código de barras: ") + e.Descricao());
        return r;
    }
    doc.arquivoBarras = arquivoCodigoBarras(doc.codigoBarras, pasta);
    doc.referencia = textoReferencia(p);
    doc.informacoesAdicionais = informacoesAdicionais(p);
    doc.nomeReceita = NomeReceita(p.receita.texto);
    doc.campos = p;
    r.documento = std::move(doc);
    return r;
}

} // namespace zove
