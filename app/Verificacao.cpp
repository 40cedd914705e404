#include "app/Verificacao.h"

#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <QTextStream>
#include <functional>

namespace zove {

namespace {

struct Carga {
    const char* arquivo;
    std::function<qsizetype(const tabulon::Init&)> carregar;
};

template <class Loader> std::function<qsizetype(const tabulon::Init&)> contando(Loader loader) {
    return [loader](const tabulon::Init& init) { return (init.*loader)()->Count(); };
}

// Same order as the start-up.
const QList<Carga>& cargas() {
    using tabulon::Init;
    static const QList<Carga> lista = {
        {"TAB_MUNIC", contando(&Init::CarregarMunicipio)},
        {"mab_classe_vencimento", contando(&Init::CarregarMabClasseVencimento)},
        {"mab_tipo_receita", contando(&Init::CarregarMabTipoReceita)},
        {"mab_tipo_periodicidade", contando(&Init::CarregarMabTipoPeriodicidade)},
        {"PERIODOS", contando(&Init::CarregarPeriodos)},
        {"TAB_CERT_ANTIGA", contando(&Init::CarregarCertAntigas)},
        {"mab_valida_doc", contando(&Init::CarregarMabValidaDoc)},
        {"mab_arrec", contando(&Init::CarregarReceita)},
        {"ZOV", contando(&Init::CarregarZOV)},
        {"CONTRIBUINTE", contando(&Init::CarregarContribuinte)},
        {"mab_tipo_identificacao", contando(&Init::CarregarMabTipoIdentificacao)},
        {"PARAMETROS", contando(&Init::CarregarParametros)},
        {"mab_receita_classe", contando(&Init::CarregarMabReceitaClasse)},
        {"mab_tipo_documento_origem", contando(&Init::CarregarTipoDocumentoOrigem)},
    };
    return lista;
}

} // namespace

QList<ResultadoTabela> verificaTabelas(const QString& pastaDados) {
    QList<ResultadoTabela> resultados;
    for (const Carga& carga : cargas()) {
        ResultadoTabela r;
        r.arquivo = QString::fromLatin1(carga.arquivo);
        try {
            tabulon::Init init;
            init.sDiretorioDados(pastaDados);
            r.registros = carga.carregar(init);
            r.ok = true;
        } catch (const tabulon::ErroExecucao& e) {
            r.erro = e.Descricao();
        } catch (const std::exception& e) {
            r.erro = QString::fromLocal8Bit(e.what());
        }
        resultados.append(r);
    }
    return resultados;
}

int verificaDados(const QString& pastaDados, QTextStream& saida, const QString& motivo) {
    saida << "Pasta de dados: " << pastaDados;
    if (!motivo.isEmpty())
        saida << " (" << motivo << ')';
    saida << '\n';
    const QList<ResultadoTabela> resultados = verificaTabelas(pastaDados);
    qsizetype carregadas = 0;
    for (const ResultadoTabela& r : resultados) {
        saida << r.arquivo.leftJustified(27);
        if (r.ok) {
            ++carregadas;
            saida << QString::number(r.registros).rightJustified(8)
                  << (r.registros == 1 ? " registro   OK\n" : " registros  OK\n");
        } else {
            // The loader's description already begins with a blank.
            saida << QStringLiteral("-").rightJustified(8) << "            ERRO" << r.erro << '\n';
        }
    }
    const bool tudoOK = carregadas == resultados.size();
    if (tudoOK)
        saida << "Todas as " << resultados.size() << " tabelas foram carregadas e verificadas.\n";
    else
        saida << (resultados.size() - carregadas) << " de " << resultados.size()
              << " tabelas com erro: o ZOVE não iniciará com esta pasta de dados.\n";
    saida.flush();
    return tudoOK ? 0 : 1;
}

} // namespace zove
