#include "import/janelas/frmLogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zove {

namespace {
// The list's widths were given in twips; 15 twips make a pixel on a 96 dpi screen.
int pixels(int twips) {
    return twips / 15;
}
} // namespace

frmLogs::frmLogs(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLogs"));
    setWindowTitle(QStringLiteral("Log de erros do ZOVE"));
    setModal(true);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lvwLogs = new QTreeWidget(Frame1);
    lvwLogs->setObjectName(QStringLiteral("lvwLogs"));
    lvwLogs->setRootIsDecorated(false);
    lvwLogs->setUniformRowHeights(true);
    lvwLogs->setHeaderLabels({QStringLiteral("Índice"), QStringLiteral("Descrição")});
    lvwLogs->setColumnWidth(0, pixels(1000));
    lvwLogs->setColumnWidth(1, pixels(10000));
    auto* quadro = new QVBoxLayout(Frame1);
    quadro->addWidget(lvwLogs);

    cmdFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::accept);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(botoes);
    resize(pixels(11500), 360);
}

void frmLogs::Logs(const zove::Logs& logs) {
    m_logs.Reset();
    m_logs.AddRange(logs);
    lvwLogs->clear();
    QList<QTreeWidgetItem*> linhas;
    qsizetype indice = 0;
    for (const auto& l : m_logs)
        linhas.append(new QTreeWidgetItem({QString::number(++indice), l->Descricao()}));
    lvwLogs->addTopLevelItems(linhas);
}

} // namespace zove
