#pragma once
#include "tabulon/Exportacao.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>
#include <QList>
#include <QString>

namespace tabulon {

// The digest that protects the reference tables. Each line (blanks trimmed at both ends) is hashed
// together with the value reached so far, starting from a fixed seed, so any change to a line or
// to the order of the lines changes the final value.
namespace MD5Driver {

inline constexpr char Semente[] = "Oriel";
inline constexpr char MarcaDigest[] = ":):)";

// MD5 of the text's Windows-1252 bytes, as 32 hexadecimal digits (lower case, except that a byte
// below 16 is written "0" and an upper-case digit, as the tables have always been signed).
TABULON_API QString CalculaMD5(const QString& texto);
// One byte per character, the character's Windows-1252 code.
TABULON_API QByteArray TextoParaBytes(const QString& texto);
TABULON_API QString BytesParaHex(QByteArrayView digest);

// One step of the chain on raw file bytes: upper-case MD5 of trimmed(linha) followed by anterior.
TABULON_API QByteArray passoDaCadeia(QByteArrayView linha, QByteArrayView anterior);
// The whole chain over the lines before the digest line (header included), upper case.
TABULON_API QByteArray digestDasLinhas(const QList<QByteArray>& linhas);

TABULON_API bool ehLinhaDeDigest(QByteArrayView linha);

// The same chain fed one line at a time; the loader walks large tables with it, so a step allocates
// nothing.
class TABULON_API Cadeia {
public:
    Cadeia();
    void passo(QByteArrayView linha);
    // The value reached so far, upper case (the seed before the first step).
    QByteArrayView valor() const { return QByteArrayView(m_h, m_tamanho); }

private:
    QCryptographicHash m_md5;
    char m_h[32];
    qsizetype m_tamanho;
};

// A table's content signed: every digest line it holds is dropped and the digest of the remaining
// lines is appended as the last line; lines end with CR LF.
TABULON_API QByteArray assinaConteudo(const QByteArray& conteudo);

} // namespace MD5Driver
} // namespace tabulon
