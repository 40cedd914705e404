#pragma once
// The records of one import, in file order. Every record keeps its status; what its row and its log
// need is kept for every valid record and for the first invalid ones only, so that a file of millions
// of bad lines costs little more than their count, and memory grows with what will be stored.
#include "import/ZovRegras.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace zove {

class ZovsReg {
public:
    // How many invalid records keep their name and their lines.
    static constexpr qsizetype invalidosComLinhas = 1000;

    // What is kept of a record.
    struct Guardado {
        qsizetype posicao; // in the file, from 1
        QString RazaoSocial;
        QStringList linhas;
        bool importado;
        bool noLote; // went into the import's batch
    };

    qsizetype Count() const { return m_count; }
    // Appends the record, keeping what it needs (or only its status, past the invalid records with lines).
    void Add(const ZovRegras& zov);
    // The record at that position as a new ZovRegras holding its RazaoSocial, Status and Logs; an invalid
    // record whose lines were not kept has one line saying so. Position 0 and positions past Count give
    // an empty one; a negative position raises error 9.
    std::shared_ptr<ZovRegras> Item(qsizetype posicao) const;
    void Reset();

    // Cheap reads for listing every record.
    const QString& Status(qsizetype posicao) const;
    QString RazaoSocial(qsizetype posicao) const;

    // The kept records, in file order.
    const std::vector<Guardado>& guardados() const { return m_guardados; }
    // Invalid records of which only the status was kept.
    qsizetype invalidosSemLinhas() const { return m_invalidosSemLinhas; }

    // The batch could not be stored: each record in it becomes invalid, with the reason as its last line.
    // Returns how many did.
    qsizetype recusaLote(const QString& motivo);

    // The line of an invalid record whose lines were not kept.
    static QString linhaSemLinhas();

private:
    const Guardado* guardado(qsizetype posicao) const;

    std::vector<Guardado> m_guardados;
    qsizetype m_count = 0;
    qsizetype m_invalidosGuardados = 0;
    qsizetype m_invalidosSemLinhas = 0;
};

} // namespace zove
