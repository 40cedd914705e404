// zove-gera-lote PASTA_DADOS ARQUIVO N [CADA_INVALIDO]: writes a batch import file of N records for
// the revenues of the data folder, every CADA_INVALIDO-th one with a fault.
#include "data/Referencias.h"
#include "tabulon/ErroExecucao.h"
#include "tools/GeradorRegistros.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream erros(stderr);
    if (args.size() < 4) {
        erros << "Uso: zove-gera-lote PASTA_DADOS ARQUIVO N [CADA_INVALIDO]\n";
        return 2;
    }
    try {
        const auto refs = zove::Referencias::carregar(args.at(1));
        const zove::GeradorRegistros gerador(*refs, QDate::currentDate());
        QFile saida(args.at(2));
        const QByteArray conteudo = gerador.arquivo(args.at(3).toInt(), args.value(4).toInt());
        if (!saida.open(QIODevice::WriteOnly) || saida.write(conteudo) != conteudo.size()) {
            erros << "zove-gera-lote: " << saida.errorString() << '\n';
            return 1;
        }
    } catch (const tabulon::ErroExecucao& e) {
        erros << "zove-gera-lote: " << e.Descricao() << '\n';
        return 1;
    }
    return 0;
}
