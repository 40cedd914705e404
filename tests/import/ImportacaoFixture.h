#pragma once
// A temporary copy of the delivered data folder with its tables loaded, a fixed "today", and helpers
// to build batch records from the generator's valid ones.
#include "data/Referencias.h"
#include "import/RegistroZove.h"
#include "import/ZovRegras.h"
#include "support/TestSupport.h"
#include "tools/GeradorRegistros.h"

#include <QDate>
#include <gtest/gtest.h>
#include <memory>

namespace teste {

inline const QDate kHoje(2025, 3, 15);

class ImportacaoTeste : public ::testing::Test {
protected:
    void SetUp() override {
        refs = zove::Referencias::carregar(pasta.caminho());
        gerador = std::make_unique<zove::GeradorRegistros>(*refs, kHoje);
    }

    // The record with one field replaced (numbers zero-filled, the name blank-padded, unless the value
    // already fills the field).
    static QString comCampo(QString registro, zove::registro::Campo campo, const QString& valor) {
        const auto& p = zove::registro::posicoes[campo];
        QString v = valor;
        if (v.size() < p.tamanho)
            v = campo == zove::registro::RazaoSocial || campo == zove::registro::CodClasseVencimento
                    ? v.leftJustified(p.tamanho, QLatin1Char(' '))
                    : v.rightJustified(p.tamanho, QLatin1Char('0'));
        registro.replace(p.inicio - 1, p.tamanho, v);
        return registro;
    }

    QString valido(const QString& receita, int i = 0) const { return gerador->registro(receita, i); }

    // Judges a record without storing it.
    std::unique_ptr<zove::ZovRegras> julga(const QString& linha) const {
        auto zov = std::make_unique<zove::ZovRegras>(zove::ContextoRegras{refs.get(), kHoje, nullptr});
        zov->NewZov(linha);
        return zov;
    }

    PastaDados pasta;
    std::unique_ptr<zove::Referencias> refs;
    std::unique_ptr<zove::GeradorRegistros> gerador;
};

} // namespace teste
