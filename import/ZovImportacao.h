#pragma once
// The batch import driver: reads a file of 250-character records, judges each line as a ZovRegras,
// keeps their outcomes in file order, and stores the valid documents with their taxpayers in one batch
// at the end. Problems with the file itself go to its own log. Memory grows with the valid records, not
// with the lines read: a line is read in bounded pieces, and only the first invalid records keep their
// lines (ZovsReg). A file that is not a regular file, or that is in UTF-8, is refused whole.
#include "data/ZovEnv_Simulator.h"
#include "import/Logs.h"
#include "import/ZovsReg.h"

#include <QDate>
#include <QString>
#include <functional>

namespace zove {

class LoteDocumentos;
class Referencias;

class ZovImportacao {
public:
    // Where an import stands; told to the caller every few records and at the end of the reading.
    struct Progresso {
        qsizetype lidos = 0;
        qsizetype validos = 0;
        qsizetype invalidos = 0;
    };
    // Answers false to cancel the import (only before anything is stored).
    using AoProgredir = std::function<bool(const Progresso&)>;
    // Stores the batch; by default the data facade's batch operation, which empties the batch once the
    // tables hold it.
    using GravaLote = std::function<ResultadoAlteracao(LoteDocumentos&)>;

    // At most this much of a line is kept: a longer one can only be a malformed record, and its length
    // is still judged on the whole line.
    static constexpr qsizetype tamanhoMaximoLinha = 4096;

    explicit ZovImportacao(Referencias& refs, std::function<QDate()> hoje = {});

    ZovsReg& Zovs() { return m_zovs; }
    zove::Logs& Logs() { return m_logs; }

    // Imports the file: every line becomes an entry of Zovs, and the valid documents are stored
    // together. True when the file was read whole and its valid documents (if any) were stored.
    // Nothing is stored from a file that is not a regular file, cannot be read to its end, is in UTF-8,
    // or when the data folder cannot be written.
    bool ImportaDados(const QString& caminho);

    void aoProgredir(AoProgredir funcao) { m_aoProgredir = std::move(funcao); }
    void defineGravaLote(GravaLote funcao) { m_gravaLote = std::move(funcao); }

    const Progresso& progresso() const { return m_progresso; }
    bool cancelado() const { return m_cancelado; }

private:
    void recusaLote(const QString& motivo);

    Referencias& m_refs;
    std::function<QDate()> m_hoje;
    ZovsReg m_zovs;
    zove::Logs m_logs;
    AoProgredir m_aoProgredir;
    GravaLote m_gravaLote;
    Progresso m_progresso;
    bool m_cancelado = false;
};

} // namespace zove
