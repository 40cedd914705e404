#pragma once
// The printer: the system's default printer, its set-up dialog, and the PDF file used instead when the
// machine has no printer at all.
#include "platform/FilaImpressao.h"

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace zove {

class Impressora {
public:
    virtual ~Impressora() = default;
    // The printer set-up dialog. True when the user confirmed it.
    virtual bool configurar(QWidget* pai) = 0;
    // The printer every print run draws on; the set-up dialog changes this same object.
    virtual QPrinter& printer() = 0;
    // True when there is no printer, or no default one: print runs then go to a PDF file.
    virtual bool semImpressora() const = 0;
    virtual QString arquivoPdf() const = 0;

    // ---- The spooler behind the printer object.
    // The queue the printer object prints on; empty when there is none.
    virtual QString fila() = 0;
    virtual EstadoFila consultaFila(const QString& fila) = 0;
    // Hands a rendered page to the queue. Only an accepted job (an id) counts as printed.
    virtual EnvioTrabalho enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo,
                                   int copias) = 0;
};

class ImpressoraQt : public Impressora {
public:
    ImpressoraQt();
    ~ImpressoraQt() override;

    bool configurar(QWidget* pai) override;
    QPrinter& printer() override;
    bool semImpressora() const override;
    QString arquivoPdf() const override;
    QString fila() override;
    EstadoFila consultaFila(const QString& fila) override;
    EnvioTrabalho enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo,
                           int copias) override;

private:
    // Sets the printer object up on first use; only then is it known whether there is a printer.
    void prepara() const;

    mutable std::unique_ptr<QPrinter> m_printer;
    mutable bool m_semImpressora = false;
    mutable QString m_arquivoPdf;
};

} // namespace zove
