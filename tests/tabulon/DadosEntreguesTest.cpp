// The Dados folder delivered with the program: every table loads through the real loader, digests
// included, and the tables agree with each other the way the entry form, the import rules and the
// barcode composition rely on.
#include "support/TestSupport.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>

using namespace tabulon;

// Readable QString values in failure messages.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Revenues named as withdrawn by the notice window: present in the tables but never offered.
const QStringList kRetiradas = {"1554", "1570", "1589", "1651", "1724", "1740", "2127", "7650"};

class DadosEntregues : public ::testing::Test {
protected:
    void SetUp() override {
        init.sDiretorioDados(teste::pastaDadosEntregue());
        try {
            receitaClasse = init.CarregarMabReceitaClasse();
            municipios = init.CarregarMunicipio();
            classes = init.CarregarMabClasseVencimento();
            receitas = init.CarregarReceita();
            identificacoes = init.CarregarMabTipoIdentificacao();
            periodicidades = init.CarregarMabTipoPeriodicidade();
            tiposReceita = init.CarregarMabTipoReceita();
            regras = init.CarregarMabValidaDoc();
            contribuintes = init.CarregarContribuinte();
            zovs = init.CarregarZOV();
            parametros = init.CarregarParametros();
            periodos = init.CarregarPeriodos();
            certidoes = init.CarregarCertAntigas();
            tiposDocumento = init.CarregarTipoDocumentoOrigem();
        } catch (const ErroExecucao& e) {
            FAIL() << e.Numero() << ": " << e.Descricao().toStdString();
        }
    }

    // Revenue code -> offered in the entry form's revenue list of its type.
    std::map<QString, bool> oferecidas() const {
        std::map<QString, bool> r;
        for (const auto& rec : *receitas)
            r[rec->MCR_COD_RCTA] = false;
        for (const auto& tipo : *tiposReceita) {
            const auto lista = receitas->Query_Receitas_Do_Tipo(tipo->MTR_TIP_RECEITA, *regras);
            for (const auto& rec : *lista)
                r[rec->MCR_COD_RCTA] = true;
        }
        return r;
    }

    std::shared_ptr<MAB_VALIDA_DOCs> regrasDe(const QString& receita) const {
        return regras->Query_MVD_MCR_COD_RCTA(receita);
    }

    Init init;
    std::shared_ptr<MAB_RECEITA_CLASSEs> receitaClasse;
    std::shared_ptr<TAB_MUNICs> municipios;
    std::shared_ptr<MAB_CLASSE_VENCIMENTOs> classes;
    std::shared_ptr<ARREC_MAB_RECEITAs> receitas;
    std::shared_ptr<MAB_TIPO_IDENTIFICACAOs> identificacoes;
    std::shared_ptr<MAB_TIPO_PERIODICIDADEs> periodicidades;
    std::shared_ptr<MAB_TIPO_RECEITAs> tiposReceita;
    std::shared_ptr<MAB_VALIDA_DOCs> regras;
    std::shared_ptr<CONTRIBUINTEs> contribuintes;
    std::shared_ptr<ZOVs> zovs;
    std::shared_ptr<PARAMETROSs> parametros;
    std::shared_ptr<PERIODOSs> periodos;
    std::shared_ptr<TAB_CERT_ANTIGAs> certidoes;
    std::shared_ptr<mab_tipo_documentos> tiposDocumento;
};

// Calls f(table file, field definition, value) for every field of every record of a collection.
template <class ColecaoT, class F> void paraCadaCampo(const char* arquivo, const ColecaoT& colecao, F&& f) {
    for (const auto& registro : colecao)
        for (const auto& def : ColecaoT::RegistroT::campos)
            f(arquivo, def, (*registro).*def.membro);
}

// A set as sorted text, for readable comparisons.
std::string texto(const QSet<QString>& conjunto) {
    QStringList l(conjunto.begin(), conjunto.end());
    l.sort();
    return l.join(QLatin1Char(' ')).toStdString();
}

