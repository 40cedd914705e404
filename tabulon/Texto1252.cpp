#include "tabulon/Texto1252.h"

namespace tabulon {

namespace {

// 0x80-0x9F are the only bytes whose character differs from Latin-1. The five bytes Windows-1252
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep the C1 control of the same value, so any file
// content survives a read and a write unchanged. The loader converts every line of every table, so
// this is a plain table lookup rather than a converter object per line.
constexpr char16_t kFaixa80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a character, or -1 when Windows-1252 has none.
int byteDe(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kFaixa80[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QChar* decodifica1252(QByteArrayView bytes, QChar* destino) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        destino[i] = QChar(b >= 0x80 && b < 0xA0 ? kFaixa80[b - 0x80] : char16_t(b));
    }
    return destino + bytes.size();
}

QString decodifica1252(QByteArrayView bytes) {
    QString texto(bytes.size(), Qt::Uninitialized);
    decodifica1252(bytes, texto.data());
    return texto;
}

QByteArray codifica1252(const QString& texto) {
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char* destino = bytes.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t c = texto.at(i).unicode();
        const int b = byteDe(c);
        if (b < 0 && QChar::isHighSurrogate(c) && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate())
            ++i; // one character outside the code page, one "?"
        destino[n++] = static_cast<char>(b < 0 ? '?' : b);
    }
    bytes.truncate(n);
    return bytes;
}

bool representavelEm1252(const QString& texto) {
    for (QChar c : texto) {
        if (byteDe(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace tabulon
