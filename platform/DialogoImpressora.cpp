#include "platform/DialogoImpressora.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zove {

namespace {

struct Papel {
    QPageSize::PageSizeId id;
    const char* nome;
};
// The document is laid out for A4; the others are there for printers loaded with them.
const Papel kPapeis[] = {
    {QPageSize::A4, "A4 (210 x 297 mm)"},
    {QPageSize::Letter, "Carta (216 x 279 mm)"},
    {QPageSize::Legal, "Ofício (216 x 356 mm)"},
};

} // namespace

DialogoImpressora::DialogoImpressora(QPrinter& printer, const QStringList& impressoras,
                                     const QString& arquivoPdf, QWidget* pai)
    : QDialog(pai), m_printer(printer), m_comImpressoras(!impressoras.isEmpty()) {
    setObjectName(QStringLiteral("PrinterSetup"));
    setWindowTitle(QStringLiteral("Configurar impressora"));

    cmbImpressora = new QComboBox(this);
    cmbImpressora->setObjectName(QStringLiteral("cmbImpressora"));
    if (m_comImpressoras) {
        cmbImpressora->addItems(impressoras);
        const qsizetype atual = impressoras.indexOf(printer.printerName());
        cmbImpressora->setCurrentIndex(atual >= 0 ? static_cast<int>(atual) : 0);
    } else {
        cmbImpressora->addItem(QStringLiteral("Nenhuma impressora instalada: arquivo %1").arg(arquivoPdf));
        cmbImpressora->setEnabled(false);
    }

    cmbPapel = new QComboBox(this);
    cmbPapel->setObjectName(QStringLiteral("cmbPapel"));
    const QPageSize::PageSizeId atual = printer.pageLayout().pageSize().id();
    for (const Papel& p : kPapeis) {
        cmbPapel->addItem(QString::fromUtf8(p.nome), static_cast<int>(p.id));
        if (p.id == atual)
            cmbPapel->setCurrentIndex(cmbPapel->count() - 1);
    }

    optRetrato = new QRadioButton(QStringLiteral("Retrato"), this);
    optRetrato->setObjectName(QStringLiteral("optRetrato"));
    optPaisagem = new QRadioButton(QStringLiteral("Paisagem"), this);
    optPaisagem->setObjectName(QStringLiteral("optPaisagem"));
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? optPaisagem : optRetrato)
        ->setChecked(true);
    auto* orientacao = new QGroupBox(QStringLiteral("Orientação"), this);
    auto* linhaOrientacao = new QHBoxLayout(orientacao);
    linhaOrientacao->addWidget(optRetrato);
    linhaOrientacao->addWidget(optPaisagem);
    linhaOrientacao->addStretch(1);

    botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botoes->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    botoes->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &DialogoImpressora::aplica);

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Impressora:"), cmbImpressora);
    campos->addRow(QStringLiteral("Papel:"), cmbPapel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addWidget(orientacao);
    layout->addWidget(botoes);
    setMinimumWidth(420);
}

void DialogoImpressora::aplica() {
    if (m_comImpressoras) {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(cmbImpressora->currentText());
    }
    m_printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(cmbPapel->currentData().toInt())));
    m_printer.setPageOrientation(optPaisagem->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace zove
