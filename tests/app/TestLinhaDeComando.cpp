// The command line, and the support check run as the clerk runs it: the built program as a process.
#include "app/Aplicacao.h"
#include "app/ImpressaoSemJanela.h"
#include "app/Verificacao.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "support/CupsPrivado.h"
#include "support/TestSupport.h"
#include "tabulon/Init.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using zove::interpretaArgumentos;
using zove::LinhaDeComando;

namespace {

using teste::Execucao;

Execucao executa(const QStringList& argumentos,
                 const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment()) {
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.setProgram(QStringLiteral(ZOVE_BIN_DIR "/zove"));
    processo.setArguments(argumentos);
    processo.start();
    return teste::aguardaProcesso(processo);
}

// Saves n documents of revenue 1937 (amounts 1234,50 and up) in the data folder; their numbers.
QStringList salvaDocumentos(const teste::PastaDados& dados, int n) {
    auto refs = zove::Referencias::carregar(dados.caminho());
    QStringList numeros;
    for (int i = 0; i < n; ++i) {
        const QString principal = QStringLiteral("%1,50").arg(1234 + i);
        const QString total = QStringLiteral("%1,50").arg(1244 + i);
        const auto r = refs->oZovEnv().ZOVInsert(
            "1937", "14/03/2025", "31/03/2025", "20/03/2025", "11144477735", "124", "000000", "3", "0,00",
            "0,00", "10,00", principal, total, refs->oTAB_MUNICs->Item(1)->TMU_COD_MUN, "0");
        if (!r.ok)
            break;
        numeros.append(r.numDocumento);
    }
    return numeros;
}

// The line of the support check that names the table (its name starts the line).
QString linhaDe(const QString& saida, const QString& arquivo) {
    const QStringList linhas = saida.split(QLatin1Char('\n'));
    for (const QString& l : linhas) {
        if (l.section(QLatin1Char(' '), 0, 0) == arquivo)
            return l;
    }
    return {};
}

// Changes one character of the first record line (the header for a file without records).
void mudaUmCaractere(const QString& caminho) {
    QByteArray bytes = teste::leArquivo(caminho);
    qsizetype pos = bytes.indexOf('\n') + 1;
    if (pos <= 0 || pos >= bytes.size() || bytes.mid(pos, 4) == ":):)")
        pos = 0;
    while (bytes[pos] == ' ')
        ++pos;
    bytes[pos] = bytes[pos] == 'X' ? 'Y' : 'X';
    teste::gravaArquivo(caminho, bytes);
}

} // namespace

