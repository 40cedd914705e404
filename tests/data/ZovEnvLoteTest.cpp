// Batch changes through the data facade: both tables up to date with the disk, each written once,
// and nothing of the batch left behind when it cannot be written whole.
#include "data/FachadaFixture.h"

#include <QLockFile>
#include <chrono>
#include <functional>

using namespace teste;

namespace {

class FachadaLote : public FachadaTeste {
protected:
    void SetUp() override {
        FachadaTeste::SetUp();
        escreveZOV({linhaZOV("1"), linhaZOV("2")});
        escreveCONTRIBUINTE({"3|11122233344|MARIA|61|5551234"});
        carregaTabelas();
        // Every file the facade writes, in order; `falhaEm` makes the writes of that table fail.
        fachada().defineGravador([this](const QString& caminho, const QByteArray& conteudo, QString* erro) {
            const QString nome = QFileInfo(caminho).fileName();
            gravados.append(nome);
            if (nome == falhaEm) {
                *erro = QStringLiteral("falha simulada");
                return false;
            }
            return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
        });
    }

    static void novoDocumento(tabulon::ZOVs& zovs, const QString& ident) {
        const QString numero = *zove::ZovEnv_Simulator::ProximoNumeroDocumento(zovs);
        zovs.NewZOV(numero, "3", ident, "100", "200503", "0", "10/04/2005", "30/04/2005", "1", "0", "0", "0",
                    "1", "01/04/2005", "OL", "0", "0", "0");
    }

    QStringList gravados;
    QString falhaEm;
};

TEST_F(FachadaLote, CadaTabelaAlteradaEhGravadaUmaVezContribuinteAntes) {
    // Another copy of the program saved document 3 after this one loaded the table.
    zove::Referencias outra;
    outra.sDirDados = pasta.caminho();
    {
        tabulon::Init init;
        init.sDiretorioDados(pasta.caminho());
        outra.oZOVs = init.CarregarZOV();
    }
    const auto deOutra = outra.oZovEnv().ZOVInsert("100", "", "", "", "999", "0", "200503", "3", "0", "0",
                                                   "0", "1", "1", "0", "0");
    ASSERT_TRUE(deOutra.ok) << qPrintable(deOutra.erro);
    ASSERT_EQ(deOutra.numDocumento, "3");

    const auto zovsAntes = refs.oZOVs;
    const auto contribuintesAntes = refs.oCONTRIBUINTEs;
    const auto valoresAntes = registros(*contribuintesAntes);
    const auto r = fachada().AlteraEmLote([](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& c, QString*) {
        EXPECT_EQ(zovs.Count(), 3) << "the batch sees the table as the disk holds it";
        novoDocumento(zovs, "111");
        novoDocumento(zovs, "222");
        zovs.Item(1)->NUM_DOCUMENTO.clear(); // deleted
        c.Item(1)->RAZAO_SOCIAL = "MARIA DA SILVA";
        c.NewContribuinte("3", "222", "JOSÉ", "61", "1");
        return true;
    });
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_TRUE(r.gravou);

    // One rewrite of each table (the table and its copy), CONTRIBUINTE first.
    EXPECT_EQ(gravados, QStringList({"CONTRIBUINTE_temp", "CONTRIBUINTE", "ZOV_temp", "ZOV"}));
    QStringList numeros;
    const auto noArquivo = zovsNoArquivo();
    for (const auto& z : *noArquivo)
        numeros.append(z->NUM_DOCUMENTO);
    EXPECT_EQ(numeros, QStringList({"2", "3", "4", "5"}));
    EXPECT_EQ(registros(*contribuintesNoArquivo()),
              QList<QStringList>({{"3", "11122233344", "MARIA DA SILVA", "61", "5551234"},
                                  {"3", "222", "JOSÉ", "61", "1"}}));

    // The references hold the files; what was loaded before was not touched by the batch.
    EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
    EXPECT_EQ(registros(*refs.oCONTRIBUINTEs), registros(*contribuintesNoArquivo()));
    EXPECT_EQ(registros(*contribuintesAntes), valoresAntes);
    EXPECT_EQ(zovsAntes->Item(1)->NUM_DOCUMENTO, "1");
}

TEST_F(FachadaLote, SoATabelaAlteradaEhGravada) {
    const auto r = fachada().AlteraEmLote([](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs&, QString*) {
        zovs.Item(2)->IMPRESSO = "1";
        return true;
    });
    ASSERT_TRUE(r.ok) << qPrintable(r.erro);
    EXPECT_EQ(gravados, QStringList({"ZOV_temp", "ZOV"}));
    EXPECT_EQ(refs.oZOVs->Item(2)->IMPRESSO, "1");
}

TEST_F(FachadaLote, LoteQueNaoPodeSerGravadoInteiroNaoDeixaNada) {
    struct Caso {
        const char* descricao;
        QString falhaEm;
        zove::ZovEnv_Simulator::AlteracaoEmLote altera;
        QString erro; // a part of the reason given
        bool gravou;  // whether the batch changed anything
    };
    const auto completo = [](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& c, QString*) {
        novoDocumento(zovs, "222");
        c.NewContribuinte("3", "222", "JOSÉ", "61", "1");
        return true;
    };
    const Caso casos[] = {
        {"ZOV nao pode ser gravado", "ZOV", completo, "falha simulada", false},
        {"copia do ZOV nao pode ser gravada", "ZOV_temp", completo, "falha simulada", false},
        {"CONTRIBUINTE nao pode ser gravado", "CONTRIBUINTE", completo, "falha simulada", false},
        {"valor recusado no ZOV",
         {},
         [](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& c, QString*) {
             c.NewContribuinte("3", "222", "JOSÉ", "61", "1");
             zovs.Item(1)->REFERENCIA = "2005|03";
             return true;
         },
         "REFERENCIA",
         false},
        {"desistencia",
         {},
         [](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs&, QString* erro) {
             zovs.Item(1)->NUM_DOCUMENTO.clear();
             *erro = "linha 7 recusada";
             return false;
         },
         "linha 7 recusada",
         false},
        {"nada mudou", {}, [](tabulon::ZOVs&, tabulon::CONTRIBUINTEs&, QString*) { return true; }, {}, false},
    };

    const QByteArray zov = bytes("ZOV");
    const QByteArray contribuintes = bytes("CONTRIBUINTE");
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.descricao);
        falhaEm = c.falhaEm;
        gravados.clear();
        const auto r = fachada().AlteraEmLote(c.altera);
        EXPECT_EQ(r.ok, c.erro.isEmpty());
        EXPECT_EQ(r.gravou, c.gravou);
        EXPECT_TRUE(r.erro.contains(c.erro)) << qPrintable(r.erro);
        EXPECT_EQ(bytes("ZOV"), zov);
        EXPECT_EQ(bytes("CONTRIBUINTE"), contribuintes);
        EXPECT_EQ(registros(*refs.oZOVs), registros(*zovsNoArquivo()));
        EXPECT_EQ(registros(*refs.oCONTRIBUINTEs), registros(*contribuintesNoArquivo()));
        if (!c.falhaEm.isEmpty())
            EXPECT_TRUE(gravados.contains(c.falhaEm));
        else
            EXPECT_TRUE(gravados.isEmpty()) << qPrintable(gravados.join(","));
    }
}

} // namespace

