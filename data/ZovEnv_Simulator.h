#pragma once
// The data access facade: filtered reads of the loaded tables and every change to the saved
// documents and taxpayers, each followed by a rewrite and a fresh load of the table file.
//
// Changing operations return a ResultadoAlteracao. A failure is never silent: nothing that could not
// be written is kept, the table file keeps its previous content, the loaded collection is the file's
// content again, and `erro` says why (with the system's description when the file system refused).
//
// Other copies of the program may write the same folder. Every change holds the table's lock (see
// BloqueioTabela) from reading to the reloaded result, and first reloads the table when the file is not
// the one last loaded, so a change applies to what the disk holds: a new number follows the last one on
// disk, an update or delete finds the record as it is now. A lock not obtained within the wait (5 s by
// default) is a reported failure. Where both tables are locked, CONTRIBUINTE is locked before ZOV.
#include "tabulon/Colecoes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace zove {

class Referencias;
class LoteDocumentos;
namespace documento {
struct Linhas;
}
namespace cadastro {
struct Mescla;
}

// The outcome of a change to ZOV or CONTRIBUINTE.
struct [[nodiscard]] ResultadoAlteracao {
    bool ok = true;
    // Why nothing was written, for the user to read.
    QString erro;
    // False when no record matched and therefore nothing was rewritten.
    bool gravou = false;
    // ZOVInsert: the number given to the new document.
    QString numDocumento;

    explicit operator bool() const { return ok; }

    static ResultadoAlteracao falha(const QString& erro) { return {false, erro, false, {}}; }
};

class ZovEnv_Simulator {
public:
    // Writes a whole file in place of another; on failure returns false with the reason in *erro and
    // leaves the previous file untouched.
    using Gravador = std::function<bool(const QString& caminho, const QByteArray& conteudo, QString* erro)>;

    // A change to both tables at once; see AlteraEmLote.
    using AlteracaoEmLote =
        std::function<bool(tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes, QString* erro)>;

    explicit ZovEnv_Simulator(Referencias& refs);
    ~ZovEnv_Simulator();
    ZovEnv_Simulator(const ZovEnv_Simulator&) = delete;
    ZovEnv_Simulator& operator=(const ZovEnv_Simulator&) = delete;

    // ---- Reads. The searches return null when they cannot run (a table is not loaded).
    std::shared_ptr<tabulon::ARREC_MAB_RECEITAs> ReceitaSelectAll() const;
    // The saved documents with that number whose revenue is known, with their revenue type filled in.
    std::shared_ptr<tabulon::ZOVs> ZOVSelectOne(const QString& numDocumento) const;
    std::shared_ptr<tabulon::MAB_TIPO_IDENTIFICACAOs> Tipo_DocumentoSelectAll(const QString& status) const;
    std::shared_ptr<tabulon::MAB_VALIDA_DOCs> ValidacaoReceitaSelectOne(const QString& codReceita) const;
    std::shared_ptr<tabulon::PERIODOSs> Periodos(const QString& tipoPeriodo) const;
    std::shared_ptr<tabulon::PARAMETROSs> parametros() const;
    std::shared_ptr<tabulon::CONTRIBUINTEs>
    ContribuinteSelectOne(const QString& TIPO_DOCUMENTO, const QString& DOCUMENTO_IDENTIFICACAO) const;
    // Every saved document whose revenue and taxpayer are known, with their names filled in.
    std::shared_ptr<tabulon::ZOVs> ZOVQuery() const;

    // ---- Changes. The argument order is the callers' order, not the record's field order.
    ResultadoAlteracao ZOVUpdate(const QString& COD_RECEITA, const QString& DATA_ATUALIZACAO,
                                 const QString& DATA_CALCULO, const QString& DATA_VENCIMENTO,
                                 const QString& NUM_DOCUMENTO_IDENT, const QString& NUM_DOCUMENTO_ORIGEM,
                                 const QString& REFERENCIA, const QString& TIPO_DOCUMENTO_IDENT,
                                 const QString& VALOR_CORRECAO, const QString& VALOR_JUROS,
                                 const QString& VALOR_MULTA, const QString& VALOR_PRINCIPAL,
                                 const QString& VALOR_TOTAL, const QString& COD_MUNICIPIO,
                                 const QString& COD_CLASSE_VECTO, const QString& numDocumento);
    // The new number is the last document's number plus one ("1" for an empty table).
    ResultadoAlteracao ZOVInsert(const QString& COD_RECEITA, const QString& DATA_ATUALIZACAO,
                                 const QString& DATA_CALCULO, const QString& DATA_VENCIMENTO,
                                 const QString& NUM_DOCUMENTO_IDENT, const QString& NUM_DOCUMENTO_ORIGEM,
                                 const QString& REFERENCIA, const QString& TIPO_DOCUMENTO_IDENT,
                                 const QString& VALOR_CORRECAO, const QString& VALOR_JUROS,
                                 const QString& VALOR_MULTA, const QString& VALOR_PRINCIPAL,
                                 const QString& VALOR_TOTAL, const QString& COD_MUNICIPIO,
                                 const QString& COD_CLASSE_VECTO);
    // Rewrites "ZOV" or "CONTRIBUINTE" (any case) from the loaded collection and reloads it; any other
    // name does nothing. When the file was rewritten by someone else since this collection was loaded,
    // writing memory would undo that save: the table is reloaded instead and the result is a failure.
    ResultadoAlteracao Regera_Tabela(const QString& tabela);
    // Matches on the identification alone; all five fields are replaced.
    ResultadoAlteracao ContribuinteUpdate(const QString& DOCUMENTO_IDENTIFICACAO, const QString& RAZAO_SOCIAL,
                                          const QString& TIPO_DOCUMENTO, const QString& NUM_DDD,
                                          const QString& NUM_FONE);
    // Appends without looking for an existing taxpayer.
    ResultadoAlteracao ContribuinteInsert(const QString& DOCUMENTO_IDENTIFICACAO, const QString& RAZAO_SOCIAL,
                                          const QString& TIPO_DOCUMENTO, const QString& NUM_DDD,
                                          const QString& NUM_FONE);
    ResultadoAlteracao ZovUpdateImpreso(const QString& impresso, const QString& numDocumento);
    // The printed mark "1" on every document of the list, in one write of the table (a batch print).
    // A number no longer in the table is skipped.
    ResultadoAlteracao ZovMarcaImpressos(const QStringList& numDocumentos);
    ResultadoAlteracao ZOVDelete(const QString& numDocumento);

