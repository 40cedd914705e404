#include "import/RegistroZove.h"

#include "tabulon/Texto1252.h"

namespace zove::registro {

QString textoDaLinha(QByteArrayView linha) {
    if (linha.endsWith('\n'))
        linha.chop(1);
    if (linha.endsWith('\r'))
        linha.chop(1);
    return tabulon::decodifica1252(linha);
}

Campos corta(const QString& registro) {
    Campos campos;
    for (size_t i = 0; i < posicoes.size(); ++i)
        campos[i] = registro.mid(posicoes[i].inicio - 1, posicoes[i].tamanho);
    return campos;
}

} // namespace zove::registro
