// Exporting, importing and clearing the saved data through the maintenance commands, with recording
// dialogs over a temporary data folder.
#include "app/Aplicacao.h"
#include "app/ManutencaoCadastro.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/PlataformaDeTeste.h"
#include "support/TestSupport.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/Texto1252.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using zove::ManutencaoCadastro;
using zove::Mensagens;

namespace {

const QByteArray kCab = "TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE";
const QString kIncompativel = QStringLiteral("O arquivo de importação não é compatível com o esperado.");

class Manutencao : public ::testing::Test {
protected:
    void SetUp() override {
        teste::gravaArquivo(
            dados.arquivo("CONTRIBUINTE"),
            kCab + "\r\n3|11122233344|Maria da Silva|61|5551234\r\n2|12345678000190|PADARIA|11|1\r\n");
        teste::escreveTabela(
            dados.arquivo("ZOV"),
            {QStringLiteral("NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|"
                            "NUM_DOCUMENTO_ORIGEM|DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|"
                            "VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|"
                            "COD_CLASSE_VECTO|IMPRESO"),
             "1|3|11122233344|1147|200503|0|10/04/2005|30/04/2005|10|0|0|0|10|01/04/2005|OL|0|0|0"},
            false);
        refs = zove::Referencias::carregar(dados.caminho());
        comandos = std::make_unique<ManutencaoCadastro>(
            *refs, plataforma.plataforma(), [] { return QDateTime(QDate(2026, 12, 10), QTime(6, 30, 0)); });
    }

    QString fora(const QString& nome) const { return QDir(externa.path()).filePath(nome); }
    QByteArray contribuinte() const { return teste::leArquivo(dados.arquivo("CONTRIBUINTE")); }
    qsizetype contribuintesNoArquivo() const {
        tabulon::Init init;
        init.sDiretorioDados(dados.caminho());
        return init.CarregarContribuinte()->Count();
    }
    const teste::MensagensGravadas::Pedido& ultima() const { return plataforma.mensagens.pedidos.last(); }

    teste::PastaDados dados;
    QTemporaryDir externa;
    teste::PlataformaDeTeste plataforma;
    std::unique_ptr<zove::Referencias> refs;
    std::unique_ptr<ManutencaoCadastro> comandos;
};

TEST_F(Manutencao, ExportCopiesTheRegistryByteForByteToANewFile) {
    plataforma.dialogos.escolhas = {fora("novo.txt")};
    comandos->exportar(nullptr);
    ASSERT_EQ(plataforma.dialogos.pedidos.size(), 1);
    const auto& d = plataforma.dialogos.pedidos[0];
    EXPECT_TRUE(d.salvar);
    EXPECT_EQ(d.titulo, QStringLiteral("Exportação de arquivos de dados do Contribuinte do ZOVE"));
    EXPECT_EQ(d.filtro, QStringLiteral("Arquivo de Contribuinte do ZOVE (TXT)|*.txt"));
    EXPECT_EQ(d.nomeInicial, QString());
    EXPECT_EQ(teste::leArquivo(fora("novo.txt")), contribuinte());
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());

    // Cancelling does nothing and says nothing.
    comandos->exportar(nullptr);
    EXPECT_TRUE(plataforma.mensagens.pedidos.isEmpty());
}

TEST_F(Manutencao, ExportRefusesTheDataFolderAndReportsAFailedWrite) {
    const QByteArray antes = contribuinte();
    plataforma.dialogos.escolhas = {dados.arquivo("CONTRIBUINTE"), dados.arquivo("copia.txt")};
    comandos->exportar(nullptr);
    comandos->exportar(nullptr);
    EXPECT_FALSE(QFileInfo::exists(dados.arquivo("copia.txt")));
    EXPECT_EQ(contribuinte(), antes);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 2);
    EXPECT_TRUE(ultima().texto.contains(QStringLiteral("pasta de dados")));

    teste::gravaArquivo(fora("antigo.txt"), "anterior");
    comandos->defineGravador([](const QString&, const QByteArray&, QString* erro) {
        *erro = QStringLiteral("disco cheio");
        return false;
    });
    plataforma.dialogos.escolhas = {fora("antigo.txt")};
    comandos->exportar(nullptr);
    EXPECT_EQ(teste::leArquivo(fora("antigo.txt")), "anterior");
    EXPECT_EQ(ultima().icone, Mensagens::Icone::Critico);
    EXPECT_TRUE(ultima().texto.contains(QStringLiteral("disco cheio")));
}

