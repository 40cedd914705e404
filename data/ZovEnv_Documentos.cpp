// The facade's changes to saved documents made by the entry form, the import and the search window,
// each one batch step over the locks (AlteraEmLote).
#include "data/DocumentoSalvo.h"
#include "data/LoteDocumentos.h"
#include "data/ZovEnv_Simulator.h"

#include <QHash>

namespace zove {

ResultadoAlteracao ZovEnv_Simulator::SalvaDocumento(const documento::Linhas& linhas,
                                                    const QString& numDocumento) {
    QString numero = numDocumento;
    ResultadoAlteracao r =
        AlteraEmLote([&](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes, QString* erro) {
            const tabulon::ZOV& novo = linhas.zov;
            if (numero.isEmpty()) {
                const std::optional<QString> proximo = ProximoNumeroDocumento(zovs);
                if (!proximo) {
                    *erro = QStringLiteral("O número do último documento salvo não é numérico.");
                    return false;
                }
                numero = *proximo;
                auto registro = std::make_shared<tabulon::ZOV>(novo);
                registro->NUM_DOCUMENTO = numero;
                zovs.Add(std::move(registro));
            } else {
                std::shared_ptr<tabulon::ZOV> salvo;
                for (const auto& z : zovs) {
                    if (z && z->NUM_DOCUMENTO == numero) {
                        salvo = z;
                        break;
                    }
                }
                if (!salvo) {
                    *erro = QStringLiteral("O documento %1 não existe mais.").arg(numero);
                    return false;
                }
                // The number, the state and the printed mark stay those of the saved document.
                for (const auto& d : tabulon::ZOV::campos) {
                    const QString tabulon::ZOV::*membro = d.membro;
                    if (membro != &tabulon::ZOV::NUM_DOCUMENTO && membro != &tabulon::ZOV::COD_UF &&
                        membro != &tabulon::ZOV::IMPRESSO)
                        (*salvo).*(d.membro) = novo.*(d.membro);
                }
            }
            const tabulon::CONTRIBUINTE& c = linhas.contribuinte;
            bool existe = false;
            for (const auto& registro : contribuintes) {
                if (!registro || registro->TIPO_DOCUMENTO != c.TIPO_DOCUMENTO ||
                    registro->DOCUMENTO_IDENTIFICACAO != c.DOCUMENTO_IDENTIFICACAO)
                    continue;
                existe = true;
                registro->RAZAO_SOCIAL = c.RAZAO_SOCIAL;
                registro->NUM_DDD = c.NUM_DDD;
                registro->NUM_FONE = c.NUM_FONE;
            }
            if (!existe)
                contribuintes.Add(std::make_shared<tabulon::CONTRIBUINTE>(c));
            return true;
        });
    if (r)
        r.numDocumento = numero;
    return r;
}

ResultadoAlteracao ZovEnv_Simulator::IncluiDocumentos(LoteDocumentos& lote) {
    return AlteraEmLote([&lote](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes, QString* erro) {
        const bool aplicado = lote.aplicaEm(zovs, contribuintes, erro);
        // The tables hold it now: its memory is given back before they are written and reloaded.
        lote.esvazia();
        return aplicado;
    });
}

ResultadoAlteracao ZovEnv_Simulator::ExcluiDocumentos(const QStringList& numDocumentos) {
    QHash<QString, int> pendentes;
    for (const QString& n : numDocumentos)
        ++pendentes[n];
    return AlteraEmLote([&](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs&, QString*) {
        for (const auto& zov : zovs) {
            if (!zov)
                continue;
            auto it = pendentes.find(zov->NUM_DOCUMENTO);
            if (it != pendentes.end() && it.value() > 0) {
                --it.value();
                // An emptied number drops the document at the write.
                zov->NUM_DOCUMENTO.clear();
            }
        }
        return true;
    });
}

} // namespace zove
