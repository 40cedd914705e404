#pragma once
// The taxpayer exchange file: checking a file before anything is changed, merging its taxpayers into
// the registry, and the names of the backups kept when the saved data is cleared. No window here: the
// maintenance commands of the main window ask these rules and apply the answer.
#include "tabulon/Colecoes.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

namespace zove::cadastro {

// The header line every exchange file starts with (the CONTRIBUINTE table's own header).
inline constexpr char Cabecalho[] = "TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE";

// The one message the user sees when a file cannot be imported.
inline constexpr char MensagemIncompativel[] = "O arquivo de importação não é compatível com o esperado.";

// The taxpayers of an exchange file, or where and why it was refused.
struct LeituraArquivo {
    bool ok = false;
    // The first refused line, counting the header as line 1; 0 when the file as a whole is refused.
    qsizetype linha = 0;
    QString motivo;
    // Values as the table loader would give them (the name's entity names decoded).
    std::vector<tabulon::CONTRIBUINTE> contribuintes;

    // The message shown for a refused file: the compatibility message, then the line and the reason.
    QString mensagem() const;
};

// Whether a file opens with the header line, judged from its first bytes `inicio` (`continua` when the
// file holds more than that): a file of another kind is refused before it is read whole. A first line
// running past `inicio` is no header. An empty `inicio` is left to leArquivo.
LeituraArquivo confereCabecalho(QByteArrayView inicio, bool continua);

// Checks every line before anything is used: the first line must be the header (blanks around it
// allowed); every further non-empty line must have at least five values, no NUL or other control
// character but tab, must not look like a digest line or repeat the header, and must be Windows-1252
// text (not UTF-8, no byte the code page leaves unassigned). Lines may end with CR LF, CR or LF.
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

// A backup file name for a table, dated by `quando` ("ZOV_copia_20261210_143005"), that is not yet
// taken in the folder: a second clearing within the same second gets "_2", "_3"...
QString nomeCopiaDeSeguranca(const QString& pasta, const QString& tabela, const QDateTime& quando);

} // namespace zove::cadastro
