#pragma once
// What the facade needs to share the ZOV and CONTRIBUINTE files with other running copies of the
// program: a lock beside each table and a way to tell whether the file still holds what was loaded.
#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <chrono>

namespace zove {

// One content of a table file: size, modification time and a digest of its bytes. Two equal
// signatures mean the file was not rewritten in between.
struct AssinaturaArquivo {
    qint64 tamanho = -1; // -1: the file could not be read
    QDateTime modificado;
    QByteArray resumo;

    bool operator==(const AssinaturaArquivo&) const = default;

    // Reads the file now.
    static AssinaturaArquivo doArquivo(const QString& caminho);
    // For a file just written with that content: only its time is asked to the file system.
    static AssinaturaArquivo doConteudo(const QString& caminho, const QByteArray& conteudo);
};

// The exclusive lock of one table between every copy of the program (and every thread) that writes
// the folder: a lock file "<TABLE>.lock" beside the table. A lock left by a copy that is gone is taken
// over at once on this machine, and after kValidadeDoBloqueio when it came from another machine.
class BloqueioTabela {
public:
    static constexpr std::chrono::minutes kValidadeDoBloqueio{5};

    BloqueioTabela(const QString& pasta, const QString& tabela);
    BloqueioTabela(const BloqueioTabela&) = delete;
    BloqueioTabela& operator=(const BloqueioTabela&) = delete;

    // Waits at most `espera` for the lock. On failure returns false with the reason for the user.
    bool trava(std::chrono::milliseconds espera, QString* erro);

    static QString caminho(const QString& pasta, const QString& tabela);

private:
    QString m_tabela;
    QLockFile m_arquivo;
};

// Removes the temporary files a save of ZOV or CONTRIBUINTE (or of their "_temp" copies) left behind
// when it was killed midway ("CONTRIBUINTE.pRBVwl"). A table another copy of the program is saving
// right now is left alone.
void removeTemporariosAbandonados(const QString& pasta);

} // namespace zove
