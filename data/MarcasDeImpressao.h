#pragma once
// The printed marks of a batch print, collected and written together: at most about once a second
// while the batch runs (so a crash loses at most the last second's marks) and once at the end.
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace zove {

class ZovEnv_Simulator;

class MarcasDeImpressao {
public:
    explicit MarcasDeImpressao(ZovEnv_Simulator& fachada);

    // A document whose job was accepted; the marks are written when a second has passed since the
    // last write.
    void registra(const QString& numero);
    // Writes what is pending. Marks that could not be written stay pending for the next try.
    void grava();

    // Marks not yet written, and why the last write failed.
    const QStringList& pendentes() const { return m_pendentes; }
    const QString& erro() const { return m_erro; }

private:
    ZovEnv_Simulator& m_fachada;
    QStringList m_pendentes;
    QString m_erro;
    QElapsedTimer m_desdeAUltimaGravacao;
};

} // namespace zove
