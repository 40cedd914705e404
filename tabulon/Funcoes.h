#pragma once
// File helpers shared by the loader, LimpaBase and the program's table rewrites.
#include "tabulon/Exportacao.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace tabulon {

// The whole content of a table file. A missing file raises error 53; an unreadable one error 75.
// A file name that differs only in case from the one asked for is accepted (the tables come from a
// system whose file names ignore case).
TABULON_API QByteArray AbreArquivo(const QString& caminho);

// The path of a file in a folder, matching the name ignoring case when the exact name is absent.
TABULON_API QString caminhoNaPasta(const QString& pasta, const QString& nome);

// Splits file content into lines ending at CR or CR LF (neither belongs to the line). A final line
// terminator does not start another line.
TABULON_API QList<QByteArray> separaLinhas(const QByteArray& conteudo);
// The same lines as views into conteudo, valid while conteudo lives (no copy per line).
TABULON_API QList<QByteArrayView> vistasDasLinhas(QByteArrayView conteudo);

// Joins lines with CR LF after each, as the program writes its tables.
TABULON_API QByteArray juntaLinhas(const QList<QByteArray>& linhas);

// Writes the file whole and flushed to a temporary name beside it, renames it over the target and
// flushes the folder, so that a power cut after a reported success cannot bring the old file back.
// The target is never removed first: on any failure it keeps its previous content and the temporary
// file is gone. On failure returns false and puts the reason, in Portuguese, in *erro (a disk that
// fills up is named as such, with how much could be written).
TABULON_API bool gravaArquivoAtomico(const QString& caminho, const QByteArray& conteudo,
                                     QString* erro = nullptr);

// Writes the file whole under a temporary name beside it and renames it over the target, like
// gravaArquivoAtomico, but without waiting for the disk: for copies whose loss in a power cut costs
// nothing because the same content is also written durably elsewhere.
TABULON_API bool gravaCopia(const QString& caminho, const QByteArray& conteudo, QString* erro = nullptr);

// The reason a file operation failed, in Portuguese: the file system's and Qt's English texts for the
// failures a table write can meet are translated; any other text is returned as it is.
TABULON_API QString motivoEmPortugues(const QString& motivo);

// The text without the spaces at its ends. Only the space counts as a blank in the table format
// (tabs and other white space are kept).
TABULON_API QString semBrancos(const QString& texto);

// True when the text is not empty and every character is an ASCII decimal digit "0" to "9" (no blank,
// no sign, no other script's digits). Callers trim first where blanks around the number are allowed.
TABULON_API bool soDigitos(QStringView texto);

// A date text as the regional settings read it (d/m/yyyy, two-digit years in the 1930-2029 window).
TABULON_API std::optional<QDate> lerData(const QString& texto);

} // namespace tabulon