TEST(LinhaDeComando, InterpretaAsOpcoes) {
    struct Caso {
        QStringList args;
        LinhaDeComando::Modo modo;
        QString pasta;
    };
    const Caso casos[] = {
        {{}, LinhaDeComando::Modo::Janela, {}},
        {{"--dados", "/srv/Dados"}, LinhaDeComando::Modo::Janela, "/srv/Dados"},
        {{"--dados=/srv/Dados"}, LinhaDeComando::Modo::Janela, "/srv/Dados"},
        {{"--verificar"}, LinhaDeComando::Modo::Verificar, {}},
        {{"--verificar", "--dados", "outra"}, LinhaDeComando::Modo::Verificar, "outra"},
        {{"--help"}, LinhaDeComando::Modo::Ajuda, {}},
        {{"-h", "--verificar"}, LinhaDeComando::Modo::Ajuda, {}},
        {{"--version"}, LinhaDeComando::Modo::Versao, {}},
        {{"-v"}, LinhaDeComando::Modo::Versao, {}},
        {{"--dados"}, LinhaDeComando::Modo::Erro, {}},
        {{"--dados="}, LinhaDeComando::Modo::Erro, {}},
        {{"--verifica"}, LinhaDeComando::Modo::Erro, {}},
        {{"arquivo.txt"}, LinhaDeComando::Modo::Erro, {}},
        {{"-x"}, LinhaDeComando::Modo::Erro, {}},
        {{"--dados", "d", "arquivo.txt"}, LinhaDeComando::Modo::Erro, {}},
        // The window system's own options, with their values, pass through.
        {{"-platform", "offscreen", "--dados", "d"}, LinhaDeComando::Modo::Janela, "d"},
        {{"--style=fusion"}, LinhaDeComando::Modo::Janela, {}},
        {{"-style="}, LinhaDeComando::Modo::Erro, {}},
        {{"--style", "fusion", "-reverse", "--verificar"}, LinhaDeComando::Modo::Verificar, {}},
        {{"-style"}, LinhaDeComando::Modo::Erro, {}},
        {{"--pdf", "12", "doc.pdf", "--dados", "outra"}, LinhaDeComando::Modo::Pdf, "outra"},
        {{"--pdf", "12"}, LinhaDeComando::Modo::Erro, {}},
        {{"--imprimir", "3,7,10-20", "--dados", "d"}, LinhaDeComando::Modo::Imprimir, "d"},
        {{"--imprimir", "3", "--impressora", "fila1"}, LinhaDeComando::Modo::Imprimir, {}},
        {{"--imprimir"}, LinhaDeComando::Modo::Erro, {}},
        {{"--imprimir", "3", "--impressora"}, LinhaDeComando::Modo::Erro, {}},
        {{"--impressora", "fila1"}, LinhaDeComando::Modo::Erro, {}},
        {{"--exportar-cadastro", "c.txt", "--dados", "d"}, LinhaDeComando::Modo::ExportarCadastro, "d"},
        {{"--importar-cadastro", "c.txt"}, LinhaDeComando::Modo::ImportarCadastro, {}},
        {{"--exportar-cadastro"}, LinhaDeComando::Modo::Erro, {}},
        {{"--importar-cadastro", ""}, LinhaDeComando::Modo::Erro, {}},
    };
    for (const Caso& c : casos) {
        const LinhaDeComando l = interpretaArgumentos(c.args);
        EXPECT_EQ(l.modo, c.modo) << c.args.join(' ').toStdString();
        if (c.modo != LinhaDeComando::Modo::Erro)
            EXPECT_EQ(l.pastaDados, c.pasta) << c.args.join(' ').toStdString();
        else
            EXPECT_FALSE(l.erro.isEmpty());
    }
}

// A saved document's page as a PDF, without a window; a number that names no document, or is not a
// number, fails with a message.
TEST(LinhaDeComando, PdfDeDocumentoSalvo) {
    teste::PastaDados dados;
    ASSERT_EQ(salvaDocumentos(dados, 1), QStringList{"1"});
    const QString pdf = dados.arquivo(QStringLiteral("pagina.pdf"));
    const Execucao e = executa(
        {QStringLiteral("--pdf"), QStringLiteral("1"), pdf, QStringLiteral("--dados"), dados.caminho()});
    EXPECT_EQ(e.codigo, 0) << e.erros.toStdString();
    EXPECT_TRUE(teste::leArquivo(pdf).startsWith("%PDF"));

    const Execucao ausente =
        executa({QStringLiteral("--pdf"), QStringLiteral("2"), dados.arquivo(QStringLiteral("outra.pdf")),
                 QStringLiteral("--dados"), dados.caminho()});
    EXPECT_EQ(ausente.codigo, 1);
    EXPECT_TRUE(ausente.erros.contains(QStringLiteral("não foi encontrado"))) << ausente.erros.toStdString();
    EXPECT_FALSE(QFile::exists(dados.arquivo(QStringLiteral("outra.pdf"))));

    const Execucao letras = executa(
        {QStringLiteral("--pdf"), QStringLiteral("um"), pdf, QStringLiteral("--dados"), dados.caminho()});
    EXPECT_EQ(letras.codigo, 2);
}

