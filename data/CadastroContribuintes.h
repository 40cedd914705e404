#pragma once
// The taxpayer exchange file: reading one as a stream, importing its taxpayers into the registry,
// exporting the registry, and the names of the backups kept when the saved data is cleared. No window
// here: the maintenance commands of the main window and the command line ask these rules and show the
// answer.
#include "tabulon/Colecoes.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

class QIODevice;

namespace zove {
class Referencias;
}

namespace zove::cadastro {

// The header line every exchange file starts with (the CONTRIBUINTE table's own header).
inline constexpr char Cabecalho[] = "TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE";

// The one message the user sees when a file cannot be imported.
inline constexpr char MensagemIncompativel[] = "O arquivo de importação não é compatível com o esperado.";

// The outcome of reading an exchange file, or where and why it was refused.
struct LeituraArquivo {
    bool ok = false;
    // The first refused line, counting the header as line 1; 0 when the file as a whole is refused.
    qsizetype linha = 0;
    QString motivo;
    // Values as the table loader would give them (the name's entity names decoded); filled only by the
    // reading of content in memory.
    std::vector<tabulon::CONTRIBUINTE> contribuintes;

    // The message shown for a refused file: the compatibility message, then the line and the reason.
    QString mensagem() const;
};

// Reads an exchange file from `origem`, a block at a time, and hands each taxpayer to `recebe` as soon as
// its line is judged. The rules: the first line is the header, with blanks of any length around it;
// every further non-empty line has at least five values separated by "|" (surplus values are ignored),
// no NUL, does not look like a digest line and does not repeat the header. Lines end at CR LF, CR or LF.
// Every byte but NUL is Windows-1252 text the program may store, so the encoding is judged on the whole
// file: it is taken for UTF-8 (and refused) only when every accented character in it reads as a UTF-8
// character Windows-1252 also has and some line does not end in CR LF, which the program's own files
// always do. A refusal may therefore come after taxpayers were handed over: keep them apart until the
// end. Memory holds one block and one line up to its fifth value; a longer line is judged as it goes by
// and, when it holds a taxpayer, read again, so `origem` must be able to seek.
struct TamanhosDeLeitura {
    qint64 bloco = 256 * 1024;          // read at a time
    qsizetype linhaEmMemoria = 1 << 20; // the most of one line kept
};
LeituraArquivo leArquivo(QIODevice& origem, const std::function<void(tabulon::CONTRIBUINTE&&)>& recebe,
                         TamanhosDeLeitura tamanhos = {});
// The same for content in memory, collecting the taxpayers.
LeituraArquivo leArquivo(QByteArrayView conteudo);

// The outcome of merging imported taxpayers into the registry.
struct Mescla {
    qsizetype incluidos = 0;
    // Lines whose five values equal a taxpayer already there (or one earlier in the same file).
    qsizetype repetidos = 0;
};

// Appends to the registry the taxpayers it does not already hold with the same five values, in file
// order, so importing the same file twice does not double anything. Doubles already saved stay.
Mescla mescla(tabulon::CONTRIBUINTEs& cadastro, const std::vector<tabulon::CONTRIBUINTE>& novos);

// The end of a registry command: success, or the message for the user.
struct Resultado {
    bool ok = false;
    QString mensagem;
    // The system refused a read or a write (an error), rather than the file or the place chosen.
    bool falhaDoSistema = false;
    // Import: what the file added.
    Mescla mescla;
};

// Imports the exchange file at `caminho` into the registry of `refs`: only a regular file is opened (a
// pipe or a device could keep the program waiting, or never end); it is read once, inside the facade's
// batch step, and the registry is written once when the file brought anything new. A refused file
// changes nothing. Every failure message starts with MensagemIncompativel.
Resultado importaArquivo(Referencias& refs, const QString& caminho);
// The same from a device that can seek (the fuzz target reads from memory).
Resultado importa(Referencias& refs, QIODevice& origem);

// Copies the registry file of `pastaDados` byte for byte to `destino`, written whole by `gravador`. A
// destination inside the data folder is refused: the copy could be taken for one of the program's
// tables, or replace one.
using Gravador = std::function<bool(const QString& caminho, const QByteArray& conteudo, QString* erro)>;
Resultado exporta(const QString& pastaDados, const QString& destino, const Gravador& gravador);

// A backup file name for a table, dated by `quando` ("ZOV_copia_20261210_143005"), that is not yet
// taken in the folder: a second clearing within the same second gets "_2", "_3"...
QString nomeCopiaDeSeguranca(const QString& pasta, const QString& tabela, const QDateTime& quando);

} // namespace zove::cadastro
