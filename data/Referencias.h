#pragma once
// The application-wide references: the data folder and the fourteen loaded tables. One object is
// created at start-up and handed to the windows and the data facade; a test builds its own over a
// temporary folder.
#include "tabulon/Colecoes.h"

#include <QString>
#include <QTextStream>
#include <array>
#include <functional>
#include <memory>

namespace tabulon {
class Init;
}

namespace zove {

class ZovEnv_Simulator;

class Referencias {
public:
    Referencias();
    ~Referencias();
    Referencias(const Referencias&) = delete;
    Referencias& operator=(const Referencias&) = delete;

    // Loads the fourteen tables of the folder in the start-up order. Raises tabulon::ErroExecucao
    // with the loader's description on the first failure. The optional callback is told each table
    // as it finishes loading (file name and record count).
    static std::unique_ptr<Referencias>
    carregar(const QString& sDirDados,
             const std::function<void(const QString& arquivo, qsizetype registros)>& aoCarregar = {});

    // The same for a command without a window: null when a table cannot be loaded, after writing
    // "zove: " and the loader's description as one line to `erros`.
    static std::unique_ptr<Referencias> carregarParaComando(const QString& sDirDados, QTextStream& erros);

    // One table as the start-up loads it: its file name, and the step that loads it into its member of
    // `refs` and returns its record count (raising the loader's error).
    struct Carga {
        const char* arquivo;
        qsizetype (*carregar)(const tabulon::Init& init, Referencias& refs);
    };
    // The fourteen tables in start-up order; the support check walks the same list.
    static const std::array<Carga, 14>& cargas();

    QString sDirDados;
    std::shared_ptr<tabulon::TAB_MUNICs> oTAB_MUNICs;
    std::shared_ptr<tabulon::MAB_CLASSE_VENCIMENTOs> oMAB_CLASSE_VENCIMENTOs;
    std::shared_ptr<tabulon::MAB_TIPO_RECEITAs> oMAB_TIPO_RECEITAs;
    std::shared_ptr<tabulon::MAB_TIPO_PERIODICIDADEs> oMAB_TIPO_PERIODICIDADEs;
    std::shared_ptr<tabulon::PERIODOSs> oPERIODOSs;
    std::shared_ptr<tabulon::TAB_CERT_ANTIGAs> oTAB_CERT_ANTIGAs;
    std::shared_ptr<tabulon::MAB_VALIDA_DOCs> oMAB_VALIDA_DOCs;
    std::shared_ptr<tabulon::ARREC_MAB_RECEITAs> oARREC_MAB_RECEITAs;
    std::shared_ptr<tabulon::ZOVs> oZOVs;
    std::shared_ptr<tabulon::CONTRIBUINTEs> oCONTRIBUINTEs;
    std::shared_ptr<tabulon::MAB_TIPO_IDENTIFICACAOs> oMAB_TIPO_IDENTIFICACAOs;
    std::shared_ptr<tabulon::PARAMETROSs> oPARAMETROSs;
    std::shared_ptr<tabulon::MAB_RECEITA_CLASSEs> oMAB_RECEITA_CLASSEs;
    std::shared_ptr<tabulon::mab_tipo_documentos> omab_tipo_documentos;

    // The data facade, created on first use.
    ZovEnv_Simulator& oZovEnv();

private:
    std::unique_ptr<ZovEnv_Simulator> m_zovEnv;
};

} // namespace zove