// A page that cannot be written says which file and why, not that the printer is off; and the bars'
// bitmap drawn for the page is not left behind in the cache folder.
TEST(LinhaDeComando, PdfQueNaoPodeSerGravadoNomeiaOArquivoENaoDeixaImagens) {
    teste::PastaDados dados;
    ASSERT_EQ(salvaDocumentos(dados, 1).size(), 1);
    QTemporaryDir cache;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());

    // The data folder's ZOV is a file, so no folder can be made under it, even by root.
    const QString impossivel = dados.arquivo(QStringLiteral("ZOV/pagina.pdf"));
    const Execucao falha = executa({QStringLiteral("--pdf"), QStringLiteral("1"), impossivel,
                                    QStringLiteral("--dados"), dados.caminho()},
                                   ambiente);
    EXPECT_EQ(falha.codigo, 1);
    EXPECT_TRUE(falha.erros.contains(impossivel)) << falha.erros.toStdString();
    EXPECT_FALSE(falha.erros.contains(QStringLiteral("Verifique se a impressora")))
        << falha.erros.toStdString();

    const QString pdf = dados.arquivo(QStringLiteral("pagina.pdf"));
    const Execucao ok = executa(
        {QStringLiteral("--pdf"), QStringLiteral("1"), pdf, QStringLiteral("--dados"), dados.caminho()},
        ambiente);
    EXPECT_EQ(ok.codigo, 0) << ok.erros.toStdString();
    QStringList restos;
    QDirIterator it(cache.path(), {QStringLiteral("_barcode_*")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        restos << it.next();
    EXPECT_TRUE(restos.isEmpty()) << restos.join(' ').toStdString();
}

TEST(LinhaDeComando, ListaDeDocumentosParaImprimir) {
    struct Caso {
        const char* lista;
        QList<qint64> numeros; // empty: refused
    } casos[] = {
        {"3", {3}},
        {"3,7,10-12", {3, 7, 10, 11, 12}},
        {" 4 - 5 , 9", {4, 5, 9}},
        {"", {}},
        {"a", {}},
        {"3,,4", {}},
        {"5-3", {}},
        {"0", {}},
        {"-2", {}},
        {"1-99999999999", {}},
    };
    for (const Caso& c : casos) {
        QString erro;
        const auto r = zove::interpretaListaDeDocumentos(QString::fromUtf8(c.lista), &erro);
        if (c.numeros.isEmpty()) {
            EXPECT_FALSE(r.has_value()) << c.lista;
            EXPECT_FALSE(erro.isEmpty()) << c.lista;
        } else {
            ASSERT_TRUE(r.has_value()) << c.lista << ": " << erro.toStdString();
            EXPECT_EQ(*r, c.numeros) << c.lista;
        }
    }
}

// Printing saved documents on a queue of a scheduler of the test's own, as a clerk's script would.
TEST(LinhaDeComando, ImprimirNaFila) {
    QString porque;
    if (!teste::CupsPrivado::disponivel(&porque))
        GTEST_SKIP() << porque.toStdString();
    teste::CupsPrivado cups;
    ASSERT_TRUE(cups.pronto()) << cups.erro().toStdString();
    teste::PastaDados dados;
    ASSERT_EQ(salvaDocumentos(dados, 3).size(), 3);
    const auto impressos = [&] {
        tabulon::Init init;
        init.sDiretorioDados(dados.caminho());
        QStringList m;
        const auto zovs = init.CarregarZOV();
        for (const auto& z : *zovs)
            m << z->IMPRESSO;
        return m;
    };
    const auto imprime = [&](const QStringList& extra) {
        return executa(QStringList{QStringLiteral("--dados"), dados.caminho()} + extra);
    };

    // No queue at all: nothing to print on, and the way to a PDF is named.
    const Execucao semFila = imprime({QStringLiteral("--imprimir"), QStringLiteral("1")});
    EXPECT_EQ(semFila.codigo, 3) << semFila.erros.toStdString();
    EXPECT_TRUE(semFila.erros.contains(QStringLiteral("--pdf"))) << semFila.erros.toStdString();

    ASSERT_TRUE(cups.criaFila(QStringLiteral("balcao"))) << cups.erro().toStdString();
    ASSERT_TRUE(cups.definePadrao(QStringLiteral("balcao"))) << cups.erro().toStdString();

    const Execucao listaRuim = imprime({QStringLiteral("--imprimir"), QStringLiteral("1,x")});
    EXPECT_EQ(listaRuim.codigo, 2);
    EXPECT_TRUE(listaRuim.erros.contains(QStringLiteral("1,x"))) << listaRuim.erros.toStdString();

    const Execucao desconhecida = imprime({QStringLiteral("--imprimir"), QStringLiteral("1"),
                                           QStringLiteral("--impressora"), QStringLiteral("nao-existe")});
    EXPECT_EQ(desconhecida.codigo, 4);
    EXPECT_TRUE(desconhecida.erros.contains(QStringLiteral("\"nao-existe\" não existe")))
        << desconhecida.erros.toStdString();

    // Documents 1 and 3 print; 4 does not exist, and says so on its own line.
    const Execucao parcial = imprime({QStringLiteral("--imprimir"), QStringLiteral("1,3-4")});
    EXPECT_EQ(parcial.codigo, 1) << parcial.erros.toStdString();
    const QStringList linhas = parcial.saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), 3) << parcial.saida.toStdString();
    EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("1\tbalcao\ttrabalho "))) << linhas[0].toStdString();
    EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("3\tbalcao\ttrabalho "))) << linhas[1].toStdString();
    EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("4\tbalcao\tnão impresso: "))) << linhas[2].toStdString();
    EXPECT_TRUE(cups.esperaTrabalhos(QStringLiteral("balcao"), 2));
    for (const QString& trabalho : cups.arquivosDeTrabalho(QStringLiteral("balcao")))
        EXPECT_TRUE(teste::leArquivo(trabalho).startsWith("%PDF")) << trabalho.toStdString();
    EXPECT_EQ(impressos(), (QStringList{"1", "0", "1"}));

    // A queue that refuses jobs: nothing is sent and nothing marked.
    ASSERT_TRUE(cups.rejeita(QStringLiteral("balcao")));
    const Execucao recusada = imprime({QStringLiteral("--imprimir"), QStringLiteral("2")});
    EXPECT_EQ(recusada.codigo, 4);
    EXPECT_TRUE(recusada.erros.contains(QStringLiteral("não está aceitando trabalhos")))
        << recusada.erros.toStdString();
    EXPECT_EQ(impressos(), (QStringList{"1", "0", "1"}));
    EXPECT_EQ(cups.arquivosDeTrabalho(QStringLiteral("balcao")).size(), 2);
}

