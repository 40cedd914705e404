#include "app/Aplicacao.h"

#include "app/Ambiente.h"
#include "app/DocumentoEmPdf.h"
#include "app/FormularioDocumentoZOV.h"
#include "app/ImpressaoSemJanela.h"
#include "app/ManutencaoCadastro.h"
#include "app/Verificacao.h"
#include "app/frmPrincipal.h"
#include "common/Alocador.h"
#include "entry/janelas/FrmZOV.h"
#include "import/ImportacaoSemJanela.h"
#include "import/janelas/frmImportacao.h"
#include "platform/Configuracoes.h"
#include "platform/Mensagens.h"
#include "platform/Plataforma.h"
#include "search/FrmConsultaZOV.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

namespace zove {

namespace {

// The window system's own options (Qt takes them with one dash or two), which the program lets pass
// to it: those that take the next argument as their value, and plain switches.
bool opcaoDoQt(const QString& arg, bool* comValor) {
    static const char* const comArgumento[] = {"platform",
                                               "platformpluginpath",
                                               "platformtheme",
                                               "plugin",
                                               "qwindowgeometry",
                                               "geometry",
                                               "qwindowicon",
                                               "icon",
                                               "qwindowtitle",
                                               "title",
                                               "session",
                                               "display",
                                               "style",
                                               "stylesheet",
                                               "name"};
    static const char* const semArgumento[] = {"reverse", "widgetcount", "nograb",
                                               "dograb",  "sync",        "testability"};
    if (!arg.startsWith(QLatin1Char('-')))
        return false;
    // "-style fusion" or "-style=fusion".
    const QString opcao = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype igual = opcao.indexOf(QLatin1Char('='));
    const QString nome = opcao.left(igual);
    *comValor = false;
    for (const char* n : comArgumento) {
        if (nome == QLatin1String(n)) {
            *comValor = igual < 0;
            return igual < 0 || igual + 1 < opcao.size();
        }
    }
    for (const char* n : semArgumento) {
        if (opcao == QLatin1String(n))
            return true;
    }
    return nome == QLatin1String("qmljsdebugger") && igual > 0;
}

} // namespace

LinhaDeComando interpretaArgumentos(const QStringList& argumentos) {
    LinhaDeComando linha;
    auto erro = [&linha](const QString& texto) {
        linha.modo = LinhaDeComando::Modo::Erro;
        linha.erro = texto;
        return linha;
    };
    bool ajuda = false;
    bool versao = false;
    bool verificar = false;
    for (qsizetype i = 0; i < argumentos.size(); ++i) {
        const QString& arg = argumentos.at(i);
        bool comValor = false;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            ajuda = true;
        } else if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            versao = true;
        } else if (arg == QLatin1String("--verificar")) {
            verificar = true;
        } else if (arg == QLatin1String("--pdf")) {
            if (i + 2 >= argumentos.size() || argumentos.at(i + 1).isEmpty() ||
                argumentos.at(i + 2).isEmpty())
                return erro(QStringLiteral("--pdf precisa do número do documento e do arquivo PDF."));
            linha.numeroPdf = argumentos.at(++i);
            linha.arquivoPdf = argumentos.at(++i);
        } else if (arg == QLatin1String("--imprimir")) {
            if (i + 1 >= argumentos.size() || argumentos.at(i + 1).trimmed().isEmpty())
                return erro(QStringLiteral("--imprimir precisa da lista de documentos (ex.: 3,7,10-20)."));
            linha.listaImpressao = argumentos.at(++i);
        } else if (arg == QLatin1String("--impressora")) {
            if (i + 1 >= argumentos.size() || argumentos.at(i + 1).trimmed().isEmpty())
                return erro(QStringLiteral("--impressora precisa do nome de uma fila de impressão."));
            linha.filaImpressao = argumentos.at(++i);
        } else if (arg == QLatin1String("--dados")) {
            if (i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty())
                return erro(QStringLiteral("--dados precisa do caminho de uma pasta."));
            linha.pastaDados = argumentos.at(++i);
        } else if (arg == QLatin1String("--importar")) {
            if (i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty())
                return erro(QStringLiteral("--importar precisa do caminho de um arquivo."));
            linha.arquivoImportacao = argumentos.at(++i);
        } else if (arg == QLatin1String("--exportar-cadastro") ||
                   arg == QLatin1String("--importar-cadastro")) {
            if (i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty())
                return erro(QStringLiteral("%1 precisa do caminho de um arquivo.").arg(arg));
            QString& arquivo = arg == QLatin1String("--exportar-cadastro") ? linha.arquivoExportacaoCadastro
                                                                           : linha.arquivoImportacaoCadastro;
            arquivo = argumentos.at(++i);
        } else if (arg.startsWith(QLatin1String("--dados="))) {
            linha.pastaDados = arg.mid(8);
            if (linha.pastaDados.isEmpty())
                return erro(QStringLiteral("--dados precisa do caminho de uma pasta."));
        } else if (opcaoDoQt(arg, &comValor)) {
            if (comValor && ++i >= argumentos.size())
                return erro(QStringLiteral("%1 precisa de um valor.").arg(arg));
        } else {
            return erro(QStringLiteral("argumento desconhecido: %1").arg(arg));
        }
    }
    if (!linha.filaImpressao.isEmpty() && linha.listaImpressao.isEmpty() && !ajuda && !versao)
        return erro(QStringLiteral("--impressora só vale junto com --imprimir."));
    if (ajuda)
        linha.modo = LinhaDeComando::Modo::Ajuda;
    else if (versao)
        linha.modo = LinhaDeComando::Modo::Versao;
    else if (verificar)
        linha.modo = LinhaDeComando::Modo::Verificar;
    else if (!linha.arquivoPdf.isEmpty())
        linha.modo = LinhaDeComando::Modo::Pdf;
    else if (!linha.listaImpressao.isEmpty())
        linha.modo = LinhaDeComando::Modo::Imprimir;
    else if (!linha.arquivoImportacao.isEmpty())
        linha.modo = LinhaDeComando::Modo::Importar;
    else if (!linha.arquivoExportacaoCadastro.isEmpty())
        linha.modo = LinhaDeComando::Modo::ExportarCadastro;
    else if (!linha.arquivoImportacaoCadastro.isEmpty())
        linha.modo = LinhaDeComando::Modo::ImportarCadastro;
    return linha;
}

