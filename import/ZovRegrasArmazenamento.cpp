// The storing step of an imported document: the document and its taxpayer as the tables hold them,
// checked to be storable, then handed to the import's batch.
#include "import/ZovRegras.h"

#include "common/Formato.h"
#include "import/LoteImportacao.h"
#include "import/ZovRegrasCampos.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Init.h"
#include "tabulon/Texto1252.h"

#include <optional>

namespace zove {

namespace {

QString textoDaData(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// The width the entry form stores an identification with, by type.
int larguraDaIdentificacao(const QString& tipo) {
    if (tipo == QLatin1String("2"))
        return 14;
    if (tipo == QLatin1String("3"))
        return 11;
    if (tipo == QLatin1String("1") || tipo == QLatin1String("5"))
        return 9;
    return 0;
}

// Why a value cannot go into a table file, or nothing when it can.
std::optional<QString> problemaParaGravar(const QString& valor) {
    for (const QChar c : valor) {
        if (c == QLatin1Char('|'))
            return QStringLiteral("o caractere \"|\"");
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return QStringLiteral("uma quebra de linha");
        if (c.isNull())
            return QStringLiteral("um caractere nulo");
    }
    if (!tabulon::representavelEm1252(valor))
        return QStringLiteral("um caractere que não existe na página de código Windows-1252");
    return std::nullopt;
}

template <class Registro> std::optional<QString> problemaDoRegistro(const Registro& r) {
    for (const auto& d : Registro::campos) {
        const QString& valor = r.*(d.membro);
        if (auto p = problemaParaGravar(valor))
            return QStringLiteral("O campo %1 contém %2 e não pode ser gravado.")
                .arg(QLatin1String(d.campo), *p);
        // The file has no escape for "&": an entity name in a decoded column would read back as the
        // letter it names, and the facade refuses the whole batch for it.
        if (d.decodificado && valor.contains(QLatin1Char('&')) &&
            tabulon::Init::DecodificaTexto(valor) != valor)
            return QStringLiteral("O campo %1 contém um nome de entidade e não pode ser gravado.")
                .arg(QLatin1String(d.campo));
    }
    return std::nullopt;
}

} // namespace

bool ZovRegras::armazena() {
    if (m_incluido || !m_ctx.lote)
        return true;

    QString referencia;
    if (MVD_REFERENCIA == QLatin1String("1") || MVD_REFERENCIA.isEmpty() ||
        MVD_REFERENCIA == QLatin1String("2") || MVD_REFERENCIA == QLatin1String("4"))
        referencia = m_ano + formato::zeros(m_periodo, 2);
    else if (MVD_REFERENCIA == QLatin1String("3"))
        referencia = QString::number(m_parcelas.toInt());
    else if (MVD_REFERENCIA == QLatin1String("5"))
        referencia = m_ano;
    if (referencia.isEmpty())
        referencia = QStringLiteral("000000");

    const auto ouZero = [](const QString& v) { return v.isEmpty() ? QStringLiteral("0") : v; };
    const QString identificacao =
        formato::zeros(m_NumIdentificacao, larguraDaIdentificacao(m_tipoIdentificacao));

    tabulon::ZOV documento;
    documento.TIPO_DOCUMENTO_IDENT = m_tipoIdentificacao;
    documento.NUM_DOCUMENTO_IDENT = identificacao;
    documento.COD_RECEITA = m_receita;
    documento.REFERENCIA = referencia;
    documento.NUM_DOCUMENTO_ORIGEM = ouZero(m_NumDocumentoOrigem);
    documento.DATA_VENCIMENTO = textoDaData(*regras::dataReal(m_DataVencimento));
    documento.DATA_CALCULO = textoDaData(*regras::dataReal(m_DataMaximaPagamento));
    documento.VALOR_PRINCIPAL = m_ValorPrincipal;
    documento.VALOR_JUROS = m_Juros;
    documento.VALOR_MULTA = m_Multa;
    documento.VALOR_CORRECAO = m_CorrecaoMonetaria;
    documento.VALOR_TOTAL = m_total;
    documento.DATA_ATUALIZACAO = textoDaData(m_ctx.hoje);
    documento.COD_UF = QStringLiteral("OL");
    documento.COD_MUNICIPIO = ouZero(m_CodMunicipio);
    documento.COD_CLASSE_VECTO = ouZero(m_CodClasseVencimento);
    documento.IMPRESSO = QStringLiteral("0");

    tabulon::CONTRIBUINTE contribuinte;
    contribuinte.TIPO_DOCUMENTO = m_tipoIdentificacao;
    contribuinte.DOCUMENTO_IDENTIFICACAO = identificacao;
    contribuinte.RAZAO_SOCIAL = m_RazaoSocial;
    contribuinte.NUM_DDD = m_DDD;
    contribuinte.NUM_FONE = m_Telefone;

    // Both records are checked before either is kept, so a document never goes without its taxpayer.
    auto problema = problemaDoRegistro(documento);
    if (!problema)
        problema = problemaDoRegistro(contribuinte);
    if (problema) {
        registra(*problema);
        return false;
    }
    m_ctx.lote->inclui(documento, contribuinte);
    m_incluido = true;
    return true;
}

} // namespace zove
