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
    if (m_janela && !m_janela->parent())
        delete m_janela.data();
}

bool VisualizadorAjudaQt::mostrar(QWidget* pai, const QString& arquivo) {
    const QFileInfo info(arquivo);
    if (!info.isFile() || !info.isReadable())
        return false;

    if (m_janela && m_janela->parentWidget() != pai) {
        if (!m_janela->parent())
            delete m_janela.data();
        else
            m_janela->deleteLater();
        m_janela = nullptr;
    }
    if (!m_janela) {
        auto* janela = new QDialog(pai, Qt::Window);
        janela->setObjectName(QStringLiteral("frmAjuda"));
        janela->resize(760, 620);
        m_navegador = new QTextBrowser(janela);
        m_navegador->setObjectName(QStringLiteral("txtAjuda"));
        m_navegador->setOpenExternalLinks(true);

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

        QTextBrowser* navegador = m_navegador;
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
        layout->addWidget(m_navegador, 1);
        layout->addLayout(botoes);
        m_janela = janela;
    }

    m_navegador->clearHistory();
    m_navegador->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    m_janela->show();
    m_janela->raise();
    m_janela->activateWindow();
    return true;
}

} // namespace zove