QString textoDeUso() {
    return QStringLiteral(
        "Uso: zove [--dados PASTA] [--verificar | --pdf NÚMERO ARQUIVO.pdf |\n"
        "           --imprimir LISTA [--impressora FILA] | --importar ARQUIVO |\n"
        "           --exportar-cadastro ARQUIVO | --importar-cadastro ARQUIVO]\n"
        "\n"
        "Emissor do documento de arrecadação de receitas estaduais (ZOVE).\n"
        "Sem opções, abre a janela principal.\n"
        "\n"
        "Pasta de dados (tabelas, documentos e contribuintes salvos), nesta ordem:\n"
        "  1. a PASTA de --dados;\n"
        "  2. a chave PastaDados da seção [ZOVE] de ~/.config/PYXOL.ini (a pasta comum de um escritório);\n"
        "  3. a pasta Dados ao lado do programa, quando existe (a pasta de compilação);\n"
        "  4. instalado, a pasta do usuário, ~/.local/share/ZOVE/Dados, criada no primeiro início a\n"
        "     partir das tabelas instaladas em share/zove/Dados; as tabelas de referência que uma nova\n"
        "     versão traz são atualizadas ao iniciar (as anteriores ficam como cópias datadas), nunca\n"
        "     ZOV e CONTRIBUINTE.\n"
        "\n"
        "  --dados PASTA   usa as tabelas de outra pasta de dados\n"
        "  --verificar     carrega e confere cada tabela da pasta de dados, sem abrir janela;\n"
        "                  mostra uma linha por arquivo e termina com 0 só se as 14 carregarem\n"
        "  --pdf NÚMERO ARQUIVO.pdf\n"
        "                  grava a página do documento salvo NÚMERO num arquivo PDF, sem abrir janela\n"
        "  --imprimir LISTA [--impressora FILA]\n"
        "                  imprime os documentos salvos da LISTA (números e intervalos, ex.: 3,7,10-20)\n"
        "                  na fila padrão ou na FILA, sem abrir janela; mostra uma linha por documento\n"
        "                  (número, fila, trabalho ou o motivo da falha) e marca como impresso só o que\n"
        "                  a fila aceitou. Termina com 0 quando todos foram aceitos; 1 quando algum não\n"
        "                  foi impresso; 2 com a lista inválida; 3 sem impressora (use --pdf);\n"
        "                  4 quando a fila não existe ou não aceita trabalhos (nada foi enviado)\n"
        "  --importar ARQUIVO  importa um arquivo de ZOVE (registros de 250 caracteres), sem abrir\n"
        "                  janela; mostra uma linha por registro inválido e um resumo, e termina\n"
        "                  com 0 só se o arquivo foi lido e os ZOVE válidos gravados\n"
        "  --exportar-cadastro ARQUIVO\n"
        "                  copia o cadastro de contribuintes (CONTRIBUINTE) para ARQUIVO, fora da\n"
        "                  pasta de dados, sem abrir janela; termina com 0 quando a cópia foi gravada\n"
        "  --importar-cadastro ARQUIVO\n"
        "                  inclui no cadastro os contribuintes de ARQUIVO (um cadastro exportado) que\n"
        "                  ainda não estão nele, sem abrir janela; mostra quantos foram incluídos e\n"
        "                  quantos já estavam cadastrados. Termina com 0 quando o arquivo foi aceito;\n"
        "                  1 quando foi recusado ou não pôde ser gravado (o cadastro fica como estava)\n"
        "  --version, -v   mostra a versão do programa\n"
        "  --help, -h      mostra esta ajuda\n");
}

