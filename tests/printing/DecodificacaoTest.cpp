// A printed page, written as a PDF and rasterised at 300 dpi, scans back to the 44 digits: once in
// copy 1, once in copy 3, none in copy 2, for a document of each barcode layout.
#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "data/Referencias.h"
#include "platform/PlataformaDeTeste.h"
#include "printing/frmVisualizacao.h"

#include "support/LeituraDeBarras.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>
#include <zbar.h>

#include <memory>
#include <vector>

using namespace zove;

namespace {

struct Modelo {
    const char* nome;
    const char* tipoCodigoBarra; // the rule's layout
    const char* classe;          // the due-date class flag
};

} // namespace

TEST(DecodificacaoPdf, CopiasUmETresLeemOs44Digitos) {
    Referencias refs;
    refs.oMAB_VALIDA_DOCs = std::make_shared<tabulon::MAB_VALIDA_DOCs>();
    teste::PlataformaDeTeste plat;
    plat.impressora.bSemImpressora = true;
    QTemporaryDir barras;
    QTemporaryDir documentos;

    // Every layout a revenue can be bound to ("8" names none), and the service class's own.
    const Modelo modelos[] = {{"1", "1", ""}, {"2", "2", ""}, {"3", "3", ""}, {"4", "4", ""},
                              {"5", "5", ""}, {"6", "6", ""}, {"7", "7", ""}, {"serviço", "1", "2"}};
    int numero = 0;
    for (const Modelo& m : modelos) {
        SCOPED_TRACE(m.nome);
        refs.oMAB_VALIDA_DOCs->Reset();
        const QString v;
        refs.oMAB_VALIDA_DOCs->NewValida_Doc("1228", "1", "1", "1", "1", v, v, v, "9", "9", "1", "1", "1",
                                             "1", "1", "1", v, QString::fromLatin1(m.tipoCodigoBarra));
        auto d = std::make_shared<ZovDados>();
        d->CodReceita(QStringLiteral("1228"));
        d->tipoIdentificacao(QStringLiteral("3"));
        d->NumIdentificacao(QStringLiteral("12345678909"));
        d->PeriodoReferencia(QStringLiteral("032006"));
        d->NumDocumentoOrigem(QStringLiteral("00123456"));
        d->CodClasseVencimento(QString::fromLatin1(m.classe));
        d->IdClasseVencimento(QStringLiteral("480"));
        d->CodMunicipio(QStringLiteral("123"));
        codigoDeBarra composicao(refs);
        composicao.Dados(d);
        QString codigo;
        const QString linha = montaNumeroCodigoBarras(123450 + numero, composicao, codigo);
        ASSERT_EQ(codigo.size(), 44) << codigo.toStdString();

        frmVisualizacao janela(plat.plataforma(), refs);
        janela.setPastaCodigoBarras(barras.path());
        janela.setPastaDocumentos(documentos.path());
        DadosImpressao dados;
        dados.p_num_documento = QString::number(++numero + 100);
        dados.CodigoBarra = codigo;
        dados.CodigoBarraVisualizado = linha;
        dados.RazaoSocial = QStringLiteral("CONTRIBUINTE DE TESTE");
        dados.InformacoesAdicionais = QStringLiteral("Informação adicional");
        janela.setDados(dados);
        janela.preparaCodigoBarras();
        ASSERT_TRUE(janela.Imprimir());

        std::unique_ptr<poppler::document> pdf(
            poppler::document::load_from_file(janela.arquivoPdf().toStdString()));
        ASSERT_TRUE(pdf);
        ASSERT_EQ(pdf->pages(), 1);
        std::unique_ptr<poppler::page> pagina(pdf->create_page(0));
        poppler::page_renderer renderizador;
        renderizador.set_image_format(poppler::image::format_argb32);
        const poppler::image img =
            renderizador.render_page(pagina.get(), teste::DpiLeitura, teste::DpiLeitura);
        ASSERT_TRUE(img.is_valid());
        EXPECT_NEAR(img.width(), 210 * teste::DpiLeitura / 25.4, 2);

        const QString esperado = QStringLiteral("I2/5:") + codigo;
        EXPECT_EQ(teste::leBarras(img, 0, 30), QStringList{esperado}) << "copy 1";
        EXPECT_EQ(teste::leBarras(img, 110, 185), QStringList{}) << "copy 2";
        EXPECT_EQ(teste::leBarras(img, 255, 297), QStringList{esperado}) << "copy 3";
    }
}