bool ehData(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral("^\\d\\d/\\d\\d/\\d{4}$"));
    return forma.match(texto).hasMatch() && lerData(texto).has_value();
}

TEST_F(DadosEntregues, ArquivosSaoWindows1252ComCrLfEDigestNaUltimaLinha) {
    // Every byte above ASCII must be a Portuguese letter or an ordinal sign in Windows-1252; UTF-8
    // text would show up here as pairs like "Ã£".
    const QString permitidos = QStringLiteral("áàâãéêíóôõúüçÁÀÂÃÉÊÍÓÔÕÚÜÇºª");
    for (const Init::Tabela& t : Init::Tabelas) {
        SCOPED_TRACE(t.arquivo);
        const QString caminho = teste::pastaDadosEntregue() + QLatin1Char('/') + QLatin1String(t.arquivo);
        const QByteArray bytes = teste::leArquivo(caminho);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r')) << "a CR without LF";
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "an LF without CR";
        EXPECT_FALSE(bytes.contains("\r\n\r\n")) << "empty line";
        for (const QChar c : decodifica1252(bytes)) {
            if (c.unicode() >= 0x80) {
                EXPECT_TRUE(permitidos.contains(c))
                    << "unexpected character U+" << std::hex << int(c.unicode());
            }
        }

        const QList<QByteArray> linhas = separaLinhas(bytes);
        qsizetype digests = 0;
        for (const QByteArray& l : linhas)
            digests += MD5Driver::ehLinhaDeDigest(l) ? 1 : 0;
        if (t.comDigest) {
            EXPECT_EQ(digests, 1);
            EXPECT_TRUE(MD5Driver::ehLinhaDeDigest(linhas.last()));
            EXPECT_GE(linhas.size(), 3) << "header, records and digest line";
            EXPECT_TRUE(init.ValidaHashDeArchivoMD5(caminho));
        } else {
            // The program writes these two itself; they ship with their header only.
            EXPECT_EQ(digests, 0);
            EXPECT_EQ(linhas.size(), 1);
        }
    }
    ASSERT_TRUE(zovs && contribuintes);
    EXPECT_EQ(zovs->Count(), 0);
    EXPECT_EQ(contribuintes->Count(), 0);
    EXPECT_EQ(contribuintes->campos().join(QLatin1Char('|')),
              QStringLiteral("TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE"));
    QStringList colunasZov;
    for (const auto& def : ZOV::campos)
        colunasZov << QLatin1String(def.coluna);
    EXPECT_EQ(zovs->campos(), colunasZov);
}

