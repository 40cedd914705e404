#include "data/PesquisaDocumentos.h"

#include "common/Formato.h"
#include "data/Referencias.h"

namespace zove {

QString somenteOsDigitos(const QString& texto) {
    QString digitos;
    digitos.reserve(texto.size());
    for (const QChar c : texto) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digitos.append(c);
    }
    return digitos;
}

std::shared_ptr<tabulon::ZOVs> pesquisaDocumentos(const Referencias& refs,
                                                  const CriteriosPesquisa& criterios) {
    if (!refs.oZOVs || !refs.oARREC_MAB_RECEITAs || !refs.oCONTRIBUINTEs)
        return nullptr;
    // The table's own search joins the revenue and the taxpayer and filters by type and revenue; the
    // identification and the name are compared here, where punctuation and case do not count.
    const QString vazio;
    auto achados = refs.oZOVs->Query_ZOV(vazio, vazio, criterios.tipoReceita, criterios.receita,
                                         *refs.oARREC_MAB_RECEITAs, *refs.oCONTRIBUINTEs);
    const QString digitos = somenteOsDigitos(criterios.identificacao);
    const QString nome = criterios.nome.trimmed();
    if (!achados ||
        (digitos.isEmpty() && nome.isEmpty() && criterios.impresso == CriteriosPesquisa::Impresso::Qualquer))
        return achados;

    auto resultado = std::make_shared<tabulon::ZOVs>();
    resultado->Inicializa_Array_Campos(achados->campos().join(QLatin1Char('|')));
    for (const auto& zov : *achados) {
        if (!digitos.isEmpty() && somenteOsDigitos(zov->NUM_DOCUMENTO_IDENT) != digitos)
            continue;
        if (!nome.isEmpty() && !zov->RAZAO_SOCIAL.contains(nome, Qt::CaseInsensitive))
            continue;
        const bool impresso = zov->IMPRESSO.trimmed() == QLatin1String("1");
        if (criterios.impresso == CriteriosPesquisa::Impresso::Sim && !impresso)
            continue;
        if (criterios.impresso == CriteriosPesquisa::Impresso::Nao && impresso)
            continue;
        resultado->Add(zov);
    }
    return resultado;
}

QString colunaDaLinha(const tabulon::ZOV& zov, int coluna) {
    switch (coluna) {
    case 0:
        return zov.NUM_DOCUMENTO;
    case 1:
        return zov.COD_RECEITA + QStringLiteral(" - ") + zov.MCR_NOME_RCTA;
    case 2:
        return zov.NUM_DOCUMENTO_IDENT;
    case 3:
        return zov.RAZAO_SOCIAL;
    case 4:
        return zov.DATA_ATUALIZACAO;
    case 5: {
        const auto centavos = formato::centavos(zov.VALOR_TOTAL);
        return centavos ? formato::valor(*centavos) : zov.VALOR_TOTAL;
    }
    default:
        return {};
    }
}

QStringList colunasDaLinha(const tabulon::ZOV& zov) {
    QStringList colunas;
    for (int i = 0; i < 6; ++i)
        colunas.append(colunaDaLinha(zov, i));
    return colunas;
}

} // namespace zove
