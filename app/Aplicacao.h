#pragma once
#include "app/frmPrincipal.h"

#include <QString>
#include <QStringList>

namespace zove {

// What the command line asks for.
struct LinhaDeComando {
    enum class Modo {
        Janela,
        Ajuda,
        Versao,
        Verificar,
        Pdf,
        Imprimir,
        Importar,
        ExportarCadastro,
        ImportarCadastro,
        Erro
    };
    Modo modo = Modo::Janela;
    QString pastaDados; // --dados DIR; empty: the settings, the program's Dados or the user's folder
    QString erro;       // the problem with the arguments, for Modo::Erro
    QString numeroPdf;  // --pdf NÚMERO ARQUIVO
    QString arquivoPdf;
    // --imprimir LISTA [--impressora FILA]
    QString listaImpressao;
    QString filaImpressao;
    // --importar FILE
    QString arquivoImportacao;
    // --exportar-cadastro FILE, --importar-cadastro FILE
    QString arquivoExportacaoCadastro;
    QString arquivoImportacaoCadastro;
};

// Reads the arguments that follow the program's name.
LinhaDeComando interpretaArgumentos(const QStringList& argumentos);

// The text of "zove --help".
QString textoDeUso();

// The windows and commands the main window's menus open in the program.
frmPrincipal::Janelas janelasDoPrograma();

// Runs the program: command line, start-up, main window. Returns the exit code.
int executar(int argc, char** argv);

} // namespace zove
