#include "tabulon/Texto1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tabulon {

QString decodifica1252(QByteArrayView bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

QByteArray codifica1252(const QString& texto) {
    QStringEncoder encoder("windows-1252", QStringEncoder::Flag::Default);
    QByteArray bytes = encoder.encode(texto);
    return bytes;
}

bool representavelEm1252(const QString& texto) {
    QStringEncoder encoder("windows-1252", QStringEncoder::Flag::Stateless);
    // encode() is lazy: the conversion only runs when its result becomes a byte array.
    const QByteArray bytes = encoder.encode(texto);
    return !encoder.hasError();
}

} // namespace tabulon
