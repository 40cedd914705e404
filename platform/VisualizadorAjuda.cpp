#include "platform/VisualizadorAjuda.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zove {

VisualizadorAjudaQt::~VisualizadorAjudaQt() {
    // A window without a parent belongs to this viewer.
    for (const QPointer<QDialog>& janela : std::as_const(m_janelas)) {
        if (janela && !janela->parent())
            delete janela.data();
    }
}

QString VisualizadorAjudaQt::chave(const QString& arquivo) {
    return QFileInfo(arquivo).absoluteFilePath();
}

QDialog* VisualizadorAjudaQt::janela(const QString& arquivo) const {
    return m_janelas.value(chave(arquivo));
}

QDialog* VisualizadorAjudaQt::criaJanela(QWidget* pai, const QString& arquivo) {
    auto* janela = new QDialog(pai, Qt::Window);
    janela->setObjectName(QStringLiteral("frmAjuda"));
    // Closed, the window goes: opened again, the document starts over at its own first page.
    janela->setAttribute(Qt::WA_DeleteOnClose);
    janela->resize(760, 620);
    auto* navegador = new QTextBrowser(janela);
    navegador->setObjectName(QStringLiteral("txtAjuda"));
    navegador->setOpenExternalLinks(true);

    auto* voltar = new QPushButton(QStringLiteral("Voltar"), janela);
    voltar->setObjectName(QStringLiteral("cmdVoltar"));
    auto* avancar = new QPushButton(QStringLiteral("Avançar"), janela);
    avancar->setObjectName(QStringLiteral("cmdAvancar"));
    auto* inicio = new QPushButton(QStringLiteral("Conteúdo"), janela);
    inicio->setObjectName(QStringLiteral("cmdConteudo"));
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), janela);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    voltar->setEnabled(false);
    avancar->setEnabled(false);

    QObject::connect(voltar, &QPushButton::clicked, navegador, &QTextBrowser::backward);
    QObject::connect(avancar, &QPushButton::clicked, navegador, &QTextBrowser::forward);
    QObject::connect(inicio, &QPushButton::clicked, navegador, &QTextBrowser::home);
    QObject::connect(fechar, &QPushButton::clicked, janela, &QDialog::close);
    QObject::connect(navegador, &QTextBrowser::backwardAvailable, voltar, &QPushButton::setEnabled);
    QObject::connect(navegador, &QTextBrowser::forwardAvailable, avancar, &QPushButton::setEnabled);
    QObject::connect(navegador, &QTextBrowser::sourceChanged, janela, [janela, navegador] {
        const QString titulo = navegador->documentTitle();
        janela->setWindowTitle(titulo.isEmpty() ? QStringLiteral("Ajuda") : titulo);
    });

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(inicio);
    botoes->addWidget(voltar);
    botoes->addWidget(avancar);
    botoes->addStretch(1);
    botoes->addWidget(fechar);
    auto* layout = new QVBoxLayout(janela);
    layout->addWidget(navegador, 1);
    layout->addLayout(botoes);

    // The first page a browser shows is its home ("Conteúdo").
    navegador->setSource(QUrl::fromLocalFile(arquivo));
    return janela;
}

bool VisualizadorAjudaQt::mostrar(QWidget* pai, const QString& arquivo) {
    const QFileInfo info(arquivo);
    if (!info.isFile() || !info.isReadable())
        return false;

    const QString k = chave(arquivo);
    QPointer<QDialog>& janela = m_janelas[k];
    // A closed window (its deletion may still be pending) or one of another parent is replaced.
    if (janela && (janela->parentWidget() != pai || !janela->isVisible())) {
        delete janela.data();
        janela = nullptr;
    }
    if (!janela)
        janela = criaJanela(pai, k);
    janela->show();
    janela->raise();
    janela->activateWindow();
    return true;
}

} // namespace zove