TEST_F(Manutencao, ImportAddsNewTaxpayersOnceAndReloads) {
    teste::gravaArquivo(fora("troca.txt"), kCab + "  \r\n3|98765432100|JOS\xC9 SILVANO|21|9\r\n\r\n"
                                                  "3|11122233344|Maria da Silva|61|5551234\r\n"
                                                  "1|0012345|Bar Central|||\r\n");
    plataforma.dialogos.escolhas = {fora("troca.txt"), fora("troca.txt")};
    comandos->importar(nullptr);
    ASSERT_EQ(plataforma.dialogos.pedidos.size(), 1);
    EXPECT_FALSE(plataforma.dialogos.pedidos[0].salvar);
    EXPECT_EQ(plataforma.dialogos.pedidos[0].titulo,
              QStringLiteral("Importação de arquivos de dados do Contribuinte do ZOVE"));
    EXPECT_EQ(contribuintesNoArquivo(), 4);
    ASSERT_EQ(refs->oCONTRIBUINTEs->Count(), 4);
    EXPECT_EQ(refs->oCONTRIBUINTEs->Item(3)->RAZAO_SOCIAL, QStringLiteral("JOSÉ SILVANO"));
    EXPECT_EQ(refs->oCONTRIBUINTEs->Item(4)->DOCUMENTO_IDENTIFICACAO, QStringLiteral("0012345"));
    EXPECT_TRUE(ultima().texto.contains(QStringLiteral("incluído(s): 2")));

    // The same file again doubles nothing.
    comandos->importar(nullptr);
    EXPECT_EQ(contribuintesNoArquivo(), 4);
    EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 4);
}

TEST_F(Manutencao, ExportThenImportOnTheSameMachineDoublesNothing) {
    plataforma.dialogos.escolhas = {fora("c.txt"), fora("c.txt")};
    comandos->exportar(nullptr);
    const QByteArray antes = contribuinte();
    comandos->importar(nullptr);
    EXPECT_EQ(contribuinte(), antes);
    EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 2);
}

TEST_F(Manutencao, ABadLineRefusesTheWholeFileAndLeavesTheRegistry) {
    const QByteArray bom = "3|1|A|61|1\r\n";
    struct Caso {
        const char* nome;
        QByteArray conteudo;
        int linha;
    };
    const Caso casos[] = {
        {"columns in another order",
         "DOCUMENTO_IDENTIFICACAO|TIPO_DOCUMENTO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE\r\n" + bom, 1},
        {"four values", kCab + "\r\n" + bom + "3|2|B|61\r\n", 3},
        {"NUL", kCab + "\r\n" + bom + QByteArray("3|2|B\0|61|1\r\n", 14), 3},
        {"digest-like line", kCab + "\r\n" + bom + ":):)00112233445566778899AABBCCDDEEFF\r\n", 3},
        {"UTF-8 text (LF line ends)", kCab + "\n3|1|A|61|1\n3|2|JOS\xC3\x89|61|1\n", 3},
    };
    const QByteArray antes = contribuinte();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        teste::gravaArquivo(fora("ruim.txt"), c.conteudo);
        plataforma.dialogos.escolhas = {fora("ruim.txt")};
        comandos->importar(nullptr);
        EXPECT_EQ(contribuinte(), antes);
        EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 2);
        EXPECT_TRUE(ultima().texto.startsWith(kIncompativel));
        EXPECT_TRUE(ultima().texto.contains(QStringLiteral("Linha %1:").arg(c.linha)))
            << ultima().texto.toStdString();
        EXPECT_EQ(ultima().icone, Mensagens::Icone::Exclamacao);
    }

    // A file that cannot be read gets the same message; a cancelled dialog none.
    const auto n = plataforma.mensagens.pedidos.size();
    plataforma.dialogos.escolhas = {fora("nao-existe.txt")};
    comandos->importar(nullptr);
    EXPECT_TRUE(ultima().texto.startsWith(kIncompativel));
    comandos->importar(nullptr);
    EXPECT_EQ(plataforma.mensagens.pedidos.size(), n + 1);
}

