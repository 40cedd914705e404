// A printed page, written as a PDF and rasterised at 300 dpi, scans back to the 44 digits: once in
// copy 1, once in copy 3, none in copy 2, for a document of each barcode layout.
#include "barcode/ZovDados.h"
#include "barcode/codigoDeBarra.h"
#include "data/Referencias.h"
#include "platform/PlataformaDeTeste.h"
#include "printing/frmVisualizacao.h"

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

constexpr int Dpi = 300;

// Grey levels of the rows [deMm, ateMm) of the page image.
std::vector<unsigned char> faixa(const poppler::image& img, double deMm, double ateMm, int& linhas) {
    const int de = qBound(0, int(deMm * Dpi / 25.4), img.height());
    const int ate = qBound(0, int(ateMm * Dpi / 25.4), img.height());
    linhas = ate - de;
    std::vector<unsigned char> cinza(size_t(linhas) * img.width());
    for (int y = 0; y < linhas; ++y) {
        const auto* linha =
            reinterpret_cast<const unsigned char*>(img.const_data() + (de + y) * img.bytes_per_row());
        for (int x = 0; x < img.width(); ++x) {
            const unsigned char* p = linha + 4 * x; // BGRA
            cinza[size_t(y) * img.width() + x] =
                static_cast<unsigned char>((p[0] * 11 + p[1] * 59 + p[2] * 30) / 100);
        }
    }
    return cinza;
}

// Every symbol the reader finds in a band of the page, as "TYPE:data".
QStringList le(const poppler::image& img, double deMm, double ateMm) {
    int linhas = 0;
    std::vector<unsigned char> cinza = faixa(img, deMm, ateMm, linhas);
    zbar::ImageScanner leitor;
    leitor.set_config(zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    leitor.set_config(zbar::ZBAR_I25, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::Image imagem(unsigned(img.width()), unsigned(linhas), "Y800", cinza.data(), cinza.size());
    leitor.scan(imagem);
    QStringList lidos;
    for (auto s = imagem.symbol_begin(); s != imagem.symbol_end(); ++s)
        lidos << QString::fromStdString(s->get_type_name() + ":" + s->get_data());
    imagem.set_data(nullptr, 0);
    return lidos;
}

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
        const poppler::image img = renderizador.render_page(pagina.get(), Dpi, Dpi);
        ASSERT_TRUE(img.is_valid());
        EXPECT_NEAR(img.width(), 210 * Dpi / 25.4, 2);

        const QString esperado = QStringLiteral("I2/5:") + codigo;
        EXPECT_EQ(le(img, 0, 30), QStringList{esperado}) << "copy 1";
        EXPECT_EQ(le(img, 110, 185), QStringList{}) << "copy 2";
        EXPECT_EQ(le(img, 255, 297), QStringList{esperado}) << "copy 3";
    }
}
