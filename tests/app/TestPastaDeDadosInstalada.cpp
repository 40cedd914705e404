// The built program copied into an installed layout (bin/ with its libraries, share/zove/Dados) and run
// as a process with its own HOME: which data folder it uses, what it says about it, and that the
// installed tables stay as they were.
#include "data/PastaDeDados.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramaInstalado : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_raiz.isValid());
        const QString bin = m_raiz.path() + "/bin";
        QDir().mkpath(bin);
        // The build's RPATH ($ORIGIN) finds the libraries beside the copy.
        for (const char* nome : {"zove", "libtabulon.so", "libprensil.so"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(ZOVE_BIN_DIR "/") + nome, bin + '/' + nome)) << nome;
        m_entregues = QDir::cleanPath(bin + '/' + zove::caminhoCompartilhadoRelativo()) + "/Dados";
        QDir().mkpath(m_entregues);
        for (const QString& nome : QDir(teste::pastaDadosEntregue()).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(teste::pastaDadosEntregue() + '/' + nome, m_entregues + '/' + nome));
        QDir().mkpath(casa() + "/config");
    }

    QString casa() const { return m_raiz.path() + "/casa"; }

    using Execucao = teste::Execucao;
    Execucao executa(const QStringList& argumentos) {
        QProcessEnvironment ambiente;
        ambiente.insert("HOME", casa());
        ambiente.insert("XDG_CONFIG_HOME", casa() + "/config");
        ambiente.insert("PATH", qEnvironmentVariable("PATH"));
        ambiente.insert("LANG", "pt_BR.UTF-8");
        QProcess p;
        p.setProcessEnvironment(ambiente);
        p.start(m_raiz.path() + "/bin/zove", argumentos);
        return teste::aguardaProcesso(p);
    }

    QTemporaryDir m_raiz;
    QString m_entregues;
};

TEST_F(ProgramaInstalado, UsaAPastaDoUsuarioOuAIndicadaEDizPorQue) {
    const QString doUsuario = casa() + "/.local/share/ZOVE/Dados";
    const QString comum = m_raiz.path() + "/escritorio/Dados";
    QDir().mkpath(comum);
    for (const QString& nome : QDir(m_entregues).entryList(QDir::Files))
        QFile::copy(m_entregues + '/' + nome, comum + '/' + nome);
    const QStringList instaladas = QDir(m_entregues).entryList(QDir::Files);

    struct Caso {
        const char* nome;
        QString chave;
        QStringList argumentos;
        QString primeiraLinha;
        QString erros; // what the start-up says on stderr
    };
    const Caso casos[] = {
        {"instalado",
         "",
         {"--verificar"},
         "Pasta de dados: " + doUsuario + " (da pasta do usuário)",
         "zove: pasta de dados criada: " + doUsuario + '\n'},
        {"chave PastaDados",
         comum,
         {"--verificar"},
         "Pasta de dados: " + comum + " (da chave PastaDados da seção [ZOVE] de PYXOL.ini)",
         ""},
        {"--dados vence a chave",
         comum,
         {"--dados", doUsuario, "--verificar"},
         "Pasta de dados: " + doUsuario + " (da opção --dados)",
         ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        QFile ini(casa() + "/config/PYXOL.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(c.chave.isEmpty() ? QByteArray() : "[ZOVE]\nPastaDados=" + c.chave.toUtf8() + '\n');
        ini.close();
        const Execucao e = executa(c.argumentos);
        EXPECT_EQ(e.codigo, 0) << e.saida.toStdString() << e.erros.toStdString();
        EXPECT_EQ(e.saida.section('\n', 0, 0), c.primeiraLinha);
        EXPECT_EQ(e.erros, c.erros);
        QStringList argumentosDaAjuda = c.argumentos;
        argumentosDaAjuda.replace(argumentosDaAjuda.indexOf("--verificar"), "--help");
        const Execucao ajuda = executa(argumentosDaAjuda);
        EXPECT_TRUE(ajuda.saida.endsWith("Pasta de dados desta execução: " +
                                         c.primeiraLinha.mid(QStringLiteral("Pasta de dados: ").size()) +
                                         '\n'))
            << ajuda.saida.toStdString();
    }
    // The first start made the user's folder from the installed tables; the installed tables are where
    // they were, and nothing was added beside them or in the office's folder.
    EXPECT_EQ(teste::leArquivo(doUsuario + "/mab_arrec"), teste::leArquivo(m_entregues + "/mab_arrec"));
    EXPECT_EQ(QDir(m_entregues).entryList(QDir::Files), instaladas);
    EXPECT_FALSE(QFile::exists(comum + "/" + zove::ArquivoTabelasEntregues));
}

} // namespace
