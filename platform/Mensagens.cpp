#include "platform/Mensagens.h"

#include <QMessageBox>
#include <QPushButton>

namespace zove {

namespace {

QMessageBox::Icon iconeQt(Mensagens::Icone icone) {
    switch (icone) {
    case Mensagens::Icone::Informacao:
        return QMessageBox::Information;
    case Mensagens::Icone::Exclamacao:
        return QMessageBox::Warning;
    case Mensagens::Icone::Critico:
        return QMessageBox::Critical;
    case Mensagens::Icone::Pergunta:
        return QMessageBox::Question;
    case Mensagens::Icone::Nenhum:
        break;
    }
    return QMessageBox::NoIcon;
}

void adiciona(QMessageBox& caixa, QMessageBox::StandardButton botao, const QString& texto) {
    caixa.addButton(botao)->setText(texto);
}

} // namespace

std::unique_ptr<QMessageBox> MensagensQt::montaCaixa(QWidget* pai, const QString& texto, Botoes botoes,
                                                     Icone icone, const QString& titulo) {
    auto caixa = std::make_unique<QMessageBox>(pai);
    caixa->setWindowTitle(titulo);
    caixa->setIcon(iconeQt(icone));
    caixa->setText(texto);
    caixa->setTextFormat(Qt::PlainText);
    switch (botoes) {
    case Botoes::OK:
        adiciona(*caixa, QMessageBox::Ok, QStringLiteral("OK"));
        caixa->setDefaultButton(QMessageBox::Ok);
        caixa->setEscapeButton(QMessageBox::Ok);
        break;
    case Botoes::OKCancelar:
        adiciona(*caixa, QMessageBox::Ok, QStringLiteral("OK"));
        adiciona(*caixa, QMessageBox::Cancel, QStringLiteral("Cancelar"));
        caixa->setDefaultButton(QMessageBox::Ok);
        caixa->setEscapeButton(QMessageBox::Cancel);
        break;
    case Botoes::SimNao:
        adiciona(*caixa, QMessageBox::Yes, QStringLiteral("Sim"));
        adiciona(*caixa, QMessageBox::No, QStringLiteral("Não"));
        caixa->setDefaultButton(QMessageBox::Yes);
        caixa->setEscapeButton(QMessageBox::No);
        break;
    case Botoes::SimNaoPadraoNao:
        adiciona(*caixa, QMessageBox::Yes, QStringLiteral("Sim"));
        adiciona(*caixa, QMessageBox::No, QStringLiteral("Não"));
        caixa->setDefaultButton(QMessageBox::No);
        caixa->setEscapeButton(QMessageBox::No);
        break;
    case Botoes::SimNaoCancelar:
        adiciona(*caixa, QMessageBox::Yes, QStringLiteral("Sim"));
        adiciona(*caixa, QMessageBox::No, QStringLiteral("Não"));
        adiciona(*caixa, QMessageBox::Cancel, QStringLiteral("Cancelar"));
        caixa->setDefaultButton(QMessageBox::Yes);
        caixa->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    return caixa;
}

Mensagens::Resposta MensagensQt::respostaDe(int botaoPadrao) {
    switch (botaoPadrao) {
    case QMessageBox::Ok:
        return Resposta::OK;
    case QMessageBox::Yes:
        return Resposta::Sim;
    case QMessageBox::No:
        return Resposta::Nao;
    default:
        return Resposta::Cancelar;
    }
}

Mensagens::Resposta MensagensQt::mostrar(QWidget* pai, const QString& texto, Botoes botoes, Icone icone,
                                         const QString& titulo) {
    auto caixa = montaCaixa(pai, texto, botoes, icone, titulo);
    caixa->exec();
    return respostaDe(caixa->standardButton(caixa->clickedButton()));
}

} // namespace zove