TEST_F(DadosEntregues, ColunasLidasExistemNoCabecalhoEEntidadesSoNasColunasDecodificadas) {
    // A column missing from a header would silently read the first column instead.
    auto confereCabecalho = [](const char* arquivo, const auto& colecao) {
        using R = typename std::decay_t<decltype(colecao)>::RegistroT;
        for (const auto& def : R::campos)
            EXPECT_TRUE(colecao.campos().contains(QLatin1String(def.coluna)))
                << arquivo << " lacks column '" << def.coluna << "'";
    };
    confereCabecalho("mab_receita_classe", *receitaClasse);
    confereCabecalho("TAB_MUNIC", *municipios);
    confereCabecalho("mab_classe_vencimento", *classes);
    confereCabecalho("mab_arrec", *receitas);
    confereCabecalho("mab_tipo_identificacao", *identificacoes);
    confereCabecalho("mab_tipo_periodicidade", *periodicidades);
    confereCabecalho("mab_tipo_receita", *tiposReceita);
    confereCabecalho("mab_valida_doc", *regras);
    confereCabecalho("PARAMETROS", *parametros);
    confereCabecalho("PERIODOS", *periodos);
    confereCabecalho("TAB_CERT_ANTIGA", *certidoes);
    confereCabecalho("mab_tipo_documento_origem", *tiposDocumento);
    // The column spelled with a trailing blank is read from its own column, not from the first one.
    for (const auto& p : *periodicidades)
        EXPECT_EQ(p->MTP_TGE_TIP_TAB, QStringLiteral("TP0") + p->MTP_ID);

    // After loading no entity name is left anywhere, and none was ever written in a column that is
    // not decoded (it would reach the user as "&atilde;").
    static const QRegularExpression entidade(QStringLiteral("&[A-Za-z]+;"));
    std::map<std::string, int> acentuados;
    auto confere = [&](const char* arquivo, const auto& def, const QString& valor) {
        EXPECT_FALSE(valor.contains(entidade)) << arquivo << "." << def.campo << ": " << valor.toStdString();
        if (!def.decodificado) {
            EXPECT_FALSE(valor.contains(QLatin1Char('&'))) << arquivo << "." << def.campo;
        }
        for (const QChar c : valor)
            if (c.unicode() >= 0x80)
                ++acentuados[std::string(arquivo) + "." + def.campo];
    };
    paraCadaCampo("mab_receita_classe", *receitaClasse, confere);
    paraCadaCampo("TAB_MUNIC", *municipios, confere);
    paraCadaCampo("mab_classe_vencimento", *classes, confere);
    paraCadaCampo("mab_arrec", *receitas, confere);
    paraCadaCampo("mab_tipo_identificacao", *identificacoes, confere);
    paraCadaCampo("mab_tipo_periodicidade", *periodicidades, confere);
    paraCadaCampo("mab_tipo_receita", *tiposReceita, confere);
    paraCadaCampo("mab_valida_doc", *regras, confere);
    paraCadaCampo("PARAMETROS", *parametros, confere);
    paraCadaCampo("PERIODOS", *periodos, confere);
    paraCadaCampo("TAB_CERT_ANTIGA", *certidoes, confere);
    paraCadaCampo("mab_tipo_documento_origem", *tiposDocumento, confere);
    for (const char* coluna :
         {"TAB_MUNIC.TMU_NOM_MUN", "mab_classe_vencimento.MCV_DESCRICAO", "mab_arrec.MCR_NOME_RCTA",
          "mab_tipo_receita.MTR_DESCRICAO", "PERIODOS.NOM_PERIODO",
          "mab_tipo_documento_origem.MTDO_DESCRICAO", "mab_tipo_documento_origem.MTDO_OBSERVACOES"})
        EXPECT_GT(acentuados[coluna], 0) << coluna << " shows no accented letter";

    // Both spellings are delivered: the entity and the plain Windows-1252 letter.
    const QByteArray munic = teste::leArquivo(teste::pastaDadosEntregue() + QStringLiteral("/TAB_MUNIC"));
    EXPECT_TRUE(munic.contains("S&atilde;o Jo&atilde;o"));
    EXPECT_TRUE(munic.contains("S\xe3o Sebasti\xe3o"));
    bool saoJoao = false;
    for (const auto& m : *municipios)
        saoJoao = saoJoao || m->TMU_NOM_MUN == QStringLiteral("São João do Oeste");
    EXPECT_TRUE(saoJoao);
    EXPECT_EQ(identificacoes->Item(1)->MTI_DESCRIPTION, QStringLiteral("Inscrição Estadual"));
}

TEST_F(DadosEntregues, ParametrosDoPrograma) {
    ASSERT_GE(parametros->Count(), 1);
    const auto p = parametros->Item(1);
    EXPECT_EQ(p->ID, "1");
    EXPECT_EQ(p->CAPTION, "ZOVE-OL");
    EXPECT_EQ(p->VERSAO, "1.0");
    EXPECT_EQ(lerData(p->DATA_VALIDADE).value_or(QDate()), QDate(2027, 12, 31));
    EXPECT_TRUE(oferecidas()[p->RECEITA_PADRAO]) << "default revenue " << p->RECEITA_PADRAO.toStdString();
}

