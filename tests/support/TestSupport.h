#pragma once
// Helpers shared by the tests: temporary data folders and small table files.
#include <QByteArray>
#include <QProcess>
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

// How a program run by a test ended: its exit code (-1 when it did not finish in time, -2 when it
// crashed) and what it wrote.
struct Execucao {
    int codigo = -1;
    QString saida;
    QString erros;
};

// Waits for a started process (killing it after `ms`) and collects how it ended.
Execucao aguardaProcesso(QProcess& processo, int ms = 60000);

} // namespace teste
