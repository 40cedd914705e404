#include "platform/Impressora.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace zove {

ImpressoraQt::ImpressoraQt() = default;
ImpressoraQt::~ImpressoraQt() = default;

QPrinter& ImpressoraQt::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setPageOrientation(QPageLayout::Portrait);
        m_semImpressora = QPrinterInfo::availablePrinters().isEmpty();
        if (m_semImpressora) {
            QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (pasta.isEmpty() || !QDir().mkpath(pasta))
                pasta = QDir::homePath();
            m_arquivoPdf = QDir(pasta).filePath(QStringLiteral("ZOVE.pdf"));
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(m_arquivoPdf);
        }
    }
    return *m_printer;
}

bool ImpressoraQt::configurar(QWidget* pai) {
    QPrinter& p = printer();
    QPrintDialog dialogo(&p, pai);
    dialogo.setWindowTitle(QStringLiteral("Configurar impressora"));
    const bool ok = dialogo.exec() == QDialog::Accepted;
    if (ok && p.outputFormat() == QPrinter::PdfFormat)
        m_arquivoPdf = p.outputFileName();
    return ok;
}

bool ImpressoraQt::semImpressora() const {
    return m_semImpressora;
}

QString ImpressoraQt::arquivoPdf() const {
    return m_arquivoPdf;
}

} // namespace zove
