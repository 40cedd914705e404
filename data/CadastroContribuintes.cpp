#include "data/CadastroContribuintes.h"

#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace zove::cadastro {

namespace {

constexpr qsizetype kValoresPorLinha = 5;

// Lines end at CR LF, CR or LF: a file edited on another system keeps its lines.
QList<QByteArrayView> linhasDe(QByteArrayView conteudo) {
    QList<QByteArrayView> linhas;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < conteudo.size(); ++i) {
        const char c = conteudo[i];
        if (c != '\r' && c != '\n')
            continue;
        linhas.append(conteudo.sliced(inicio, i - inicio));
        if (c == '\r' && i + 1 < conteudo.size() && conteudo[i + 1] == '\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < conteudo.size())
        linhas.append(conteudo.sliced(inicio));
    return linhas;
}

bool continuacao(unsigned char b) {
    return b >= 0x80 && b <= 0xBF;
}

// True when the bytes hold a well-formed multi-byte UTF-8 sequence. Windows-1252 text practically
// never does (it would take a letter such as "Ã" followed by a symbol such as "‡"), while a file
// saved as UTF-8 always does as soon as it holds an accented letter.
bool temSequenciaUtf8(QByteArrayView bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        qsizetype seguintes = 0;
        if (b >= 0xC2 && b <= 0xDF)
            seguintes = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            seguintes = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            seguintes = 3;
        if (seguintes == 0 || i + seguintes >= bytes.size())
            continue;
        bool completa = true;
        for (qsizetype k = 1; k <= seguintes && completa; ++k)
            completa = continuacao(static_cast<unsigned char>(bytes[i + k]));
        if (completa)
            return true;
    }
    return false;
}

// Why a record line cannot be imported, or an empty text when it can.
QString problemaDaLinha(QByteArrayView linha) {
    if (linha.contains('\0'))
        return QStringLiteral("a linha contém um caractere nulo");
    if (tabulon::MD5Driver::ehLinhaDeDigest(linha))
        return QStringLiteral("a linha começa com \":):)\", a marca da linha de verificação das tabelas");
    for (const char c : linha) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t')
            return QStringLiteral("a linha contém um caractere de controle (código %1)").arg(b);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            return QStringLiteral("a linha contém um byte (0x%1) que não é texto Windows-1252")
                .arg(QString::number(b, 16).toUpper());
    }
    // Two exchange files joined into one: the second header is no taxpayer.
    if (tabulon::semBrancos(tabulon::decodifica1252(linha)) == QLatin1String(Cabecalho))
        return QStringLiteral("a linha repete o cabeçalho; cada arquivo deve ser importado separadamente");
    if (temSequenciaUtf8(linha))
        return QStringLiteral("o texto está em UTF-8; o arquivo deve estar em Windows-1252 (ANSI)");
    if (linha.count('|') + 1 < kValoresPorLinha)
        return QStringLiteral("a linha tem %1 valor(es); são necessários cinco, separados por \"|\"")
            .arg(linha.count('|') + 1);
    return {};
}

LeituraArquivo recusa(qsizetype linha, const QString& motivo) {
    LeituraArquivo r;
    r.linha = linha;
    r.motivo = motivo;
    return r;
}

} // namespace

QString LeituraArquivo::mensagem() const {
    QString texto = QString::fromUtf8(MensagemIncompativel);
    if (linha > 0)
        texto += QStringLiteral("\n\nLinha %1: %2.").arg(linha).arg(motivo);
    else if (!motivo.isEmpty())
        texto += QStringLiteral("\n\n%1.").arg(motivo);
    return texto;
}

