#pragma once
// The printer set-up: which printer, paper and orientation the print runs use. It only chooses;
// nothing is printed from here and nothing is written.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QDialogButtonBox;
class QPrinter;
class QRadioButton;

namespace zove {

class DialogoImpressora : public QDialog {
    Q_OBJECT
public:
    // impressoras: the printers of the machine; none means print runs go to the file arquivoPdf.
    DialogoImpressora(QPrinter& printer, const QStringList& impressoras, const QString& arquivoPdf,
                      QWidget* pai = nullptr);

    // Gives the printer the choices made (done when the dialog is confirmed).
    void aplica();

    QComboBox* cmbImpressora;
    QComboBox* cmbPapel;
    QRadioButton* optRetrato;
    QRadioButton* optPaisagem;
    QDialogButtonBox* botoes;

private:
    QPrinter& m_printer;
    bool m_comImpressoras;
};

} // namespace zove
