#include "entry/VerificacaoPreenchimento.h"

#include "common/Formato.h"
#include "data/Referencias.h"
#include "entry/RegrasReceita.h"
#include "tabulon/Funcoes.h"
#include "validation/Validacao.h"

namespace zove {

namespace checagem {

bool vazio(const QString& texto) {
    return texto.trimmed().isEmpty();
}

std::optional<QDate> leData(const QString& texto, const QDate& hoje) {
    if (vazio(texto))
        return std::nullopt;
    const ResultadoCampo r = validaCampoData(texto, hoje);
    if (!r.ok)
        return std::nullopt;
    const QDate d = QDate::fromString(r.texto, QStringLiteral("dd/MM/yyyy"));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

std::optional<QDate> dataLimite(const Referencias& refs) {
    if (!refs.oPARAMETROSs || refs.oPARAMETROSs->Count() < 1)
        return std::nullopt;
    return tabulon::lerData(refs.oPARAMETROSs->Item(1)->DATA_VALIDADE);
}

bool documentoOrigemNaoSeAplica(const QString& flag) {
    return flag.isEmpty() || flag == QLatin1String("9");
}

bool documentoOrigemOpcional(const QString& flag) {
    return flag == QLatin1String("6");
}

qint64 valorNumerico(const QString& texto) {
    // The leading digits, as a numeric reading of a field does; anything else reads as 0.
    const QString t = texto.trimmed();
    qsizetype n = 0;
    while (n < t.size() && n < 18 && t[n].isDigit())
        ++n;
    return n == 0 ? 0 : t.left(n).toLongLong();
}

ProblemaAno confereAno(const QString& ano, int maximo) {
    if (vazio(ano))
        return ProblemaAno::Vazio;
    const qint64 a = formato::somenteDigitos(ano) ? valorNumerico(ano) : 0;
    if (a > maximo)
        return ProblemaAno::AlemDoMaximo;
    if (a < anoMinimo)
        return ProblemaAno::AntesDoMinimo;
    return ProblemaAno::Nenhum;
}

bool parcelaValida(const QString& numero) {
    if (!formato::somenteDigitos(numero))
        return false;
    const qint64 n = valorNumerico(numero);
    return n >= 1 && n <= 999;
}

std::optional<std::pair<QString, QString>> diasDoPeriodo(const Preenchimento& p) {
    auto dia = [](const char* d, int mes, const QString& ano) {
        return QLatin1String(d) + QStringLiteral("%1/").arg(mes, 2, 10, QLatin1Char('0')) + ano.trimmed();
    };
    auto numerico = [](const QString& ano) { return formato::somenteDigitos(ano); };

    const int grupo = grupoPeriodo(p.flags.MVD_REFERENCIA);
    if (grupo == 1) {
        if (!p.mes.selecionado() || !numerico(p.ano1))
            return std::nullopt;
        const int m = p.mes.indice + 1;
        return std::pair{dia("01/", m, p.ano1), UltimoDiaDoMes(QString::number(m), p.ano1)};
    }
    if (grupo != 2 || !p.tipoPeriodo.selecionado() || !p.valorPeriodo.selecionado() ||
        !numerico(p.anoPeriodo))
        return std::nullopt;
    const int i = p.valorPeriodo.indice;
    const QString& y = p.anoPeriodo;
    const QChar primeiro = p.valorPeriodo.texto.isEmpty() ? QChar() : p.valorPeriodo.texto[0];
    switch (p.tipoPeriodo.codigo) {
    case 3:
        return std::pair{dia("01/", i + 1, y), UltimoDiaDoMes(QString::number(i + 1), y)};
    case 1: {
        const int m = i / 3 + 1;
        if (primeiro == QLatin1Char('1'))
            return std::pair{dia("01/", m, y), dia("10/", m, y)};
        if (primeiro == QLatin1Char('2'))
            return std::pair{dia("11/", m, y), dia("20/", m, y)};
        return std::pair{dia("21/", m, y), UltimoDiaDoMes(QString::number(m), y)};
    }
    case 2: {
        const int m = i / 2 + 1;
        if (primeiro == QLatin1Char('1'))
            return std::pair{dia("01/", m, y), dia("15/", m, y)};
        return std::pair{dia("16/", m, y), UltimoDiaDoMes(QString::number(m), y)};
    }
    case 4: {
        const int f = i * 3 + 1;
        return std::pair{dia("01/", f, y), UltimoDiaDoMes(QString::number(f + 2), y)};
    }
    case 5: {
        const int f = i * 6 + 1;
        return std::pair{dia("01/", f, y), UltimoDiaDoMes(QString::number(f + 5), y)};
    }
    default:
        return std::nullopt;
    }
}

} // namespace checagem

namespace {

using namespace checagem;
using Mensagem = std::optional<QString>;

Mensagem se(bool condicao, const char* mensagem) {
    return condicao ? Mensagem(QString::fromUtf8(mensagem)) : std::nullopt;
}

const char* const PeriodoNaoPreenchido = " - Período de referência não preenchido";

// The reference-period check: at most one message.
Mensagem verificaReferencia(const Preenchimento& p, const QDate& hoje) {
    const QString& ref = p.flags.MVD_REFERENCIA;
    auto ano = [&](const QString& texto, bool exercicio) -> Mensagem {
        switch (confereAno(texto, exercicio ? hoje.year() : hoje.year() + 1)) {
        case ProblemaAno::Vazio:
            return QString::fromUtf8(exercicio ? " - O exercício deve ser informado "
                                               : " - Ano da referência deve ser preenchido ");
        case ProblemaAno::AlemDoMaximo:
            return QString::fromUtf8(
                exercicio
                    ? " - O exercício deve ser igual ou menor ao ano da data corrente. "
                    : " - Ano da referência deve ser menor, igual, ou seguinte ao ano da data corrente. ");
        case ProblemaAno::AntesDoMinimo:
            return QString::fromUtf8(" - Ano inválido. Ano não poderá ser menor que 1990 ");
        case ProblemaAno::Nenhum:
            break;
        }
        return std::nullopt;
    };
    switch (grupoPeriodo(ref)) {
    case 1:
        if (!p.mes.selecionado())
            return QString::fromUtf8(PeriodoNaoPreenchido);
        return ano(p.ano1, false);
    case 2:
        if (!p.tipoPeriodo.selecionado() || !p.valorPeriodo.selecionado())
            return QString::fromUtf8(PeriodoNaoPreenchido);
        return ano(p.anoPeriodo, false);
    case 3:
        if (vazio(p.numParcela))
            return QString::fromUtf8(" - Número de Parcela deve ser preenchido ");
        return se(!parcelaValida(p.numParcela), " - Número da parcela deve estar entre 1 e 999");
    case 4:
        if (!p.quota.selecionado())
            return QString::fromUtf8(PeriodoNaoPreenchido);
        return ano(p.anoQuota, false);
    case 5:
        return ano(p.ano, true);
    default:
        return std::nullopt;
    }
}

QString dataCurta(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

bool numericoUm(const QString& flag) {
    return formato::somenteDigitos(flag) && valorNumerico(flag) == 1;
}

const QList<LinhaVerificacao> linhas{
    {"1",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(vazio(p.tipoReceita.texto), " - Tipo de Receita não preenchido");
     }},
    {"2",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(vazio(p.receita.texto), " - Codigo de Receita não preenchido");
     }},
    {"3",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(vazio(p.tipoIdentificacao.texto), " - Tipo de identificação não preenchido");
     }},
    {"4",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(vazio(p.identificacao), " - Número de identificação não preenchido");
     }},
    {"5",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(numericoUm(p.flags.MVD_NOME) && vazio(p.nome), " - Nome/Razão Social não preenchido");
     }},
    {"6",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         const auto total = formato::centavos(p.valorTotal);
         return se(!total || *total == 0,
                   " - Valor Total a Pagar do Documento é igual a zero. Preencha o campo Valor Principal");
     }},
    {"7",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(documentoOrigemNaoSeAplica(p.flags.MVD_DOCUMENTO) && !vazio(p.numDoctoOrigem),
                   " - Número do Documento origem não pode ser preenchido");
     }},
    {"8",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         const QString& f = p.flags.MVD_DOCUMENTO;
         return se(!documentoOrigemNaoSeAplica(f) && !documentoOrigemOpcional(f) && vazio(p.numDoctoOrigem),
                   " - Número do Documento origem não preenchido");
     }},
    {"9",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         const QString& f = p.flags.MVD_DOCUMENTO;
         return se(!documentoOrigemNaoSeAplica(f) && !documentoOrigemOpcional(f) &&
                       !vazio(p.numDoctoOrigem) && valorNumerico(p.numDoctoOrigem) == 0,
                   " - Número do Documento origem não pode ser zero");
     }},
    {"10",
     [](const Preenchimento& p, const ContextoVerificacao& c) {
         return se(!validaDocumentoOrigem(p.numDoctoOrigem.trimmed(), p.flags.MVD_DOCUMENTO,
                                          c.refs.oTAB_CERT_ANTIGAs.get()),
                   " - Número do Documento origem é inválido");
     }},
    {"11",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(p.classeHabilitada && !p.classe.selecionado(), " - Classe de Vencimento não preenchida");
     }},
    // A required municipality left unselected would give a barcode number short of 44 digits.
    {"11a",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(p.flags.MVD_MUNIC == QLatin1String("1") && !p.municipio.selecionado(),
                   " - Município não preenchido");
     }},
    {"12",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(p.flags.MVD_VENCIMENTO == QLatin1String("1") && vazio(p.dataVencimento),
                   " - Data de vencimento não preenchida");
     }},
    // A typed date that is no calendar date must never reach the page.
    {"12a",
     [](const Preenchimento& p, const ContextoVerificacao& c) {
         return se(!vazio(p.dataVencimento) && !leData(p.dataVencimento, c.hoje),
                   " - Data de vencimento inválida");
     }},
    {"13",
     [](const Preenchimento& p, const ContextoVerificacao& c) {
         const auto d = leData(p.dataVencimento, c.hoje);
         return se(p.flags.MVD_VENCIMENTO == QLatin1String("1") && d && d->year() > c.hoje.year() + 1,
                   " - Ano da Data de vencimento deve ser menor, igual, ou seguinte ao ano da data corrente");
     }},
    {"14",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(vazio(p.dataMaxPagto), " - Data máxima para pagamento não preenchida");
     }},
    {"14a",
     [](const Preenchimento& p, const ContextoVerificacao& c) {
         return se(!vazio(p.dataMaxPagto) && !leData(p.dataMaxPagto, c.hoje),
                   " - Data máxima para pagamento inválida");
     }},
    {"15",
     [](const Preenchimento& p, const ContextoVerificacao& c) -> Mensagem {
         const auto d = leData(p.dataMaxPagto, c.hoje);
         const auto limite = dataLimite(c.refs);
         if (!d || !limite || *d <= *limite)
             return std::nullopt;
         return QStringLiteral(" - Data máxima para pagamento não pode ser maior que a data limite {%1} ")
             .arg(dataCurta(*limite));
     }},
    {"16",
     [](const Preenchimento& p, const ContextoVerificacao& c) -> Mensagem {
         const auto d = leData(p.dataMaxPagto, c.hoje);
         const QDate ultimo = UltimoDiaMesCorrente(c.hoje);
         if (!d || *d <= ultimo)
             return std::nullopt;
         return QStringLiteral(" - Data máxima para pagamento não pode ser maior que {%1} ")
             .arg(dataCurta(ultimo));
     }},
    {"17",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(numericoUm(p.flags.MVD_TELEFONE) && vazio(p.ddd), " - DDD não preenchido ");
     }},
    {"18",
     [](const Preenchimento& p, const ContextoVerificacao&) {
         return se(numericoUm(p.flags.MVD_TELEFONE) && vazio(p.fone), " - Telefone não preenchido ");
     }},
    {"19",
     [](const Preenchimento& p, const ContextoVerificacao& c) { return verificaReferencia(p, c.hoje); }},
    {"20",
     [](const Preenchimento& p, const ContextoVerificacao& c) -> Mensagem {
         if (!p.classeHabilitada || !p.classe.selecionado() || !c.refs.oMAB_RECEITA_CLASSEs)
             return std::nullopt;
         const auto dias = diasDoPeriodo(p);
         if (!dias)
             return std::nullopt;
         const bool valida = c.refs.oMAB_RECEITA_CLASSEs->CLASSE_EH_VALIDA(
             QString::number(p.classe.codigo), QString::number(p.receita.codigo), dias->first, dias->second);
         return se(!valida, " - Período de Referência inválido para a Classe selecionada");
     }},
};

} // namespace

const QList<LinhaVerificacao>& linhasVerificacao() {
    return linhas;
}

QStringList verificaPreenchimento(const Preenchimento& p, const ContextoVerificacao& ctx) {
    QStringList mensagens;
    for (const LinhaVerificacao& l : linhas) {
        if (auto m = l.verifica(p, ctx))
            mensagens.append(*m);
    }
    return mensagens;
}

QString textoErros(const QStringList& mensagens) {
    QString texto;
    for (qsizetype i = 0; i < mensagens.size(); ++i)
        texto += QString::number(i + 1) + mensagens[i] + QStringLiteral("\r\n");
    return texto;
}

QString textoRelatorioErros(const QStringList& mensagens) {
    return QStringLiteral("Foram encontrados os seguintes erros de preechimento no ZOVE: ") +
           QStringLiteral("\r\n\r\n\r\n") + textoErros(mensagens).toUpper();
}

} // namespace zove