namespace {

// The names every mode runs under: the user's data folder (~/.local/share/ZOVE) follows them.
void defineIdentidade() {
    QCoreApplication::setApplicationName(QString::fromLatin1(TituloPrograma));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZOVE_VERSION));
}

// The prepared data folder of a run without window; what preparing it did goes to stderr.
PastaDaExecucao pastaDaExecucaoSemJanela(const LinhaDeComando& linha) {
    PastaDaExecucao p = preparaPastaDaExecucao(linha.pastaDados, ConfiguracoesQt());
    QTextStream erros(stderr);
    if (p.atualizacao.criada)
        erros << "zove: pasta de dados criada: " << QDir::toNativeSeparators(p.escolha.pasta) << '\n';
    for (const QString& aviso : p.atualizacao.avisos(p.escolha.pasta))
        erros << "zove: " << aviso << '\n';
    return p;
}

QString pastaDadosEscolhida(const LinhaDeComando& linha) {
    return pastaDaExecucaoSemJanela(linha).escolha.pasta;
}

int semJanela(int argc, char** argv, const LinhaDeComando& linha) {
    QCoreApplication app(argc, argv);
    defineIdentidade();
    QTextStream saida(stdout);
    switch (linha.modo) {
    case LinhaDeComando::Modo::Ajuda: {
        const EscolhaPastaDados escolha = escolhePastaDaExecucao(linha.pastaDados, ConfiguracoesQt());
        saida << textoDeUso()
              << "\nPasta de dados desta execução: " << QDir::toNativeSeparators(escolha.pasta) << " ("
              << motivoDaPasta(escolha.origem) << ")\n";
        return 0;
    }
    case LinhaDeComando::Modo::Versao:
        saida << "ZOVE " << ZOVE_VERSION << '\n';
        return 0;
    case LinhaDeComando::Modo::Verificar: {
        const PastaDaExecucao p = pastaDaExecucaoSemJanela(linha);
        return verificaDados(p.escolha.pasta, saida, motivoDaPasta(p.escolha.origem));
    }
    case LinhaDeComando::Modo::Importar: {
        QTextStream erros(stderr);
        return importaSemJanela(pastaDadosEscolhida(linha), linha.arquivoImportacao, saida, erros);
    }
    case LinhaDeComando::Modo::ExportarCadastro: {
        QTextStream erros(stderr);
        return exportaCadastroSemJanela(pastaDadosEscolhida(linha), linha.arquivoExportacaoCadastro, saida,
                                        erros);
    }
    case LinhaDeComando::Modo::ImportarCadastro: {
        QTextStream erros(stderr);
        return importaCadastroSemJanela(pastaDadosEscolhida(linha), linha.arquivoImportacaoCadastro, saida,
                                        erros);
    }
    case LinhaDeComando::Modo::Erro:
    case LinhaDeComando::Modo::Janela:
    case LinhaDeComando::Modo::Pdf:
    case LinhaDeComando::Modo::Imprimir:
        break;
    }
    return 2;
}

