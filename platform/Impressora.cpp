#include "platform/Impressora.h"

#include "platform/DialogoImpressora.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace zove {

ImpressoraQt::ImpressoraQt() = default;
ImpressoraQt::~ImpressoraQt() = default;

QPrinter& ImpressoraQt::printer() {
    prepara();
    return *m_printer;
}

void ImpressoraQt::prepara() const {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setPageOrientation(QPageLayout::Portrait);
        // Small enough for the page's content (x 1 to 200 mm, y 0 to about 279 mm) to fit whole.
        m_printer->setPageMargins(QMarginsF(4, 5, 4, 5), QPageLayout::Millimeter);
        m_semImpressora = QPrinterInfo::defaultPrinter().isNull();
        if (m_semImpressora) {
            // The user's documents folder when there is one; nothing is created for it.
            QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (pasta.isEmpty() || !QFileInfo(pasta).isDir())
                pasta = QDir::homePath();
            m_arquivoPdf = QDir(pasta).filePath(QStringLiteral("ZOVE.pdf"));
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(m_arquivoPdf);
        }
    }
}

bool ImpressoraQt::configurar(QWidget* pai) {
    // Only the choice of printer and page; the system's print dialog would offer to print.
    QPrinter& p = printer();
    DialogoImpressora dialogo(p, m_semImpressora ? QStringList() : QPrinterInfo::availablePrinterNames(),
                              m_arquivoPdf, pai);
    return dialogo.exec() == QDialog::Accepted;
}

bool ImpressoraQt::semImpressora() const {
    prepara();
    return m_semImpressora;
}

QString ImpressoraQt::arquivoPdf() const {
    prepara();
    return m_arquivoPdf;
}

QString ImpressoraQt::fila() {
    if (semImpressora())
        return {};
    const QString nome = printer().printerName();
    return nome.isEmpty() ? cups::filaPadrao() : nome;
}

EstadoFila ImpressoraQt::consultaFila(const QString& fila) {
    return cups::consulta(fila);
}

EnvioTrabalho ImpressoraQt::enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo,
                                     int copias) {
    return cups::enviaPdf(fila, pdf, titulo, copias);
}

} // namespace zove
