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
        // Small enough for the page's content (x 1 to 200 mm, y 0 to about 279 mm) to fit whole.
        m_printer->setPageMargins(QMarginsF(4, 5, 4, 5), QPageLayout::Millimeter);
        m_semImpressora = QPrinterInfo::defaultPrinter().isNull();
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
