// What a table write leaves when the system fails under it: a disk that fills up midway, a power cut
// after the rename, and the reasons the user reads. The C library's write and fsync are wrapped here
// to fill a disk on purpose and to see which files and folders were flushed.
#include "support/TestSupport.h"
#include "tabulon/Funcoes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<bool> g_discoCheio{false};
std::string g_pastaCheia; // writes to files in this folder meet the full disk
qint64 g_espacoLivre = 0;

std::atomic<bool> g_observaSincronia{false};
std::mutex g_mutex;
std::vector<std::string> g_sincronizados;

std::string caminhoDoDescritor(int fd) {
    char buf[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = readlink(link.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

} // namespace

extern "C" ssize_t write(int fd, const void* dados, size_t n) {
    using Fn = ssize_t (*)(int, const void*, size_t);
    static const Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "write"));
    if (g_discoCheio.load() && fd > 2) {
        const std::string caminho = caminhoDoDescritor(fd);
        if (caminho.rfind(g_pastaCheia, 0) == 0) {
            std::lock_guard trava(g_mutex);
            if (g_espacoLivre <= 0) {
                errno = ENOSPC;
                return -1;
            }
            const ssize_t r = real(fd, dados, std::min<size_t>(n, static_cast<size_t>(g_espacoLivre)));
            if (r > 0)
                g_espacoLivre -= r;
            return r;
        }
    }
    return real(fd, dados, n);
}

extern "C" int fsync(int fd) {
    using Fn = int (*)(int);
    static const Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "fsync"));
    if (g_observaSincronia.load()) {
        std::lock_guard trava(g_mutex);
        g_sincronizados.push_back(caminhoDoDescritor(fd));
    }
    return real(fd);
}

namespace {

using tabulon::gravaArquivoAtomico;

class GravacaoSegura : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pasta = QFileInfo(dir.path()).canonicalFilePath();
        alvo = pasta + "/CONTRIBUINTE";
        teste::gravaArquivo(alvo, "antigo");
    }
    void TearDown() override {
        g_discoCheio = false;
        g_observaSincronia = false;
    }
    QStringList arquivos() const { return QDir(pasta).entryList(QDir::Files); }

    QTemporaryDir dir;
    QString pasta;
    QString alvo;
};

TEST_F(GravacaoSegura, DiscoCheioEhDitoComQuantoFoiGravado) {
    g_pastaCheia = pasta.toStdString() + "/";
    g_espacoLivre = 4096;
    g_discoCheio = true;
    QString erro;
    const bool gravou = gravaArquivoAtomico(alvo, QByteArray(100000, 'x'), &erro);
    g_discoCheio = false;

    EXPECT_FALSE(gravou);
    EXPECT_EQ(erro, QStringLiteral("O disco está cheio: foram gravados 4096 de 100000 bytes."));
    EXPECT_EQ(teste::leArquivo(alvo), QByteArray("antigo"));
    EXPECT_EQ(arquivos(), QStringList({"CONTRIBUINTE"})) << "no temporary file left";
}

TEST_F(GravacaoSegura, APastaEhSincronizadaDepoisDaTroca) {
    {
        std::lock_guard trava(g_mutex);
        g_sincronizados.clear();
    }
    g_observaSincronia = true;
    QString erro;
    ASSERT_TRUE(gravaArquivoAtomico(alvo, "novo\r\n", &erro)) << erro.toStdString();
    g_observaSincronia = false;
    EXPECT_EQ(teste::leArquivo(alvo), QByteArray("novo\r\n"));

    std::lock_guard trava(g_mutex);
    const auto pastaSincronizada =
        std::find(g_sincronizados.begin(), g_sincronizados.end(), pasta.toStdString());
    ASSERT_NE(pastaSincronizada, g_sincronizados.end())
        << "the folder holding the renamed file was not flushed";
}

TEST_F(GravacaoSegura, MotivosDoSistemaEmPortugues) {
    const struct {
        QString destino;
        const char* motivo;
    } casos[] = {
        {pasta + "/nao_existe/CONTRIBUINTE", "Arquivo ou pasta inexistente"},
        {pasta, "O nome se refere a uma pasta"},
    };
    for (const auto& c : casos) {
        QString erro;
        EXPECT_FALSE(gravaArquivoAtomico(c.destino, "x", &erro));
        EXPECT_EQ(erro, QString::fromUtf8(c.motivo)) << c.destino.toStdString();
    }

    const struct {
        const char* ingles;
        const char* portugues;
    } textos[] = {
        {"Permission denied", "Permissão negada"},
        {"No space left on device", "Não há espaço disponível no dispositivo"},
        {"Read-only file system", "Sistema de arquivos somente para leitura"},
        {"Existing file /x/ZOV is not writable", "O arquivo /x/ZOV não pode ser gravado"},
        {"Um motivo já em português", "Um motivo já em português"},
    };
    for (const auto& t : textos)
        EXPECT_EQ(tabulon::motivoEmPortugues(QString::fromUtf8(t.ingles)), QString::fromUtf8(t.portugues));
}

} // namespace