TEST_F(Manutencao, AFileOfAnotherKindIsRefusedWithoutBeingReadWhole) {
    const QByteArray antes = contribuinte();
    const auto refusedAtLineOne = [&](const QString& arquivo) {
        plataforma.dialogos.escolhas = {arquivo};
        comandos->importar(nullptr);
        EXPECT_TRUE(ultima().texto.startsWith(kIncompativel));
        EXPECT_TRUE(ultima().texto.contains(QStringLiteral("Linha 1:"))) << ultima().texto.toStdString();
        EXPECT_EQ(contribuinte(), antes);
        EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 2);
    };
    // A file with no line end at all.
    teste::gravaArquivo(fora("uma-linha.txt"), QByteArray(200 * 1024, 'A'));
    refusedAtLineOne(fora("uma-linha.txt"));

    // A disk image chosen by mistake, far larger than memory (sparse, so it takes no room on disk):
    // reading it whole before looking at its first line would exhaust memory.
    QFile imagem(fora("disco.txt"));
    ASSERT_TRUE(imagem.open(QIODevice::WriteOnly));
    ASSERT_GT(imagem.write("PK\x03\x04 not a registry\r\n"), 0);
    if (!imagem.resize(qint64(64) << 30))
        GTEST_SKIP() << "this file system cannot hold a sparse 64 GiB file";
    imagem.close();
    refusedAtLineOne(fora("disco.txt"));
}

TEST_F(Manutencao, BlanksAroundTheHeaderOfAnyLengthAreAccepted) {
    // Far more blanks than any first look at the file takes in.
    const QByteArray blancos(70000, ' ');
    const QByteArray cabecalhos[] = {kCab + blancos, blancos + kCab, blancos + kCab + blancos};
    int n = 0;
    for (const QByteArray& cabecalho : cabecalhos) {
        SCOPED_TRACE(n);
        teste::gravaArquivo(fora("brancos.txt"),
                            cabecalho + "\r\n3|9876543210" + QByteArray::number(n) + "|ANA|21|9\r\n");
        plataforma.dialogos.escolhas = {fora("brancos.txt")};
        comandos->importar(nullptr);
        EXPECT_EQ(ultima().icone, Mensagens::Icone::Informacao) << ultima().texto.toStdString();
        EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 3 + n);
        ++n;
    }
    EXPECT_EQ(contribuintesNoArquivo(), 5);
}