namespace {

// Why the first line is not the header, or an empty text when it is.
QString problemaDoCabecalho(QByteArrayView primeira) {
    if (primeira.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("o texto está em UTF-8; o arquivo deve estar em Windows-1252 (ANSI)");
    if (tabulon::semBrancos(tabulon::decodifica1252(primeira)) != QLatin1String(Cabecalho))
        return QStringLiteral("a primeira linha deve ser o cabeçalho %1").arg(QLatin1String(Cabecalho));
    return {};
}

} // namespace

LeituraArquivo confereCabecalho(QByteArrayView inicio, bool continua) {
    LeituraArquivo r;
    r.ok = true;
    if (inicio.isEmpty())
        return r;
    qsizetype fim = 0;
    while (fim < inicio.size() && inicio[fim] != '\r' && inicio[fim] != '\n')
        ++fim;
    if (fim == inicio.size() && continua)
        return recusa(
            1, QStringLiteral("a primeira linha deve ser o cabeçalho %1").arg(QLatin1String(Cabecalho)));
    if (const QString problema = problemaDoCabecalho(inicio.first(fim)); !problema.isEmpty())
        return recusa(1, problema);
    return r;
}

LeituraArquivo leArquivo(QByteArrayView conteudo) {
    const QList<QByteArrayView> linhas = linhasDe(conteudo);
    if (linhas.isEmpty())
        return recusa(0, QStringLiteral("O arquivo está vazio"));

    if (const QString problema = problemaDoCabecalho(linhas.first()); !problema.isEmpty())
        return recusa(1, problema);

    LeituraArquivo r;
    r.contribuintes.reserve(static_cast<size_t>(linhas.size()));
    for (qsizetype n = 1; n < linhas.size(); ++n) {
        const QByteArrayView linha = linhas[n];
        if (linha.isEmpty())
            continue;
        if (const QString problema = problemaDaLinha(linha); !problema.isEmpty())
            return recusa(n + 1, problema);
        // Values stand in header order; surplus values are ignored, as the table loader does.
        tabulon::CONTRIBUINTE c;
        QString* campos[kValoresPorLinha] = {&c.TIPO_DOCUMENTO, &c.DOCUMENTO_IDENTIFICACAO, &c.RAZAO_SOCIAL,
                                             &c.NUM_DDD, &c.NUM_FONE};
        qsizetype inicio = 0;
        for (qsizetype k = 0; k < kValoresPorLinha; ++k) {
            qsizetype fim = linha.indexOf('|', inicio);
            if (fim < 0)
                fim = linha.size();
            *campos[k] = tabulon::decodifica1252(linha.sliced(inicio, fim - inicio));
            inicio = fim + 1;
        }
        c.RAZAO_SOCIAL = tabulon::Init::DecodificaTexto(c.RAZAO_SOCIAL);
        r.contribuintes.push_back(std::move(c));
    }
    r.ok = true;
    return r;
}

namespace {

QString chave(const tabulon::CONTRIBUINTE& c) {
    // "|" can never be part of a value, so it keeps the five values apart.
    return c.TIPO_DOCUMENTO + QLatin1Char('|') + c.DOCUMENTO_IDENTIFICACAO + QLatin1Char('|') +
           c.RAZAO_SOCIAL + QLatin1Char('|') + c.NUM_DDD + QLatin1Char('|') + c.NUM_FONE;
}

} // namespace

Mescla mescla(tabulon::CONTRIBUINTEs& cadastro, const std::vector<tabulon::CONTRIBUINTE>& novos) {
    Mescla m;
    QSet<QString> conhecidos;
    conhecidos.reserve(cadastro.Count() + static_cast<qsizetype>(novos.size()));
    for (const auto& c : cadastro) {
        if (c)
            conhecidos.insert(chave(*c));
    }
    cadastro.reservar(cadastro.Count() + static_cast<qsizetype>(novos.size()));
    for (const auto& novo : novos) {
        if (!conhecidos.contains(chave(novo))) {
            conhecidos.insert(chave(novo));
            cadastro.Add(std::make_shared<tabulon::CONTRIBUINTE>(novo));
            ++m.incluidos;
        } else {
            ++m.repetidos;
        }
    }
    return m;
}

QString nomeCopiaDeSeguranca(const QString& pasta, const QString& tabela, const QDateTime& quando) {
    const QString base =
        tabela + QStringLiteral("_copia_") + quando.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString nome = base;
    for (int n = 2; QFileInfo::exists(QDir(pasta).filePath(nome)); ++n)
        nome = base + QLatin1Char('_') + QString::number(n);
    return nome;
}

} // namespace zove::cadastro
