#pragma once
// The entry form as plain values: what the window's controls hold, read at once, so the form's rules
// can judge and assemble a document without a window.
#include <QString>
#include <functional>

class QDate;

namespace zove {

// "Today" for every date rule of the form.
using Relogio = std::function<QDate()>;

// The rule flags of the selected revenue, copied from its MAB_VALIDA_DOC row. All empty while no
// revenue with exactly one rule row is selected.
struct FlagsReceita {
    QString MVD_NOME;
    QString MVD_TIPO_DOCUMENTO;
    QString MVD_DOCUMENTO;
    QString MVD_REFERENCIA;
    QString MVD_VENCIMENTO;
    QString MVD_CLASSE_VECTO;
    QString MVD_MUNIC;
    QString MVD_TELEFONE;

    bool operator==(const FlagsReceita&) const = default;
};

// The selected entry of a list: its text, its item value and its position. No selection is index -1.
struct Selecao {
    QString texto;
    int codigo = 0;
    int indice = -1;

    bool selecionado() const { return indice >= 0; }
    bool operator==(const Selecao&) const = default;
};

struct Preenchimento {
    FlagsReceita flags;

    Selecao tipoReceita;
    Selecao receita;
    Selecao tipoIdentificacao;
    QString identificacao;
    QString nome;
    QString ddd;
    QString fone;
    QString numDoctoOrigem;
    Selecao classe;
    bool classeHabilitada = false;
    Selecao municipio;
    bool municipioHabilitado = false;

    // Reference period: month and year; periodicity, period and year; parcel; quota and year;
    // fiscal year.
    Selecao mes;
    QString ano1;
    Selecao tipoPeriodo;
    Selecao valorPeriodo;
    QString anoPeriodo;
    QString numParcela;
    Selecao quota;
    QString anoQuota;
    QString ano;

    QString dataVencimento;
    QString dataMaxPagto;

    QString valorPrincipal;
    QString valorMulta;
    QString valorJuros;
    QString valorCorrecao;
    QString valorTotal;
};

} // namespace zove
