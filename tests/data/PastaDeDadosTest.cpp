// Which folder a run uses, and the user's own folder made from and kept in step with the installed
// tables.
#include "data/PastaDeDados.h"
#include "data/Referencias.h"
#include "support/TestSupport.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zove::OrigemPastaDados;

namespace {

void criaArquivo(const QString& caminho) {
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    teste::gravaArquivo(caminho, "x");
}

// Every file under the folder with a digest of its bytes: two equal listings mean nothing changed.
QStringList listagem(const QString& pasta) {
    QStringList linhas;
    QDirIterator it(pasta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString arquivo = it.next();
        linhas << QDir(pasta).relativeFilePath(arquivo) + QLatin1Char(' ') +
                      QString::fromLatin1(
                          QCryptographicHash::hash(teste::leArquivo(arquivo), QCryptographicHash::Sha256)
                              .toHex());
    }
    linhas.sort();
    return linhas;
}

QStringList copiasDatadas(const QString& pasta) {
    return QDir(pasta).entryList({QStringLiteral("*_copia_*")}, QDir::Files, QDir::Name);
}

// The first record line (the header of a table without records) changed by one character; signed
// again when asked, so the table still loads.
void mudaTabela(const QString& caminho, bool assinar, char novo = 'X') {
    QByteArray bytes = teste::leArquivo(caminho);
    qsizetype pos = bytes.indexOf('\n') + 1;
    if (pos >= bytes.size())
        pos = 0;
    bytes[pos] = bytes[pos] == novo ? 'Y' : novo;
    teste::gravaArquivo(caminho, assinar ? tabulon::MD5Driver::assinaConteudo(bytes) : bytes);
}

TEST(PastaDeDados, EscolhaDaPasta) {
    QTemporaryDir raiz;
    ASSERT_TRUE(raiz.isValid());
    const QString r = raiz.path();
    // Four program folders: the build folder, an installed tree, an installed tree whose program also
    // has Dados beside it, and a program with neither.
    const QString compilacao = r + "/build/bin";
    criaArquivo(compilacao + "/Dados/PARAMETROS");
    const QString instalado = r + "/usr/bin";
    const QString compartilhada = QDir::cleanPath(instalado + '/' + zove::caminhoCompartilhadoRelativo());
    criaArquivo(compartilhada + "/Dados/PARAMETROS");
    const QString copiado = r + "/opt/bin";
    criaArquivo(QDir::cleanPath(copiado + '/' + zove::caminhoCompartilhadoRelativo()) + "/Dados/PARAMETROS");
    criaArquivo(copiado + "/Dados/PARAMETROS");
    const QString vazio = r + "/vazio/bin";
    QDir().mkpath(vazio);

    const QString atual = r + "/trabalho";
    const QString pessoal = r + "/casa/ana";
    const QString aplicacao = pessoal + "/.local/share/ZOVE";
    struct Caso {
        const char* nome;
        QString programa, opcao, chave;
        OrigemPastaDados origem;
        QString pasta, entregues;
    };
    const Caso casos[] = {
        {"compilação", compilacao, "", "", OrigemPastaDados::AoLadoDoPrograma, compilacao + "/Dados", ""},
        {"instalado", instalado, "", "", OrigemPastaDados::PastaDoUsuario, aplicacao + "/Dados",
         compartilhada + "/Dados"},
        {"instalado com Dados ao lado", copiado, "", "", OrigemPastaDados::AoLadoDoPrograma,
         copiado + "/Dados", ""},
        {"sem tabelas", vazio, "", "", OrigemPastaDados::AoLadoDoPrograma, vazio + "/Dados", ""},
        {"chave em branco", instalado, "", "  ", OrigemPastaDados::PastaDoUsuario, aplicacao + "/Dados",
         compartilhada + "/Dados"},
        {"--dados relativo", instalado, "outra/Dados/", "", OrigemPastaDados::OpcaoDados,
         atual + "/outra/Dados", ""},
        {"--dados vence a chave", compilacao, "/srv/a", "/srv/b", OrigemPastaDados::OpcaoDados, "/srv/a", ""},
        {"chave absoluta", instalado, "", "/srv/escritorio/Dados", OrigemPastaDados::Configuracao,
         "/srv/escritorio/Dados", ""},
        {"chave vence Dados ao lado", compilacao, "", "/srv/escritorio/Dados", OrigemPastaDados::Configuracao,
         "/srv/escritorio/Dados", ""},
        {"chave relativa", instalado, "", "escritorio/Dados", OrigemPastaDados::Configuracao,
         pessoal + "/escritorio/Dados", ""},
        {"chave com ~", instalado, "", "~/rede/Dados", OrigemPastaDados::Configuracao,
         pessoal + "/rede/Dados", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        zove::EntradaPastaDados e;
        e.opcaoDados = c.opcao;
        e.pastaAtual = atual;
        e.chaveConfiguracao = c.chave;
        e.pastaPessoal = pessoal;
        e.pastaPrograma = c.programa;
        e.pastaAplicacao = aplicacao;
        const zove::EscolhaPastaDados escolha = zove::escolhePastaDados(e);
        EXPECT_EQ(escolha.origem, c.origem);
        EXPECT_EQ(escolha.pasta, c.pasta);
        EXPECT_EQ(escolha.tabelasEntregues, c.entregues);
    }

    // The help and the fee page follow the same layout.
    criaArquivo(compilacao + "/ZOVE.html");
    criaArquivo(compartilhada + "/ZOVE.html");
    EXPECT_EQ(zove::arquivoEntregue(compilacao, "ZOVE.html"), compilacao + "/ZOVE.html");
    EXPECT_EQ(zove::arquivoEntregue(instalado, "ZOVE.html"), compartilhada + "/ZOVE.html");
}

class PastaDoUsuario : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_casa.isValid()); }
    zove::AtualizacaoPastaDados atualiza(const QDateTime& agora = QDateTime({2026, 12, 10}, {14, 30, 5})) {
        return zove::atualizaPastaDoUsuario(m_entregues.caminho(), pasta(), agora);
    }
    QString pasta() const { return m_casa.path() + "/.local/share/ZOVE/Dados"; }
    QString doUsuario(const QString& nome) const { return pasta() + '/' + nome; }
    QString entregue(const QString& nome) const { return m_entregues.arquivo(nome); }

    teste::PastaDados m_entregues; // stands for share/zove/Dados of an installed package
    QTemporaryDir m_casa;
};

