#pragma once
// Which folder holds the tables of a run, and the user's own data folder of an installed program, made
// from the tables the package delivers and kept in step with them.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zove {

// Why a folder is the data folder of the run, in order of precedence.
enum class OrigemPastaDados {
    OpcaoDados,       // --dados
    Configuracao,     // the key PastaDados of section [ZOVE] in the user's settings (a shared folder)
    AoLadoDoPrograma, // "Dados" beside the program, as in the build folder
    PastaDoUsuario,   // installed program: the user's own folder, made from the installed tables
};

struct EntradaPastaDados {
    QString opcaoDados; // --dados as typed; a relative path is taken from pastaAtual
    QString pastaAtual;
    QString chaveConfiguracao; // PastaDados as written; a relative path is taken from pastaPessoal
    QString pastaPessoal;
    QString pastaPrograma;  // the folder of the executable
    QString pastaAplicacao; // the user's application data folder (QStandardPaths::AppDataLocation)
};

struct EscolhaPastaDados {
    QString pasta;
    OrigemPastaDados origem = OrigemPastaDados::AoLadoDoPrograma;
    // For PastaDoUsuario: the installed tables the folder is made from; empty otherwise.
    QString tabelasEntregues;
};

// The package's shared files (tables, help, fee page) as seen from the installed program's folder
// ("../share/zove" for bin and share under one prefix).
QString caminhoCompartilhadoRelativo();

// The package's shared folder when the program runs installed (no Dados beside it, and the shared
// folder holds the delivered Dados); empty otherwise.
QString pastaCompartilhadaInstalada(const QString& pastaPrograma);

EscolhaPastaDados escolhePastaDados(const EntradaPastaDados& entrada);

// Why the folder was chosen, as the support check and the help show it: "da pasta do usuário".
QString motivoDaPasta(OrigemPastaDados origem);

// A file delivered with the program (help, fee page): beside the program, or in the installed
// package's shared folder when it is not there.
QString arquivoEntregue(const QString& pastaPrograma, const QString& nome);

// What preparing the user's data folder did.
struct AtualizacaoPastaDados {
    bool criada = false;     // the folder did not exist and was made from the delivered tables
    QStringList atualizadas; // reference tables replaced by the delivered ones (old ones kept dated)
    QStringList problemas;   // what could not be done, one sentence each, for the user

    // The lines the start-up shows: the updated tables, then every problem.
    QStringList avisos(const QString& pasta) const;
};

// The hidden file in the user's folder recording the digest (SHA-256) of each reference table the
// package delivered when the folder was last brought up to date.
inline constexpr char ArquivoTabelasEntregues[] = ".tabelas-entregues";

// Makes `pasta` from the delivered tables when it does not exist, and brings its reference tables up
// to the delivered ones: a table is replaced when the package brings content other than the user's
// copy and other than what it delivered last time (so a table the office put there on purpose stays
// until a package changes that table), or when the user's copy does not pass its digest. Each table is
// written whole to a temporary file, checked by its digest and content, and renamed over the old one,
// which is kept beside as "<tabela>_copia_AAAAMMDD_HHMMSS" (dated `agora`). A delivered table that
// fails its digest is never installed. ZOV and CONTRIBUINTE are only created when missing, never
// replaced. The delivered folder is only read.
AtualizacaoPastaDados atualizaPastaDoUsuario(const QString& entregues, const QString& pasta,
                                             const QDateTime& agora);

} // namespace zove
