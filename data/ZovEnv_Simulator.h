#pragma once
// The data access facade: filtered reads of the loaded tables and every change to the saved
// documents and taxpayers, each followed by a rewrite and a fresh load of the table file.
#include "tabulon/Colecoes.h"

#include <QString>
#include <memory>

namespace zove {

class Referencias;

class ZovEnv_Simulator {
public:
    explicit ZovEnv_Simulator(Referencias& refs);

    std::shared_ptr<tabulon::MAB_VALIDA_DOCs> ValidacaoReceitaSelectOne(const QString& codReceita) const;
    // (the other operations are added with the facade)

private:
    Referencias& m_refs;
};

} // namespace zove
