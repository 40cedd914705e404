#pragma once
// The error lines of one imported record (after the lines of the file itself), one row each.
#include "import/Logs.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QTreeWidget;

namespace zove {

class frmLogs : public QDialog {
    Q_OBJECT
public:
    explicit frmLogs(QWidget* parent = nullptr);

    const zove::Logs& Logs() const { return m_logs; }
    // Set before the window is shown; the list shows these lines.
    void Logs(const zove::Logs& logs);

    QGroupBox* Frame1;
    QTreeWidget* lvwLogs;
    QPushButton* cmdFechar;

private:
    zove::Logs m_logs;
};

} // namespace zove
