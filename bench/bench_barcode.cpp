// Cost of one document's barcode: composing the 44 digits and the visible line, and drawing and
// saving the bar pattern bitmap.
#include "barcode/DesenhoCodigoBarras.h"
#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "data/Referencias.h"
#include "validation/CodigoBarras.h"

#include "support/Principal.h"
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A rule table of a few hundred revenues, as the delivered one has; the composer filters it once
// per document.
void preencheRegras(zove::Referencias& refs) {
    refs.oMAB_VALIDA_DOCs = std::make_shared<tabulon::MAB_VALIDA_DOCs>();
    const QString v;
    for (int codigo = 1000; codigo < 1400; ++codigo) {
        refs.oMAB_VALIDA_DOCs->NewValida_Doc(QString::number(codigo), "1", "1", "1", "1", v, v, v, "9", "9",
                                             "1", "1", "1", "1", "1", "1", v,
                                             QString::number(codigo % 7 + 1));
    }
}

void BM_NumeroELinhaDigitavel(benchmark::State& state) {
    zove::Referencias refs;
    preencheRegras(refs);
    for (auto _ : state) {
        zove::codigoDeBarra composicao(refs);
        auto dados = std::make_shared<zove::ZovDados>();
        dados->CodReceita(QStringLiteral("1228"));
        dados->tipoIdentificacao(QStringLiteral("3"));
        dados->NumIdentificacao(QStringLiteral("12345678909"));
        dados->PeriodoReferencia(QStringLiteral("032006"));
        dados->NumDocumentoOrigem(QStringLiteral("12345678909"));
        composicao.Dados(dados);
        QString codigo;
        QString linha = zove::montaNumeroCodigoBarras(15037, composicao, codigo);
        benchmark::DoNotOptimize(linha);
        benchmark::DoNotOptimize(zove::erroTamanhoCodigoBarras(codigo));
    }
}
BENCHMARK(BM_NumeroELinhaDigitavel);

void BM_DesenhaESalvaBitmap(benchmark::State& state) {
    QTemporaryDir pasta;
    const QString codigo = QStringLiteral("85670000001503700243001234567890903200612282");
    QImage superficie(zove::larguraCodigoBarras(codigo.size()), 51, QImage::Format_RGB32);
    for (auto _ : state) {
        zove::desenhaCodigoBarras(codigo, superficie, pasta.path());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DesenhaESalvaBitmap)->Unit(benchmark::kMicrosecond);

} // namespace

ZOVE_BENCHMARK_MAIN()
