// zove-gera-lote PASTA_DADOS ARQUIVO N [CADA_INVALIDO [AAAA-MM-DD]]: writes a batch import file of N
// records for the revenues of the data folder, every CADA_INVALIDO-th one with a fault, valid on that
// day (by default today; a fuzz target that judges on a fixed day takes its seeds from that day).
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
        erros << "Uso: zove-gera-lote PASTA_DADOS ARQUIVO N [CADA_INVALIDO [AAAA-MM-DD]]\n";
        return 2;
    }
    const QDate hoje =
        args.size() > 5 ? QDate::fromString(args.at(5), QStringLiteral("yyyy-MM-dd")) : QDate::currentDate();
    if (!hoje.isValid()) {
        erros << "zove-gera-lote: data inválida: " << args.at(5) << '\n';
        return 2;
    }
    try {
        const auto refs = zove::Referencias::carregar(args.at(1));
        const zove::GeradorRegistros gerador(*refs, hoje);
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
