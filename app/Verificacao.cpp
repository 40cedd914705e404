#include "app/Verificacao.h"

#include "data/Referencias.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"

#include <QTextStream>

namespace zove {

QList<ResultadoTabela> verificaTabelas(const QString& pastaDados) {
    QList<ResultadoTabela> resultados;
    // The start-up's own list, each table loaded on its own so one failure does not hide the others.
    for (const Referencias::Carga& carga : Referencias::cargas()) {
        ResultadoTabela r;
        r.arquivo = QString::fromLatin1(carga.arquivo);
        try {
            tabulon::Init init;
            init.sDiretorioDados(pastaDados);
            Referencias refs;
            r.registros = carga.carregar(init, refs);
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