TEST(Verificacao, DadosEntreguesCarregamTodasAsTabelas) {
    teste::PastaDados dados;
    const Execucao e = executa({QStringLiteral("--verificar"), QStringLiteral("--dados"), dados.caminho()});
    EXPECT_EQ(e.codigo, 0) << e.saida.toStdString() << e.erros.toStdString();
    for (const auto& tabela : tabulon::Init::Tabelas) {
        const QString linha = linhaDe(e.saida, QString::fromLatin1(tabela.arquivo));
        EXPECT_TRUE(linha.endsWith(QStringLiteral("  OK"))) << tabela.arquivo << ": " << linha.toStdString();
    }
    // The count agrees with its noun: the delivered parameter table has one record, the saved
    // documents none, the revenues many.
    const std::pair<const char*, const char*> contagens[] = {
        {"PARAMETROS", " 1 registro   OK"},
        {"ZOV", " 0 registros  OK"},
        {"mab_arrec", " registros  OK"},
    };
    for (const auto& [arquivo, fim] : contagens) {
        const QString linha = linhaDe(e.saida, QString::fromLatin1(arquivo));
        EXPECT_TRUE(linha.endsWith(QLatin1String(fim))) << linha.toStdString();
    }
    EXPECT_FALSE(linhaDe(e.saida, QStringLiteral("mab_arrec")).endsWith(QStringLiteral(" 1 registros  OK")));
}

TEST(Verificacao, UmCaractereMudadoEmQualquerTabelaDeReferenciaFalhaNomeandoOArquivo) {
    for (const auto& tabela : tabulon::Init::Tabelas) {
        if (!tabela.comDigest)
            continue;
        const QString arquivo = QString::fromLatin1(tabela.arquivo);
        SCOPED_TRACE(tabela.arquivo);
        teste::PastaDados dados;
        mudaUmCaractere(dados.arquivo(arquivo));
        const Execucao e =
            executa({QStringLiteral("--verificar"), QStringLiteral("--dados"), dados.caminho()});
        EXPECT_EQ(e.codigo, 1);
        const QString linha = linhaDe(e.saida, arquivo);
        EXPECT_TRUE(linha.contains(
            QStringLiteral("ERRO Error Carregando Arquivo de Parametros,  Arquivo Corrompido ")))
            << linha.toStdString();
        EXPECT_TRUE(linha.endsWith(dados.arquivo(arquivo))) << linha.toStdString();
        // Every other table is still checked and reported.
        for (const auto& outra : tabulon::Init::Tabelas) {
            if (QLatin1String(outra.arquivo) != arquivo) {
                EXPECT_TRUE(
                    linhaDe(e.saida, QString::fromLatin1(outra.arquivo)).endsWith(QStringLiteral("OK")))
                    << outra.arquivo;
            }
        }
    }
}