TEST_F(DadosEntregues, ReceitasOferecidasTemRegraTipoEReferenciasValidas) {
    auto oferta = oferecidas();
    QSet<QString> codigos;
    for (const auto& r : *receitas) {
        EXPECT_FALSE(codigos.contains(r->MCR_COD_RCTA))
            << "repeated revenue " << r->MCR_COD_RCTA.toStdString();
        codigos.insert(r->MCR_COD_RCTA);
    }
    for (const QString& cod : kRetiradas) {
        EXPECT_TRUE(codigos.contains(cod)) << cod.toStdString();
        EXPECT_FALSE(oferta[cod]) << "withdrawn revenue offered: " << cod.toStdString();
    }
    for (const auto& t : *tiposReceita)
        EXPECT_GT(receitas->Query_Receitas_Do_Tipo(t->MTR_TIP_RECEITA, *regras)->Count(), 0)
            << "revenue type without revenues: " << t->MTR_TIP_RECEITA.toStdString();

    static const QSet<QString> tiposIdent = {"1", "2", "3", "4", "5"};
    static const QSet<QString> referencias = {"1", "2", "3", "4", "5", "9"};
    static const QSet<QString> opcionais = {"1", "9"};
    QSet<QString> docsOrigem;
    for (const auto& d : *tiposDocumento)
        docsOrigem.insert(d->MTDO_ID);
    EXPECT_EQ(texto(docsOrigem), "1 11 2 3 4 5 6");
    QSet<QString> idents;
    for (const auto& i : *identificacoes)
        if (i->MTI_STATUS == "1")
            idents.insert(i->MTI_ID);
    EXPECT_EQ(texto(idents), texto(tiposIdent));

    // What the offered revenues with a single rule row put to use, so that every rule has data.
    QSet<QString> refsUsadas, docsUsados, classesUsadas, municUsados;
    for (const auto& r : *regras) {
        const QString cod = r->MVD_MCR_COD_RCTA;
        SCOPED_TRACE(cod.toStdString());
        EXPECT_TRUE(codigos.contains(cod)) << "rule for an unknown revenue";
        for (const QString& t : r->MVD_TIPO_DOCUMENTO.split(QLatin1Char(',')))
            EXPECT_TRUE(tiposIdent.contains(t)) << "identification type '" << t.toStdString() << "'";
        EXPECT_TRUE(r->MVD_DOCUMENTO == "9" || docsOrigem.contains(r->MVD_DOCUMENTO));
        EXPECT_TRUE(referencias.contains(r->MVD_REFERENCIA));
        EXPECT_TRUE(opcionais.contains(r->MVD_NOME));
        EXPECT_TRUE(opcionais.contains(r->MVD_TELEFONE));
        EXPECT_TRUE(opcionais.contains(r->MVD_MUNIC));
        EXPECT_TRUE(opcionais.contains(r->MVD_VENCIMENTO));
        EXPECT_TRUE((QSet<QString>{"1", "2", "4", "9"}).contains(r->MVD_CLASSE_VECTO));
        if (oferta[cod] && regrasDe(cod)->Count() == 1) {
            refsUsadas.insert(r->MVD_REFERENCIA);
            docsUsados.insert(r->MVD_DOCUMENTO);
            classesUsadas.insert(r->MVD_CLASSE_VECTO);
            municUsados.insert(r->MVD_MUNIC);
        }
    }
    EXPECT_EQ(texto(refsUsadas), texto(referencias));
    EXPECT_EQ(texto(docsUsados), "1 11 2 3 4 5 6 9");
    EXPECT_EQ(texto(classesUsadas), "1 2 4 9");
    EXPECT_EQ(texto(municUsados), texto(opcionais));

    for (const auto& [cod, oferecida] : oferta) {
        if (!oferecida)
            continue;
        SCOPED_TRACE(cod.toStdString());
        const auto rec = receitas->Query_MCR_COD_RCTA(cod)->Item(1);
        EXPECT_EQ(tiposReceita->Query_MTR_TIP_RECEITA(rec->MCR_MTR_TIP_RECEITA)->Count(), 1);
        EXPECT_GE(regrasDe(cod)->Count(), 1);
        EXPECT_FALSE(rec->MCR_NOME_RCTA.trimmed().isEmpty());
    }
}

