#include "import/ZovImportacao.h"
#include "data/ZovEnv_Simulator.h"
#include "import/ImportacaoFixture.h"
#include "import/ImportacaoSemJanela.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Init.h"
#include "tabulon/Texto1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zove;

namespace teste {
namespace {

class Importacao : public ImportacaoTeste {
protected:
    QString escreve(const QByteArray& conteudo, const QString& nome = QStringLiteral("lote.txt")) {
        const QString caminho = QDir(arquivos.path()).filePath(nome);
        gravaArquivo(caminho, conteudo);
        return caminho;
    }
    static QByteArray bytes(const QString& texto) { return tabulon::codifica1252(texto); }

    QByteArray tabela(const QString& nome) const { return leArquivo(pasta.arquivo(nome)); }

    // The two tables as a fresh start would load them from the folder.
    struct Tabelas {
        std::shared_ptr<tabulon::ZOVs> zovs;
        std::shared_ptr<tabulon::CONTRIBUINTEs> contribuintes;
    };
    static Tabelas carrega(const QString& pastaDados) {
        tabulon::Init init;
        init.sDiretorioDados(pastaDados);
        return {init.CarregarZOV(), init.CarregarContribuinte()};
    }

    QTemporaryDir arquivos;
};

// One valid record, a blank line and a record one character short: three entries in file order, and
// only the valid document stored, with its taxpayer, in the table files.
TEST_F(Importacao, CadaLinhaUmaEntradaEOsValidosGravados) {
    const QString bom = valido(QStringLiteral("7307"));
    const QString caminho =
        escreve(bytes(bom + QStringLiteral("\r\n\r\n") + valido(QStringLiteral("1147")).left(249) + "\r\n"));
    ZovImportacao importacao(*refs, [] { return kHoje; });
    EXPECT_TRUE(importacao.ImportaDados(caminho));
    ASSERT_EQ(importacao.Zovs().Count(), 3);
    EXPECT_EQ(importacao.Zovs().Item(1)->Status(), ZovRegras::Importado);
    EXPECT_EQ(importacao.Zovs().Item(2)->Logs().textos(), QStringList{QStringLiteral("ZOVE em branco")});
    EXPECT_EQ(importacao.Zovs().Item(3)->Logs().textos(),
              QStringList{QStringLiteral("ZOVE inválido. Registro com tamanho diferente de 250 caracteres")});
    EXPECT_EQ(importacao.Zovs().Item(3)->Status(), ZovRegras::Invalido);
    EXPECT_EQ(importacao.Logs().Count(), 0);

    const Tabelas t = carrega(pasta.caminho());
    ASSERT_EQ(t.zovs->Count(), 1);
    EXPECT_EQ(t.zovs->Item(1)->COD_RECEITA, QStringLiteral("7307"));
    EXPECT_EQ(t.zovs->Item(1)->NUM_DOCUMENTO, QStringLiteral("1"));
    ASSERT_EQ(t.contribuintes->Count(), 1);
    EXPECT_EQ(t.contribuintes->Item(1)->DOCUMENTO_IDENTIFICACAO, t.zovs->Item(1)->NUM_DOCUMENTO_IDENT);
    // The references the windows use hold the stored tables too.
    EXPECT_EQ(refs->oZOVs->Count(), 1);
}

// The same file twice stores its documents twice; the taxpayer stays one row, updated.
TEST_F(Importacao, MesmoArquivoDuasVezes) {
    const QString caminho = escreve(gerador->arquivo(12));
    ZovImportacao importacao(*refs, [] { return kHoje; });
    ASSERT_TRUE(importacao.ImportaDados(caminho));
    const Tabelas primeira = carrega(pasta.caminho());
    ASSERT_TRUE(importacao.ImportaDados(caminho));
    const Tabelas segunda = carrega(pasta.caminho());
    EXPECT_EQ(primeira.zovs->Count(), 12);
    EXPECT_EQ(segunda.zovs->Count(), 24);
    EXPECT_EQ(segunda.zovs->Item(24)->NUM_DOCUMENTO, QStringLiteral("24"));
    EXPECT_EQ(segunda.contribuintes->Count(), primeira.contribuintes->Count());
}

// The file's own log holds only the last import's lines.
TEST_F(Importacao, ArquivoInexistenteEDepoisUmBom) {
    ZovImportacao importacao(*refs, [] { return kHoje; });
    const QString ausente = QDir(arquivos.path()).filePath(QStringLiteral("Lote-AUSENTE.TXT"));
    EXPECT_FALSE(importacao.ImportaDados(ausente));
    EXPECT_EQ(importacao.Zovs().Count(), 0);
    EXPECT_EQ(importacao.Logs().textos(),
              QStringList{QStringLiteral("Arquivo inexistente: ") + ausente.toLower()});

    EXPECT_TRUE(importacao.ImportaDados(escreve(bytes(valido(QStringLiteral("7307"))))));
    EXPECT_EQ(importacao.Logs().Count(), 0);
    ASSERT_EQ(importacao.Zovs().Count(), 1); // a last line without terminator is read
    EXPECT_EQ(importacao.Zovs().Item(1)->Status(), ZovRegras::Importado);
}

// A file that exists but cannot be opened: the reason is the system's, told in Portuguese.
TEST_F(Importacao, ArquivoQueNaoAbreDizOMotivoEmPortugues) {
    // Write-only for everyone, root included, where the kernel enforces it on this file.
    const QString semLeitura = QStringLiteral("/proc/sys/vm/drop_caches");
    QFile sonda(semLeitura);
    if (!QFileInfo::exists(semLeitura) || sonda.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no file here refuses to be read";
    ZovImportacao importacao(*refs, [] { return kHoje; });
    EXPECT_FALSE(importacao.ImportaDados(semLeitura));
    EXPECT_EQ(importacao.Zovs().Count(), 0);
    EXPECT_EQ(importacao.Logs().textos(),
              QStringList{QStringLiteral("Erro na abertura do arquivo \nPermissão negada")});
}

// A lone CR ends a line as CR LF and LF do, also when it is the last byte of a read block and its LF
// starts the next one (that LF is no empty line of its own).
TEST_F(Importacao, CRSozinhoTerminaALinha) {
    const QByteArray bom = bytes(valido(QStringLiteral("7307")));
    struct Caso {
        const char* nome;
        QByteArray conteudo;
        QStringList situacoes;
    } casos[] = {
        {"CR", bom + "\r" + bom + "\r", {ZovRegras::Importado, ZovRegras::Importado}},
        {"CR, CR LF e LF",
         bom + "\r\r\n" + bom + "\n",
         {ZovRegras::Importado, ZovRegras::Invalido, ZovRegras::Importado}},
        // 65,535 bytes, then the CR at the end of the first block and its LF at the start of the next.
        {"CR LF entre blocos",
         QByteArray(65535, 'x') + "\r\n" + bom + "\r\n",
         {ZovRegras::Invalido, ZovRegras::Importado}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        ZovImportacao importacao(*refs, [] { return kHoje; });
        ASSERT_TRUE(importacao.ImportaDados(escreve(c.conteudo)));
        QStringList situacoes;
        for (qsizetype i = 1; i <= importacao.Zovs().Count(); ++i)
            situacoes << importacao.Zovs().Status(i);
        EXPECT_EQ(situacoes, c.situacoes);
    }
}

// A huge line is refused by its length; a file without any line break is one
// such line; LF alone separates lines too.
TEST_F(Importacao, LinhasEnormesELF) {
    const QString bom = valido(QStringLiteral("7307"));
    QByteArray conteudo = bytes(bom) + "\n" + QByteArray(100000, 'x') + "\n" + bytes(bom + "   ") + "\n";
    ZovImportacao importacao(*refs, [] { return kHoje; });
    ASSERT_TRUE(importacao.ImportaDados(escreve(conteudo)));
    ASSERT_EQ(importacao.Zovs().Count(), 3);
    EXPECT_EQ(importacao.Zovs().Item(1)->Status(), ZovRegras::Importado);
    EXPECT_EQ(importacao.Zovs().Item(2)->Logs().textos(),
              QStringList{QStringLiteral("ZOVE inválido. Registro com tamanho diferente de 250 caracteres")});
    EXPECT_EQ(importacao.Zovs().Item(3)->Status(), ZovRegras::Importado);

    ASSERT_TRUE(importacao.ImportaDados(escreve(QByteArray(8 << 20, '7'), QStringLiteral("sem-quebra.txt"))));
    ASSERT_EQ(importacao.Zovs().Count(), 1);
    EXPECT_EQ(importacao.Zovs().Item(1)->Status(), ZovRegras::Invalido);
}

// Cancelling before the store step stores nothing and says so on every record that would have been.
TEST_F(Importacao, CancelarNaoGravaNada) {
    const QByteArray zovAntes = tabela(QStringLiteral("ZOV"));
    const QByteArray contribuintesAntes = tabela(QStringLiteral("CONTRIBUINTE"));
    ZovImportacao importacao(*refs, [] { return kHoje; });
    int chamadas = 0;
    importacao.aoProgredir([&](const ZovImportacao::Progresso& p) {
        ++chamadas;
        EXPECT_EQ(p.lidos, 256);
        EXPECT_EQ(p.validos + p.invalidos, p.lidos);
        return false;
    });
    EXPECT_FALSE(importacao.ImportaDados(escreve(gerador->arquivo(600))));
    EXPECT_EQ(chamadas, 1);
    EXPECT_TRUE(importacao.cancelado());
    EXPECT_EQ(importacao.Zovs().Count(), 256);
    for (qsizetype i = 1; i <= importacao.Zovs().Count(); ++i) {
        const auto z = importacao.Zovs().Item(i);
        EXPECT_EQ(z->Status(), ZovRegras::Invalido);
        EXPECT_EQ(z->Logs().textos().value(0),
                  QStringLiteral("Importação cancelada: o ZOVE não foi gravado."));
    }
    EXPECT_EQ(importacao.Logs().textos(),
              QStringList{QStringLiteral("Importação cancelada. Nenhum ZOVE foi gravado.")});
    EXPECT_EQ(tabela(QStringLiteral("ZOV")), zovAntes);
    EXPECT_EQ(tabela(QStringLiteral("CONTRIBUINTE")), contribuintesAntes);
}

// A failed write stores nothing: the files and the loaded tables are as before, and every record that
// would have been stored is "Inválido" with the reason.
TEST_F(Importacao, FalhaNaGravacaoNaoGravaNada) {
    for (int falhaNaEscrita : {1, 2, 3, 4}) {
        SCOPED_TRACE(falhaNaEscrita);
        const QByteArray zovAntes = tabela(QStringLiteral("ZOV"));
        const QByteArray contribuintesAntes = tabela(QStringLiteral("CONTRIBUINTE"));
        const auto zovsCarregados = refs->oZOVs;
        int escritas = 0;
        refs->oZovEnv().defineGravador(
            [&](const QString& caminho, const QByteArray& conteudo, QString* erro) {
                if (++escritas == falhaNaEscrita) {
                    *erro = QStringLiteral("disco cheio");
                    return false;
                }
                return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
            });
        QString linhas = valido(QStringLiteral("7307")) + "\r\n\r\n" + valido(QStringLiteral("1147"), 2);
        ZovImportacao importacao(*refs, [] { return kHoje; });
        EXPECT_FALSE(importacao.ImportaDados(escreve(bytes(linhas))));
        ASSERT_EQ(importacao.Zovs().Count(), 3);
        for (qsizetype i : {1, 3}) {
            const auto z = importacao.Zovs().Item(i);
            EXPECT_EQ(z->Status(), ZovRegras::Invalido);
            EXPECT_TRUE(z->Logs().textos().value(0).startsWith(QStringLiteral("ZOVE não gravado: ")))
                << z->Logs().textos().join('|').toStdString();
        }
        EXPECT_EQ(importacao.progresso().validos, 0);
        EXPECT_EQ(tabela(QStringLiteral("ZOV")), zovAntes);
        EXPECT_EQ(tabela(QStringLiteral("CONTRIBUINTE")), contribuintesAntes);
        EXPECT_EQ(refs->oZOVs->Count(), zovsCarregados->Count());
    }
}

// What a kill at any moment of the store step leaves on disk: the writer stops the process after
// each of its writes (the files as they are then are copied aside). Every copy loads, holds either all
// of the batch's documents or none, and no document without its taxpayer.
TEST_F(Importacao, InterrupcaoEmCadaPassoDeixaTabelasConsistentes) {
    ASSERT_TRUE(ZovImportacao(*refs, [] { return kHoje; }).ImportaDados(escreve(gerador->arquivo(30))));
    const qsizetype antes = refs->oZOVs->Count();

    QList<QTemporaryDir*> estados;
    const auto fotografa = [&] {
        auto* dir = new QTemporaryDir;
        for (const QString& nome : QDir(pasta.caminho()).entryList(QDir::Files))
            QFile::copy(pasta.arquivo(nome), dir->filePath(nome));
        estados.append(dir);
    };
    refs->oZovEnv().defineGravador([&](const QString& caminho, const QByteArray& conteudo, QString* erro) {
        fotografa();
        return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
    });
    const QByteArray lote = gerador->arquivo(40, 7);
    ZovImportacao importacao(*refs, [] { return kHoje; });
    ASSERT_TRUE(importacao.ImportaDados(escreve(lote)));
    fotografa();
    const qsizetype novos = importacao.progresso().validos;
    ASSERT_GT(novos, 0);
    ASSERT_GE(estados.size(), 3);

    for (QTemporaryDir* dir : estados) {
        SCOPED_TRACE(estados.indexOf(dir));
        Tabelas t;
        ASSERT_NO_THROW(t = carrega(dir->path()));
        EXPECT_TRUE(t.zovs->Count() == antes || t.zovs->Count() == antes + novos) << t.zovs->Count();
        QSet<QString> contribuintes;
        for (const auto& c : *t.contribuintes)
            contribuintes.insert(c->TIPO_DOCUMENTO + QLatin1Char(':') + c->DOCUMENTO_IDENTIFICACAO);
        for (const auto& z : *t.zovs)
            EXPECT_TRUE(
                contribuintes.contains(z->TIPO_DOCUMENTO_IDENT + QLatin1Char(':') + z->NUM_DOCUMENTO_IDENT))
                << z->NUM_DOCUMENTO.toStdString();
    }
    // The last copy is the finished import.
    EXPECT_EQ(carrega(estados.back()->path()).zovs->Count(), antes + novos);
    qDeleteAll(estados);
}

// A line is judged on its whole length without its blanks at both ends, however long it is: text far
// past a valid record makes the line invalid, blanks around a record do not.
TEST_F(Importacao, TamanhoJulgadoNaLinhaInteira) {
    const QByteArray bom = bytes(valido(QStringLiteral("7307")));
    const QString tamanho = QStringLiteral("ZOVE inválido. Registro com tamanho diferente de 250 caracteres");
    struct Caso {
        const char* nome;
        QByteArray linha;
        QStringList log;
    } casos[] = {
        {"texto depois de 4.000 brancos", bom + QByteArray(4000, ' ') + "x", {tamanho}},
        {"texto 1 MB depois", bom + QByteArray(1 << 20, ' ') + "x", {tamanho}},
        {"brancos depois", bom + QByteArray(100000, ' '), {}},
        {"brancos antes", QByteArray(5000, ' ') + bom, {}},
        {"brancos dos dois lados", QByteArray(70000, ' ') + bom + QByteArray(70000, ' '), {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        ZovImportacao importacao(*refs, [] { return kHoje; });
        importacao.ImportaDados(escreve(c.linha + "\r\n" + bom + "\r\n"));
        ASSERT_EQ(importacao.Zovs().Count(), 2);
        EXPECT_EQ(importacao.Zovs().Item(1)->Logs().textos(), c.log);
        EXPECT_EQ(importacao.Zovs().Item(1)->Status(),
                  c.log.isEmpty() ? ZovRegras::Importado : ZovRegras::Invalido);
        EXPECT_EQ(importacao.Zovs().Item(2)->Status(), ZovRegras::Importado);
    }
}

// Only regular files are read: a device or a pipe (which would block or never end) is refused at once,
// by name, and nothing is listed.
TEST_F(Importacao, SoArquivosComunsSaoLidos) {
    const QString fifo = QDir(arquivos.path()).filePath(QStringLiteral("fila"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& caminho : {QStringLiteral("/dev/null"), fifo}) {
        SCOPED_TRACE(caminho.toStdString());
        // Should the import open the pipe and wait for a writer, this one lets it go on.
        std::atomic<bool> terminou = false;
        std::thread escritor([&] {
            while (!terminou) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        ZovImportacao importacao(*refs, [] { return kHoje; });
        const bool ok = importacao.ImportaDados(caminho);
        terminou = true;
        escritor.join();
        EXPECT_FALSE(ok);
        EXPECT_EQ(importacao.Zovs().Count(), 0);
        EXPECT_EQ(importacao.Logs().textos(),
                  QStringList{QStringLiteral("Não é um arquivo comum: ") + caminho +
                              QStringLiteral(" (dispositivos, pipes e outros arquivos especiais não são "
                                             "importados)")});
    }
}

// A file in UTF-8 is refused before anything is stored, saying so; text that is Windows-1252 is read as
// such even where its bytes could also be read as UTF-8, and a file of plain ASCII is both.
TEST_F(Importacao, ArquivoEmUtf8Recusado) {
    const QString registro = valido(QStringLiteral("7307"));
    const auto comNome = [&](const QString& nome) { return comCampo(registro, registro::RazaoSocial, nome); };
    const QByteArray ascii = comNome(QStringLiteral("JOAO SILVA")).toLatin1() + "\r\n";
    // The name as a program that pads by bytes writes it in UTF-8: 250 bytes, fewer characters.
    QByteArray preenchidoPorBytes = comNome(QStringLiteral("JOÃO")).toUtf8();
    preenchidoPorBytes.remove(20 + 5, 1);
    ASSERT_EQ(preenchidoPorBytes.size(), 250);
    struct Caso {
        const char* nome;
        QByteArray conteudo;
        QString nomeGravado; // empty: the file is refused as UTF-8
    } casos[] = {
        {"UTF-8", comNome(QStringLiteral("JOÃO")).toUtf8() + "\r\n" + ascii, {}},
        {"UTF-8 preenchido por bytes", preenchidoPorBytes + "\r\n" + ascii, {}},
        {"marca de ordem de bytes", "\xEF\xBB\xBF" + ascii + ascii, {}},
        {"ASCII", ascii + ascii, QStringLiteral("JOAO SILVA")},
        {"CAFÉ–BAR", ascii + bytes(comNome(QStringLiteral("CAFÉ–BAR LTDA"))),
         QStringLiteral("CAFÉ–BAR LTDA")},
        {"JOSÉ e espaço sem quebra", ascii + bytes(comNome(QStringLiteral("JOSÉ\u00A0SILVA"))),
         QStringLiteral("JOSÉ\u00A0SILVA")},
        {"JOÃO em Windows-1252", ascii + bytes(comNome(QStringLiteral("JOÃO"))), QStringLiteral("JOÃO")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const QByteArray zovAntes = tabela(QStringLiteral("ZOV"));
        const QString caminho = escreve(c.conteudo);
        ZovImportacao importacao(*refs, [] { return kHoje; });
        const bool ok = importacao.ImportaDados(caminho);
        if (c.nomeGravado.isEmpty()) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(importacao.Zovs().Count(), 0);
            EXPECT_EQ(
                importacao.Logs().textos(),
                QStringList{QStringLiteral("O arquivo ") + caminho +
                            QStringLiteral(" está em UTF-8; o arquivo de ZOVE deve estar em Windows-1252 "
                                           "(ANSI). Salve-o nessa codificação e importe-o de novo. "
                                           "Nenhum ZOVE foi gravado.")});
            EXPECT_EQ(tabela(QStringLiteral("ZOV")), zovAntes);
        } else {
            EXPECT_TRUE(ok);
            ASSERT_EQ(importacao.Zovs().Count(), 2);
            EXPECT_EQ(importacao.Zovs().Item(2)->Status(), ZovRegras::Importado)
                << importacao.Zovs().Item(2)->Logs().textos().join('|').toStdString();
            EXPECT_EQ(importacao.Logs().Count(), 0);
            // Both records are the same taxpayer: the row holds the last name, as it was written.
            const auto contribuintes = carrega(pasta.caminho()).contribuintes;
            ASSERT_EQ(contribuintes->Count(), 1);
            EXPECT_EQ(contribuintes->Item(1)->RAZAO_SOCIAL, c.nomeGravado);
        }
    }
}

// Every record keeps its status, but only the first thousand invalid ones keep their lines; the file's
// log then says how many more there were, and such a record's log says why it has none.
TEST_F(Importacao, LogDeMuitosInvalidosLimitado) {
    const QByteArray bom = bytes(valido(QStringLiteral("7307")));
    constexpr int kInvalidos = 1005;
    QByteArray conteudo = bom + "\r\n";
    for (int i = 0; i < kInvalidos; ++i)
        conteudo += "curto\r\n";
    conteudo += bom + "\r\n";
    ZovImportacao importacao(*refs, [] { return kHoje; });
    ASSERT_TRUE(importacao.ImportaDados(escreve(conteudo)));
    ASSERT_EQ(importacao.Zovs().Count(), kInvalidos + 2);
    EXPECT_EQ(importacao.Zovs().Item(1)->Status(), ZovRegras::Importado);
    EXPECT_EQ(importacao.Zovs().Item(kInvalidos + 2)->Status(), ZovRegras::Importado);
    EXPECT_EQ(importacao.progresso().invalidos, kInvalidos);
    const QString tamanho = QStringLiteral("ZOVE inválido. Registro com tamanho diferente de 250 caracteres");
    for (qsizetype i : {2, 1001}) {
        EXPECT_EQ(importacao.Zovs().Item(i)->Status(), ZovRegras::Invalido);
        EXPECT_EQ(importacao.Zovs().Item(i)->Logs().textos(), QStringList{tamanho});
    }
    static_assert(ZovsReg::invalidosComLinhas == 1000);
    for (qsizetype i : {1002, 1006}) {
        EXPECT_EQ(importacao.Zovs().Item(i)->Status(), ZovRegras::Invalido);
        EXPECT_EQ(importacao.Zovs().Item(i)->Logs().textos(),
                  QStringList{QStringLiteral("As linhas de erro deste registro não foram guardadas: só são "
                                             "guardadas as dos primeiros 1.000 registros inválidos.")});
    }
    EXPECT_EQ(importacao.Logs().textos(),
              QStringList{QStringLiteral("Mais 5 registros inválidos além dos primeiros 1.000, sem as linhas "
                                         "de erro.")});
    EXPECT_EQ(carrega(pasta.caminho()).zovs->Count(), 2);
}

TEST_F(Importacao, LinhaDeComando) {
    const QString caminho = escreve(bytes(valido(QStringLiteral("7307")) + "\r\n" +
                                          comCampo(valido(QStringLiteral("7307"), 1), registro::DDD, "0")));
    QString saida, erros;
    {
        QTextStream s(&saida), e(&erros);
        EXPECT_EQ(importaSemJanela(pasta.caminho(), caminho, s, e, [] { return kHoje; }), 0);
    }
    EXPECT_EQ(saida, QStringLiteral("2: DDD em branco\nRegistros lidos: 2; importados: 1; inválidos: 1\n"));
    EXPECT_TRUE(erros.isEmpty());
    EXPECT_EQ(carrega(pasta.caminho()).zovs->Count(), 1);

    saida.clear();
    {
        QTextStream s(&saida), e(&erros);
        EXPECT_EQ(importaSemJanela(pasta.caminho(), caminho + "x", s, e), 1);
    }
    EXPECT_EQ(erros, QStringLiteral("zove: Arquivo inexistente: ") + (caminho + "x").toLower() + "\n");
}

} // namespace
} // namespace teste