TEST(Verificacao, TabelasSalvasDanificadasOuAusentesTambemFalham) {
    teste::PastaDados dados;
    // A saved-document line with too few values, and no taxpayer file at all.
    QByteArray zov = teste::leArquivo(dados.arquivo(QStringLiteral("ZOV")));
    zov.append("1|2|3\r\n");
    teste::gravaArquivo(dados.arquivo(QStringLiteral("ZOV")), zov);
    QFile::remove(dados.arquivo(QStringLiteral("CONTRIBUINTE")));

    QString texto;
    QTextStream saida(&texto);
    EXPECT_EQ(zove::verificaDados(dados.caminho(), saida), 1);
    const QList<zove::ResultadoTabela> r = zove::verificaTabelas(dados.caminho());
    ASSERT_EQ(r.size(), 14);
    int falhas = 0;
    for (const auto& t : r) {
        if (t.arquivo == QLatin1String("ZOV") || t.arquivo == QLatin1String("CONTRIBUINTE")) {
            EXPECT_FALSE(t.ok) << t.arquivo.toStdString();
            EXPECT_TRUE(t.erro.startsWith(QStringLiteral(" Error Carregando Arquivo de Parametros, ")));
            ++falhas;
        } else {
            EXPECT_TRUE(t.ok) << t.arquivo.toStdString() << t.erro.toStdString();
        }
    }
    EXPECT_EQ(falhas, 2);
    EXPECT_TRUE(texto.contains(QStringLiteral("2 de 14 tabelas com erro")));
}

TEST(Verificacao, PastaInexistenteFalhaEmTodasAsTabelas) {
    const Execucao e = executa({QStringLiteral("--verificar"), QStringLiteral("--dados=/nao/existe/Dados")});
    EXPECT_EQ(e.codigo, 1);
    for (const auto& tabela : tabulon::Init::Tabelas)
        EXPECT_TRUE(linhaDe(e.saida, QString::fromLatin1(tabela.arquivo)).contains(QStringLiteral("ERRO")))
            << tabela.arquivo;
}

TEST(LinhaDeComando, AjudaVersaoEErros) {
    const Execucao versao = executa({QStringLiteral("--version")});
    EXPECT_EQ(versao.codigo, 0);
    EXPECT_EQ(versao.saida, QStringLiteral("ZOVE " ZOVE_VERSION "\n"));

    const Execucao ajuda = executa({QStringLiteral("--help")});
    EXPECT_EQ(ajuda.codigo, 0);
    EXPECT_TRUE(ajuda.saida.contains(QStringLiteral("--verificar")));
    EXPECT_TRUE(ajuda.saida.contains(QStringLiteral("--dados PASTA")));

    // Mistakes are reported before any window system is needed: there is no display here, and the
    // window system is not even asked for.
    QProcessEnvironment semTela = QProcessEnvironment::systemEnvironment();
    for (const char* variavel : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        semTela.remove(QLatin1String(variavel));
    const QStringList erradas[] = {
        {"--verifica"}, {"--dados"}, {"arquivo.txt"}, {"-x"}, {"--dados", "/tmp", "arquivo.txt"},
        {"-platform"}};
    for (const QStringList& args : erradas) {
        const Execucao e = executa(args, semTela);
        EXPECT_EQ(e.codigo, 2) << args.join(' ').toStdString() << e.erros.toStdString();
        EXPECT_TRUE(e.erros.startsWith(QStringLiteral("zove: "))) << e.erros.toStdString();
        EXPECT_TRUE(e.erros.contains(QStringLiteral("\nUso: zove "))) << e.erros.toStdString();
        EXPECT_TRUE(e.saida.isEmpty());
    }
}
