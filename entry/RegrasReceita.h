#pragma once
// What the selected revenue does to the entry form: its rule flags, which fields it makes required or
// not applicable, which period group it shows, which identification types and classes it offers,
// and the lists the form shows. Plain functions over the loaded tables, so they are tested without a
// window and shared with whatever else judges a document.
#include "entry/Preenchimento.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace zove {

class Referencias;

// What a rule does to one field: make it required (enabled, light yellow), not applicable (disabled,
// button face) or leave it as it was.
enum class EstadoCampo { Inalterado, Obrigatorio, NaoAplicavel };

// Revenues with rules of their own.
namespace receitas {
inline constexpr int ImportacaoMercadorias = 1457;
inline constexpr int DiferencialAliquota = 1465;
inline constexpr int SubstituicaoOperacao = 1473;
inline constexpr int NotaFiscalAvulsa = 1570;
inline constexpr int SubstituicaoApuracao = 1686;
inline constexpr int EstornoCreditoPresumido = 1740;
inline constexpr int ServicosTransito = 2135;
inline constexpr int FundoInfanciaPF = 9768;
inline constexpr int FundoInfanciaPJ = 9784;
} // namespace receitas

// The flags of a revenue's rule row, when it has exactly one. The allowed identification types of
// revenue 1473 are always "1".
std::optional<FlagsReceita> flagsDaReceita(Referencias& refs, int receita);

// The period group a reference code shows: 1 month and year ("1" or empty), 2 period of a
// periodicity, 3 parcel, 4 quota and year, 5 fiscal year; 0 none ("9" and unknown codes).
int grupoPeriodo(const QString& MVD_REFERENCIA);

// The fields a revenue switches when it is selected.
struct Habilitacao {
    EstadoCampo nome = EstadoCampo::Inalterado;
    EstadoCampo telefone = EstadoCampo::Inalterado; // DDD and telephone together
    EstadoCampo documentoOrigem = EstadoCampo::NaoAplicavel;
    EstadoCampo municipio = EstadoCampo::NaoAplicavel;
    EstadoCampo vencimento = EstadoCampo::NaoAplicavel;
    int grupoPeriodo = 1;
    // Maximum length of the originating-document number; 0 lifts any limit.
    int limiteDocumentoOrigem = 0;

    bool operator==(const Habilitacao&) const = default;
};

// `flags` as flagsDaReceita gives them (all empty when the revenue has no single rule row). Name and
// telephone are not applicable without a rule row, so a previous revenue's state never lingers.
Habilitacao habilitacaoDaReceita(const FlagsReceita& flags, int receita);

// The class list after the revenue or the identification type changed. An empty list is never
// required. Revenues 1457 and 1473 require it only for identification type 1; revenues 1465 and
// 1686 never for types 2 and 3.
EstadoCampo estadoClasse(const FlagsReceita& flags, int receita, int tipoIdentificacao, bool listaVazia);

// Whether an identification type is offered under an allowed list: an empty list allows every type;
// otherwise the code must occur in the list's text ("1" is found in "11").
bool tipoPermitido(const QString& permitidos, const QString& MTI_ID);

// Revenue 2135: the identification types a service code allows.
QString tiposPermitidosPorServico(const QString& MCV_COD_SERVICO);

// One entry of a list: the text shown and the item value.
struct ItemLista {
    QString texto;
    int codigo = 0;

    bool operator==(const ItemLista&) const = default;
};
using Itens = QList<ItemLista>;

// The lists of the form, in the order shown. A row whose code is not a number ends its list there.
Itens tiposDeReceita(const Referencias& refs);
// "1147 - ICMS - ..." for each revenue of the type that may be issued here.
Itens receitasDoTipo(const Referencias& refs, int tipo);
// The due-date classes (servico false) or service classes of a revenue, in display order.
Itens classesDaReceita(const Referencias& refs, int receita, bool servico);
// The caption of the class list for the revenue's class flag.
QString rotuloClasse(const QString& MVD_CLASSE_VECTO);
Itens tiposDeIdentificacao(Referencias& refs, const QString& permitidos);
Itens municipios(const Referencias& refs);
Itens periodicidades(const Referencias& refs);
Itens periodos(Referencias& refs, int tipoPeriodo);
// Periods of the month list and of the quota list.
inline constexpr int periodicidadeMeses = 3;
inline constexpr int periodicidadeCotas = 7;

// The service code of a class of revenue 2135; empty when the class is unknown.
QString codigoServico(const Referencias& refs, int classe, int receita);

// ---- dates and names ----------------------------------------------------------------------------

// The first of day 31 down to 20 that makes a valid date "dd/mm/yyyy" of that month; empty when
// none does (or the month or year is not a number).
QString UltimoDiaDoMes(const QString& mes, const QString& ano);
// The last day of the month of `hoje`.
QDate UltimoDiaMesCorrente(const QDate& hoje);
// The revenue's name from its list text "1147 - ICMS - ...": the text two characters after the first
// "-", when the text begins with a digit; otherwise the text itself.
QString NomeReceita(const QString& texto);

// ---- identification -----------------------------------------------------------------------------

// How an identification type is edited and shown.
struct TipoIdentificacao {
    int codigo;
    int comprimentoEdicao;
    int comprimentoExibicao;
    const char* mascara;           // null: shown as typed
    bool (*teste)(const QString&); // null: not tested
    const char* mensagem;          // UTF-8, shown when the test fails
};
// Null for a code that is not 1 to 5.
const TipoIdentificacao* tipoIdentificacao(int codigo);

// The identification without ".", "-" and "/".
QString digitosIdentificacao(const QString& texto);

// The check-and-format step when the identification is left.
struct ResultadoIdentificacao {
    bool aceita = true;
    QString texto;             // what the field shows afterwards
    int comprimentoMaximo = 0; // 0: leave as it is
    QString mensagem;          // when refused
};
ResultadoIdentificacao confereIdentificacao(int tipo, const QString& texto);

} // namespace zove
