#include "data/LoteDocumentos.h"
#include "import/ImportacaoFixture.h"
#include "tabulon/Colecoes.h"
#include "validation/Validacao.h"

using namespace zove;
using namespace zove::registro;

namespace teste {
namespace {

using Regras = ImportacaoTeste;

// The conversion line, written out: the test checks the exact text.
const QString kConversao =
    QStringLiteral("Erro na importação dos dados. Tipo de dados diferente do esperado");

QString getter(const ZovRegras& z, Campo c) {
    switch (c) {
    case receita:
        return z.receita();
    case tipoIdentificacao:
        return z.tipoIdentificacao();
    case NumIdentificacao:
        return z.NumIdentificacao();
    case RazaoSocial:
        return z.RazaoSocial();
    case DDD:
        return z.DDD();
    case Telefone:
        return z.Telefone();
    case NumDocumentoOrigem:
        return z.NumDocumentoOrigem();
    case CodClasseVencimento:
        return z.CodClasseVencimento();
    case CodMunicipio:
        return z.CodMunicipio();
    case DataVencimento:
        return z.DataVencimento();
    case DataMaximaPagamento:
        return z.DataMaximaPagamento();
    case parcelas:
        return z.parcelas();
    case tipoPeriodo:
        return z.tipoPeriodo();
    case periodo:
        return z.periodo();
    case ano:
        return z.ano();
    case ValorPrincipal:
        return z.ValorPrincipal();
    case Multa:
        return z.Multa();
    case Juros:
        return z.Juros();
    case CorrecaoMonetaria:
        return z.CorrecaoMonetaria();
    case total:
        return z.total();
    case quantidadeCampos:
        break;
    }
    return {};
}

// How each kind of field is read: zeros and blanks, centavos, dates, the name, the class code.
TEST_F(Regras, ConversaoDosCampos) {
    struct Caso {
        const char* receita;
        Campo campo;
        QString bruto;
        QString esperado;
        bool linhaDeConversao;
    };
    const Caso casos[] = {
        {"7307", DDD, "00", "", false},
        {"7307", DDD, "  ", "", true},
        {"7307", DDD, "6a", "", true},
        {"7307", Telefone, "  321234", "321234", false},
        {"7307", NumIdentificacao, "000001234567890", "1234567890", false},
        {"7307", NumDocumentoOrigem, "000000000000000", "", false},
        {"7307", NumDocumentoOrigem, "               ", "", true},
        {"7307", RazaoSocial, "  MARIA DA SILVA  ", "MARIA DA SILVA", false},
        {"7307", ValorPrincipal, "0000012345", "123,45", false},
        {"7307", ValorPrincipal, "0000000005", "0,05", false},
        {"7307", ValorPrincipal, "0000000045", ",45", false},
        {"7307", ValorPrincipal, "0000000000", "0", false},
        {"7307", ValorPrincipal, "-000000500", "-500", false},
        {"7307", ValorPrincipal, "00000012,5", "", true},
        {"7307", Juros, "          ", "", true},
        {"7307", DataVencimento, "20250320", "20/03/2025", false},
        {"7307", DataVencimento, "00000000", "", false},
        {"7307", DataVencimento, "00250320", "250320", false},
        {"7307", DataMaximaPagamento, "2025O320", "", true},
        {"5746", parcelas, "007", "7", false},
        {"1163", tipoPeriodo, "00003", "3", false},
        // A service code names the revenue's class; a code no class has stays as it is.
        {"2135", CodClasseVencimento, "02421", "485", false},
        {"2135", CodClasseVencimento, "00777", "777", false},
        {"1147", CodClasseVencimento, "  101", "101", false},
        {"1740", CodClasseVencimento, "00101", "", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 %2 [%3]")
                         .arg(QLatin1String(c.receita), QLatin1String(posicoes[c.campo].nome), c.bruto)
                         .toStdString());
        const auto zov = julga(comCampo(valido(QLatin1String(c.receita)), c.campo, c.bruto));
        EXPECT_EQ(getter(*zov, c.campo), c.esperado);
        EXPECT_EQ(zov->Logs().textos().contains(kConversao), c.linhaDeConversao)
            << zov->Logs().textos().join('|').toStdString();
    }
}

// A generated valid record of every revenue the entry form offers passes with an empty log; the
// revenues it would not offer (off-line issuing refused, inactive, two rule records) are refused.
TEST_F(Regras, TodaReceitaOferecidaAceitaRegistroValido) {
    const QStringList& receitas = gerador->receitas();
    for (const char* aceita :
         {"1147", "1163", "1457", "1805", "1821", "2135", "5746", "6424", "7307", "9784"})
        EXPECT_TRUE(receitas.contains(QLatin1String(aceita))) << aceita;
    for (const char* recusada : {"1740", "7650", "1554", "1244", "1856", "1570"})
        EXPECT_FALSE(receitas.contains(QLatin1String(recusada))) << recusada;
    for (const QString& r : receitas) {
        for (int i : {0, 1, 777}) {
            const auto zov = julga(valido(r, i));
            EXPECT_EQ(zov->Status(), ZovRegras::Importado) << r.toStdString();
            EXPECT_TRUE(zov->Logs().textos().isEmpty())
                << r.toStdString() << ": " << zov->Logs().textos().join('|').toStdString();
        }
    }
}

// Records changed from a valid one: the exact log lines, in rule order, and the status.
TEST_F(Regras, MensagensDasRegras) {
    struct Caso {
        const char* nome;
        const char* receita;
        std::vector<std::pair<Campo, QString>> mudancas;
        QStringList linhas;
        bool importado;
    };
    const QString semTelefone = QStringLiteral(" não permite tal preenchimento");
    const Caso casos[] = {
        {"sem regra", "9999", {}, {"Receita inválida"}, false},
        {"duas regras", "1244", {}, {"Receita inválida"}, false},
        {"emissão fora de linha recusada", "1740", {}, {"Receita inválida"}, false},
        {"receita inativa", "1554", {}, {"Receita inválida"}, false},
        {"tipo em branco",
         "7307",
         {{tipoIdentificacao, "0"}},
         {"Tipo de Identificação em branco", "Número de Identificação inválido"},
         false},
        {"tipo não permitido",
         "7307",
         {{tipoIdentificacao, "2"}},
         {"Tipo de Identificação inválido", "Número de Identificação inválido"},
         false},
        {"CPF com dígito errado",
         "7307",
         {{NumIdentificacao, "11111111112"}},
         {"Número de Identificação inválido"},
         false},
        {"identificação com letras",
         "7307",
         {{NumIdentificacao, "0000ABC"}},
         {kConversao, "Número de Identificação não é numérico"},
         false},
        {"tipo 4 não tem teste",
         "2143",
         {{tipoIdentificacao, "4"}},
         {"Número de Identificação inválido"},
         false},
        {"nome exigido", "7307", {{RazaoSocial, ""}}, {"Razão Social/Nome em branco"}, false},
        {"nome proibido",
         "1147",
         {{RazaoSocial, "FULANO"}},
         {"Razão Social/Nome preenchida. A receita 1147" + semTelefone},
         false},
        {"DDD em branco", "7307", {{DDD, "00"}}, {"DDD em branco"}, false},
        {"DDD e telefone em branco",
         "7307",
         {{DDD, "00"}, {Telefone, "00000000"}},
         {"DDD em branco", "Número de Telefone em branco"},
         false},
        {"telefone proibido",
         "1147",
         {{DDD, "61"}, {Telefone, "32120000"}},
         {"DDD preenchido. A receita 1147" + semTelefone,
          "Número de Telefone preenchido. A receita 1147" + semTelefone},
         false},
        {"origem de zeros sob 9", "1147", {{NumDocumentoOrigem, "000000000000000"}}, {}, true},
        {"origem em branco sob 9", "1147", {{NumDocumentoOrigem, "               "}}, {kConversao}, true},
        {"origem proibida",
         "1147",
         {{NumDocumentoOrigem, "123"}},
         {"Número de Documento de Origem preenchido. A receita 1147" + semTelefone},
         false},
        {"origem exigida",
         "5746",
         {{NumDocumentoOrigem, "0"}},
         {"Número de Documento de Origem em branco"},
         false},
        {"origem inválida",
         "1945",
         {{NumDocumentoOrigem, "123456789012"}},
         {"Número de Documento de Origem inválido"},
         false},
        {"origem opcional (6)", "1457", {{NumDocumentoOrigem, "0"}}, {}, true},
        {"classe exigida",
         "1147",
         {{CodClasseVencimento, "00000"}},
         {"Classe de Vencimento em branco"},
         false},
        {"classe com letras",
         "1147",
         {{CodClasseVencimento, "10A"}},
         {"Classe de Vencimento não é numérico"},
         false},
        {"classe inexistente",
         "1147",
         {{CodClasseVencimento, "999"}},
         {"Classe de Vencimento inválido"},
         false},
        {"classe só para inscrição",
         "1473",
         {{tipoIdentificacao, "3"},
          {NumIdentificacao, GeradorRegistros::identificacao("3", 4)},
          {CodClasseVencimento, "101"}},
         {"Classe de Vencimento preenchido."},
         false},
        {"classe de serviço em branco",
         "2135",
         {{CodClasseVencimento, ""}},
         {"Classe de Serviço em branco"},
         false},
        {"classe livre (4)", "6432", {{CodClasseVencimento, "ABC"}}, {}, true},
        {"classe proibida",
         "7307",
         {{CodClasseVencimento, "101"}},
         {"Classe de Vencimento preenchido. A receita 7307" + semTelefone},
         false},
        {"município inexistente",
         "1805",
         {{CodMunicipio, "999999"}},
         {"Código de Município não existente"},
         false},
        {"município em branco", "1805", {{CodMunicipio, "000000"}}, {"Código de Município em branco"}, false},
        {"município proibido",
         "7307",
         {{CodMunicipio, "10003"}},
         {"Código de Município preenchido. A receita 7307" + semTelefone},
         false},
        {"vencimento em branco",
         "7307",
         {{DataVencimento, "00000000"}},
         {"Data de Vencimento em branco"},
         false},
        {"vencimento impossível",
         "7307",
         {{DataVencimento, "20250231"}},
         {"Data de Vencimento inválida"},
         false},
        {"vencimento sem 8 dígitos",
         "7307",
         {{DataVencimento, "00250320"}},
         {"Data de Vencimento inválida"},
         false},
        {"vencimento daqui a dois anos",
         "7307",
         {{DataVencimento, "20270110"}},
         {"Data de Vencimento inválida. Ano deve ser menor, igual, ou seguinte ao ano da data corrente"},
         true},
        {"pagamento fora do mês",
         "7307",
         {{DataMaximaPagamento, "20250401"}},
         {"Data Máxima de Pagamento fora do Período vigente"},
         true},
        {"pagamento em branco",
         "7307",
         {{DataMaximaPagamento, "0"}},
         {"Data Máxima de Pagamento em branco"},
         false},
        {"mês em branco", "7307", {{periodo, "0"}}, {"Período em branco"}, false},
        {"ano em branco", "7307", {{ano, "0"}}, {"Ano em branco"}, false},
        {"mês 13", "7307", {{periodo, "13"}}, {"Período inválido"}, false},
        {"ano antes de 1990",
         "7307",
         {{ano, "1985"}},
         {"Ano inválido. Ano não pode ser menor que 1990"},
         true},
        {"ano depois do seguinte",
         "7307",
         {{ano, "2027"}},
         {"Período inválido. Ano deve ser menor, igual, ou seguinte ao ano da data corrente"},
         false},
        {"tipo de período em branco", "1163", {{tipoPeriodo, "0"}}, {"Tipo Período em branco"}, false},
        {"período de outro tipo", "1163", {{tipoPeriodo, "4"}}, {"Período inválido"}, false},
        {"parcela zero", "5746", {{parcelas, "000"}}, {"Número de Parcelas em branco"}, false},
        {"cota de outra tabela", "1805", {{periodo, "77"}}, {"Período inválido"}, false},
        {"período proibido",
         "1945",
         {{periodo, "3"}},
         {"Período preenchido. A receita 1945" + semTelefone},
         false},
        {"exercício em branco", "1821", {{ano, "0"}}, {"Ano em branco"}, false},
        {"exercício seguinte",
         "1821",
         {{ano, "2026"}},
         {"Exercício inválido. Ano deve ser menor ou igual ao ano da data corrente"},
         false},
        {"exercício antes de 1990",
         "1821",
         {{ano, "1989"}},
         {"Ano inválido. Ano não pode ser menor que 1990"},
         false},
        {"total diferente",
         "7307",
         {{ValorPrincipal, "9000"},
          {Multa, "500"},
          {Juros, "500"},
          {CorrecaoMonetaria, "0"},
          {total, "10001"}},
         {"Total diferente da somátória entre Valor Principal, Multa, Juros e Correção Monetária"},
         false},
        {"total igual",
         "7307",
         {{ValorPrincipal, "9000"},
          {Multa, "500"},
          {Juros, "500"},
          {CorrecaoMonetaria, "0"},
          {total, "10000"}},
         {},
         true},
        {"total zero",
         "7307",
         {{ValorPrincipal, "0"}, {Multa, "0"}, {Juros, "0"}, {total, "0"}},
         {"Total não pode ser zero"},
         false},
        {"valores em branco",
         "7307",
         {{Multa, "          "}, {Juros, "         x"}},
         {kConversao, kConversao, "Multa em branco", "Juros em branco"},
         false},
        {"multa negativa",
         "7307",
         {{ValorPrincipal, "10100"}, {Multa, "-000000100"}, {Juros, "0"}, {total, "10000"}},
         {"Multa não pode ser negativo"},
         false},
        // Several rules at once: rule order, first rule's line first and the amounts' last.
        {"várias regras",
         "7307",
         {{tipoIdentificacao, "0"}, {RazaoSocial, ""}, {Telefone, "0"}, {DataVencimento, "0"}, {total, "1"}},
         {"Tipo de Identificação em branco", "Número de Identificação inválido",
          "Razão Social/Nome em branco", "Número de Telefone em branco", "Data de Vencimento em branco",
          "Total diferente da somátória entre Valor Principal, Multa, Juros e Correção Monetária"},
         false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        QString linha = valido(QLatin1String(c.receita) == QLatin1String("9999") ? QStringLiteral("1147")
                                                                                 : QLatin1String(c.receita),
                               3);
        if (gerador->receitas().contains(QLatin1String(c.receita)) == false)
            linha = comCampo(linha, receita, QLatin1String(c.receita));
        for (const auto& [campo, valor] : c.mudancas)
            linha = comCampo(linha, campo, valor);
        const auto zov = julga(linha);
        EXPECT_EQ(zov->Logs().textos(), c.linhas) << zov->Logs().textos().join(" | ").toStdString();
        EXPECT_EQ(zov->Status(), c.importado ? ZovRegras::Importado : ZovRegras::Invalido);
    }
}

// Without the loaded tables a record cannot be judged: it is refused by the revenue check.
TEST_F(Regras, SemTabelasCarregadasAReceitaEhInvalida) {
    ZovRegras zov;
    zov.NewZov(valido(QStringLiteral("7307")));
    EXPECT_EQ(zov.Status(), ZovRegras::Invalido);
    EXPECT_EQ(zov.Logs().textos(), QStringList{QStringLiteral("Receita inválida")});
}

TEST_F(Regras, RegistroEmBrancoOuDeOutroTamanho) {
    const QString bom = valido(QStringLiteral("7307"));
    struct Caso {
        QString linha;
        QString mensagem;
        bool importado;
    };
    const QString tamanho = QStringLiteral("ZOVE inválido. Registro com tamanho diferente de 250 caracteres");
    const Caso casos[] = {
        {QString(), QStringLiteral("ZOVE em branco"), false},
        {QStringLiteral("      "), QStringLiteral("ZOVE em branco"), false},
        {bom.left(249), tamanho, false},
        {bom + QLatin1Char('0'), tamanho, false},
        {bom + QStringLiteral("      "), QString(), true},
        {QStringLiteral("   ") + bom.mid(3), tamanho, false},
    };
    for (const Caso& c : casos) {
        const auto zov = julga(c.linha);
        EXPECT_EQ(zov->Status(), c.importado ? ZovRegras::Importado : ZovRegras::Invalido);
        EXPECT_EQ(zov->Logs().textos(), c.mensagem.isEmpty() ? QStringList() : QStringList{c.mensagem});
    }
}

// A flag value the rule does not list fails the rule with a line that names flag and value.
TEST_F(Regras, ValorDeRegraNaoPrevistoFalhaComLinha) {
    const auto regra = refs->oMAB_VALIDA_DOCs->Query_MVD_MCR_COD_RCTA(QStringLiteral("7307"))->Item(1);
    const QString linha = valido(QStringLiteral("7307"));
    struct Caso {
        QString tabulon::MAB_VALIDA_DOC::*flag;
        const char* nome;
    };
    for (const Caso c : {Caso{&tabulon::MAB_VALIDA_DOC::MVD_TELEFONE, "MVD_TELEFONE"},
                         Caso{&tabulon::MAB_VALIDA_DOC::MVD_NOME, "MVD_NOME"},
                         Caso{&tabulon::MAB_VALIDA_DOC::MVD_DOCUMENTO, "MVD_DOCUMENTO"},
                         Caso{&tabulon::MAB_VALIDA_DOC::MVD_CLASSE_VECTO, "MVD_CLASSE_VECTO"},
                         Caso{&tabulon::MAB_VALIDA_DOC::MVD_MUNIC, "MVD_MUNIC"},
                         Caso{&tabulon::MAB_VALIDA_DOC::MVD_REFERENCIA, "MVD_REFERENCIA"}}) {
        const QString antes = (*regra).*c.flag;
        (*regra).*c.flag = QStringLiteral("7");
        const auto zov = julga(linha);
        EXPECT_EQ(zov->Status(), ZovRegras::Invalido) << c.nome;
        EXPECT_EQ(
            zov->Logs().textos(),
            QStringList{QStringLiteral("A regra %1 da receita 7307 tem o valor \"7\", que não é previsto.")
                            .arg(QLatin1String(c.nome))});
        (*regra).*c.flag = antes;
    }
}

// Parcel numbers beyond the record's three digits reach the rule through the property.
TEST_F(Regras, ParcelasForaDoIntervalo) {
    for (const auto& [valor, linhas] : std::vector<std::pair<QString, QStringList>>{
             {"1000", {"Número de Parcelas deve estar entre 0 e 999"}},
             {"999", {}},
             {"1", {}},
             {"", {"Número de Parcelas em branco"}}}) {
        const auto zov = julga(valido(QStringLiteral("5746")));
        zov->Logs().Reset();
        zov->parcelas(valor);
        EXPECT_EQ(zov->IsValid(), linhas.isEmpty()) << valor.toStdString();
        EXPECT_EQ(zov->Logs().textos(), linhas);
    }
}

class Armazenamento : public ImportacaoTeste {
protected:
    // Judges the record into a batch and applies the batch to empty tables.
    std::pair<std::shared_ptr<tabulon::ZOVs>, std::shared_ptr<tabulon::CONTRIBUINTEs>>
    armazena(const QStringList& linhas) {
        LoteDocumentos lote;
        for (const QString& l : linhas) {
            ZovRegras zov(ContextoRegras{refs.get(), kHoje, &lote});
            zov.NewZov(l);
        }
        auto zovs = std::make_shared<tabulon::ZOVs>();
        auto contribuintes = std::make_shared<tabulon::CONTRIBUINTEs>();
        QString erro;
        EXPECT_TRUE(lote.aplicaEm(*zovs, *contribuintes, &erro)) << erro.toStdString();
        return {zovs, contribuintes};
    }
};

TEST_F(Armazenamento, ValoresGravados) {
    // A CPF with a leading zero: the record's number loses it, the stored one has it back.
    const QString base = QStringLiteral("012345678");
    const QString d1 = QString::number(calculaDVModulo11(base, 11));
    const QString cpf = base + d1 + QString::number(calculaDVModulo11(base + d1, 11));
    ASSERT_TRUE(validaCPF(cpf));
    QString linha = valido(QStringLiteral("7307"));
    linha = comCampo(linha, periodo, QStringLiteral("3"));
    linha = comCampo(linha, ano, QStringLiteral("2025"));
    linha = comCampo(linha, DataVencimento, QStringLiteral("20250325"));
    linha = comCampo(linha, DataMaximaPagamento, QStringLiteral("20250331"));
    linha = comCampo(linha, ValorPrincipal, QStringLiteral("12345"));
    linha = comCampo(linha, Multa, QStringLiteral("5"));
    linha = comCampo(linha, Juros, QStringLiteral("0"));
    linha = comCampo(linha, CorrecaoMonetaria, QStringLiteral("50"));
    linha = comCampo(linha, total, QStringLiteral("12400"));
    linha = comCampo(linha, RazaoSocial, QStringLiteral("JOSÉ"));
    linha = comCampo(linha, DDD, QStringLiteral("61"));
    linha = comCampo(linha, Telefone, QStringLiteral("32120000"));
    linha = comCampo(linha, NumIdentificacao, cpf.mid(1));
    const auto [zovs, contribuintes] = armazena({linha});
    ASSERT_EQ(zovs->Count(), 1);
    const tabulon::ZOV& z = *zovs->Item(1);
    EXPECT_EQ(z.NUM_DOCUMENTO, QStringLiteral("1"));
    EXPECT_EQ(z.TIPO_DOCUMENTO_IDENT, QStringLiteral("3"));
    EXPECT_EQ(z.NUM_DOCUMENTO_IDENT, cpf); // zero-filled to 11, as the entry form stores it
    EXPECT_EQ(z.COD_RECEITA, QStringLiteral("7307"));
    EXPECT_EQ(z.REFERENCIA, QStringLiteral("202503"));
    EXPECT_EQ(z.NUM_DOCUMENTO_ORIGEM, QStringLiteral("0"));
    EXPECT_EQ(z.DATA_VENCIMENTO, QStringLiteral("25/03/2025"));
    EXPECT_EQ(z.DATA_CALCULO, QStringLiteral("31/03/2025"));
    EXPECT_EQ(z.VALOR_PRINCIPAL, QStringLiteral("123,45"));
    EXPECT_EQ(z.VALOR_MULTA, QStringLiteral("0,05"));
    EXPECT_EQ(z.VALOR_JUROS, QStringLiteral("0"));
    EXPECT_EQ(z.VALOR_CORRECAO, QStringLiteral(",50"));
    EXPECT_EQ(z.VALOR_TOTAL, QStringLiteral("124,00"));
    EXPECT_EQ(z.DATA_ATUALIZACAO, QStringLiteral("15/03/2025"));
    EXPECT_EQ(z.COD_UF, QStringLiteral("OL"));
    EXPECT_EQ(z.COD_MUNICIPIO, QStringLiteral("0"));
    EXPECT_EQ(z.COD_CLASSE_VECTO, QStringLiteral("0"));
    EXPECT_EQ(z.IMPRESSO, QStringLiteral("0"));
    ASSERT_EQ(contribuintes->Count(), 1);
    const tabulon::CONTRIBUINTE& c = *contribuintes->Item(1);
    EXPECT_EQ(
        (QStringList{c.TIPO_DOCUMENTO, c.DOCUMENTO_IDENTIFICACAO, c.RAZAO_SOCIAL, c.NUM_DDD, c.NUM_FONE}),
        (QStringList{"3", cpf, "JOSÉ", "61", "32120000"}));
}

// The stored reference by kind: year and two-digit period, parcel, fiscal year, none.
TEST_F(Armazenamento, ReferenciaPorTipoEIdentificacaoComZeros) {
    struct Caso {
        const char* receita;
        std::vector<std::pair<Campo, QString>> mudancas;
        QString referencia;
        int largura;
    };
    const Caso casos[] = {
        {"1163", {{tipoPeriodo, "3"}, {periodo, "7"}, {ano, "2024"}}, "202407", 14},
        {"1805", {{periodo, "76"}, {ano, "2025"}}, "202576", 9},
        {"5746", {{parcelas, "012"}}, "12", 11},
        {"1821", {{ano, "2019"}}, "2019", 9},
        {"1945", {}, "000000", 11},
        {"1155",
         {{tipoIdentificacao, "2"}, {NumIdentificacao, GeradorRegistros::identificacao("2", 0)}},
         {},
         14},
    };
    for (const Caso& c : casos) {
        if (!gerador->receitas().contains(QLatin1String(c.receita)))
            continue;
        SCOPED_TRACE(c.receita);
        QString linha = valido(QLatin1String(c.receita), 5);
        for (const auto& [campo, valor] : c.mudancas)
            linha = comCampo(linha, campo, valor);
        const auto [zovs, contribuintes] = armazena({linha});
        ASSERT_EQ(zovs->Count(), 1);
        if (!c.referencia.isEmpty()) {
            EXPECT_EQ(zovs->Item(1)->REFERENCIA, c.referencia);
        }
        EXPECT_EQ(zovs->Item(1)->NUM_DOCUMENTO_IDENT.size(), c.largura);
        EXPECT_EQ(contribuintes->Item(1)->DOCUMENTO_IDENTIFICACAO, zovs->Item(1)->NUM_DOCUMENTO_IDENT);
    }
}

TEST_F(Armazenamento, IsValidGuardaUmaSoVez) {
    LoteDocumentos lote;
    ZovRegras zov(ContextoRegras{refs.get(), kHoje, &lote});
    zov.NewZov(valido(QStringLiteral("7307")));
    EXPECT_TRUE(zov.IsValid());
    EXPECT_TRUE(zov.IsValid());
    EXPECT_EQ(lote.tamanho(), 1);
}

// A value that would break the table file keeps both records out of the batch.
TEST_F(Armazenamento, ValorQueNaoPodeSerGravadoInvalidaODocumento) {
    for (const QString& nome : {QStringLiteral("A|B"), QStringLiteral("A") + QChar(0) + QStringLiteral("B"),
                                QStringLiteral("A\rB"), QStringLiteral("JOS&eacute; SILVA")}) {
        LoteDocumentos lote;
        ZovRegras zov(ContextoRegras{refs.get(), kHoje, &lote});
        zov.NewZov(comCampo(valido(QStringLiteral("7307")), RazaoSocial, nome));
        EXPECT_EQ(zov.Status(), ZovRegras::Invalido);
        ASSERT_EQ(zov.Logs().Count(), 1);
        EXPECT_TRUE(zov.Logs().Item(1)->Descricao().startsWith(QStringLiteral("O campo RAZAO_SOCIAL contém")))
            << zov.Logs().Item(1)->Descricao().toStdString();
        EXPECT_TRUE(lote.vazio());
    }
}

// Numbers follow the last saved one; a taxpayer matched by type and number is updated in place, one not
// matched exactly once is appended, and later records see it. A taxpayer of another type that shares
// the number is someone else and keeps its values.
TEST(LoteDocumentos, NumerosEContribuintesComoSeCadaUmFosseSalvo) {
    tabulon::ZOVs zovs;
    for (const char* n : {"1", "2", "5"}) {
        tabulon::ZOV z;
        z.NUM_DOCUMENTO = QLatin1String(n);
        zovs.Add(std::make_shared<tabulon::ZOV>(z));
    }
    tabulon::CONTRIBUINTEs contribuintes;
    contribuintes.NewContribuinte("3", "11122233344", "ANTIGO", "", "");
    contribuintes.NewContribuinte("1", "999", "DUPLO A", "", "");
    contribuintes.NewContribuinte("1", "999", "DUPLO B", "", "");
    contribuintes.NewContribuinte("2", "555", "OUTRO TIPO", "", "");

    const auto contribuinte = [](const char* tipo, const char* num, const char* nome) {
        tabulon::CONTRIBUINTE c;
        c.TIPO_DOCUMENTO = QLatin1String(tipo);
        c.DOCUMENTO_IDENTIFICACAO = QLatin1String(num);
        c.RAZAO_SOCIAL = QString::fromUtf8(nome);
        return c;
    };
    LoteDocumentos lote;
    lote.inclui({}, contribuinte("3", "11122233344", "NOVO NOME"));
    lote.inclui({}, contribuinte("1", "999", "TERCEIRO"));
    lote.inclui({}, contribuinte("3", "555", "MESMO NÚMERO"));
    lote.inclui({}, contribuinte("3", "555", "MESMO NÚMERO 2"));
    QString erro;
    ASSERT_TRUE(lote.aplicaEm(zovs, contribuintes, &erro));

    QStringList numeros;
    for (const auto& z : zovs)
        numeros.append(z->NUM_DOCUMENTO);
    EXPECT_EQ(numeros, (QStringList{"1", "2", "5", "6", "7", "8", "9"}));
    QStringList nomes;
    for (const auto& c : contribuintes)
        nomes.append(c->TIPO_DOCUMENTO + ":" + c->DOCUMENTO_IDENTIFICACAO + ":" + c->RAZAO_SOCIAL);
    // "555" with type 3 was added by the third record; the fourth then finds exactly that row and
    // updates it, while the type-2 taxpayer listed first under "555" stays as it was.
    EXPECT_EQ(nomes, (QStringList{"3:11122233344:NOVO NOME", "1:999:DUPLO A", "1:999:DUPLO B",
                                  "2:555:OUTRO TIPO", "1:999:TERCEIRO", "3:555:MESMO NÚMERO 2"}));
}

TEST(LoteDocumentos, UltimoNumeroNaoNumericoRecusaOLote) {
    tabulon::ZOVs zovs;
    tabulon::ZOV z;
    z.NUM_DOCUMENTO = QStringLiteral("A7");
    zovs.Add(std::make_shared<tabulon::ZOV>(z));
    tabulon::CONTRIBUINTEs contribuintes;
    LoteDocumentos lote;
    lote.inclui({}, {});
    QString erro;
    EXPECT_FALSE(lote.aplicaEm(zovs, contribuintes, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("A7")));
}

} // namespace
} // namespace teste
