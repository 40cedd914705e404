#include "barcode/ZovDados.h"

#include "common/Formato.h"

namespace zove {

QString ZovDados::Formatar(const QString& valor, qint16 tamanho) {
    if (tamanho <= 0)
        return QString();
    return formato::zeros(valor.right(tamanho), tamanho);
}

} // namespace zove
