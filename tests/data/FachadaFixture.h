#pragma once
// A data folder with the delivered ZOV and CONTRIBUINTE files, references loaded over it and a few
// reference records built in memory, for the tests of the data facade.
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "support/TestSupport.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

namespace teste {

inline const QString kCabecalhoZOV = QStringLiteral(
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO");
inline const QString kCabecalhoCONTRIBUINTE =
    QStringLiteral("TIPO_DOCUMENTO|DOCUMENTO_IDENTIFICACAO|RAZAO_SOCIAL|NUM_DDD|NUM_FONE");

// One record line of the ZOV file.
inline QString linhaZOV(const QString& num, const QString& receita = QStringLiteral("100"),
                        const QString& ident = QStringLiteral("11122233344"),
                        const QString& impresso = QStringLiteral("0"),
                        const QString& uf = QStringLiteral("OL")) {
    return QStringLiteral("%1|3|%2|%3|200503|0|10/04/2005|30/04/2005|100,5|0|0|0|100,5|01/04/2005|%4|0|0|%5")
        .arg(num, ident, receita, uf, impresso);
}

// The stored fields of a record, in record order.
template <class Registro> QStringList valores(const Registro& r) {
    QStringList v;
    for (const auto& d : Registro::campos)
        v.append(r.*(d.membro));
    return v;
}

// The records' stored fields, in order; empty slots hold nothing to compare and are left out.
template <class ColecaoT> QList<QStringList> registros(const ColecaoT& c) {
    QList<QStringList> linhas;
    for (const auto& r : c) {
        if (r)
            linhas.append(valores(*r));
    }
    return linhas;
}

class FachadaTeste : public ::testing::Test {
protected:
    void SetUp() override {
        refs.sDirDados = pasta.caminho();
        carregaTabelas();

        refs.oARREC_MAB_RECEITAs = std::make_shared<tabulon::ARREC_MAB_RECEITAs>();
        receita(QStringLiteral("100"), QStringLiteral("ICMS"), QStringLiteral("1"));
        receita(QStringLiteral("200"), QStringLiteral("TAXA DE SERVIÇO"), QStringLiteral("2"));
        receita(QStringLiteral("100"), QStringLiteral("ICMS REPETIDO"), QStringLiteral("9"));
    }

    void receita(const QString& cod, const QString& nome, const QString& tipo) {
        const QString v;
        refs.oARREC_MAB_RECEITAs->NewReceita(cod, nome, v, v, v, v, v, v, v, v, v, v, v, QStringLiteral("1"),
                                             v, v, v, tipo);
    }

    QString arquivo(const QString& nome) const { return pasta.arquivo(nome); }
    QByteArray bytes(const QString& nome) const { return leArquivo(arquivo(nome)); }

    void escreveZOV(const QStringList& registros, const QString& cabecalho = kCabecalhoZOV) {
        escreveTabela(arquivo(QStringLiteral("ZOV")), QStringList{cabecalho} + registros, false);
    }
    void escreveCONTRIBUINTE(const QStringList& registros) {
        escreveTabela(arquivo(QStringLiteral("CONTRIBUINTE")),
                      QStringList{kCabecalhoCONTRIBUINTE} + registros, false);
    }

    // Loads ZOV and CONTRIBUINTE from the folder into the references, as start-up does.
    void carregaTabelas() {
        tabulon::Init init;
        init.sDiretorioDados(pasta.caminho());
        refs.oZOVs = init.CarregarZOV();
        refs.oCONTRIBUINTEs = init.CarregarContribuinte();
    }

    // What a fresh load of the files holds now.
    std::shared_ptr<tabulon::ZOVs> zovsNoArquivo() const {
        tabulon::Init init;
        init.sDiretorioDados(pasta.caminho());
        return init.CarregarZOV();
    }
    std::shared_ptr<tabulon::CONTRIBUINTEs> contribuintesNoArquivo() const {
        tabulon::Init init;
        init.sDiretorioDados(pasta.caminho());
        return init.CarregarContribuinte();
    }

    zove::ResultadoAlteracao insere(const QString& receita = QStringLiteral("100"),
                                    const QString& ident = QStringLiteral("11122233344"),
                                    const QString& referencia = QStringLiteral("200503")) {
        return fachada().ZOVInsert(receita, QStringLiteral("01/04/2005"), QStringLiteral("30/04/2005"),
                                   QStringLiteral("10/04/2005"), ident, QStringLiteral("0"), referencia,
                                   QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("0"),
                                   QStringLiteral("0"), QStringLiteral("100,5"), QStringLiteral("100,5"),
                                   QStringLiteral("0"), QStringLiteral("0"));
    }

    zove::ZovEnv_Simulator& fachada() { return refs.oZovEnv(); }

    PastaDados pasta;
    zove::Referencias refs;
};

} // namespace teste