// Only a regular file is read: a device or a pipe chosen by mistake is refused at once, never waited on.
TEST_F(Manutencao, OnlyARegularFileIsRead) {
    const QString fifo = fora("fila.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray antes = contribuinte();
    for (const QString& caminho : {QStringLiteral("/dev/zero"), fifo, externa.path()}) {
        SCOPED_TRACE(caminho.toStdString());
        // Should the import wait for a writer, one comes after 3 s so the test ends; the time shows it.
        std::atomic<bool> terminou = false;
        std::thread escritor([&] {
            for (int i = 0; i < 300 && !terminou; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!terminou && caminho == fifo) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        });
        QElapsedTimer tempo;
        tempo.start();
        plataforma.dialogos.escolhas = {caminho};
        comandos->importar(nullptr);
        const qint64 ms = tempo.elapsed();
        terminou = true;
        escritor.join();
        EXPECT_LT(ms, 2000);
        EXPECT_TRUE(ultima().texto.startsWith(kIncompativel));
        EXPECT_TRUE(ultima().texto.contains(QStringLiteral("não é um arquivo comum")))
            << ultima().texto.toStdString();
        EXPECT_EQ(contribuinte(), antes);
    }
}

// The system's reasons reach the user in Portuguese. (Tests run as root, which reads any file, so the
// reasons shown here are those root meets too: a missing file and a path through a regular file.)
TEST_F(Manutencao, ReasonsAFileCannotBeReadAreInPortuguese) {
    const struct {
        QString caminho;
        const char* motivo;
        const char* ingles;
    } casos[] = {
        {fora("nao-existe.txt"), "Arquivo ou pasta inexistente", "No such file"},
        {dados.arquivo("ZOV") + "/troca.txt", "Não é uma pasta", "Not a directory"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caminho.toStdString());
        plataforma.dialogos.escolhas = {c.caminho};
        comandos->importar(nullptr);
        EXPECT_TRUE(ultima().texto.startsWith(kIncompativel));
        EXPECT_TRUE(ultima().texto.contains(QString::fromUtf8(c.motivo))) << ultima().texto.toStdString();
        EXPECT_FALSE(ultima().texto.contains(QLatin1String(c.ingles)));
    }
}

TEST_F(Manutencao, ClearingAsksKeepsDatedCopiesAndEmptiesBothTables) {
    const QByteArray zovAntes = teste::leArquivo(dados.arquivo("ZOV"));
    const QByteArray contribuinteAntes = contribuinte();

    plataforma.mensagens.respostas = {Mensagens::Resposta::Nao};
    comandos->limpar(nullptr);
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 1);
    EXPECT_EQ(plataforma.mensagens.pedidos[0].botoes, Mensagens::Botoes::SimNaoPadraoNao);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV")), zovAntes);
    EXPECT_EQ(refs->oZOVs->Count(), 1);

    comandos->limpar(nullptr);
    EXPECT_EQ(ultima().texto, QStringLiteral("A base de dados está limpa !"));
    // A notice: the information icon under the title "Aviso".
    EXPECT_EQ(ultima().icone, Mensagens::Icone::Informacao);
    EXPECT_EQ(ultima().titulo, QStringLiteral("Aviso"));
    EXPECT_EQ(ultima().botoes, Mensagens::Botoes::OK);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV_copia_20261210_063000")), zovAntes);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("CONTRIBUINTE_copia_20261210_063000")), contribuinteAntes);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV")), zovAntes.left(zovAntes.indexOf("\r\n") + 2));
    EXPECT_EQ(contribuinte(), kCab + "\r\n");
    // The "_temp" files keep what was there before, as every table clearing leaves them.
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV_temp")), zovAntes);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("CONTRIBUINTE_temp")), contribuinteAntes);
    EXPECT_EQ(refs->oZOVs->Count(), 0);
    EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 0);
    EXPECT_EQ(refs->oZOVs->Campos_Count(), 17);

    // A second clearing succeeds too, and keeps the first copies.
    comandos->limpar(nullptr);
    EXPECT_EQ(ultima().texto, QStringLiteral("A base de dados está limpa !"));
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV_copia_20261210_063000")), zovAntes);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV_copia_20261210_063000_2")),
              zovAntes.left(zovAntes.indexOf("\r\n") + 2));
}

TEST_F(Manutencao, NothingIsClearedWhenACopyCannotBeMade) {
    const QByteArray zovAntes = teste::leArquivo(dados.arquivo("ZOV"));
    const QByteArray contribuinteAntes = contribuinte();
    comandos->defineGravador([](const QString& caminho, const QByteArray& conteudo, QString* erro) {
        if (QFileInfo(caminho).fileName().startsWith(QLatin1String("CONTRIBUINTE_copia"))) {
            *erro = QStringLiteral("disco cheio");
            return false;
        }
        return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
    });
    comandos->limpar(nullptr);
    EXPECT_EQ(teste::leArquivo(dados.arquivo("ZOV")), zovAntes);
    EXPECT_EQ(contribuinte(), contribuinteAntes);
    EXPECT_EQ(refs->oZOVs->Count(), 1);
    EXPECT_EQ(refs->oCONTRIBUINTEs->Count(), 2);
    // One message, not one per table.
    ASSERT_EQ(plataforma.mensagens.pedidos.size(), 2);
    EXPECT_TRUE(ultima().texto.startsWith(QStringLiteral("Não foi possível remover itens:  ")));
    EXPECT_TRUE(ultima().texto.contains(QStringLiteral("disco cheio")));
}

