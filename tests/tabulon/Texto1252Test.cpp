#include "tabulon/Texto1252.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

QByteArray todosOsBytes() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

} // namespace

TEST(Texto1252, EveryByteIsOneCharacterAndComesBackUnchanged) {
    const QByteArray bytes = todosOsBytes();
    const QString texto = decodifica1252(bytes);
    ASSERT_EQ(texto.size(), 256);
    EXPECT_EQ(codifica1252(texto), bytes);
    EXPECT_TRUE(representavelEm1252(texto));
}

TEST(Texto1252, AgreesWithTheSystemCodecOnEveryByte) {
    QStringDecoder sistema("windows-1252");
    ASSERT_TRUE(sistema.isValid());
    const QByteArray bytes = todosOsBytes();
    const QString esperado = sistema.decode(bytes);
    const QString obtido = decodifica1252(bytes);
    ASSERT_EQ(esperado.size(), obtido.size());
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(obtido.at(b).unicode(), esperado.at(b).unicode()) << "byte " << b;
}

TEST(Texto1252, KnownCharacters) {
    struct Caso {
        unsigned char byte;
        char16_t caractere;
    };
    const Caso casos[] = {
        {0x41, u'A'},      {0xE3, u'\u00E3'}, {0xC7, u'\u00C7'}, {0xBA, u'\u00BA'}, {0x80, u'\u20AC'},
        {0x81, u'\u0081'}, {0x8D, u'\u008D'}, {0x9F, u'\u0178'}, {0x00, u'\0'},     {0xFF, u'\u00FF'},
    };
    for (const Caso& c : casos) {
        const char b = static_cast<char>(c.byte);
        EXPECT_EQ(decodifica1252(QByteArrayView(&b, 1)), QString(QChar(c.caractere))) << int(c.byte);
        EXPECT_EQ(codifica1252(QString(QChar(c.caractere))), QByteArray(1, b)) << int(c.byte);
    }
}

TEST(Texto1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const QString texto = QString::fromUtf8("a\u4E2Db\U0001F600c\u0100");
    EXPECT_EQ(codifica1252(texto), QByteArray("a?b?c?"));
    EXPECT_FALSE(representavelEm1252(texto));
    EXPECT_TRUE(representavelEm1252(QString::fromUtf8("São João – nº 1 €")));
}
