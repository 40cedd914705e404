#include "app/Ambiente.h"

#include "common/Formato.h"
#include "platform/Configuracoes.h"
#include "tabulon/Funcoes.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QStandardPaths>

namespace zove {

bool configuracoesRegionaisOK(const QLocale& locale) {
    const QDate data = locale.toDate(QStringLiteral("25/12/2001"), QLocale::ShortFormat);
    const QString textoData = data.isValid() ? locale.toString(data, QLocale::ShortFormat) : QString();
    const bool dataOK = textoData.startsWith(QStringLiteral("25")) && textoData.size() == 10 &&
                        formato::somenteDigitos(textoData.right(4));

    const QString textoNumero = locale.toString(1000.0, 'f', 2);
    const bool numeroOK = textoNumero.size() >= 6 && textoNumero.at(1) == QLatin1Char('.') &&
                          textoNumero.at(5) == QLatin1Char(',');

    return dataOK && numeroOK;
}

QString corrigeCaminho(const QString& pasta) {
    QString caminho = tabulon::semBrancos(pasta);
    if (!caminho.isEmpty() && !caminho.endsWith(QLatin1Char('/')))
        caminho += QLatin1Char('/');
    return caminho;
}

void apagaImagensCodigoBarras(const QString& pasta) {
    if (pasta.isEmpty())
        return;
    QDir dir(pasta);
    const QStringList imagens =
        dir.entryList({QStringLiteral("_barcode_*.bmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nome : imagens)
        QFile::remove(dir.filePath(nome));
}

QString enderecoEmissaoOnline(const Configuracoes& configuracoes) {
    QString servidor = configuracoes
                           .ler(QStringLiteral("ZOVE"), QStringLiteral("ServidorEmissaoOnline"),
                                QString::fromLatin1(ServidorEmissaoOnlinePadrao))
                           .trimmed();
    if (servidor.isEmpty())
        servidor = QString::fromLatin1(ServidorEmissaoOnlinePadrao);
    while (servidor.endsWith(QLatin1Char('/')))
        servidor.chop(1);
    return servidor + QString::fromLatin1(CaminhoEmissaoOnline);
}

EscolhaPastaDados escolhePastaDaExecucao(const QString& opcaoDados, const Configuracoes& configuracoes) {
    EntradaPastaDados entrada;
    entrada.opcaoDados = opcaoDados;
    entrada.pastaAtual = QDir::currentPath();
    entrada.chaveConfiguracao = configuracoes.ler(QStringLiteral("ZOVE"), QStringLiteral("PastaDados"));
    entrada.pastaPessoal = QDir::homePath();
    entrada.pastaPrograma = QCoreApplication::applicationDirPath();
    entrada.pastaAplicacao = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return escolhePastaDados(entrada);
}

PastaDaExecucao preparaPastaDaExecucao(const QString& opcaoDados, const Configuracoes& configuracoes) {
    PastaDaExecucao p;
    p.escolha = escolhePastaDaExecucao(opcaoDados, configuracoes);
    // Only the user's own folder follows the package; a shared office folder is the office's.
    if (p.escolha.origem == OrigemPastaDados::PastaDoUsuario)
        p.atualizacao =
            atualizaPastaDoUsuario(p.escolha.tabelasEntregues, p.escolha.pasta, QDateTime::currentDateTime());
    return p;
}

} // namespace zove