TEST_F(DadosEntregues, CadaModeloDeCodigoDeBarrasTemReceita) {
    // A single rule row decides the model through MVD_TIP_CODIGO_BARRA_OFF unless its class flag
    // (due-date "1" or service "2") takes precedence.
    std::map<QString, QStringList> porModelo;
    for (const auto& r : *regras)
        if (regrasDe(r->MVD_MCR_COD_RCTA)->Count() == 1 && r->MVD_CLASSE_VECTO != "1" &&
            r->MVD_CLASSE_VECTO != "2")
            porModelo[r->MVD_TIP_CODIGO_BARRA_OFF] << r->MVD_MCR_COD_RCTA;
    for (int modelo = 1; modelo <= 7; ++modelo)
        EXPECT_FALSE(porModelo[QString::number(modelo)].isEmpty()) << "no revenue for model " << modelo;
    EXPECT_FALSE(porModelo[QString()].isEmpty()) << "no single-row revenue with an empty model";

    // Revenues without exactly one rule row fall to the fixed code lists; some are offered (their
    // first row allows off-line issuing), some are not.
    const auto oferta = oferecidas();
    struct Caso {
        const char* receita;
        qsizetype linhas;
        bool oferecida;
    };
    for (const Caso& c :
         {Caso{"5789", 0, false}, Caso{"1813", 0, false}, Caso{"1856", 2, true}, Caso{"1775", 2, true},
          Caso{"1597", 2, false}, Caso{"1236", 2, true}, Caso{"1244", 2, true}, Caso{"7323", 2, true}}) {
        SCOPED_TRACE(c.receita);
        EXPECT_EQ(receitas->Query_MCR_COD_RCTA(c.receita)->Count(), 1);
        EXPECT_EQ(regrasDe(c.receita)->Count(), c.linhas);
        EXPECT_EQ(oferta.at(c.receita), c.oferecida);
    }

    // The special revenues carry what their rules need.
    for (const char* cod : {"1457", "1465", "1473", "1686", "9784"}) {
        const auto r = regrasDe(cod);
        ASSERT_EQ(r->Count(), 1) << cod;
        EXPECT_EQ(r->Item(1)->MVD_CLASSE_VECTO, "1") << cod;
        EXPECT_TRUE(oferta.at(cod)) << cod;
    }
    for (const char* cod : {"1457", "1465", "1473", "1686"})
        EXPECT_EQ(regrasDe(cod)->Item(1)->MVD_TIPO_DOCUMENTO, "1,2,3") << cod;
    EXPECT_EQ(regrasDe("9784")->Item(1)->MVD_TELEFONE, "1");
    EXPECT_TRUE(oferta.at("9768"));
    ASSERT_EQ(regrasDe("1570")->Count(), 1);
    EXPECT_NE(regrasDe("1570")->Item(1)->MVD_DOCUMENTO, "9");
    ASSERT_EQ(regrasDe("2135")->Count(), 1);
    EXPECT_EQ(regrasDe("2135")->Item(1)->MVD_CLASSE_VECTO, "2");
    EXPECT_TRUE(oferta.at("2135"));
}

