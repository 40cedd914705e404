// Batch printing from the search window at the sizes a busy office reaches: 20 saved documents
// printed from folders of 1,000 and 32,767, through the entry form and the print run, onto a queue
// that takes every job in memory. What grows with the folder is the cost of recording the marks.
#include "app/FormularioDocumentoZOV.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "platform/Plataforma.h"
#include "search/FrmConsultaZOV.h"
#include "support/Principal.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kLote = 20;

// Every question answered Sim, every notice OK.
class SempreSim : public zove::Mensagens {
public:
    Resposta mostrar(QWidget*, const QString&, Botoes botoes, Icone, const QString&) override {
        return botoes == Botoes::OK ? Resposta::OK : Resposta::Sim;
    }
};

// A queue that accepts every job and keeps only its size.
class FilaEmMemoria : public zove::Impressora {
public:
    FilaEmMemoria() : m_printer(QPrinter::HighResolution) {}
    bool configurar(QWidget*) override { return false; }
    QPrinter& printer() override { return m_printer; }
    bool semImpressora() const override { return false; }
    QString arquivoPdf() const override { return {}; }
    QString fila() override { return QStringLiteral("memoria"); }
    zove::EstadoFila consultaFila(const QString&) override { return {true, true, false, {}, {}}; }
    zove::EnvioTrabalho enviaPdf(const QString&, const QByteArray& pdf, const QString&, int) override {
        bytes += pdf.size();
        return {++trabalhos, {}};
    }
    int trabalhos = 0;
    qint64 bytes = 0;

private:
    QPrinter m_printer;
};

// A valid CPF for each number: nine digits and their two check digits.
QString cpf(int i) {
    QString base = QStringLiteral("%1").arg(100000000 + i, 9, 10, QLatin1Char('0'));
    for (int d = 0; d < 2; ++d) {
        int soma = 0;
        for (int k = 0; k < base.size(); ++k)
            soma += base.at(k).digitValue() * (base.size() + 1 - k);
        const int resto = soma % 11;
        base.append(QChar('0' + (resto < 2 ? 0 : 11 - resto)));
    }
    return base;
}

void copiaPasta(const QString& de, const QString& para) {
    QDir().mkpath(para);
    for (const QString& nome : QDir(de).entryList(QDir::Files))
        QFile::copy(QDir(de).filePath(nome), QDir(para).filePath(nome));
}

void BM_ImpressaoEmLotePorDocumento(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir pasta;
    copiaPasta(QStringLiteral(ZOVE_SOURCE_DIR) + QStringLiteral("/dados"), pasta.path());
    auto refs = zove::Referencias::carregar(pasta.path());
    const QString municipio = refs->oTAB_MUNICs->Item(1)->TMU_COD_MUN;
    const auto salvos =
        refs->oZovEnv().AlteraEmLote([&](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& cs, QString*) {
            for (int i = 1; i <= n; ++i) {
                const QString ident = cpf(i);
                cs.NewContribuinte("3", ident, QStringLiteral("CONTRIBUINTE NÚMERO %1 DA SILVA").arg(i), "61",
                                   "5551234");
                zovs.NewZOV(QString::number(i), "3", ident, "1937", "000000", "124", "20/03/2025",
                            "31/03/2025", "1234,50", "0,00", "10,00", "0,00", "1244,50", "14/03/2025", "OL",
                            municipio, "0", "0");
            }
            return true;
        });
    if (!salvos) {
        state.SkipWithError(salvos.erro.toStdString().c_str());
        return;
    }

    SempreSim mensagens;
    FilaEmMemoria fila;
    zove::PlataformaQt qt;
    const zove::Plataforma base = qt.plataforma();
    const zove::Plataforma plataforma{mensagens,          base.dialogos, fila,      base.areaDeTrabalho,
                                      base.configuracoes, base.regional, base.ajuda};
    zove::FormularioDocumentoZOV formulario(*refs, plataforma);
    zove::FrmConsultaZOV janela(*refs, plataforma, &formulario);
    janela.Pesquisar_Click();
    // The last documents of the folder, spread as a clerk's selection would be.
    QStringList escolhidos;
    for (int i = 0; i < kLote; ++i)
        escolhidos.append(QString::number(n - i * (n / kLote)));

    for (auto _ : state) {
        state.PauseTiming();
        // Every round starts with the chosen documents not printed, so the marks are written again.
        (void)refs->oZovEnv().AlteraEmLote([&](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs&, QString*) {
            for (const auto& z : zovs)
                if (escolhidos.contains(z->NUM_DOCUMENTO))
                    z->IMPRESSO = QStringLiteral("0");
            return true;
        });
        janela.ListView1->clearSelection();
        for (int i = 0; i < janela.linhas(); ++i) {
            if (escolhidos.contains(janela.numeroDaLinha(i)))
                janela.ListView1->selectionModel()->select(janela.ListView1->model()->index(i, 0),
                                                           QItemSelectionModel::Select |
                                                               QItemSelectionModel::Rows);
        }
        const int antes = fila.trabalhos;
        state.ResumeTiming();
        janela.cmdImprimir_Click();
        if (fila.trabalhos - antes != kLote) {
            state.SkipWithError("the batch did not send every document");
            break;
        }
    }
    state.counters["documentos_na_pasta"] = n;
    // items_per_second is documents printed per second; its inverse is the time per document.
    state.SetItemsProcessed(state.iterations() * kLote);
}
BENCHMARK(BM_ImpressaoEmLotePorDocumento)
    ->Arg(1000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

ZOVE_BENCHMARK_MAIN_COM_JANELAS()
