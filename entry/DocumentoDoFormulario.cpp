#include "entry/DocumentoDoFormulario.h"

#include "common/Formato.h"
#include "entry/Preenchimento.h"
#include "entry/RegrasReceita.h"
#include "entry/VerificacaoPreenchimento.h"

#include <QDate>

namespace zove {

namespace {

QString codigo(const Selecao& s) {
    return s.selecionado() ? QString::number(s.codigo) : QStringLiteral("0");
}

QString codigoOuNada(const Selecao& s) {
    return s.selecionado() ? QString::number(s.codigo) : QString();
}

QString valor(const QString& texto) {
    return documento::valorGravado(formato::centavos(texto).value_or(0));
}

} // namespace

documento::Valores valoresDoFormulario(const Preenchimento& p, const QDate& hoje) {
    documento::Valores v;
    v.tipoIdentificacao = codigo(p.tipoIdentificacao);
    v.identificacao = digitosIdentificacao(p.identificacao);
    if (const TipoIdentificacao* t =
            p.tipoIdentificacao.selecionado() ? tipoIdentificacao(p.tipoIdentificacao.codigo) : nullptr;
        t && t->mascara)
        v.larguraIdentificacao = t->comprimentoEdicao;
    v.nome = p.nome;
    v.ddd = p.ddd;
    v.fone = p.fone;
    v.receita = codigo(p.receita);

    const QString& tipo = p.flags.MVD_REFERENCIA;
    v.tipoReferencia = tipo;
    if (tipo == QLatin1String("2")) {
        v.anoReferencia = p.anoPeriodo;
        v.periodo = codigoOuNada(p.valorPeriodo);
    } else if (tipo == QLatin1String("4")) {
        v.anoReferencia = p.anoQuota;
        v.periodo = codigoOuNada(p.quota);
    } else if (tipo == QLatin1String("3")) {
        v.parcela = p.numParcela;
    } else if (tipo == QLatin1String("5")) {
        v.anoReferencia = p.ano;
    } else {
        v.anoReferencia = p.ano1;
        v.periodo = codigoOuNada(p.mes);
    }

    v.numDocumentoOrigem = p.numDoctoOrigem;
    v.dataVencimento = p.dataVencimento;
    const auto calculo = checagem::leData(p.dataMaxPagto, hoje);
    v.dataCalculo = calculo ? documento::dataGravada(*calculo) : p.dataMaxPagto;
    v.principal = valor(p.valorPrincipal);
    v.multa = valor(p.valorMulta);
    v.juros = valor(p.valorJuros);
    v.correcao = valor(p.valorCorrecao);
    v.total = valor(p.valorTotal);
    v.municipio = codigoOuNada(p.municipio);
    v.classe = codigoOuNada(p.classe);
    return v;
}

} // namespace zove
