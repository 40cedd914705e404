// The saved-document search and the taxpayer registry import at the sizes a busy office reaches:
// the query over the loaded documents, filling the search window's list, and importing a registry
// file of 10,000 lines into a registry of 10,000.
#include "app/ManutencaoCadastro.h"
#include "data/CadastroContribuintes.h"
#include "data/PesquisaDocumentos.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/DialogosArquivo.h"
#include "platform/Plataforma.h"
#include "search/FrmConsultaZOV.h"
#include "tabulon/Funcoes.h"

#include "support/Principal.h"
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The delivered reference tables with n saved documents and n taxpayers in memory; documents use the
// ICMS and IPVA revenues in turn, and every document's taxpayer is saved.
std::unique_ptr<zove::Referencias> referencias(int n) {
    auto refs = zove::Referencias::carregar(QStringLiteral(ZOVE_SOURCE_DIR) + QStringLiteral("/dados"));
    refs->oZOVs = std::make_shared<tabulon::ZOVs>();
    refs->oCONTRIBUINTEs = std::make_shared<tabulon::CONTRIBUINTEs>();
    refs->oZOVs->reservar(n);
    refs->oCONTRIBUINTEs->reservar(n);
    for (int i = 1; i <= n; ++i) {
        const QString ident = QString::number(10000000000LL + i);
        refs->oCONTRIBUINTEs->NewContribuinte(
            "3", ident, QStringLiteral("CONTRIBUINTE NÚMERO %1 DA SILVA").arg(i), "61", "5551234");
        refs->oZOVs->NewZOV(QString::number(i), "3", ident, i % 2 ? "1147" : "1805", "200503", "0",
                            "10/04/2005", "30/04/2005", "1234,56", "0", "0", "0", "1234,56", "01/04/2005",
                            "OL", "0", "0", i % 3 ? "0" : "1");
    }
    return refs;
}

void BM_Query_ZOV(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto refs = referencias(n);
    const QString vazio;
    for (auto _ : state) {
        auto r = refs->oZOVs->Query_ZOV(vazio, vazio, vazio, vazio, *refs->oARREC_MAB_RECEITAs,
                                        *refs->oCONTRIBUINTEs);
        benchmark::DoNotOptimize(r);
    }
    state.counters["documentos"] = n;
}
BENCHMARK(BM_Query_ZOV)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The window's search: type and name criteria (the name compared ignoring case).
void BM_PesquisaComCriterios(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto refs = referencias(n);
    zove::CriteriosPesquisa c;
    c.tipoReceita = QStringLiteral("1");
    c.nome = QStringLiteral("silva");
    for (auto _ : state) {
        auto r = zove::pesquisaDocumentos(*refs, c);
        benchmark::DoNotOptimize(r);
    }
    state.counters["documentos"] = n;
}
BENCHMARK(BM_PesquisaComCriterios)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);

// "Pesquisar" with no criteria: the query, the list filled with every document and painted.
void BM_PesquisarPreencheLista(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto refs = referencias(n);
    zove::PlataformaQt plataforma;
    zove::FrmConsultaZOV janela(*refs, plataforma.plataforma(), nullptr);
    // On screen, so the time includes laying out and painting the rows in view.
    janela.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        janela.Pesquisar_Click();
        QCoreApplication::processEvents();
        if (janela.linhas() != n) {
            state.SkipWithError("the list does not hold every document");
            break;
        }
    }
    state.counters["documentos"] = n;
}
BENCHMARK(BM_PesquisarPreencheLista)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);

QByteArray arquivoDeTroca(int n, int primeiro) {
    QList<QByteArray> linhas{zove::cadastro::Cabecalho};
    for (int i = primeiro; i < primeiro + n; ++i)
        linhas.append("3|" + QByteArray::number(20000000000LL + i) + "|CONTRIBUINTE IMPORTADO " +
                      QByteArray::number(i) + "|61|5551234");
    return tabulon::juntaLinhas(linhas);
}

// Checking a file of 10,000 lines and merging it into a registry of 10,000, in memory.
void BM_ImportacaoCadastroConfereEMescla(benchmark::State& state) {
    const auto refs = referencias(10000);
    const QByteArray arquivo = arquivoDeTroca(10000, 1);
    for (auto _ : state) {
        const auto leitura = zove::cadastro::leArquivo(arquivo);
        tabulon::CONTRIBUINTEs copia;
        copia.AddRange(*refs->oCONTRIBUINTEs);
        const auto m = zove::cadastro::mescla(copia, leitura.contribuintes);
        if (m.incluidos != 10000) {
            state.SkipWithError("the import did not add every taxpayer");
            break;
        }
    }
}
BENCHMARK(BM_ImportacaoCadastroConfereEMescla)->Unit(benchmark::kMillisecond);

// The whole command: read the file, check it, merge, write CONTRIBUINTE once and reload it. Each round
// starts again from the same registry of 10,000.
class SemDialogos : public zove::DialogosArquivo {
public:
    QString arquivo;
    QString abrir(QWidget*, const QString&, const QString&, const QString&) override { return arquivo; }
    QString salvar(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

class SemMensagens : public zove::Mensagens {
public:
    Resposta mostrar(QWidget*, const QString&, Botoes, Icone, const QString&) override {
        return Resposta::OK;
    }
};

void BM_ImportacaoCadastroCompleta(benchmark::State& state) {
    QTemporaryDir dir;
    const QString pasta = dir.path();
    const QString entregue = QStringLiteral(ZOVE_SOURCE_DIR) + QStringLiteral("/dados");
    for (const QString& f : QDir(entregue).entryList(QDir::Files))
        QFile::copy(entregue + QLatin1Char('/') + f, pasta + QLatin1Char('/') + f);
    QList<QByteArray> cadastro{zove::cadastro::Cabecalho};
    for (int i = 1; i <= 10000; ++i)
        cadastro.append("3|" + QByteArray::number(10000000000LL + i) + "|CONTRIBUINTE " +
                        QByteArray::number(i) + "|61|5551234");
    const QByteArray original = tabulon::juntaLinhas(cadastro);
    QTemporaryDir fora;
    const QString troca = fora.filePath(QStringLiteral("troca.txt"));
    tabulon::gravaArquivoAtomico(troca, arquivoDeTroca(10000, 1));

    zove::PlataformaQt qt;
    SemDialogos dialogos;
    dialogos.arquivo = troca;
    SemMensagens mensagens;
    zove::Plataforma base = qt.plataforma();
    zove::Plataforma plataforma{mensagens,          dialogos,      base.impressora, base.areaDeTrabalho,
                                base.configuracoes, base.regional, base.ajuda};
    for (auto _ : state) {
        state.PauseTiming();
        tabulon::gravaArquivoAtomico(pasta + QStringLiteral("/CONTRIBUINTE"), original);
        auto refs = zove::Referencias::carregar(pasta);
        zove::ManutencaoCadastro comandos(*refs, plataforma);
        state.ResumeTiming();
        comandos.importar(nullptr);
        if (refs->oCONTRIBUINTEs->Count() != 20000) {
            state.SkipWithError("the import did not add every taxpayer");
            break;
        }
    }
}
BENCHMARK(BM_ImportacaoCadastroCompleta)->Unit(benchmark::kMillisecond);

} // namespace

ZOVE_BENCHMARK_MAIN_COM_JANELAS()