TEST_F(PastaDoUsuario, PrimeiroInicioCriaAPastaComAsTabelasEntreguesSemMudarAsInstaladas) {
    const QStringList instaladas = listagem(m_entregues.caminho());
    const zove::AtualizacaoPastaDados r = atualiza();
    EXPECT_TRUE(r.criada);
    EXPECT_TRUE(r.atualizadas.isEmpty());
    EXPECT_TRUE(r.problemas.isEmpty()) << r.problemas.join('\n').toStdString();
    EXPECT_TRUE(r.avisos(pasta()).isEmpty());
    for (const auto& tabela : tabulon::Init::Tabelas) {
        const QString nome = QString::fromLatin1(tabela.arquivo);
        EXPECT_EQ(teste::leArquivo(doUsuario(nome)), teste::leArquivo(entregue(nome))) << tabela.arquivo;
    }
    EXPECT_NO_THROW(zove::Referencias::carregar(pasta()));
    EXPECT_EQ(listagem(m_entregues.caminho()), instaladas);

    // A second start with the same package writes nothing.
    const QStringList depois = listagem(pasta());
    const zove::AtualizacaoPastaDados segundo = atualiza();
    EXPECT_FALSE(segundo.criada);
    EXPECT_TRUE(segundo.avisos(pasta()).isEmpty());
    EXPECT_EQ(listagem(pasta()), depois);
}

