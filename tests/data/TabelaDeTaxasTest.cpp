// The fee page shipped with the program names only fee revenues the delivered revenue table holds.
#include "data/Referencias.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

TEST(TabelaDeTaxas, CadaReceitaDaPaginaEUmaTaxaDaTabelaDeReceitas) {
    QFile pagina(QStringLiteral(ZOVE_SOURCE_DIR "/resources/TaxasdeServicosEstaduais.htm"));
    ASSERT_TRUE(pagina.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(pagina.readAll());
    const auto refs = zove::Referencias::carregar(teste::pastaDadosEntregue());
    ASSERT_TRUE(refs->oARREC_MAB_RECEITAs);

    // The fee revenues (type 4, "Taxas de Serviços Estaduais") of the revenue table.
    QSet<QString> taxas;
    for (const auto& r : *refs->oARREC_MAB_RECEITAs)
        if (r->MCR_MTR_TIP_RECEITA == QLatin1String("4"))
            taxas.insert(r->MCR_COD_RCTA);
    ASSERT_FALSE(taxas.isEmpty());

    static const QRegularExpression linha(QStringLiteral("<tr><td>([^<]*)</td>"));
    int linhas = 0;
    for (auto it = linha.globalMatch(html); it.hasNext();) {
        const QString codigo = it.next().captured(1).trimmed();
        ++linhas;
        EXPECT_TRUE(taxas.contains(codigo))
            << "receita " << codigo.toStdString() << " da página não é uma taxa da tabela de receitas";
    }
    EXPECT_GT(linhas, 0);
}
