#include "platform/AreaDeTrabalho.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace zove {

bool AreaDeTrabalhoQt::abrirEndereco(const QString& endereco) {
    const QUrl url = QUrl::fromUserInput(endereco);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool AreaDeTrabalhoQt::abrirArquivo(const QString& caminho) {
    if (!QFileInfo::exists(caminho))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
}

} // namespace zove
