#pragma once
#include "tabulon/Exportacao.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tabulon {

// Table files hold one Windows-1252 byte per character; every byte 0x00-0xFF maps to one
// character and back (the five unassigned bytes map to the C1 controls of the same value).
TABULON_API QString decodifica1252(QByteArrayView bytes);
// The same into a buffer of bytes.size() characters; returns the end of what was written.
TABULON_API QChar* decodifica1252(QByteArrayView bytes, QChar* destino);
// Characters outside Windows-1252 become "?", as the ANSI conversion of the tables always did.
TABULON_API QByteArray codifica1252(const QString& texto);
// True when every character of the text has a Windows-1252 byte.
TABULON_API bool representavelEm1252(const QString& texto);

} // namespace tabulon
