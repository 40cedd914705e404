#pragma once
// A CUPS scheduler of the test's own: cupsd started in a temporary folder, listening only on a Unix
// socket there, with queues whose backend keeps each job as a file. While it lives, libcups in this
// process talks to it (CUPS_SERVER), so a print run can be checked end to end on any machine,
// whatever printers the machine has or lacks.
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace teste {

class CupsPrivado {
public:
    // apoio: folder with the backend script "zove-arquivo"; empty means the one in the source tree.
    explicit CupsPrivado(const QString& apoio = {});
    ~CupsPrivado();
    CupsPrivado(const CupsPrivado&) = delete;
    CupsPrivado& operator=(const CupsPrivado&) = delete;

    // Whether this machine can run a private scheduler at all; porque tells what is missing.
    static bool disponivel(QString* porque = nullptr);

    bool pronto() const { return m_pronto; }
    // Why the scheduler could not start or why the last command failed, with the log's tail.
    QString erro() const { return m_erro; }
    QString socket() const { return m_socket; }
    QString pasta() const { return m_pasta; }
    // Process id of the scheduler while it runs, 0 otherwise.
    qint64 pid() const;
    // How long the scheduler took from start to its first answer.
    qint64 msParaIniciar() const { return m_msParaIniciar; }
    // The last lines of the scheduler's error log.
    QString fimDoRegistro(int linhas = 30) const;

    // A queue whose jobs land in their own folder; with a PPD the queue is no longer raw (PPD queues
    // serve to query margins: without filters installed they refuse PDF and text jobs).
    bool criaFila(const QString& nome, const QString& ppd = {});
    bool definePadrao(const QString& nome);
    // The queue refuses new jobs.
    bool rejeita(const QString& nome);
    // The queue is stopped: it still accepts jobs but holds them.
    bool para(const QString& nome);

    // Files written by the backend for the queue, ordered by job id.
    QStringList arquivosDeTrabalho(const QString& fila) const;
    // Waits until the queue has at least n job files; false on timeout.
    bool esperaTrabalhos(const QString& fila, int n, int ms = 15000);

private:
    bool inicia(const QString& apoio);
    void encerra();
    bool executa(const QString& programa, const QStringList& argumentos);
    QString pastaDaFila(const QString& fila) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_cupsd;
    QString m_pasta;
    QString m_socket;
    QString m_erro;
    bool m_pronto = false;
    qint64 m_msParaIniciar = -1;
    uint m_uidFilas = 0;
    uint m_gidFilas = 0;

    // Variables changed while the scheduler lives, restored when it goes.
    struct Variavel {
        QByteArray nome;
        bool existia = false;
        QByteArray valor;
    };
    QList<Variavel> m_ambiente;
};

} // namespace teste
