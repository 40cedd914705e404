#include "data/DocumentoSalvo.h"

#include "common/Formato.h"

#include <QDate>
#include <QLatin1String>

namespace zove::documento {

namespace {

QString ouZero(const QString& v) {
    return v.isEmpty() ? QStringLiteral("0") : v;
}

bool eh(const QString& tipo, const char* codigo) {
    return tipo == QLatin1String(codigo);
}

// The kinds whose reference is a year followed by a two-digit month, period or quota.
bool anoEPeriodo(const QString& tipo) {
    return tipo.isEmpty() || eh(tipo, "1") || eh(tipo, "2") || eh(tipo, "4");
}

} // namespace

QString referenciaGravada(const QString& tipoReferencia, const QString& ano, const QString& periodo,
                          const QString& parcela) {
    if (anoEPeriodo(tipoReferencia))
        return ano + (periodo.isEmpty() ? QString() : formato::zeros(periodo, 2));
    if (eh(tipoReferencia, "3"))
        return parcela;
    if (eh(tipoReferencia, "5"))
        return ano;
    return {};
}

QString identificacaoGravada(const QString& digitos, int largura) {
    return largura > 0 ? formato::zeros(digitos, largura) : digitos;
}

QString valorGravado(qint64 centavos) {
    const QString sinal = centavos < 0 ? QStringLiteral("-") : QString();
    const qint64 c = centavos < 0 ? -centavos : centavos;
    return QStringLiteral("%1%2,%3").arg(sinal).arg(c / 100).arg(c % 100, 2, 10, QLatin1Char('0'));
}

qint64 centavosGravados(const QString& texto) {
    const QString t = texto.trimmed();
    if (!t.contains(QLatin1Char(',')) && t.count(QLatin1Char('.')) == 1)
        return formato::centavos(QString(t).replace(QLatin1Char('.'), QLatin1Char(','))).value_or(0);
    return formato::centavos(t).value_or(0);
}

QString dataGravada(const QDate& data) {
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

Linhas linhas(const Valores& v, const QDate& hoje) {
    QString referencia = referenciaGravada(v.tipoReferencia, v.anoReferencia, v.periodo, v.parcela);
    if (referencia.isEmpty())
        referencia = QStringLiteral("000000");
    const QString identificacao = identificacaoGravada(v.identificacao, v.larguraIdentificacao);

    Linhas l;
    tabulon::ZOV& z = l.zov;
    z.TIPO_DOCUMENTO_IDENT = v.tipoIdentificacao;
    z.NUM_DOCUMENTO_IDENT = identificacao;
    z.COD_RECEITA = v.receita;
    z.REFERENCIA = referencia;
    z.NUM_DOCUMENTO_ORIGEM = ouZero(v.numDocumentoOrigem);
    z.DATA_VENCIMENTO = v.dataVencimento;
    z.DATA_CALCULO = v.dataCalculo;
    z.VALOR_PRINCIPAL = v.principal;
    z.VALOR_JUROS = v.juros;
    z.VALOR_MULTA = v.multa;
    z.VALOR_CORRECAO = v.correcao;
    z.VALOR_TOTAL = v.total;
    z.DATA_ATUALIZACAO = dataGravada(hoje);
    z.COD_UF = QStringLiteral("OL");
    z.COD_MUNICIPIO = ouZero(v.municipio);
    z.COD_CLASSE_VECTO = ouZero(v.classe);
    z.IMPRESSO = QStringLiteral("0");

    tabulon::CONTRIBUINTE& c = l.contribuinte;
    c.TIPO_DOCUMENTO = v.tipoIdentificacao;
    c.DOCUMENTO_IDENTIFICACAO = identificacao;
    c.RAZAO_SOCIAL = v.nome;
    c.NUM_DDD = v.ddd;
    c.NUM_FONE = v.fone;
    return l;
}

Reaberto reabre(const tabulon::ZOV& z, const QString& tipoReferencia) {
    Reaberto r;
    r.dataCalculo = z.DATA_CALCULO;
    r.dataVencimento = z.DATA_VENCIMENTO == QLatin1String("00:00:00") ? QString() : z.DATA_VENCIMENTO;
    r.numDocumentoOrigem = z.NUM_DOCUMENTO_ORIGEM == QLatin1String("0") ? QString() : z.NUM_DOCUMENTO_ORIGEM;
    if (z.COD_MUNICIPIO.trimmed().toInt() != 0)
        r.municipio = z.COD_MUNICIPIO;
    if (const QString classe = z.COD_CLASSE_VECTO.trimmed();
        !classe.isEmpty() && classe != QLatin1String("0"))
        r.classe = z.COD_CLASSE_VECTO;
    r.principal = centavosGravados(z.VALOR_PRINCIPAL);
    r.correcao = centavosGravados(z.VALOR_CORRECAO);
    r.multa = centavosGravados(z.VALOR_MULTA);
    r.juros = centavosGravados(z.VALOR_JUROS);

    const QString ref = z.REFERENCIA.trimmed();
    if (eh(tipoReferencia, "3")) {
        r.parcela = ref;
    } else if (eh(tipoReferencia, "5")) {
        r.anoReferencia = ref.right(4);
    } else if (anoEPeriodo(tipoReferencia)) {
        r.anoReferencia = ref.left(4);
        r.periodo = ref.right(2);
    }
    return r;
}

} // namespace zove::documento