// Qt's own dialogs (files, printing) speak Portuguese when the translations are installed.
void carregaTraducoes(QApplication& app) {
    auto* traducao = new QTranslator(&app);
    if (traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traducao);
    else
        delete traducao;
}

} // namespace

frmPrincipal::Janelas janelasDoPrograma() {
    frmPrincipal::Janelas janelas;
    janelas.novoPreenchimento = [](frmPrincipal& p) {
        FrmZOV form(p.referencias(), p.plataforma(), {}, &p);
        form.NumDocumento = 0;
        form.exec();
    };
    janelas.abrirDocumento = [](frmPrincipal& p) {
        FormularioDocumentoZOV formulario(p.referencias(), p.plataforma());
        FrmConsultaZOV consulta(p.referencias(), p.plataforma(), &formulario, &p);
        consulta.exec();
    };
    janelas.limparBase = [](frmPrincipal& p) {
        ManutencaoCadastro(p.referencias(), p.plataforma()).limpar(&p);
    };
    janelas.importarCadastro = [](frmPrincipal& p) {
        ManutencaoCadastro(p.referencias(), p.plataforma()).importar(&p);
    };
    janelas.importarZove = [](frmPrincipal& p) {
        frmImportacao janela(p.plataforma(), p.referencias(), p.pastaPrograma(), &p);
        janela.exec();
    };
    janelas.exportarCadastro = [](frmPrincipal& p) {
        ManutencaoCadastro(p.referencias(), p.plataforma()).exportar(&p);
    };
    return janelas;
}

int executar(int argc, char** argv) {
    configuraAlocador();
    // The whole command line is read before anything needs a window system, so a mistake is reported
    // (exit 2) even where no display is available.
    QStringList argumentos;
    for (int i = 1; i < argc; ++i)
        argumentos.append(QString::fromLocal8Bit(argv[i]));
    const LinhaDeComando linha = interpretaArgumentos(argumentos);
    if (linha.modo == LinhaDeComando::Modo::Erro) {
        QTextStream(stderr) << "zove: " << linha.erro << "\n" << textoDeUso();
        return 2;
    }
    const bool paginaSemJanela =
        linha.modo == LinhaDeComando::Modo::Pdf || linha.modo == LinhaDeComando::Modo::Imprimir;
    if (linha.modo != LinhaDeComando::Modo::Janela && !paginaSemJanela)
        return semJanela(argc, argv, linha);
    // A page drawn for a PDF or a queue needs the widgets of the entry form but no screen.
    if (paginaSemJanela && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    defineIdentidade();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(IdentificadorDesktop));
    carregaTraducoes(app);
    if (linha.modo == LinhaDeComando::Modo::Pdf) {
        QTextStream erros(stderr);
        return gravaDocumentoEmPdf(pastaDadosEscolhida(linha), linha.numeroPdf, linha.arquivoPdf, erros);
    }
    if (linha.modo == LinhaDeComando::Modo::Imprimir) {
        QTextStream saida(stdout);
        QTextStream erros(stderr);
        return imprimeSemJanela(pastaDadosEscolhida(linha), linha.listaImpressao, linha.filaImpressao, saida,
                                erros);
    }

    PlataformaQt plataforma;
    const PastaDaExecucao pastaDados =
        preparaPastaDaExecucao(linha.pastaDados, plataforma.plataforma().configuracoes);
    frmPrincipal principal(plataforma.plataforma(), QCoreApplication::applicationDirPath(),
                           pastaDados.escolha.pasta, janelasDoPrograma());
    if (!principal.carregar())
        return 1;
    // What keeping the user's folder in step with the installed tables did, once the window is up.
    if (const QStringList avisos = pastaDados.atualizacao.avisos(pastaDados.escolha.pasta);
        !avisos.isEmpty()) {
        QTimer::singleShot(0, &principal, [&principal, avisos] {
            principal.plataforma().mensagens.mostrar(&principal, avisos.join(QStringLiteral("\n\n")),
                                                     Mensagens::Botoes::OK, Mensagens::Icone::Informacao,
                                                     QString::fromLatin1(TituloPrograma));
        });
    }
    // The notice follows by itself once the main window is on screen.
    principal.show();
    // The desktop may hand the focus to the notice rather than to the main window; the start-up
    // activation runs in any case.
    QTimer::singleShot(0, &principal, &frmPrincipal::aoAtivar);
    return app.exec();
}

} // namespace zove