TEST_F(PastaDoUsuario, NovaVersaoSubstituiAsTabelasDiferentesGuardandoAsAnterioresENuncaOsDadosSalvos) {
    atualiza();
    // The clerk's saved work, and a package whose own (empty) saved tables differ from it.
    const QByteArray zov = teste::leArquivo(doUsuario("ZOV")) + "documento salvo\r\n";
    const QByteArray contribuintes = teste::leArquivo(doUsuario("CONTRIBUINTE")) + "contribuinte salvo\r\n";
    teste::gravaArquivo(doUsuario("ZOV"), zov);
    teste::gravaArquivo(doUsuario("CONTRIBUINTE"), contribuintes);
    mudaTabela(entregue("ZOV"), false);
    mudaTabela(entregue("CONTRIBUINTE"), false);

    const QByteArray antigaReceitas = teste::leArquivo(doUsuario("mab_arrec"));
    const QByteArray antigaMunicipios = teste::leArquivo(doUsuario("TAB_MUNIC"));
    mudaTabela(entregue("mab_arrec"), true);
    mudaTabela(entregue("TAB_MUNIC"), true);

    const zove::AtualizacaoPastaDados r = atualiza();
    EXPECT_FALSE(r.criada);
    EXPECT_EQ(r.atualizadas, QStringList({"TAB_MUNIC", "mab_arrec"}));
    EXPECT_TRUE(r.problemas.isEmpty()) << r.problemas.join('\n').toStdString();
    ASSERT_EQ(r.avisos(pasta()).size(), 1);
    EXPECT_TRUE(r.avisos(pasta()).first().contains("TAB_MUNIC, mab_arrec"));

    EXPECT_EQ(teste::leArquivo(doUsuario("mab_arrec")), teste::leArquivo(entregue("mab_arrec")));
    EXPECT_EQ(teste::leArquivo(doUsuario("TAB_MUNIC")), teste::leArquivo(entregue("TAB_MUNIC")));
    EXPECT_EQ(copiasDatadas(pasta()),
              QStringList({"TAB_MUNIC_copia_20261210_143005", "mab_arrec_copia_20261210_143005"}));
    EXPECT_EQ(teste::leArquivo(doUsuario("mab_arrec_copia_20261210_143005")), antigaReceitas);
    EXPECT_EQ(teste::leArquivo(doUsuario("TAB_MUNIC_copia_20261210_143005")), antigaMunicipios);
    EXPECT_EQ(teste::leArquivo(doUsuario("ZOV")), zov);
    EXPECT_EQ(teste::leArquivo(doUsuario("CONTRIBUINTE")), contribuintes);
    // No temporary file or lock is left behind.
    EXPECT_EQ(QDir(pasta()).entryList(QDir::Files | QDir::Hidden).size(), 14 + 2 + 1);

    // Only a missing saved table is made again, empty as delivered.
    QFile::remove(doUsuario("CONTRIBUINTE"));
    EXPECT_TRUE(atualiza().avisos(pasta()).isEmpty());
    EXPECT_EQ(teste::leArquivo(doUsuario("CONTRIBUINTE")), teste::leArquivo(entregue("CONTRIBUINTE")));
    EXPECT_EQ(teste::leArquivo(doUsuario("ZOV")), zov);
}

TEST_F(PastaDoUsuario, TabelaEntregueQueNaoConfereComSeuDigestNaoEInstalada) {
    for (const bool primeiroInicio : {true, false}) {
        SCOPED_TRACE(primeiroInicio ? "primeiro início" : "atualização");
        teste::PastaDados entregues;
        QTemporaryDir casa;
        const QString pasta = casa.path() + "/Dados";
        if (!primeiroInicio)
            zove::atualizaPastaDoUsuario(entregues.caminho(), pasta, QDateTime::currentDateTime());
        const QByteArray antes = teste::leArquivo(pasta + "/TAB_MUNIC");
        mudaTabela(entregues.arquivo("TAB_MUNIC"), false);

        const zove::AtualizacaoPastaDados r =
            zove::atualizaPastaDoUsuario(entregues.caminho(), pasta, QDateTime::currentDateTime());
        EXPECT_TRUE(r.atualizadas.isEmpty());
        ASSERT_EQ(r.problemas.size(), 1);
        EXPECT_TRUE(r.problemas.first().contains("TAB_MUNIC")) << r.problemas.first().toStdString();
        EXPECT_EQ(QFile::exists(pasta + "/TAB_MUNIC"), !primeiroInicio);
        EXPECT_EQ(teste::leArquivo(pasta + "/TAB_MUNIC"), antes);
        EXPECT_TRUE(copiasDatadas(pasta).isEmpty());
        // Every other table is in place.
        EXPECT_TRUE(QFile::exists(pasta + "/mab_arrec"));
    }
}

TEST_F(PastaDoUsuario, TabelaQueOEscritorioTrocouFicaAteOPacoteMudala) {
    atualiza();
    // The office put a signed table of its own in place; the package has not changed that table.
    mudaTabela(doUsuario("PERIODOS"), true);
    const QByteArray doEscritorio = teste::leArquivo(doUsuario("PERIODOS"));
    // A damaged copy is put right even then.
    mudaTabela(doUsuario("PARAMETROS"), false);

    zove::AtualizacaoPastaDados r = atualiza();
    EXPECT_EQ(r.atualizadas, QStringList({"PARAMETROS"}));
    EXPECT_EQ(teste::leArquivo(doUsuario("PERIODOS")), doEscritorio);
    EXPECT_EQ(teste::leArquivo(doUsuario("PARAMETROS")), teste::leArquivo(entregue("PARAMETROS")));

    // A package that brings a new PERIODOS replaces it.
    mudaTabela(entregue("PERIODOS"), true, 'Z');
    r = atualiza(QDateTime({2027, 1, 2}, {8, 0}));
    EXPECT_EQ(r.atualizadas, QStringList({"PERIODOS"}));
    EXPECT_EQ(teste::leArquivo(doUsuario("PERIODOS")), teste::leArquivo(entregue("PERIODOS")));
    EXPECT_EQ(teste::leArquivo(doUsuario("PERIODOS_copia_20270102_080000")), doEscritorio);
}

} // namespace
