#include "import/ImportacaoSemJanela.h"

#include "data/Referencias.h"
#include "import/ZovImportacao.h"

#include <QTextStream>

namespace zove {

namespace {

// One line of output per log, whatever line breaks the log lines hold.
QString numaLinha(const QStringList& linhas) {
    QString texto = linhas.join(QStringLiteral("; "));
    texto.replace(QLatin1Char('\r'), QLatin1Char(' '));
    texto.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return texto.simplified();
}

} // namespace

int importaSemJanela(const QString& pastaDados, const QString& arquivo, QTextStream& saida,
                     QTextStream& erros, std::function<QDate()> hoje) {
    const std::unique_ptr<Referencias> refs = Referencias::carregarParaComando(pastaDados, erros);
    if (!refs)
        return 1;
    ZovImportacao importacao(*refs, std::move(hoje));
    const bool ok = importacao.ImportaDados(arquivo);

    for (const QString& linha : importacao.Logs().textos())
        erros << "zove: " << numaLinha({linha}) << '\n';
    // Invalid records past those that keep their lines are counted in one line of the file's log.
    for (const auto& registro : importacao.Zovs().guardados()) {
        if (!registro.importado)
            saida << registro.posicao << ": " << numaLinha(registro.linhas) << '\n';
    }
    const auto& p = importacao.progresso();
    saida << "Registros lidos: " << p.lidos << "; importados: " << p.validos << "; inválidos: " << p.invalidos
          << '\n';
    saida.flush();
    erros.flush();
    return ok ? 0 : 1;
}

} // namespace zove
