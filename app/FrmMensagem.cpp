#include "app/FrmMensagem.h"

#include "platform/AreaDeTrabalho.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zove {

namespace {

QLabel* rotulo(QWidget* pai, const char* nome, const QString& texto) {
    auto* label = new QLabel(texto, pai);
    label->setObjectName(QLatin1String(nome));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

FrmMensagem::FrmMensagem(AreaDeTrabalho& areaDeTrabalho, const QString& endereco, QWidget* parent)
    // A notice has a title and a close button only: nothing to minimise or maximise.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_areaDeTrabalho(areaDeTrabalho), m_endereco(endereco) {
    setObjectName(QStringLiteral("FrmMensagem"));
    setWindowTitle(QStringLiteral("Aviso"));
    setModal(false);

    Label1 = rotulo(this, "Label1", QStringLiteral("Prezado usuário,"));
    QFont negrito = Label1->font();
    negrito.setBold(true);
    Label1->setFont(negrito);
    Label2 =
        rotulo(this, "Label2",
               QStringLiteral("As receitas 1554, 1570, 1589, 1651, 1724, 1740, 2127 e 7650 não estão mais "
                              "disponíveis neste programa emissor de ZOVE."));
    Label3 = rotulo(this, "Label3",
                    QStringLiteral("Para emitir documentos de arrecadação destas receitas utilize o serviço "
                                   "disponível no site da PYX."));
    Label4 = rotulo(this, "Label4", QStringLiteral("Você pode acessá-lo clicando no botão ou link abaixo:"));

    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setTextFormat(Qt::RichText);
    Label5->setText(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(endereco.toHtmlEscaped(), endereco.toHtmlEscaped()));
    Label5->setWordWrap(true);
    Label5->setOpenExternalLinks(false);
    Label5->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Label5->setToolTip(endereco);
    connect(Label5, &QLabel::linkActivated, this, [this](const QString&) { abrirPagina(); });

    cmdAbrirPagina = new QPushButton(QStringLiteral("Acessar Página"), this);
    cmdAbrirPagina->setObjectName(QStringLiteral("cmdAbrirPagina"));
    cmdAbrirPagina->setAutoDefault(false);
    connect(cmdAbrirPagina, &QPushButton::clicked, this, &FrmMensagem::abrirPagina);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    auto* linhaBotao = new QHBoxLayout;
    linhaBotao->addStretch(1);
    linhaBotao->addWidget(cmdAbrirPagina);
    linhaBotao->addStretch(1);
    layout->addLayout(linhaBotao);
    // A fixed size: the window manager offers no maximise, and the main window knows how much room the
    // notice needs before it is shown.
    const int largura = 520;
    setFixedSize(largura, layout->hasHeightForWidth() ? layout->totalHeightForWidth(largura)
                                                      : layout->totalSizeHint().height());
}

void FrmMensagem::abrirPagina() {
    m_areaDeTrabalho.abrirEndereco(m_endereco);
}

} // namespace zove