// Registries stored on one machine, exported, imported into the empty registry of another and exported
// again: the program's own export must always come back whole.
class IdaEVolta : public ::testing::Test {
protected:
    struct Maquina {
        teste::PastaDados dados;
        teste::PlataformaDeTeste plataforma;
        std::unique_ptr<zove::Referencias> refs;
        std::unique_ptr<ManutencaoCadastro> comandos;

        Maquina() {
            refs = zove::Referencias::carregar(dados.caminho());
            // Hundreds of small files are written: none of them needs to wait for the disk.
            const auto semEsperarODisco = [](const QString& caminho, const QByteArray& conteudo,
                                             QString* erro) {
                return tabulon::gravaCopia(caminho, conteudo, erro);
            };
            refs->oZovEnv().defineGravador(semEsperarODisco);
            comandos = std::make_unique<ManutencaoCadastro>(*refs, plataforma.plataforma());
            comandos->defineGravador(semEsperarODisco);
        }

        // Stores exactly these taxpayers, as any change of the program does; false when it refuses them.
        bool guarda(const QList<QStringList>& registros, QString* erro) {
            const zove::ResultadoAlteracao r = refs->oZovEnv().AlteraEmLote(
                [&](tabulon::ZOVs&, tabulon::CONTRIBUINTEs& contribuintes, QString*) {
                    contribuintes.removeRegistros();
                    for (const QStringList& v : registros)
                        contribuintes.NewContribuinte(v[0], v[1], v[2], v[3], v[4]);
                    return true;
                });
            *erro = r.erro;
            return r.ok;
        }
    };

    void idaEVolta(const QList<QStringList>& registros) {
        QString erro;
        ASSERT_TRUE(origem.guarda(registros, &erro)) << erro.toStdString();
        ASSERT_TRUE(destino.guarda({}, &erro)) << erro.toStdString();
        const QString exportado = QDir(externa.path()).filePath("exportado.txt");
        const QString denovo = QDir(externa.path()).filePath("de-novo.txt");
        origem.plataforma.dialogos.escolhas = {exportado};
        origem.comandos->exportar(nullptr);
        ASSERT_TRUE(origem.plataforma.mensagens.pedidos.isEmpty());

        destino.plataforma.dialogos.escolhas = {exportado, denovo};
        destino.plataforma.mensagens.pedidos.clear();
        destino.comandos->importar(nullptr);
        ASSERT_EQ(destino.plataforma.mensagens.pedidos.size(), 1);
        EXPECT_EQ(destino.plataforma.mensagens.pedidos[0].icone, Mensagens::Icone::Informacao)
            << destino.plataforma.mensagens.pedidos[0].texto.toStdString();
        QList<QStringList> importados;
        for (const auto& c : *destino.refs->oCONTRIBUINTEs)
            if (c)
                importados.append({c->TIPO_DOCUMENTO, c->DOCUMENTO_IDENTIFICACAO, c->RAZAO_SOCIAL, c->NUM_DDD,
                                   c->NUM_FONE});
        EXPECT_EQ(importados, registros);
        destino.comandos->exportar(nullptr);
        EXPECT_EQ(teste::leArquivo(denovo), teste::leArquivo(exportado));
    }

    QTemporaryDir externa;
    Maquina origem;
    Maquina destino;
};

// Every byte a stored name may hold: all but NUL, the two line breaks and the value separator.
QByteArray bytesDeNome() {
    QByteArray bytes;
    for (int b = 1; b < 256; ++b) {
        if (b != '\n' && b != '\r' && b != '|')
            bytes.append(char(b));
    }
    return bytes;
}

