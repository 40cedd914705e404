#include "entry/RegrasReceita.h"

#include "common/Formato.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "validation/Validacao.h"

#include <algorithm>

namespace zove {

namespace {

bool eh(const QString& valor, const char* codigo) {
    return valor == QLatin1String(codigo);
}

bool naoSeAplica(const QString& flag) {
    return flag.isEmpty() || eh(flag, "9");
}

// A table code as an item value; nothing when it is not a number.
std::optional<int> codigoDe(const QString& texto) {
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

template <class Colecao, class Texto, class Codigo>
Itens itensDe(const std::shared_ptr<Colecao>& colecao, Texto texto, Codigo codigo) {
    Itens itens;
    if (!colecao)
        return itens;
    for (const auto& r : *colecao) {
        if (!r)
            break;
        const QString t = texto(*r);
        if (t.trimmed().isEmpty())
            continue;
        const auto c = codigoDe(codigo(*r));
        if (!c)
            break;
        itens.append({t, *c});
    }
    return itens;
}

} // namespace

std::optional<FlagsReceita> flagsDaReceita(Referencias& refs, int receita) {
    const auto regras = refs.oZovEnv().ValidacaoReceitaSelectOne(QString::number(receita));
    if (!regras || regras->Count() != 1)
        return std::nullopt;
    const auto& r = *regras->Item(1);
    FlagsReceita f{r.MVD_NOME,       r.MVD_TIPO_DOCUMENTO, r.MVD_DOCUMENTO, r.MVD_REFERENCIA,
                   r.MVD_VENCIMENTO, r.MVD_CLASSE_VECTO,   r.MVD_MUNIC,     r.MVD_TELEFONE};
    if (codigoDe(r.MVD_MCR_COD_RCTA) == receitas::SubstituicaoOperacao)
        f.MVD_TIPO_DOCUMENTO = QStringLiteral("1");
    return f;
}

int grupoPeriodo(const QString& ref) {
    if (ref.isEmpty() || eh(ref, "1"))
        return 1;
    if (ref.size() == 1 && ref[0] >= QLatin1Char('2') && ref[0] <= QLatin1Char('5'))
        return ref[0].unicode() - u'0';
    return 0;
}

Habilitacao habilitacaoDaReceita(const FlagsReceita& f, int receita) {
    auto nomeOuTelefone = [](const QString& flag) {
        if (eh(flag, "1"))
            return EstadoCampo::Obrigatorio;
        return naoSeAplica(flag) ? EstadoCampo::NaoAplicavel : EstadoCampo::Inalterado;
    };
    Habilitacao h;
    h.nome = nomeOuTelefone(f.MVD_NOME);
    h.telefone = nomeOuTelefone(f.MVD_TELEFONE);
    h.documentoOrigem = naoSeAplica(f.MVD_DOCUMENTO) ? EstadoCampo::NaoAplicavel : EstadoCampo::Obrigatorio;
    h.municipio = eh(f.MVD_MUNIC, "1") ? EstadoCampo::Obrigatorio : EstadoCampo::NaoAplicavel;
    h.vencimento = naoSeAplica(f.MVD_VENCIMENTO) ? EstadoCampo::NaoAplicavel : EstadoCampo::Obrigatorio;
    h.grupoPeriodo = grupoPeriodo(f.MVD_REFERENCIA);
    h.limiteDocumentoOrigem = receita == receitas::NotaFiscalAvulsa ? 6 : 0;
    return h;
}

EstadoCampo estadoClasse(const FlagsReceita& f, int receita, int tipo, bool listaVazia) {
    if (listaVazia)
        return EstadoCampo::NaoAplicavel;
    if ((receita == receitas::ImportacaoMercadorias || receita == receitas::SubstituicaoOperacao) &&
        tipo != 1)
        return EstadoCampo::NaoAplicavel;
    if (eh(f.MVD_CLASSE_VECTO, "2"))
        return EstadoCampo::Obrigatorio;
    if (eh(f.MVD_CLASSE_VECTO, "1")) {
        const bool semClasseParaEmpresa =
            (receita == receitas::SubstituicaoApuracao || receita == receitas::DiferencialAliquota) &&
            (tipo == 2 || tipo == 3);
        return semClasseParaEmpresa ? EstadoCampo::NaoAplicavel : EstadoCampo::Obrigatorio;
    }
    return EstadoCampo::NaoAplicavel;
}

bool tipoPermitido(const QString& permitidos, const QString& MTI_ID) {
    return permitidos.isEmpty() || permitidos.contains(MTI_ID);
}

QString tiposPermitidosPorServico(const QString& s) {
    static const QStringList renavam{"2422", "2423", "2424", "2425", "2426", "2427", "2428", "2429"};
    static const QStringList cpf{"2441", "2442", "2443", "2444", "2445", "2446", "2447", "2448"};
    static const QStringList empresaOuPessoa{"2421", "24211", "24212", "2431"};
    if (renavam.contains(s))
        return QStringLiteral("5");
    if (cpf.contains(s))
        return QStringLiteral("3");
    if (empresaOuPessoa.contains(s))
        return QStringLiteral("2,3");
    if (s.startsWith(QLatin1String("24")))
        return QStringLiteral("2,3,5");
    return QStringLiteral("1,2,3,4");
}

Itens tiposDeReceita(const Referencias& refs) {
    return itensDe(
        refs.oMAB_TIPO_RECEITAs, [](const tabulon::MAB_TIPO_RECEITA& r) { return r.MTR_DESCRICAO; },
        [](const tabulon::MAB_TIPO_RECEITA& r) { return r.MTR_TIP_RECEITA; });
}

Itens receitasDoTipo(const Referencias& refs, int tipo) {
    if (!refs.oARREC_MAB_RECEITAs || !refs.oMAB_VALIDA_DOCs)
        return {};
    const auto doTipo =
        refs.oARREC_MAB_RECEITAs->Query_Receitas_Do_Tipo(QString::number(tipo), *refs.oMAB_VALIDA_DOCs);
    Itens itens;
    if (!doTipo)
        return itens;
    for (const auto& r : *doTipo) {
        const auto c = codigoDe(r->MCR_COD_RCTA);
        if (!c)
            break;
        itens.append({formato::zeros(QString::number(*c), 4) + QStringLiteral(" - ") + r->MCR_NOME_RCTA, *c});
    }
    return itens;
}

Itens classesDaReceita(const Referencias& refs, int receita, bool servico) {
    Itens itens;
    if (!refs.oMAB_RECEITA_CLASSEs || !refs.oMAB_CLASSE_VENCIMENTOs)
        return itens;
    const auto ligacoes = refs.oMAB_RECEITA_CLASSEs->Query_MRC_MCR_COD_RCTA(QString::number(receita));
    if (!ligacoes)
        return itens;
    struct Linha {
        QString ordem;
        ItemLista item;
    };
    QList<Linha> linhas;
    QStringList vistos;
    for (const auto& r : *ligacoes) {
        if (vistos.contains(r->MRC_MCV_ID))
            continue;
        vistos.append(r->MRC_MCV_ID);
        const QString grupo = servico ? r->MRC_MCR_COD_RCTA : QStringLiteral("9999");
        const auto classe = refs.oMAB_CLASSE_VENCIMENTOs->Query_MCV_ID(r->MRC_MCV_ID, grupo);
        if (!classe || classe->Count() != 1)
            continue;
        const auto& c = *classe->Item(1);
        const auto id = codigoDe(c.MCV_ID);
        if (!id)
            break;
        linhas.append({c.MCV_ORDEM_EXIBICAO, {c.MCV_DESCRICAO, *id}});
    }
    // The display order, as a sorted list of "order - description" lines gives it.
    std::stable_sort(linhas.begin(), linhas.end(), [](const Linha& a, const Linha& b) {
        return QString::compare(a.ordem, b.ordem, Qt::CaseInsensitive) < 0;
    });
    for (const Linha& l : linhas)
        itens.append(l.item);
    return itens;
}

QString rotuloClasse(const QString& flag) {
    return eh(flag, "2") ? QStringLiteral("Classe de Serviço") : QStringLiteral("Classe de Vencimento");
}

Itens tiposDeIdentificacao(Referencias& refs, const QString& permitidos) {
    Itens itens;
    const auto tipos = refs.oZovEnv().Tipo_DocumentoSelectAll(QStringLiteral("1"));
    if (!tipos)
        return itens;
    for (const auto& r : *tipos) {
        if (!tipoPermitido(permitidos, r->MTI_ID))
            continue;
        const auto c = codigoDe(r->MTI_ID);
        if (!c)
            break;
        itens.append({r->MTI_DESCRIPTION, *c});
    }
    return itens;
}

Itens municipios(const Referencias& refs) {
    return itensDe(
        refs.oTAB_MUNICs, [](const tabulon::TAB_MUNIC& r) { return r.TMU_NOM_MUN; },
        [](const tabulon::TAB_MUNIC& r) { return r.TMU_COD_MUN; });
}

Itens periodicidades(const Referencias& refs) {
    if (!refs.oMAB_TIPO_PERIODICIDADEs)
        return {};
    return itensDe(
        refs.oMAB_TIPO_PERIODICIDADEs->Query_MTP_ID(QStringLiteral("1,2,3,4,5")),
        [](const tabulon::MAB_TIPO_PERIODICIDADE& r) { return r.MTP_DESCRIPTION; },
        [](const tabulon::MAB_TIPO_PERIODICIDADE& r) { return r.MTP_ID; });
}

Itens periodos(Referencias& refs, int tipoPeriodo) {
    return itensDe(
        refs.oZovEnv().Periodos(QString::number(tipoPeriodo)),
        [](const tabulon::PERIODOS& r) { return r.NOM_PERIODO; },
        [](const tabulon::PERIODOS& r) { return r.COD_PERIODO; });
}

QString codigoServico(const Referencias& refs, int classe, int receita) {
    if (!refs.oMAB_CLASSE_VENCIMENTOs)
        return {};
    const auto c =
        refs.oMAB_CLASSE_VENCIMENTOs->Query_MCV_ID(QString::number(classe), QString::number(receita));
    return c && c->Count() >= 1 ? c->Item(1)->MCV_COD_SERVICO : QString();
}

QString UltimoDiaDoMes(const QString& mes, const QString& ano) {
    bool okMes = false, okAno = false;
    const int m = mes.trimmed().toInt(&okMes);
    const int a = ano.trimmed().toInt(&okAno);
    if (!okMes || !okAno || a < 1 || a > 9999)
        return {};
    for (int dia = 31; dia >= 20; --dia) {
        if (QDate::isValid(a, m, dia))
            return QStringLiteral("%1/%2/%3")
                .arg(dia, 2, 10, QLatin1Char('0'))
                .arg(m, 2, 10, QLatin1Char('0'))
                .arg(a, 4, 10, QLatin1Char('0'));
    }
    return {};
}

QDate UltimoDiaMesCorrente(const QDate& hoje) {
    return QDate(hoje.year(), hoje.month(), 1).addMonths(1).addDays(-1);
}

QString NomeReceita(const QString& texto) {
    if (texto.isEmpty() || !texto[0].isDigit())
        return texto;
    const qsizetype traco = texto.indexOf(QLatin1Char('-'));
    if (traco < 0)
        return texto;
    return texto.mid(traco + 2);
}

namespace {

const TipoIdentificacao tiposIdentificacao[] = {
    {1, 9, 12, "00\\.000\\.000\\-0", &validaInscricaoEstadual, "Número da Inscrição estadual é inválida"},
    {2, 14, 18, "00\\.000\\.000\\/0000\\-00", &validaCNPJ, "Número do CNPJ é inválido!"},
    {3, 11, 14, "000\\.000\\.000\\-00", &validaCPF, "Número do CPF é inválido!"},
    {4, 12, 14, nullptr, nullptr, nullptr},
    {5, 9, 11, "0000\\.0000\\-0", &validaNumeroRenavam, "Número de Renavam é inválido!"},
};

} // namespace

const TipoIdentificacao* tipoIdentificacao(int codigo) {
    for (const auto& t : tiposIdentificacao) {
        if (t.codigo == codigo)
            return &t;
    }
    return nullptr;
}

QString digitosIdentificacao(const QString& texto) {
    QString t = texto;
    t.remove(QLatin1Char('.')).remove(QLatin1Char('-')).remove(QLatin1Char('/'));
    return t;
}

ResultadoIdentificacao confereIdentificacao(int tipo, const QString& texto) {
    ResultadoIdentificacao r;
    r.texto = texto;
    const QString digitos = digitosIdentificacao(texto);
    const TipoIdentificacao* t = tipoIdentificacao(tipo);
    if (texto.isEmpty() || !t || !formato::somenteDigitos(digitos))
        return r;
    if (!t->teste) {
        r.comprimentoMaximo = t->comprimentoExibicao;
        return r;
    }
    if (t->teste(digitos)) {
        r.comprimentoMaximo = t->comprimentoExibicao;
        r.texto = formato::mascara(digitos, QString::fromLatin1(t->mascara));
        return r;
    }
    r.aceita = false;
    r.comprimentoMaximo = t->comprimentoEdicao;
    r.texto = digitos;
    r.mensagem = QString::fromUtf8(t->mensagem);
    return r;
}

} // namespace zove