namespace {

TEST_F(FachadaLote, LimpezaEsvaziaAsDuasTabelasComoOArquivoEsta) {
    // Another copy saved a document after this one loaded: it is cleared too, and kept in the copy.
    auto outra = std::make_unique<zove::Referencias>();
    outra->sDirDados = pasta.caminho();
    {
        tabulon::Init init;
        init.sDiretorioDados(pasta.caminho());
        outra->oZOVs = init.CarregarZOV();
    }
    ASSERT_TRUE(outra->oZovEnv().ZOVInsert("100", "", "", "", "999", "0", "200503", "3", "0", "0", "0", "1",
                                           "1", "0", "0"));
    const QByteArray zov = bytes("ZOV");
    const QByteArray contribuintes = bytes("CONTRIBUINTE");

    const auto r = fachada().LimpaBase();
    EXPECT_TRUE(r.ok()) << qPrintable(r.mensagemZOV + r.mensagemCONTRIBUINTE);
    EXPECT_EQ(bytes("ZOV"), QByteArray(kCabecalhoZOV.toLatin1() + "\r\n"));
    EXPECT_EQ(bytes("CONTRIBUINTE"), QByteArray(kCabecalhoCONTRIBUINTE.toLatin1() + "\r\n"));
    EXPECT_EQ(bytes("ZOV_temp"), zov);
    EXPECT_EQ(bytes("CONTRIBUINTE_temp"), contribuintes);
    EXPECT_EQ(refs.oZOVs->Count(), 0);
    EXPECT_EQ(refs.oCONTRIBUINTEs->Count(), 0);
    // The next document starts again at 1, and clearing twice succeeds twice.
    EXPECT_EQ(insere().numDocumento, "1");
    EXPECT_TRUE(fachada().LimpaBase().ok());

    // A table held by another copy is a reported failure of both, and nothing is cleared.
    ASSERT_TRUE(insere().ok);
    const QByteArray comUm = bytes("ZOV");
    QLockFile trava(pasta.arquivo("ZOV.lock"));
    ASSERT_TRUE(trava.tryLock(0));
    fachada().defineEsperaDoBloqueio(std::chrono::milliseconds(200));
    const auto presa = fachada().LimpaBase();
    EXPECT_TRUE(
        presa.mensagemZOV.startsWith(QString::fromUtf8("Não foi possível remover itens:  A tabela ZOV")))
        << qPrintable(presa.mensagemZOV);
    EXPECT_FALSE(presa.mensagemCONTRIBUINTE.isEmpty());
    EXPECT_EQ(bytes("ZOV"), comUm);
}

} // namespace
