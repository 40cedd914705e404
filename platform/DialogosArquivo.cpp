#include "platform/DialogosArquivo.h"

#include <QFileDialog>
#include <QStringList>

namespace zove {

QString DialogosArquivoQt::filtroQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        // Qt separates several patterns with blanks where the pair form uses ";".
        QString padroes = partes.at(i + 1).trimmed();
        padroes.replace(QLatin1Char(';'), QLatin1Char(' '));
        filtros.append(partes.at(i).trimmed() + QStringLiteral(" (") + padroes.simplified() +
                       QLatin1Char(')'));
    }
    if (partes.size() % 2 == 1 && !partes.last().trimmed().isEmpty())
        filtros.append(partes.last().trimmed());
    return filtros.join(QStringLiteral(";;"));
}

QString DialogosArquivoQt::sufixoPadrao(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    if (partes.size() < 2)
        return {};
    const QString primeiro = partes.at(1).split(QLatin1Char(';')).value(0).trimmed();
    if (!primeiro.startsWith(QLatin1String("*.")))
        return {};
    const QString sufixo = primeiro.mid(2);
    // "*.*" or "*.tx?" name no single extension.
    if (sufixo.isEmpty() || sufixo.contains(QLatin1Char('*')) || sufixo.contains(QLatin1Char('?')))
        return {};
    return sufixo;
}

std::unique_ptr<QFileDialog> DialogosArquivoQt::montaDialogoSalvar(QWidget* pai, const QString& titulo,
                                                                   const QString& filtro,
                                                                   const QString& nomeInicial) {
    auto dialogo = std::make_unique<QFileDialog>(pai, titulo, nomeInicial, filtroQt(filtro));
    dialogo->setAcceptMode(QFileDialog::AcceptSave);
    dialogo->setFileMode(QFileDialog::AnyFile);
    dialogo->setDefaultSuffix(sufixoPadrao(filtro));
    return dialogo;
}

QString DialogosArquivoQt::abrir(QWidget* pai, const QString& titulo, const QString& filtro,
                                 const QString& nomeInicial) {
    return QFileDialog::getOpenFileName(pai, titulo, nomeInicial, filtroQt(filtro));
}

QString DialogosArquivoQt::salvar(QWidget* pai, const QString& titulo, const QString& filtro,
                                  const QString& nomeInicial) {
    const auto dialogo = montaDialogoSalvar(pai, titulo, filtro, nomeInicial);
    if (dialogo->exec() != QDialog::Accepted)
        return {};
    return dialogo->selectedFiles().value(0);
}

} // namespace zove
