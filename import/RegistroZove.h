#pragma once
// The record of a batch import file: one fixed-width line of 250 characters, Windows-1252, one byte
// per character, so the positions hold after an accented name.
#include <QByteArrayView>
#include <QString>
#include <array>

namespace zove::registro {

inline constexpr qsizetype tamanhoRegistro = 250;

enum Campo {
    receita,
    tipoIdentificacao,
    NumIdentificacao,
    RazaoSocial,
    DDD,
    Telefone,
    NumDocumentoOrigem,
    CodClasseVencimento,
    CodMunicipio,
    DataVencimento,
    DataMaximaPagamento,
    parcelas,
    tipoPeriodo,
    periodo,
    ano,
    ValorPrincipal,
    Multa,
    Juros,
    CorrecaoMonetaria,
    total,
    quantidadeCampos
};

struct Posicao {
    const char* nome;
    qsizetype inicio;  // first character, counted from 1
    qsizetype tamanho; // characters
};

// Field positions, in record order; they cover the 250 characters without gap or overlap.
inline constexpr std::array<Posicao, quantidadeCampos> posicoes{{
    {"receita", 1, 4},
    {"tipoIdentificacao", 5, 1},
    {"NumIdentificacao", 6, 15},
    {"RazaoSocial", 21, 110},
    {"DDD", 131, 2},
    {"Telefone", 133, 8},
    {"NumDocumentoOrigem", 141, 15},
    {"CodClasseVencimento", 156, 5},
    {"CodMunicipio", 161, 6},
    {"DataVencimento", 167, 8},
    {"DataMaximaPagamento", 175, 8},
    {"parcelas", 183, 3},
    {"tipoPeriodo", 186, 5},
    {"periodo", 191, 5},
    {"ano", 196, 4},
    {"ValorPrincipal", 200, 10},
    {"Multa", 210, 10},
    {"Juros", 220, 10},
    {"CorrecaoMonetaria", 230, 10},
    {"total", 240, 11},
}};

using Campos = std::array<QString, quantidadeCampos>;

// The text of one line of the file: the line terminator (LF, CR LF or a lone CR at the end) removed,
// each byte decoded as its Windows-1252 character.
QString textoDaLinha(QByteArrayView linha);

// The record's raw fields, cut by position. A shorter text gives the fields it reaches (the rest
// empty); callers check the length first.
Campos corta(const QString& registro);

} // namespace zove::registro
