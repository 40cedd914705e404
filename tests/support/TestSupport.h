#pragma once
// Helpers shared by the tests: temporary data folders and small table files.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace teste {

// The delivered data folder in the source tree.
QString pastaDadosEntregue();

// A temporary copy of the delivered data folder.
class PastaDados {
public:
    PastaDados();
    const QString& caminho() const { return m_caminho; }
    QString arquivo(const QString& nome) const;

private:
    QTemporaryDir m_dir;
    QString m_caminho;
};

// Writes lines (Windows-1252, CR LF) to a file; with assinar, appends the digest line.
void escreveTabela(const QString& caminho, const QStringList& linhas, bool assinar);
QByteArray leArquivo(const QString& caminho);
void gravaArquivo(const QString& caminho, const QByteArray& conteudo);

} // namespace teste
