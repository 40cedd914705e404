#pragma once
// Reads a batch import file line by line in blocks, with memory bounded whatever the file holds (one
// huge line, millions of empty ones), and tells whether the file is UTF-8 text rather than
// Windows-1252.
#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace zove {

// Whether a stream of bytes is UTF-8 text. Windows-1252 text can look like UTF-8 (an accented capital
// followed by a byte from 0x80 to 0xBF is a valid two-byte sequence), so UTF-8 is decided only from
// a byte order mark at the start, or when every byte belongs to a well-formed UTF-8 sequence, at least
// one sequence has several bytes, and every such sequence stands for a printable character that
// Windows-1252 also has (which is what a batch file written in UTF-8 instead of Windows-1252 holds;
// the accented Windows-1252 pairs, such as "É" followed by "–", decode to other characters).
class AnaliseUtf8 {
public:
    void analisa(QByteArrayView bytes);
    // The end of the stream (a sequence cut short there is not UTF-8).
    void termina();
    bool emUtf8() const { return m_comMarca || (m_bemFormado && m_multibyte && m_soCaracteres1252); }

private:
    bool m_comMarca = false;
    qsizetype m_lidos = 0;
    bool m_bemFormado = true;
    bool m_multibyte = false;
    bool m_soCaracteres1252 = true;
    int m_faltam = 0;
    char32_t m_caractere = 0;
    char32_t m_minimo = 0;
};

class LeitorDeLinhas {
public:
    LeitorDeLinhas(QIODevice& dispositivo, qsizetype limite);

    // The next line; false at the end of the file (or at a read error, which the device reports). A line
    // ends at LF, CR LF or a lone CR, as a text line input reads them; a last line without terminator is
    // read too. The line comes without its terminator and its leading blanks, and at most `limite` bytes
    // of the rest are kept: when more follows and any of it is not blank, the first such byte is
    // appended. So the line's length without blanks at its ends is the true one up to `limite`, and
    // above `limite` otherwise.
    bool proxima(QByteArray& linha);

    // After the last line: whether the file is in UTF-8 (see AnaliseUtf8).
    bool emUtf8() const { return m_utf8.emUtf8(); }

private:
    bool leBloco();
    void acrescenta(QByteArray& linha, const char* inicio, const char* fim);

    static constexpr qint64 kBloco = 1 << 16;
    QIODevice& m_dispositivo;
    qsizetype m_limite;
    QByteArray m_bloco;
    qsizetype m_pos = 0;
    bool m_depoisDeCR = false;
    bool m_excedeu = false;
    AnaliseUtf8 m_utf8;
};

} // namespace zove