TEST_F(IdaEVolta, AnyRegistryTheProgramCanStoreComesBackByteIdentical) {
    std::mt19937 gerador(20261210);
    const QByteArray alfabeto = bytesDeNome();
    const auto qualquer = [&](int de, int ate) {
        return std::uniform_int_distribution<int>(de, ate)(gerador);
    };
    // Registries of up to ten names each. The first names hold every byte once between them.
    QList<QList<QByteArray>> cadastros{{}};
    const auto acrescenta = [&](const QByteArray& nome) {
        if (cadastros.last().size() == 10)
            cadastros.append(QList<QByteArray>());
        cadastros.last().append(nome);
    };
    QByteArray embaralhado = alfabeto;
    std::shuffle(embaralhado.begin(), embaralhado.end(), gerador);
    for (qsizetype i = 0; i < embaralhado.size(); i += 24)
        acrescenta(embaralhado.mid(i, 24));
    // Random names, half of their pieces shaped like UTF-8 (a lead byte and its continuation bytes).
    for (int i = 0; i < 200; ++i) {
        QByteArray nome;
        for (int n = qualquer(1, 24); nome.size() < n;) {
            if (qualquer(0, 1) == 0) {
                nome.append(alfabeto[qualquer(0, int(alfabeto.size()) - 1)]);
                continue;
            }
            const int lider = qualquer(0xC2, 0xF4);
            nome.append(char(lider));
            for (int k = lider < 0xE0 ? 1 : lider < 0xF0 ? 2 : 3; k > 0; --k)
                nome.append(char(qualquer(0x80, 0xBF)));
        }
        acrescenta(nome);
    }
    // Registries whose every accent reads as a UTF-8 letter ("Ã§" for "ç"): stored as Windows-1252 text,
    // as the program may have stored them, they must come back as they are.
    cadastros.append(QList<QByteArray>());
    for (int i = 0; i < 100; ++i) {
        QByteArray nome;
        for (int n = qualquer(1, 24); nome.size() < n;) {
            if (qualquer(0, 2) > 0)
                nome.append(char(qualquer('A', 'Z')));
            else
                nome.append("\xC3").append(char(qualquer(0x80, 0xBF)));
        }
        acrescenta(nome);
    }
    // Reported cases: an accented capital followed by a dash or by a no-break space.
    cadastros.append(QList<QByteArray>{"CAF\xC9\x96"
                                       "BAR LTDA",
                                       "JOS\xC9\xA0"
                                       "DA SILVA"});

    QList<QStringList> todos;
    for (const QList<QByteArray>& nomes : std::as_const(cadastros)) {
        QList<QStringList> cadastro;
        for (const QByteArray& bytes : nomes) {
            QString nome = tabulon::decodifica1252(bytes);
            // "&" and a few letters would be read back as the letter they name; such a name is not stored.
            if (tabulon::Init::DecodificaTexto(nome) != nome)
                nome.replace(QLatin1Char('&'), QLatin1Char('+'));
            cadastro.append({"3", QString::number(11122233300 + todos.size()), nome, "61", "5551234"});
            todos.append(cadastro.last());
        }
        SCOPED_TRACE(nomes.join('/').toHex(' ').toStdString());
        idaEVolta(cadastro);
        if (HasFailure())
            return;
    }
    SCOPED_TRACE("all names in one registry");
    idaEVolta(todos);
}

// The program's main window reaches the three commands and the search from its menus.
TEST_F(Manutencao, MainWindowMenusReachTheCommands) {
    QTemporaryDir programa;
    zove::frmPrincipal principal(plataforma.plataforma(), programa.path(), dados.caminho(),
                                 zove::janelasDoPrograma());
    principal.definirEncerramento([](int) {});
    ASSERT_TRUE(principal.carregar());
    for (QAction* a : {principal.mnuManutencaoZOV, principal.im_LimpaBaseDados, principal.im_ImportCadastro,
                       principal.im_ExportCadastro})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

    principal.im_ExportCadastro->trigger();
    principal.im_ImportCadastro->trigger();
    ASSERT_EQ(plataforma.dialogos.pedidos.size(), 2);
    EXPECT_EQ(plataforma.dialogos.pedidos[0].titulo, ManutencaoCadastro::TituloExportacao);
    EXPECT_EQ(plataforma.dialogos.pedidos[1].titulo, ManutencaoCadastro::TituloImportacao);

    plataforma.mensagens.respostas = {Mensagens::Resposta::Nao};
    principal.im_LimpaBaseDados->trigger();
    EXPECT_EQ(plataforma.mensagens.pedidos.last().texto, ManutencaoCadastro::PerguntaLimpar);
    EXPECT_EQ(principal.referencias().oZOVs->Count(), 1);
}

} // namespace
