#include "import/LeitorDeLinhas.h"

#include "tabulon/Texto1252.h"

#include <QIODevice>

#include <algorithm>
#include <array>

namespace zove {

namespace {

// A printable character Windows-1252 has: Latin-1 from the no-break space on, and the ones its bytes
// 0x80 to 0x9F stand for (the C1 controls its five unassigned bytes map to are no text).
bool caractereDo1252(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF)
        return true;
    static const std::array<char16_t, 32> especiais = [] {
        std::array<char16_t, 32> t{};
        char bytes[32];
        for (int i = 0; i < 32; ++i)
            bytes[i] = static_cast<char>(0x80 + i);
        const QString texto = tabulon::decodifica1252(QByteArrayView(bytes, 32));
        for (int i = 0; i < 32; ++i)
            t[i] = texto.at(i).unicode();
        return t;
    }();
    return c >= 0x100 && c <= 0xFFFF && std::find(especiais.begin(), especiais.end(), c) != especiais.end();
}

bool quebra(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

void AnaliseUtf8::analisa(QByteArrayView bytes) {
    static constexpr unsigned char marca[] = {0xEF, 0xBB, 0xBF};
    for (qsizetype i = 0; i < bytes.size() && m_lidos < 3; ++i, ++m_lidos) {
        if (static_cast<unsigned char>(bytes[i]) != marca[m_lidos]) {
            m_lidos = 3;
            break;
        }
        m_comMarca = m_lidos == 2;
    }
    // Once it cannot be UTF-8, the rest need not be looked at.
    for (qsizetype i = 0; i < bytes.size() && m_bemFormado && m_soCaracteres1252; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (m_faltam > 0) {
            if ((b & 0xC0) != 0x80) {
                m_bemFormado = false;
                break;
            }
            m_caractere = (m_caractere << 6) | (b & 0x3F);
            if (--m_faltam == 0) {
                // Overlong forms, surrogates and values past U+10FFFF are not well-formed UTF-8.
                if (m_caractere < m_minimo || (m_caractere >= 0xD800 && m_caractere <= 0xDFFF) ||
                    m_caractere > 0x10FFFF)
                    m_bemFormado = false;
                else if (!caractereDo1252(m_caractere))
                    m_soCaracteres1252 = false;
            }
            continue;
        }
        if (b < 0x80)
            continue;
        m_multibyte = true;
        if (b >= 0xC2 && b <= 0xDF) {
            m_faltam = 1;
            m_caractere = b & 0x1F;
            m_minimo = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_faltam = 2;
            m_caractere = b & 0x0F;
            m_minimo = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_faltam = 3;
            m_caractere = b & 0x07;
            m_minimo = 0x10000;
        } else {
            m_bemFormado = false;
        }
    }
}

void AnaliseUtf8::termina() {
    if (m_faltam > 0)
        m_bemFormado = false;
}

LeitorDeLinhas::LeitorDeLinhas(QIODevice& dispositivo, qsizetype limite)
    : m_dispositivo(dispositivo), m_limite(limite) {}

bool LeitorDeLinhas::leBloco() {
    m_bloco.resize(kBloco);
    const qint64 lidos = m_dispositivo.read(m_bloco.data(), kBloco);
    m_bloco.resize(std::max<qint64>(lidos, 0));
    m_pos = 0;
    if (m_bloco.isEmpty()) {
        m_utf8.termina();
        return false;
    }
    m_utf8.analisa(m_bloco);
    return true;
}

void LeitorDeLinhas::acrescenta(QByteArray& linha, const char* inicio, const char* fim) {
    if (linha.isEmpty()) {
        while (inicio != fim && *inicio == ' ')
            ++inicio;
    }
    const qsizetype cabe = std::min<qsizetype>(std::max<qsizetype>(m_limite - linha.size(), 0), fim - inicio);
    linha.append(inicio, cabe);
    inicio += cabe;
    if (m_excedeu || inicio == fim)
        return;
    const char* naoBranco = std::find_if(inicio, fim, [](char c) { return c != ' '; });
    if (naoBranco != fim) {
        linha.append(*naoBranco);
        m_excedeu = true;
    }
}

bool LeitorDeLinhas::proxima(QByteArray& linha) {
    linha.clear();
    m_excedeu = false;
    bool leuAlgo = false;
    for (;;) {
        if (m_pos >= m_bloco.size() && !leBloco())
            return leuAlgo;
        // The LF of a CR LF split between two blocks belongs to the line already returned.
        if (m_depoisDeCR) {
            m_depoisDeCR = false;
            if (m_bloco.at(m_pos) == '\n') {
                ++m_pos;
                continue;
            }
        }
        leuAlgo = true;
        const char* dados = m_bloco.constData();
        const char* fimBloco = dados + m_bloco.size();
        const char* fimLinha = std::find_if(dados + m_pos, fimBloco, quebra);
        acrescenta(linha, dados + m_pos, fimLinha);
        if (fimLinha != fimBloco) {
            m_pos = fimLinha - dados + 1;
            if (*fimLinha == '\r') {
                if (m_pos < m_bloco.size()) {
                    if (m_bloco.at(m_pos) == '\n')
                        ++m_pos;
                } else {
                    m_depoisDeCR = true;
                }
            }
            return true;
        }
        m_pos = m_bloco.size();
    }
}

} // namespace zove
