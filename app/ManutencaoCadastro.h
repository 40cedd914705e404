#pragma once
// The three maintenance commands of the main window on the tables the program writes itself:
// exporting the taxpayer registry to a file, importing such a file into it, and clearing the saved
// documents and taxpayers. All of them work on the data folder the program runs on.
#include "platform/Mensagens.h"
#include "platform/Plataforma.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

class QTextStream;
class QWidget;

namespace zove {

class Referencias;

class ManutencaoCadastro {
public:
    // relogio dates the backups taken before clearing.
    ManutencaoCadastro(
        Referencias& refs, Plataforma plataforma,
        std::function<QDateTime()> relogio = [] { return QDateTime::currentDateTime(); });

    static const QString TituloExportacao;
    static const QString TituloImportacao;
    static const QString Filtro;
    static const QString MensagemLimpa;
    static const QString PerguntaLimpar;

    // Copies the CONTRIBUINTE file to a file the user names (a new name may be typed). A cancelled
    // dialog does nothing; a target inside the data folder is refused; a failed write is reported and
    // leaves any existing target as it was.
    void exportar(QWidget* pai);
    // Checks the chosen file whole, then adds its taxpayers that are not saved yet, writing the
    // registry once. A refused file changes nothing.
    void importar(QWidget* pai);
    // Asks first, keeps dated copies of both files, then empties both tables. When a copy cannot be
    // made nothing is cleared.
    void limpar(QWidget* pai);

    // Writes a whole file in place of another (export and backups); by default
    // tabulon::gravaArquivoAtomico. Tests put a failing one in its place.
    using Gravador = std::function<bool(const QString& caminho, const QByteArray& conteudo, QString* erro)>;
    void defineGravador(Gravador gravador) { m_gravador = std::move(gravador); }

private:
    void mostra(QWidget* pai, const QString& texto, Mensagens::Icone icone, const QString& titulo);

    Referencias& m_refs;
    Plataforma m_plataforma;
    std::function<QDateTime()> m_relogio;
    Gravador m_gravador;
};

// The two registry commands of the menu run from the command line ("zove --exportar-cadastro ARQUIVO",
// "zove --importar-cadastro ARQUIVO"): the same checks and messages, the messages on `erros` and one
// line on `saida` for a success. Return 0 on success, 1 otherwise (nothing was changed).
int exportaCadastroSemJanela(const QString& pastaDados, const QString& arquivo, QTextStream& saida,
                             QTextStream& erros);
int importaCadastroSemJanela(const QString& pastaDados, const QString& arquivo, QTextStream& saida,
                             QTextStream& erros);

} // namespace zove