TEST_F(DadosEntregues, ClassesDeVencimentoEServicoComVigencias) {
    QSet<QString> ids;
    std::map<QString, QSet<QString>> ordensPorGrupo;
    for (const auto& c : *classes) {
        SCOPED_TRACE(c->MCV_ID.toStdString());
        EXPECT_FALSE(ids.contains(c->MCV_ID)) << "repeated class id";
        ids.insert(c->MCV_ID);
        // The form sorts the display order as text: a fixed width keeps that the numeric order.
        EXPECT_EQ(c->MCV_ORDEM_EXIBICAO.size(), 2);
        EXPECT_FALSE(ordensPorGrupo[c->MCV_TGE_VTIP_GRUPO].contains(c->MCV_ORDEM_EXIBICAO));
        ordensPorGrupo[c->MCV_TGE_VTIP_GRUPO].insert(c->MCV_ORDEM_EXIBICAO);
        EXPECT_TRUE(c->MCV_FEC_FIN_VIG.isEmpty() || ehData(c->MCV_FEC_FIN_VIG));
    }

    // Every validity row names a class of the kind its revenue uses: due-date classes sit in group
    // 9999, service classes in the revenue's own group.
    std::map<QString, bool> temVigenciaAberta;
    for (const auto& rc : *receitaClasse) {
        SCOPED_TRACE((rc->MRC_MCV_ID + " / " + rc->MRC_MCR_COD_RCTA).toStdString());
        const auto regra = regrasDe(rc->MRC_MCR_COD_RCTA);
        ASSERT_EQ(regra->Count(), 1);
        const QString flag = regra->Item(1)->MVD_CLASSE_VECTO;
        ASSERT_TRUE(flag == "1" || flag == "2");
        const QString grupo = flag == "2" ? rc->MRC_MCR_COD_RCTA : QStringLiteral("9999");
        EXPECT_EQ(classes->Query_MCV_ID(rc->MRC_MCV_ID, grupo)->Count(), 1);
        ASSERT_TRUE(ehData(rc->MRC_DT_VIGENCIA_INICIO));
        if (rc->MRC_DT_VIGENCIA_FIM.isEmpty()) {
            temVigenciaAberta[rc->MRC_MCR_COD_RCTA] = true;
        } else {
            ASSERT_TRUE(ehData(rc->MRC_DT_VIGENCIA_FIM));
            EXPECT_LE(*lerData(rc->MRC_DT_VIGENCIA_INICIO), *lerData(rc->MRC_DT_VIGENCIA_FIM));
        }
    }
    for (const auto& r : *regras) {
        if (r->MVD_CLASSE_VECTO == "1" || r->MVD_CLASSE_VECTO == "2") {
            EXPECT_TRUE(temVigenciaAberta[r->MVD_MCR_COD_RCTA])
                << "no class in force for " << r->MVD_MCR_COD_RCTA.toStdString();
        }
    }

    // Validity is really checked: a closed row, and a row that starts in the future.
    EXPECT_TRUE(receitaClasse->CLASSE_EH_VALIDA("112", "1147", "01/03/2010", "31/03/2010"));
    EXPECT_FALSE(receitaClasse->CLASSE_EH_VALIDA("112", "1147", "01/03/2020", "31/03/2020"));
    EXPECT_FALSE(receitaClasse->CLASSE_EH_VALIDA("113", "1147", "01/03/2020", "31/03/2020"));
    EXPECT_TRUE(receitaClasse->CLASSE_EH_VALIDA("113", "1147", "01/03/2027", "31/03/2027"));

    // The traffic services of revenue 2135 cover each identification rule of their service codes,
    // and class 480 is among them.
    const auto servicos = classes->Query_MCV_ID("480", "2135");
    ASSERT_EQ(servicos->Count(), 1);
    QSet<QString> ramos;
    for (const auto& c : *classes) {
        if (c->MCV_TGE_VTIP_GRUPO != "2135")
            continue;
        const int s = c->MCV_COD_SERVICO.toInt();
        if (s >= 2422 && s <= 2429)
            ramos.insert("5");
        else if (s >= 2441 && s <= 2448)
            ramos.insert("3");
        else if (s == 2421 || s == 24211 || s == 24212 || s == 2431)
            ramos.insert("2,3");
        else if (c->MCV_COD_SERVICO.startsWith("24"))
            ramos.insert("2,3,5");
        else
            ramos.insert("1,2,3,4");
    }
    EXPECT_EQ(texto(ramos), "1,2,3,4 2,3 2,3,5 3 5");
}

