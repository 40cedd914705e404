#include "import/ZovsReg.h"

#include "tabulon/ErroExecucao.h"

#include <QLocale>
#include <algorithm>

namespace zove {

void ZovsReg::Add(const ZovRegras& zov) {
    ++m_count;
    const bool importado = zov.Status() == ZovRegras::Importado;
    if (!importado) {
        if (m_invalidosGuardados == invalidosComLinhas) {
            ++m_invalidosSemLinhas;
            return;
        }
        ++m_invalidosGuardados;
    }
    m_guardados.push_back({m_count, zov.RazaoSocial(), zov.Logs().textos(), importado, zov.incluidoNoLote()});
}

const ZovsReg::Guardado* ZovsReg::guardado(qsizetype posicao) const {
    const auto it = std::lower_bound(m_guardados.begin(), m_guardados.end(), posicao,
                                     [](const Guardado& g, qsizetype p) { return g.posicao < p; });
    return it != m_guardados.end() && it->posicao == posicao ? &*it : nullptr;
}

std::shared_ptr<ZovRegras> ZovsReg::Item(qsizetype posicao) const {
    if (posicao < 0)
        throw tabulon::ErroExecucao::subscrito();
    auto zov = std::make_shared<ZovRegras>();
    if (posicao == 0 || posicao > m_count)
        return zov;
    zov->Status(Status(posicao));
    if (const Guardado* g = guardado(posicao)) {
        zov->RazaoSocial(g->RazaoSocial);
        for (const QString& linha : g->linhas)
            zov->Logs().NewLog(linha);
    } else {
        zov->Logs().NewLog(linhaSemLinhas());
    }
    return zov;
}

void ZovsReg::Reset() {
    m_guardados.clear();
    m_guardados.shrink_to_fit();
    m_count = 0;
    m_invalidosGuardados = 0;
    m_invalidosSemLinhas = 0;
}

const QString& ZovsReg::Status(qsizetype posicao) const {
    const Guardado* g = guardado(posicao);
    return g && g->importado ? ZovRegras::Importado : ZovRegras::Invalido;
}

QString ZovsReg::RazaoSocial(qsizetype posicao) const {
    const Guardado* g = guardado(posicao);
    return g ? g->RazaoSocial : QString();
}

qsizetype ZovsReg::recusaLote(const QString& motivo) {
    qsizetype recusados = 0;
    for (Guardado& g : m_guardados) {
        if (g.noLote) {
            g.noLote = false;
            g.importado = false;
            g.linhas.append(motivo);
            ++recusados;
        }
    }
    return recusados;
}

QString ZovsReg::linhaSemLinhas() {
    return QStringLiteral("As linhas de erro deste registro não foram guardadas: só são guardadas as dos "
                          "primeiros %1 registros inválidos.")
        .arg(QLocale(QLocale::Portuguese, QLocale::Brazil).toString(invalidosComLinhas));
}

} // namespace zove
