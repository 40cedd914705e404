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

QString DialogosArquivoQt::abrir(QWidget* pai, const QString& titulo, const QString& filtro,
                                 const QString& nomeInicial) {
    return QFileDialog::getOpenFileName(pai, titulo, nomeInicial, filtroQt(filtro));
}

QString DialogosArquivoQt::salvar(QWidget* pai, const QString& titulo, const QString& filtro,
                                  const QString& nomeInicial) {
    return QFileDialog::getSaveFileName(pai, titulo, nomeInicial, filtroQt(filtro));
}

} // namespace zove