    // ---- The changes the program makes, each one batch step over the locks (see AlteraEmLote).

    // Saves a document with its taxpayer, both or neither. With an empty `numDocumento` the document is
    // new and takes the number after the last one (numDocumento of the result); otherwise that document
    // takes the row's values but keeps its number, state and printed mark, and a document no longer in
    // the table is a failure. Every taxpayer of that type and identification takes the name and
    // telephone; a new one is added only when there is none, so a save never adds a double.
    ResultadoAlteracao SalvaDocumento(const documento::Linhas& linhas, const QString& numDocumento = {});
    // Stores a batch of new documents with their taxpayers (see LoteDocumentos::aplicaEm), in one write
    // of each table; the batch is emptied once the tables hold it, before they are written.
    ResultadoAlteracao IncluiDocumentos(LoteDocumentos& lote);
    // Deletes the documents of the list in one write: each entry drops the first document with that
    // number still there, as deleting them one after the other would. A number not found is skipped.
    ResultadoAlteracao ExcluiDocumentos(const QStringList& numDocumentos);
    // Merges taxpayers into the registry: `fonte` hands each one to `acrescenta`, which appends it unless
    // the registry already holds one with the same five values. When `fonte` returns false (a refused
    // file, with the reason in *erro), nothing is written. `mescla`, when given, receives the counts.
    using FonteDeContribuintes =
        std::function<bool(const std::function<void(tabulon::CONTRIBUINTE&&)>& acrescenta, QString* erro)>;
    ResultadoAlteracao JuntaContribuintes(const FonteDeContribuintes& fonte,
                                          cadastro::Mescla* mescla = nullptr);

    // ---- Work over many records, the step under every change above.
    //
    // Locks CONTRIBUINTE then ZOV, brings both loaded tables up to date with the files and hands
    // `altera` editable copies of them: records may be changed in place, added or removed (a document
    // whose NUM_DOCUMENTO is emptied is dropped at the write, as in a rewrite). The loaded collections
    // and their records are not touched until everything is written.
    //
    // When `altera` returns false nothing is written and the result is a failure carrying the text it
    // put in *erro (empty when it just gave up). Otherwise each table whose records differ from the
    // loaded ones is written exactly once, CONTRIBUINTE first, then ZOV, and reloaded into the
    // references; a table left as it was is not written (gravou is false when neither changed). The
    // values are checked before anything is written. When writing ZOV fails after CONTRIBUINTE was
    // written, CONTRIBUINTE is put back as it was: nothing of the batch remains, and `erro` says why.
    // New document numbers are given by `altera` itself; ProximoNumeroDocumento of the copy it receives
    // is the last number on disk plus one.
    ResultadoAlteracao AlteraEmLote(const AlteracaoEmLote& altera);

    // Clears both saved tables as the maintenance command does: ZOVs::LimpaBase, then
    // CONTRIBUINTEs::LimpaBase of the loaded collections (each file keeps its header, its "_temp" copy
    // holds the previous content), both always tried, under both locks and on the tables as the files
    // hold them. Each message is the text to show for that table's failure, empty when it was cleared.
    // `copia`, when given, is handed each table (ZOV, then CONTRIBUINTE) once both are held and before
    // anything is cleared: its bytes as the file holds them, or no bytes and why the file could not be
    // read. When it returns false, nothing is cleared and both messages carry the reason it put in *erro.
    struct ResultadoLimpeza {
        QString mensagemZOV;
        QString mensagemCONTRIBUINTE;
        bool ok() const { return mensagemZOV.isEmpty() && mensagemCONTRIBUINTE.isEmpty(); }
    };
    using CopiaAntesDeLimpar =
        std::function<bool(const QString& tabela, const std::optional<QByteArray>& conteudo,
                           const QString& motivoDaLeitura, QString* erro)>;
    ResultadoLimpeza LimpaBase(const CopiaAntesDeLimpar& copia = {});

    // The number after the last document's ("1" for an empty table), or nothing when the last number is
    // not a plain decimal number.
    static std::optional<QString> ProximoNumeroDocumento(const tabulon::ZOVs& zovs);

    // The writer used for both files; by default tabulon::gravaArquivoAtomico for the table and
    // tabulon::gravaCopia for its "_temp" copy. Tests put a failing one in its place to show what a
    // failed write leaves behind.
    void defineGravador(Gravador gravador);
    // How long a change waits for a table held by another copy of the program before it fails.
    void defineEsperaDoBloqueio(std::chrono::milliseconds espera);

    struct Estado;

private:
    std::unique_ptr<Estado> m_estado;
};

} // namespace zove
