// The entry form on the delivered data: opening it, selecting a revenue (the whole cascade), and the
// check and assembly of a filled document.
#include "data/Referencias.h"
#include "entry/MontagemDocumento.h"
#include "entry/VerificacaoPreenchimento.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Plataforma.h"

#include "support/Principal.h"
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zove;

namespace {

const QString kDados = QStringLiteral(ZOVE_SOURCE_DIR "/dados");

Referencias& referencias() {
    static const auto refs = Referencias::carregar(kDados);
    return *refs;
}

Plataforma& plataforma() {
    static PlataformaQt qt;
    static Plataforma p = qt.plataforma();
    return p;
}

QDate hoje() {
    return QDate(2025, 3, 14);
}

void escolhe(QComboBox* c, int codigo) {
    c->setCurrentIndex(c->findData(codigo));
}

void BM_AbrirFormulario(benchmark::State& state) {
    for (auto _ : state) {
        FrmZOV form(referencias(), plataforma(), hoje);
        form.Form_Load();
        benchmark::DoNotOptimize(form.cmbTipoReceita->count());
    }
}
BENCHMARK(BM_AbrirFormulario)->Unit(benchmark::kMillisecond);

// Type, then revenue: revenues listed, rule flags, classes, identification types, period group.
void BM_SelecionarReceita(benchmark::State& state) {
    FrmZOV form(referencias(), plataforma(), hoje);
    form.Form_Load();
    const int receitas[][2] = {{1, 1147}, {4, 2135}, {2, 1805}, {1, 1163}};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto [tipo, receita] = receitas[i++ % std::size(receitas)];
        escolhe(form.cmbTipoReceita, tipo);
        form.cmbTipoReceita_Click();
        escolhe(form.cmbReceita, receita);
        form.cmbReceita_Click();
        benchmark::DoNotOptimize(form.cmbTipoIdentificacao->count());
    }
}
BENCHMARK(BM_SelecionarReceita)->Unit(benchmark::kMicrosecond);

Preenchimento documento() {
    Preenchimento p;
    p.flags = {"9", "1", "9", "1", "1", "1", "9", "9"};
    p.tipoReceita = {QStringLiteral("ICMS"), 1, 0};
    p.receita = {QStringLiteral("1147 - ICMS - Operações Próprias - Regime Normal"), 1147, 0};
    p.tipoIdentificacao = {QStringLiteral("Inscrição Estadual"), 1, 0};
    p.identificacao = QStringLiteral("26.000.000-0");
    p.classe = {QStringLiteral("Microempresa - vencimento no dia 05"), 104, 0};
    p.classeHabilitada = true;
    p.mes = {QStringLiteral("Fevereiro"), 2, 1};
    p.ano1 = QStringLiteral("2025");
    p.dataVencimento = QStringLiteral("10/03/2025");
    p.dataMaxPagto = QStringLiteral("31/03/2025");
    p.valorPrincipal = p.valorTotal = QStringLiteral("1.234,56");
    p.valorMulta = p.valorJuros = p.valorCorrecao = QStringLiteral("0,00");
    return p;
}

void BM_VerificarEMontar(benchmark::State& state) {
    QTemporaryDir pasta;
    const Preenchimento p = documento();
    for (auto _ : state) {
        const QStringList erros = verificaPreenchimento(p, ContextoVerificacao{referencias(), hoje()});
        if (!erros.isEmpty()) {
            state.SkipWithError("the document does not pass the check");
            break;
        }
        const ResultadoMontagem r = montaDocumento(referencias(), p, QSize(430, 52), pasta.path());
        if (!r.documento) {
            state.SkipWithError("the document was not assembled");
            break;
        }
        benchmark::DoNotOptimize(r.documento->codigoBarras);
    }
}
BENCHMARK(BM_VerificarEMontar)->Unit(benchmark::kMicrosecond);

} // namespace

ZOVE_BENCHMARK_MAIN_COM_JANELAS()
