#include "barcode/ZovModelos.h"

#include "barcode/ZovDados.h"
#include "common/Formato.h"

namespace zove {

namespace {

// A CNPJ goes into the free field without its two check digits; other identifications as typed.
QString semDigitosDoCnpj(const QString& tipoIdentificacao, const QString& NumIdentificacao) {
    if (tipoIdentificacao == QLatin1String("2")) {
        const QString cnpj = NumIdentificacao.trimmed();
        return cnpj.left(qMax<qsizetype>(0, cnpj.size() - 2));
    }
    return NumIdentificacao;
}

QString fmt(const QString& valor, qint16 tamanho) {
    return ZovDados::Formatar(valor, tamanho);
}

} // namespace

QString ZovModelo1::AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao) {
    return semDigitosDoCnpj(tipoIdentificacao, NumIdentificacao);
}

QString ZovModelo1::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_tipo = Dados.tipoIdentificacao();
    m_identificacao = fmt(AjustaIdentificacao(Dados.tipoIdentificacao(), Dados.NumIdentificacao()), 13);
    m_periodo = fmt(Dados.PeriodoReferencia(), 6);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_tipo + m_identificacao + m_periodo + m_receita + m_digitoFinal;
}

QString ZovModelo2::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_documentoOrigem = fmt(Dados.NumDocumentoOrigem(), 11);
    m_identificacao = fmt(Dados.NumIdentificacao(), 9);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_documentoOrigem + m_identificacao + m_receita + m_digitoFinal;
}

QString ZovModelo3::AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao) {
    return semDigitosDoCnpj(tipoIdentificacao, NumIdentificacao);
}

QString ZovModelo3::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_tipo = Dados.tipoIdentificacao();
    m_identificacao = fmt(AjustaIdentificacao(Dados.tipoIdentificacao(), Dados.NumIdentificacao()), 13);
    m_municipio = fmt(Dados.CodMunicipio(), 5);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_tipo + m_identificacao + QLatin1String("0") + m_municipio + m_receita + m_digitoFinal;
}

QString ZovModelo4::AjustaIdentificacao(const QString& NumIdentificacao) {
    // The "25"/"26" prefix of a state registration is not carried.
    return NumIdentificacao.trimmed().mid(2);
}

QString ZovModelo4::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_tipo = Dados.tipoIdentificacao();
    m_identificacao = fmt(AjustaIdentificacao(Dados.NumIdentificacao()), 7);
    m_classe = fmt(Dados.IdClasseVencimento(), 5);
    m_periodo = fmt(Dados.PeriodoReferencia(), 6);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_tipo + m_identificacao + QLatin1String("0") + m_classe + m_periodo + m_receita + m_digitoFinal;
}

QString ZovModelo5::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    ZovModelo1 modelo;
    return modelo.MontaZov(Dados, digitoFinal);
}

QString ZovModelo6::AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao) {
    return semDigitosDoCnpj(tipoIdentificacao, NumIdentificacao);
}

QString ZovModelo6::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_tipo = Dados.tipoIdentificacao();
    m_identificacao = fmt(AjustaIdentificacao(Dados.tipoIdentificacao(), Dados.NumIdentificacao()), 13);
    m_documentoOrigem = fmt(Dados.NumDocumentoOrigem(), 6);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_tipo + m_identificacao + m_documentoOrigem + m_receita + m_digitoFinal;
}

QString ZovModelo7::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    // Padded but not cut: a number longer than 14 digits makes the field longer, and the length
    // check of the whole number reports it.
    m_documentoOrigem = formato::zeros(Dados.NumDocumentoOrigem(), 14);
    m_periodo = fmt(Dados.PeriodoReferencia(), 6);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_documentoOrigem + m_periodo + m_receita + m_digitoFinal;
}

QString ZovModelo8::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_ano = fmt(Dados.PeriodoReferencia(), 2);
    m_identificacao = fmt(Dados.NumIdentificacao(), 9);
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return QLatin1String("00000000") + QLatin1String("9") + m_ano + m_identificacao + m_receita +
           m_digitoFinal;
}

QString ZovModelo_ClasseServico::AjustaIdentificacao(const QString& tipoIdentificacao,
                                                     const QString& NumIdentificacao) {
    return semDigitosDoCnpj(tipoIdentificacao, NumIdentificacao);
}

QString ZovModelo_ClasseServico::BlocoPeriodo(const QString& PeriodoReferencia) {
    // A period that is all zeros (no period) is carried as "0000". An empty one is not a number and
    // falls through to an empty block, which the length check reports.
    const QString p = PeriodoReferencia.trimmed();
    if (formato::somenteDigitos(p) && p.count(QLatin1Char('0')) == p.size())
        return QStringLiteral("0000");
    const QString ano = fmt(PeriodoReferencia, 4).right(2);
    const QString mes = PeriodoReferencia.size() == 4 ? QStringLiteral("00") : PeriodoReferencia.left(2);
    return ano + mes;
}

QString ZovModelo_ClasseServico::MontaZov(ZovDados& Dados, const QString& digitoFinal) {
    m_tipo = Dados.tipoIdentificacao();
    m_identificacao = fmt(AjustaIdentificacao(Dados.tipoIdentificacao(), Dados.NumIdentificacao()), 12);
    m_classe = fmt(Dados.IdClasseVencimento(), 3);
    m_periodo = BlocoPeriodo(Dados.PeriodoReferencia());
    m_receita = fmt(Dados.CodReceita(), 4);
    m_digitoFinal = digitoFinal;
    return m_tipo + m_identificacao + m_classe + m_periodo + m_receita + m_digitoFinal;
}

} // namespace zove
