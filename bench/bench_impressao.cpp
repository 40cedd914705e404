// Drawing one document's page: to a PDF (what a print run without a printer writes) and on the preview
// picture at screen resolution.
#include "barcode/DesenhoCodigoBarras.h"
#include "common/DadosImpressao.h"
#include "prensil/Impressao.h"
#include "printing/PaginaZov.h"
#include "printing/SuperficieQt.h"

#include "support/Principal.h"
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Documento {
    QTemporaryDir pasta;
    zove::DadosImpressao dados;
    zove::OpcoesPagina opcoes;

    Documento() {
        dados.p_num_documento = QStringLiteral("1234567");
        dados.CodigoBarra = QStringLiteral("85600000001234500241234567890123456789012345");
        dados.CodigoBarraVisualizado =
            QStringLiteral("85600000001-2 23450024123-4 45678901234-5 67890123451-6");
        dados.identificacao = QStringLiteral("123.456.789-09");
        dados.RazaoSocial = QStringLiteral("CONTRIBUINTE DE TESTE DA SILVA");
        dados.codigoReceita = QStringLiteral("1228");
        dados.DescricaoReceita = QStringLiteral("TAXA DE SERVIÇOS ESTADUAIS");
        dados.Documento = QStringLiteral("123456");
        dados.referencia = QStringLiteral("Março/2006");
        dados.Vencimento = QStringLiteral("31/03/2006");
        dados.InformacoesAdicionais = QStringLiteral("Fone: (61) 3333-4444\r\nClasse: Serviços gerais");
        dados.ValorPrincipal = dados.ValorTotal = QStringLiteral("1.234,50");
        dados.ValorMulta = dados.ValorJuros = dados.ValorCorrecaoMonetaria = QStringLiteral("0,00");
        QImage barras(zove::larguraCodigoBarras(44), 50, QImage::Format_RGB32);
        zove::desenhaCodigoBarras(dados.CodigoBarra, barras, pasta.path());
        opcoes.arquivoCodigoBarras = zove::arquivoCodigoBarras(dados.CodigoBarra, pasta.path());
        opcoes.versao = QStringLiteral("1.0");
    }
};

void BM_PaginaEmPdf(benchmark::State& state) {
    Documento doc;
    prensil::Impressao impressao;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer saida;
        saida.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&saida);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(4, 5, 4, 5),
                                      QPageLayout::Millimeter));
        zove::SuperficieQt superficie(&pdf);
        zove::desenhaPagina(impressao, superficie, doc.dados, doc.opcoes);
        superficie.EndDoc();
        bytes = saida.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PaginaEmPdf)->Unit(benchmark::kMillisecond);

void BM_PaginaNaPrevia(benchmark::State& state) {
    Documento doc;
    doc.opcoes.previa = true;
    prensil::Impressao impressao;
    for (auto _ : state) {
        QImage imagem(790, 495, QImage::Format_RGB32);
        imagem.setDotsPerMeterX(3780);
        imagem.setDotsPerMeterY(3780);
        zove::SuperficieQt superficie(&imagem);
        zove::desenhaPagina(impressao, superficie, doc.dados, doc.opcoes);
        benchmark::DoNotOptimize(imagem.constBits());
    }
}
BENCHMARK(BM_PaginaNaPrevia)->Unit(benchmark::kMillisecond);

} // namespace

ZOVE_BENCHMARK_MAIN_COM_JANELAS()
