#include "import/ZovRegras.h"

#include "common/Formato.h"
#include "data/Referencias.h"
#include "entry/RegrasReceita.h"
#include "entry/VerificacaoPreenchimento.h"
#include "import/RegistroZove.h"
#include "import/ZovRegrasCampos.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Funcoes.h"
#include "validation/Validacao.h"

#include <limits>
#include <optional>

namespace zove {

const QString ZovRegras::Importado = QStringLiteral("Importado");
const QString ZovRegras::Invalido = QStringLiteral("Inválido");
const QString ZovRegras::ErroConversao =
    QStringLiteral("Erro na importação dos dados. Tipo de dados diferente do esperado");

using regras::dataReal;

namespace {

const QString kNaoPermite = QStringLiteral(" não permite tal preenchimento");

// A field read as a whole number: blanks around it and a sign are allowed, nothing else.
std::optional<qint64> numeroDoCampo(const QString& campo) {
    const QString t = campo.trimmed();
    qsizetype i = 0;
    bool negativo = false;
    if (!t.isEmpty() && (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+'))) {
        negativo = t[0] == QLatin1Char('-');
        i = 1;
    }
    const QStringView digitos = QStringView(t).sliced(i);
    if (!tabulon::soDigitos(digitos))
        return std::nullopt;
    qint64 v = 0;
    for (const QChar c : digitos) {
        if (v > (std::numeric_limits<qint64>::max() - 9) / 10)
            return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return negativo ? -v : v;
}

template <class ColecaoPtr> qsizetype quantos(const ColecaoPtr& c) {
    return c ? c->Count() : 0;
}

} // namespace

ZovRegras::ZovRegras(ContextoRegras contexto) : m_ctx(contexto), m_Status(Invalido) {}

void ZovRegras::NewZov(const QString& linha) {
    using registro::Campo;
    m_Status = Invalido;
    const QString texto = tabulon::semBrancos(linha);
    if (texto.isEmpty()) {
        registra(QStringLiteral("ZOVE em branco"));
        return;
    }
    if (texto.size() != registro::tamanhoRegistro) {
        registra(QStringLiteral("ZOVE inválido. Registro com tamanho diferente de %1 caracteres")
                     .arg(registro::tamanhoRegistro));
        return;
    }
    const registro::Campos c = registro::corta(texto);

    const auto numero = [&](Campo k) {
        const auto v = numeroDoCampo(c[k]);
        if (!v) {
            registra(ErroConversao);
            return QString();
        }
        return *v == 0 ? QString() : QString::number(*v);
    };
    // aaaammdd becomes dd/mm/aaaa; a number of another length stays as read and fails the date rule.
    const auto data = [&](Campo k) {
        const QString t = numero(k);
        if (t.size() != 8 || !tabulon::soDigitos(t))
            return t;
        return t.mid(6, 2) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.left(4);
    };
    // Centavos without separator become reais with a decimal comma (45 becomes ",45").
    const auto valor = [&](Campo k) {
        const auto v = numeroDoCampo(c[k]);
        if (!v) {
            registra(ErroConversao);
            return QString();
        }
        const QString t = QString::number(*v);
        if (*v <= 0)
            return t;
        if (t.size() == 1)
            return QStringLiteral("0,0") + t;
        return t.left(t.size() - 2) + QLatin1Char(',') + t.right(2);
    };

    m_receita = numero(registro::receita);
    m_tipoIdentificacao = numero(registro::tipoIdentificacao);
    m_NumIdentificacao = numero(registro::NumIdentificacao);
    m_RazaoSocial = tabulon::semBrancos(c[registro::RazaoSocial]);
    m_DDD = numero(registro::DDD);
    m_Telefone = numero(registro::Telefone);
    m_NumDocumentoOrigem = numero(registro::NumDocumentoOrigem);

    QString classe = tabulon::semBrancos(c[registro::CodClasseVencimento]);
    while (classe.startsWith(QLatin1Char('0')))
        classe.remove(0, 1);
    if (m_receita == QString::number(receitas::EstornoCreditoPresumido)) {
        classe.clear();
    } else if (!classe.isEmpty() && m_ctx.refs && m_ctx.refs->oMAB_CLASSE_VENCIMENTOs) {
        // A service code names its class when exactly one class of the revenue has it.
        const auto porServico = m_ctx.refs->oMAB_CLASSE_VENCIMENTOs->Query_MCV_COD_SERVICO(classe, m_receita);
        if (quantos(porServico) == 1)
            classe = porServico->Item(1)->MCV_ID;
    }
    m_CodClasseVencimento = classe;

    m_CodMunicipio = numero(registro::CodMunicipio);
    m_DataVencimento = data(registro::DataVencimento);
    m_DataMaximaPagamento = data(registro::DataMaximaPagamento);
    m_parcelas = numero(registro::parcelas);
    m_tipoPeriodo = numero(registro::tipoPeriodo);
    m_periodo = numero(registro::periodo);
    m_ano = numero(registro::ano);
    m_ValorPrincipal = valor(registro::ValorPrincipal);
    m_Multa = valor(registro::Multa);
    m_Juros = valor(registro::Juros);
    m_CorrecaoMonetaria = valor(registro::CorrecaoMonetaria);
    m_total = valor(registro::total);

    m_Status = IsValid() ? Importado : Invalido;
}

bool ZovRegras::IsValid() {
    if (!regraReceita())
        return false;
    // Every rule runs, so the log lists every problem in rule order.
    bool ok = regraTipoIdentificacao();
    ok = regraIdentificacao() && ok;
    ok = regraNome() && ok;
    ok = regraTelefone() && ok;
    ok = regraDocumentoOrigem() && ok;
    ok = regraClasseVencimento() && ok;
    ok = regraMunicipio() && ok;
    ok = regraDataVencimento() && ok;
    ok = regraDataMaximaPagamento() && ok;
    ok = regraPeriodo() && ok;
    ok = regraValores() && ok;
    return ok && armazena();
}

bool ZovRegras::flagDesconhecida(const char* flag, const QString& valor) {
    registra(QStringLiteral("A regra %1 da receita %2 tem o valor \"%3\", que não é previsto.")
                 .arg(QLatin1String(flag), m_receita, valor));
    return false;
}

QSet<QString> receitasOferecidas(const Referencias& refs) {
    QSet<QString> codigos;
    for (const ItemLista& tipo : tiposDeReceita(refs)) {
        for (const ItemLista& receita : receitasDoTipo(refs, tipo.codigo))
            codigos.insert(QString::number(receita.codigo));
    }
    return codigos;
}

bool ZovRegras::regraReceita() {
    const Referencias* refs = m_ctx.refs;
    const auto regras =
        refs && refs->oMAB_VALIDA_DOCs ? refs->oMAB_VALIDA_DOCs->Query_MVD_MCR_COD_RCTA(m_receita) : nullptr;
    // Without the loaded tables no revenue can be judged (nor offered).
    const bool oferecida = m_ctx.receitasOferecidas ? m_ctx.receitasOferecidas->contains(m_receita)
                           : refs                   ? receitasOferecidas(*refs).contains(m_receita)
                                                    : false;
    if (quantos(regras) != 1 || !oferecida) {
        registra(QStringLiteral("Receita inválida"));
        return false;
    }
    const auto& r = *regras->Item(1);
    MVD_NOME = r.MVD_NOME;
    MVD_TIPO_DOCUMENTO = r.MVD_TIPO_DOCUMENTO;
    MVD_DOCUMENTO = r.MVD_DOCUMENTO;
    MVD_REFERENCIA = r.MVD_REFERENCIA;
    MVD_VENCIMENTO = r.MVD_VENCIMENTO;
    MVD_CLASSE_VECTO = r.MVD_CLASSE_VECTO;
    MVD_MUNIC = r.MVD_MUNIC;
    MVD_TELEFONE = r.MVD_TELEFONE;
    return true;
}

bool ZovRegras::regraTipoIdentificacao() {
    if (m_tipoIdentificacao.isEmpty()) {
        registra(QStringLiteral("Tipo de Identificação em branco"));
        return false;
    }
    if (!MVD_TIPO_DOCUMENTO.contains(m_tipoIdentificacao)) {
        registra(QStringLiteral("Tipo de Identificação inválido"));
        return false;
    }
    return true;
}

bool ZovRegras::regraIdentificacao() {
    if (!tabulon::soDigitos(m_NumIdentificacao)) {
        registra(QStringLiteral("Número de Identificação não é numérico"));
        return false;
    }
    bool valido = false;
    if (m_tipoIdentificacao == QLatin1String("1"))
        valido = validaInscricaoEstadual(m_NumIdentificacao);
    else if (m_tipoIdentificacao == QLatin1String("2"))
        valido = validaCNPJ(m_NumIdentificacao);
    else if (m_tipoIdentificacao == QLatin1String("3"))
        valido = validaCPF(m_NumIdentificacao);
    else if (m_tipoIdentificacao == QLatin1String("5"))
        valido = validaNumeroRenavam(m_NumIdentificacao);
    if (!valido)
        registra(QStringLiteral("Número de Identificação inválido"));
    return valido;
}

bool ZovRegras::regraNome() {
    if (MVD_NOME == QLatin1String("1")) {
        if (m_RazaoSocial.isEmpty()) {
            registra(QStringLiteral("Razão Social/Nome em branco"));
            return false;
        }
        return true;
    }
    if (MVD_NOME == QLatin1String("9") || MVD_NOME.isEmpty()) {
        if (!m_RazaoSocial.isEmpty()) {
            registra(QStringLiteral("Razão Social/Nome preenchida. A receita ") + m_receita + kNaoPermite);
            return false;
        }
        return true;
    }
    return flagDesconhecida("MVD_NOME", MVD_NOME);
}

bool ZovRegras::regraTelefone() {
    if (MVD_TELEFONE == QLatin1String("1")) {
        bool ok = true;
        if (m_DDD.isEmpty()) {
            registra(QStringLiteral("DDD em branco"));
            ok = false;
        } else if (!tabulon::soDigitos(m_DDD)) {
            registra(QStringLiteral("DDD não é numérico"));
            ok = false;
        }
        if (m_Telefone.isEmpty()) {
            registra(QStringLiteral("Número de Telefone em branco"));
            ok = false;
        } else if (!tabulon::soDigitos(m_Telefone)) {
            registra(QStringLiteral("Número de Telefone não é numérico"));
            ok = false;
        }
        return ok;
    }
    if (MVD_TELEFONE == QLatin1String("9") || MVD_TELEFONE.isEmpty()) {
        bool ok = true;
        if (!m_DDD.isEmpty()) {
            registra(QStringLiteral("DDD preenchido. A receita ") + m_receita + kNaoPermite);
            ok = false;
        }
        if (!m_Telefone.isEmpty()) {
            registra(QStringLiteral("Número de Telefone preenchido. A receita ") + m_receita + kNaoPermite);
            ok = false;
        }
        return ok;
    }
    return flagDesconhecida("MVD_TELEFONE", MVD_TELEFONE);
}

bool ZovRegras::regraDocumentoOrigem() {
    const QString& f = MVD_DOCUMENTO;
    if (checagem::documentoOrigemNaoSeAplica(f)) {
        if (!m_NumDocumentoOrigem.isEmpty()) {
            registra(QStringLiteral("Número de Documento de Origem preenchido. A receita ") + m_receita +
                     kNaoPermite);
            return false;
        }
        return true;
    }
    static const QStringList tipos{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                   QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                                   QStringLiteral("11")};
    if (!tipos.contains(f))
        return flagDesconhecida("MVD_DOCUMENTO", f);
    if (checagem::documentoOrigemOpcional(f) && m_NumDocumentoOrigem.isEmpty())
        return true;
    if (m_NumDocumentoOrigem.isEmpty()) {
        registra(QStringLiteral("Número de Documento de Origem em branco"));
        return false;
    }
    if (!tabulon::soDigitos(m_NumDocumentoOrigem)) {
        registra(QStringLiteral("Número de Documento de Origem não é numérico"));
        return false;
    }
    if (!validaDocumentoOrigem(m_NumDocumentoOrigem, f, m_ctx.refs->oTAB_CERT_ANTIGAs.get())) {
        registra(QStringLiteral("Número de Documento de Origem inválido"));
        return false;
    }
    return true;
}

bool ZovRegras::regraClasseVencimento() {
    const QString& f = MVD_CLASSE_VECTO;
    if (f == QLatin1String("1")) {
        const bool soParaInscricao = m_receita == QString::number(receitas::ImportacaoMercadorias) ||
                                     m_receita == QString::number(receitas::SubstituicaoOperacao);
        if (soParaInscricao && m_tipoIdentificacao != QLatin1String("1")) {
            if (!m_CodClasseVencimento.isEmpty()) {
                registra(QStringLiteral("Classe de Vencimento preenchido."));
                return false;
            }
            return true;
        }
        if (m_CodClasseVencimento.isEmpty()) {
            registra(QStringLiteral("Classe de Vencimento em branco"));
            return false;
        }
        if (!tabulon::soDigitos(m_CodClasseVencimento)) {
            registra(QStringLiteral("Classe de Vencimento não é numérico"));
            return false;
        }
        const auto& classes = m_ctx.refs->oMAB_CLASSE_VENCIMENTOs;
        const auto achadas =
            classes ? classes->Query_MCV_ID(m_CodClasseVencimento, QStringLiteral("9999")) : nullptr;
        if (quantos(achadas) != 1) {
            registra(QStringLiteral("Classe de Vencimento inválido"));
            return false;
        }
        return true;
    }
    if (f == QLatin1String("2")) {
        if (m_CodClasseVencimento.isEmpty()) {
            registra(QStringLiteral("Classe de Serviço em branco"));
            return false;
        }
        while (m_CodClasseVencimento.startsWith(QLatin1Char('0')))
            m_CodClasseVencimento.remove(0, 1);
        return true;
    }
    if (f == QLatin1String("4"))
        return true;
    if (f == QLatin1String("9") || f.isEmpty()) {
        if (!m_CodClasseVencimento.isEmpty()) {
            registra(QStringLiteral("Classe de Vencimento preenchido. A receita ") + m_receita + kNaoPermite);
            return false;
        }
        return true;
    }
    return flagDesconhecida("MVD_CLASSE_VECTO", f);
}

bool ZovRegras::regraMunicipio() {
    const QString& f = MVD_MUNIC;
    if (f == QLatin1String("1")) {
        if (m_CodMunicipio.isEmpty()) {
            registra(QStringLiteral("Código de Município em branco"));
            return false;
        }
        if (!tabulon::soDigitos(m_CodMunicipio)) {
            registra(QStringLiteral("Código de Município não é numérico"));
            return false;
        }
        const auto& municipios = m_ctx.refs->oTAB_MUNICs;
        if (quantos(municipios ? municipios->Query_TMU_COD_MUN(m_CodMunicipio) : nullptr) != 1) {
            registra(QStringLiteral("Código de Município não existente"));
            return false;
        }
        return true;
    }
    if (f == QLatin1String("9") || f.isEmpty()) {
        if (!m_CodMunicipio.isEmpty()) {
            registra(QStringLiteral("Código de Município preenchido. A receita ") + m_receita + kNaoPermite);
            return false;
        }
        return true;
    }
    return flagDesconhecida("MVD_MUNIC", f);
}

bool ZovRegras::regraDataVencimento() {
    if (m_DataVencimento.isEmpty()) {
        registra(QStringLiteral("Data de Vencimento em branco"));
        return false;
    }
    const auto data = dataReal(m_DataVencimento);
    if (!data) {
        registra(QStringLiteral("Data de Vencimento inválida"));
        return false;
    }
    // Reported, but the document stays valid.
    if (data->year() > m_ctx.hoje.year() + 1)
        registra(QStringLiteral(
            "Data de Vencimento inválida. Ano deve ser menor, igual, ou seguinte ao ano da data corrente"));
    return true;
}

bool ZovRegras::regraDataMaximaPagamento() {
    if (m_DataMaximaPagamento.isEmpty()) {
        registra(QStringLiteral("Data Máxima de Pagamento em branco"));
        return false;
    }
    const auto data = dataReal(m_DataMaximaPagamento);
    if (!data) {
        registra(QStringLiteral("Data Máxima de Pagamento inválida"));
        return false;
    }
    // Reported, but the document stays valid.
    if (data->year() != m_ctx.hoje.year() || data->month() != m_ctx.hoje.month())
        registra(QStringLiteral("Data Máxima de Pagamento fora do Período vigente"));
    return true;
}

// The two year checks that close the month, period and quota rules.
bool ZovRegras::regraAnoDoPeriodo() {
    // Reported, but the rule goes on.
    if (!validaAno(m_ano).ok)
        registra(QStringLiteral("Ano inválido. Ano não pode ser menor que 1990"));
    if (m_ano.toInt() > m_ctx.hoje.year() + 1) {
        registra(QStringLiteral(
            "Período inválido. Ano deve ser menor, igual, ou seguinte ao ano da data corrente"));
        return false;
    }
    return true;
}

bool ZovRegras::regraPeriodo() {
    const auto falha = [this](const char* texto) {
        registra(QString::fromUtf8(texto));
        return false;
    };
    const auto periodoNaTabela = [this](const QString& tipo) {
        const auto& periodos = m_ctx.refs->oPERIODOSs;
        return quantos(periodos ? periodos->Query_PERIODO(m_periodo, tipo) : nullptr) == 1;
    };
    const QString& f = MVD_REFERENCIA;
    // The entry form reads an empty reference kind as month and year.
    if (f == QLatin1String("1") || f.isEmpty()) {
        if (m_periodo.isEmpty())
            return falha("Período em branco");
        if (m_ano.isEmpty())
            return falha("Ano em branco");
        if (!tabulon::soDigitos(m_periodo))
            return falha("Período não é numérico");
        if (!tabulon::soDigitos(m_ano))
            return falha("Ano não é numérico");
        if (!periodoNaTabela(QStringLiteral("3")))
            return falha("Período inválido");
        return regraAnoDoPeriodo();
    }
    if (f == QLatin1String("2")) {
        if (m_periodo.isEmpty())
            return falha("Período em branco");
        if (m_ano.isEmpty())
            return falha("Ano em branco");
        if (!tabulon::soDigitos(m_ano))
            return falha("Ano não é numérico");
        if (m_tipoPeriodo.isEmpty())
            return falha("Tipo Período em branco");
        if (!tabulon::soDigitos(m_periodo))
            return falha("Período não é numérico");
        if (!tabulon::soDigitos(m_tipoPeriodo))
            return falha("Tipo Período não é numérico");
        if (!periodoNaTabela(m_tipoPeriodo))
            return falha("Período inválido");
        return regraAnoDoPeriodo();
    }
    if (f == QLatin1String("3")) {
        if (m_parcelas.isEmpty())
            return falha("Número de Parcelas em branco");
        if (!tabulon::soDigitos(m_parcelas))
            return falha("Número de Parcelas não é numérico");
        if (!checagem::parcelaValida(m_parcelas))
            return falha("Número de Parcelas deve estar entre 0 e 999");
        return true;
    }
    if (f == QLatin1String("4")) {
        if (m_periodo.isEmpty())
            return falha("Período em branco");
        if (!tabulon::soDigitos(m_periodo))
            return falha("Período não é numérico");
        if (m_ano.isEmpty())
            return falha("Ano em branco");
        if (!tabulon::soDigitos(m_ano))
            return falha("Ano não é numérico");
        if (!periodoNaTabela(QStringLiteral("7")))
            return falha("Período inválido");
        return regraAnoDoPeriodo();
    }
    if (f == QLatin1String("5")) {
        // The fiscal year, bounded as the entry form bounds it.
        if (m_ano.isEmpty())
            return falha("Ano em branco");
        if (!tabulon::soDigitos(m_ano))
            return falha("Ano não é numérico");
        switch (checagem::confereAno(m_ano, m_ctx.hoje.year())) {
        case checagem::ProblemaAno::Vazio:
            return falha("Ano em branco");
        case checagem::ProblemaAno::AlemDoMaximo:
            return falha("Exercício inválido. Ano deve ser menor ou igual ao ano da data corrente");
        case checagem::ProblemaAno::AntesDoMinimo:
            return falha("Ano inválido. Ano não pode ser menor que 1990");
        case checagem::ProblemaAno::Nenhum:
            break;
        }
        return true;
    }
    if (f == QLatin1String("9")) {
        if (!m_periodo.isEmpty() && m_periodo != QLatin1String("00000")) {
            registra(QStringLiteral("Período preenchido. A receita ") + m_receita + kNaoPermite);
            return false;
        }
        return true;
    }
    return flagDesconhecida("MVD_REFERENCIA", f);
}

bool ZovRegras::regraValores() {
    struct Valor {
        const QString& texto;
        const char* nome;
        std::optional<qint64> centavos;
    };
    std::array<Valor, 5> valores{{{m_ValorPrincipal, "Valor Principal", {}},
                                  {m_Multa, "Multa", {}},
                                  {m_Juros, "Juros", {}},
                                  {m_CorrecaoMonetaria, "Correção Monetária", {}},
                                  {m_total, "Total", {}}}};
    bool ok = true;
    for (auto& v : valores) {
        const QString nome = QString::fromUtf8(v.nome);
        if (v.texto.isEmpty()) {
            registra(nome + QStringLiteral(" em branco"));
            ok = false;
            continue;
        }
        v.centavos = formato::centavos(v.texto);
        if (!v.centavos || v.texto.contains(QLatin1Char('.'))) {
            registra(nome + QStringLiteral(" não é numérico"));
            v.centavos.reset();
            ok = false;
        } else if (*v.centavos < 0) {
            registra(nome + QStringLiteral(" não pode ser negativo"));
            ok = false;
        }
    }
    if (!ok)
        return false;
    const qint64 soma =
        *valores[0].centavos + *valores[1].centavos + *valores[2].centavos + *valores[3].centavos;
    if (soma != *valores[4].centavos) {
        registra(QStringLiteral(
            "Total diferente da somátória entre Valor Principal, Multa, Juros e Correção Monetária"));
        return false;
    }
    if (soma == 0) {
        registra(QStringLiteral("Total não pode ser zero"));
        return false;
    }
    return true;
}

} // namespace zove