TEST_F(DadosEntregues, PeriodosDeCadaPeriodicidade) {
    ASSERT_EQ(periodicidades->Query_MTP_ID("1,2,3,4,5")->Count(), 5);

    // Periodicity -> periods in a year, and the first characters of the names in year order (the
    // period check reads which third or half of the month from them).
    struct Caso {
        const char* tipo;
        qsizetype porAno;
        QString iniciais;
    };
    const Caso casos[] = {
        {"1", 36, QStringLiteral("123").repeated(12)},
        {"2", 24, QStringLiteral("12").repeated(12)},
        {"3", 12, QStringLiteral("JFMAMJJASOND")},
        {"4", 4, QStringLiteral("1234")},
        {"5", 2, QStringLiteral("12")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tipo);
        const auto lista = periodos->Query_TIPO_PERIODO(c.tipo);
        ASSERT_EQ(lista->Count(), c.porAno);
        QString iniciais;
        for (const auto& p : *lista) {
            iniciais += p->NOM_PERIODO.left(1);
            // A saved period code tells its periodicity back, as when a saved document is reopened.
            const auto mesmoCodigo = periodos->Query_COD_PERIODO(p->COD_PERIODO);
            ASSERT_TRUE(mesmoCodigo);
            EXPECT_EQ(mesmoCodigo->Item(1)->TIPO_PERIODO, c.tipo) << p->COD_PERIODO.toStdString();
            // Codes are stored without leading zeros: the import compares them as converted numbers.
            EXPECT_EQ(p->COD_PERIODO, QString::number(p->COD_PERIODO.toInt()));
            EXPECT_LE(p->COD_PERIODO.toInt(), 99);
        }
        EXPECT_EQ(iniciais, c.iniciais);
    }
    for (int mes = 1; mes <= 12; ++mes)
        EXPECT_EQ(periodos->Query_PERIODO(QString::number(mes), "3")->Count(), 1) << mes;
    EXPECT_EQ(periodos->Query_TIPO_PERIODO("3")->Item(3)->NOM_PERIODO, QStringLiteral("Março"));

    // The import checks quotas against type 7; they share the codes the form lists for quotas.
    const auto quotas = periodos->Query_TIPO_PERIODO("7");
    const auto trimestres = periodos->Query_TIPO_PERIODO("4");
    ASSERT_EQ(quotas->Count(), trimestres->Count());
    for (qsizetype i = 1; i <= quotas->Count(); ++i)
        EXPECT_EQ(quotas->Item(i)->COD_PERIODO, trimestres->Item(i)->COD_PERIODO);
}

TEST_F(DadosEntregues, MunicipiosECertidoesAntigas) {
    ASSERT_GE(municipios->Count(), 30);
    QSet<QString> codigos;
    for (const auto& m : *municipios) {
        SCOPED_TRACE(m->TMU_COD_MUN.toStdString());
        EXPECT_FALSE(codigos.contains(m->TMU_COD_MUN));
        codigos.insert(m->TMU_COD_MUN);
        // The barcode keeps five digits of the code and the import drops leading zeros.
        EXPECT_EQ(m->TMU_COD_MUN.size(), 5);
        EXPECT_FALSE(m->TMU_COD_MUN.startsWith(QLatin1Char('0')));
        EXPECT_EQ(m->TMU_UF_MUN, "OL");
        EXPECT_EQ(m->TMU_NUM_CEP.size(), 8);
        EXPECT_FALSE(m->TMU_NOM_MUN.trimmed().isEmpty());
    }
    ASSERT_GT(certidoes->Count(), 0);
    for (const auto& c : *certidoes) {
        EXPECT_EQ(certidoes->Query_TCN_ID(c->TCN_ID)->Count(), 1) << "certificate listed twice";
        EXPECT_FALSE(c->TCN_ID.startsWith(QLatin1Char('0')));
    }
}

} // namespace
