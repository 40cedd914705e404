#include "app/Aplicacao.h"

#include "app/Ambiente.h"
#include "app/Verificacao.h"
#include "app/frmPrincipal.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Plataforma.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

namespace zove {

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
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            ajuda = true;
        } else if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            versao = true;
        } else if (arg == QLatin1String("--verificar")) {
            verificar = true;
        } else if (arg == QLatin1String("--dados")) {
            if (i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty())
                return erro(QStringLiteral("--dados precisa do caminho de uma pasta."));
            linha.pastaDados = argumentos.at(++i);
        } else if (arg.startsWith(QLatin1String("--dados="))) {
            linha.pastaDados = arg.mid(8);
            if (linha.pastaDados.isEmpty())
                return erro(QStringLiteral("--dados precisa do caminho de uma pasta."));
        } else {
            return erro(QStringLiteral("argumento desconhecido: %1").arg(arg));
        }
    }
    if (ajuda)
        linha.modo = LinhaDeComando::Modo::Ajuda;
    else if (versao)
        linha.modo = LinhaDeComando::Modo::Versao;
    else if (verificar)
        linha.modo = LinhaDeComando::Modo::Verificar;
    return linha;
}

QString textoDeUso() {
    return QStringLiteral(
        "Uso: zove [--dados PASTA] [--verificar]\n"
        "\n"
        "Emissor do documento de arrecadação de receitas estaduais (ZOVE).\n"
        "Sem opções, abre a janela principal com as tabelas da pasta Dados ao lado do programa.\n"
        "\n"
        "  --dados PASTA   usa as tabelas de outra pasta de dados\n"
        "  --verificar     carrega e confere cada tabela da pasta de dados, sem abrir janela;\n"
        "                  mostra uma linha por arquivo e termina com 0 só se as 14 carregarem\n"
        "  --version, -v   mostra a versão do programa\n"
        "  --help, -h      mostra esta ajuda\n");
}

namespace {

// Options for the window system (-platform, -style ...) are Qt's and are only removed once QApplication
// has taken them, so the mode is decided on the raw arguments first.
bool pedeJanela(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0 ||
            std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0 ||
            std::strcmp(argv[i], "--verificar") == 0)
            return false;
    }
    return true;
}

// A mistyped "--" option, or --dados without its folder, is reported before any window system is needed; Qt's
// own options (which Qt also accepts with two dashes) are left for QApplication.
QString erroAntesDaJanela(int argc, char** argv) {
    static const char* const nossas[] = {"--help", "--version", "--verificar", "--dados"};
    static const char* const doQt[] = {"platform",
                                       "platformpluginpath",
                                       "platformtheme",
                                       "plugin",
                                       "qwindowgeometry",
                                       "qwindowicon",
                                       "qwindowtitle",
                                       "reverse",
                                       "session",
                                       "display",
                                       "geometry",
                                       "style",
                                       "stylesheet",
                                       "widgetcount",
                                       "nograb",
                                       "dograb",
                                       "sync",
                                       "qmljsdebugger"};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!arg.startsWith(QLatin1String("--")))
            continue;
        const QString nome = arg.section(QLatin1Char('='), 0, 0);
        bool conhecida = false;
        for (const char* n : nossas)
            conhecida = conhecida || nome == QLatin1String(n);
        for (const char* n : doQt)
            conhecida = conhecida || nome.mid(2) == QLatin1String(n);
        if (!conhecida)
            return QStringLiteral("argumento desconhecido: %1").arg(arg);
        if (nome == QLatin1String("--dados") &&
            (arg.contains(QLatin1Char('=')) ? arg.size() == 8 : i + 1 >= argc))
            return QStringLiteral("--dados precisa do caminho de uma pasta.");
    }
    return {};
}

QString pastaDadosEscolhida(const LinhaDeComando& linha) {
    if (linha.pastaDados.isEmpty())
        return QCoreApplication::applicationDirPath() + QStringLiteral("/Dados");
    return QDir::cleanPath(QDir::current().absoluteFilePath(linha.pastaDados));
}

int semJanela(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);
    const LinhaDeComando linha = interpretaArgumentos(app.arguments().mid(1));
    switch (linha.modo) {
    case LinhaDeComando::Modo::Ajuda:
        saida << textoDeUso();
        return 0;
    case LinhaDeComando::Modo::Versao:
        saida << "ZOVE " << ZOVE_VERSION << '\n';
        return 0;
    case LinhaDeComando::Modo::Verificar:
        return verificaDados(pastaDadosEscolhida(linha), saida);
    case LinhaDeComando::Modo::Erro:
    case LinhaDeComando::Modo::Janela:
        break;
    }
    erros << "zove: " << linha.erro << "\n" << textoDeUso();
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

int executar(int argc, char** argv) {
    if (!pedeJanela(argc, argv))
        return semJanela(argc, argv);
    if (const QString erro = erroAntesDaJanela(argc, argv); !erro.isEmpty()) {
        QTextStream(stderr) << "zove: " << erro << "\n" << textoDeUso();
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(TituloPrograma));
    QApplication::setOrganizationName(QStringLiteral("PYXOL"));
    QApplication::setApplicationVersion(QStringLiteral(ZOVE_VERSION));
    const LinhaDeComando linha = interpretaArgumentos(app.arguments().mid(1));
    if (linha.modo == LinhaDeComando::Modo::Erro) {
        QTextStream(stderr) << "zove: " << linha.erro << "\n" << textoDeUso();
        return 2;
    }
    carregaTraducoes(app);

    PlataformaQt plataforma;
    frmPrincipal::Janelas janelas;
    janelas.novoPreenchimento = [](frmPrincipal& p) {
        FrmZOV form(p.referencias(), p.plataforma(), {}, &p);
        form.NumDocumento = 0;
        form.exec();
    };
    frmPrincipal principal(plataforma.plataforma(), QCoreApplication::applicationDirPath(),
                           pastaDadosEscolhida(linha), std::move(janelas));
    if (!principal.carregar())
        return 1;
    principal.show();
    principal.mostrarMensagem();
    // The desktop may hand the focus to the notice rather than to the main window; the start-up
    // activation runs in any case.
    QTimer::singleShot(0, &principal, &frmPrincipal::aoAtivar);
    return app.exec();
}

} // namespace zove
