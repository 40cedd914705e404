#pragma once
// The texts of one document as the printed page shows them, already formatted by whoever fills them
// (the entry form, the command line). The page adds nothing but layout.
#include <QString>

namespace zove {

struct DadosImpressao {
    QString p_num_documento; // the saved document's number, "0" when it is not saved
    QString CodigoBarra;     // the 44 digits
    QString CodigoBarraVisualizado;
    QString identificacao;
    QString NumeroQor;
    QString RazaoSocial;
    QString codigoReceita;
    QString DescricaoReceita;
    QString Documento;
    QString referencia;
    QString Vencimento;
    QString InformacoesAdicionais;
    QString ValorPrincipal;
    QString ValorMulta;
    QString ValorJuros;
    QString ValorCorrecaoMonetaria;
    QString ValorTotal;
};

} // namespace zove
