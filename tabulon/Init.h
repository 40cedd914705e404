#pragma once
// The table loader: verifies the digest of the reference tables and turns each table file into its
// collection.
#include "tabulon/Colecoes.h"
#include "tabulon/Exportacao.h"

#include <QString>
#include <memory>

namespace tabulon {

class TABULON_API Init {
public:
    QString sDiretorioDados() const { return m_sDiretorioDados; }
    void sDiretorioDados(const QString& valor) { m_sDiretorioDados = valor; }

    // True when the file's digest line matches its content; otherwise raises error 11111.
    bool ValidaHashDeArchivoMD5(const QString& Source) const;

    std::shared_ptr<MAB_RECEITA_CLASSEs> CarregarMabReceitaClasse() const;
    std::shared_ptr<TAB_MUNICs> CarregarMunicipio() const;
    std::shared_ptr<MAB_CLASSE_VENCIMENTOs> CarregarMabClasseVencimento() const;
    std::shared_ptr<ARREC_MAB_RECEITAs> CarregarReceita() const;
    std::shared_ptr<MAB_TIPO_IDENTIFICACAOs> CarregarMabTipoIdentificacao() const;
    std::shared_ptr<MAB_TIPO_PERIODICIDADEs> CarregarMabTipoPeriodicidade() const;
    std::shared_ptr<MAB_TIPO_RECEITAs> CarregarMabTipoReceita() const;
    std::shared_ptr<MAB_VALIDA_DOCs> CarregarMabValidaDoc() const;
    std::shared_ptr<CONTRIBUINTEs> CarregarContribuinte() const;
    std::shared_ptr<ZOVs> CarregarZOV() const;
    std::shared_ptr<PARAMETROSs> CarregarParametros() const;
    std::shared_ptr<PERIODOSs> CarregarPeriodos() const;
    std::shared_ptr<TAB_CERT_ANTIGAs> CarregarCertAntigas() const;
    std::shared_ptr<mab_tipo_documentos> CarregarTipoDocumentoOrigem() const;

    // Replaces the 55 entity names the tables use for accented letters.
    static QString DecodificaTexto(const QString& valor);

    // The file names of the fourteen tables, and whether each carries a digest line, in the order of
    // the loaders above. Each name is the one its record type declares (Registros.h).
    struct Tabela {
        const char* arquivo;
        bool comDigest;
    };
    static const Tabela Tabelas[14];

private:
    template <class ColecaoT> std::shared_ptr<ColecaoT> carregar() const;

    QString m_sDiretorioDados;
};

} // namespace tabulon
