// libFuzzer target for the batch import. An input is a batch file; it is imported into a temporary
// copy of the delivered data folder whose saved tables were first given a few documents. Afterwards both
// tables must load, and hold either what they held before (only when the file was refused as UTF-8) or
// that plus exactly what a plain reading of the same input stores: every line cut whole at LF, CR LF
// or a lone CR, judged by the rules on its own, and the accepted documents applied to the tables as
// they were. The plain reading decides on UTF-8 its own way too, and each record's status and kept
// lines must be the ones it finds. So nothing half-stored, and no document the rules did not accept,
// can survive an input unnoticed.
#include "data/LoteDocumentos.h"
#include "data/Referencias.h"
#include "import/RegistroZove.h"
#include "import/ZovImportacao.h"
#include "import/ZovRegras.h"
#include "tabulon/Colecoes.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Init.h"
#include "tabulon/Texto1252.h"
#include "tools/GeradorRegistros.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace zove;

namespace {

const QDate kHoje(2025, 3, 15);

[[noreturn]] void falha(const char* motivo, const QString& detalhe = {}) {
    std::fprintf(stderr, "fuzz_importacao: %s %s\n", motivo, qPrintable(detalhe));
    std::abort();
}

QByteArray le(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        falha("cannot read", caminho);
    return f.readAll();
}

void grava(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(conteudo) != conteudo.size())
        falha("cannot write", caminho);
}

struct Tabelas {
    std::shared_ptr<tabulon::ZOVs> zovs;
    std::shared_ptr<tabulon::CONTRIBUINTEs> contribuintes;
};

Tabelas carrega(const QString& pasta) {
    tabulon::Init init;
    init.sDiretorioDados(pasta);
    try {
        return {init.CarregarZOV(), init.CarregarContribuinte()};
    } catch (const tabulon::ErroExecucao& e) {
        falha("a saved table no longer loads:", e.Descricao());
    }
}

template <class ColecaoT>
void confere(const ColecaoT& esperada, const ColecaoT& gravada, const char* tabela) {
    if (esperada.Count() != gravada.Count())
        falha(tabela,
              QStringLiteral("holds %1 records instead of %2").arg(gravada.Count()).arg(esperada.Count()));
    for (qsizetype i = 1; i <= esperada.Count(); ++i) {
        for (const auto& d : ColecaoT::RegistroT::campos) {
            if ((*esperada.Item(i)).*(d.membro) != (*gravada.Item(i)).*(d.membro))
                falha(tabela,
                      QStringLiteral("record %1, field %2 differs").arg(i).arg(QLatin1String(d.campo)));
        }
    }
}

// The lines as a text line input reads them, each whole.
QList<QByteArray> linhasDe(const QByteArray& conteudo) {
    QList<QByteArray> linhas;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < conteudo.size(); ++i) {
        if (conteudo[i] != '\n' && conteudo[i] != '\r')
            continue;
        linhas.append(conteudo.mid(inicio, i - inicio));
        if (conteudo[i] == '\r' && i + 1 < conteudo.size() && conteudo[i + 1] == '\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < conteudo.size())
        linhas.append(conteudo.mid(inicio));
    return linhas;
}

// UTF-8 as the import decides it, by Qt's decoder: a byte order mark, or text that decodes without error,
// holds characters past ASCII, and only printable ones Windows-1252 has.
bool emUtf8(const QByteArray& conteudo) {
    if (conteudo.startsWith("\xEF\xBB\xBF"))
        return true;
    QStringDecoder decodificador(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = decodificador.decode(conteudo);
    if (decodificador.hasError())
        return false;
    bool alemDoAscii = false;
    for (const QChar c : texto) {
        if (c.unicode() < 0x80)
            continue;
        alemDoAscii = true;
        if (c.unicode() < 0xA0 || !tabulon::representavelEm1252(QString(c)))
            return false;
    }
    return alemDoAscii;
}

struct Ambiente {
    QTemporaryDir raiz{QDir::tempPath() + QStringLiteral("/fuzz_importacao-XXXXXX")};
    QString pasta, base, arquivo;
    std::unique_ptr<Referencias> refs;
    QByteArray zovAntes, contribuintesAntes;
    QSet<QString> oferecidas;

    Ambiente() {
        pasta = raiz.filePath(QStringLiteral("Dados"));
        base = raiz.filePath(QStringLiteral("Base"));
        arquivo = raiz.filePath(QStringLiteral("lote.txt"));
        const QDir entregue(QStringLiteral(ZOVE_SOURCE_DIR "/dados"));
        QDir().mkpath(pasta);
        QDir().mkpath(base);
        for (const QString& nome : entregue.entryList(QDir::Files))
            grava(QDir(pasta).filePath(nome), le(entregue.filePath(nome)));
        refs = Referencias::carregar(pasta);
        // A few saved documents and taxpayers, whose numbers the seeds' records share.
        grava(arquivo, GeradorRegistros(*refs, kHoje).arquivo(6));
        if (!ZovImportacao(*refs, [] { return kHoje; }).ImportaDados(arquivo))
            falha("cannot store the first documents");
        zovAntes = le(QDir(pasta).filePath(QStringLiteral("ZOV")));
        contribuintesAntes = le(QDir(pasta).filePath(QStringLiteral("CONTRIBUINTE")));
        grava(QDir(base).filePath(QStringLiteral("ZOV")), zovAntes);
        grava(QDir(base).filePath(QStringLiteral("CONTRIBUINTE")), contribuintesAntes);
        oferecidas = receitasOferecidas(*refs);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static Ambiente a;
    const QByteArray conteudo(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    // Each input starts from the same saved tables.
    grava(QDir(a.pasta).filePath(QStringLiteral("ZOV")), a.zovAntes);
    grava(QDir(a.pasta).filePath(QStringLiteral("CONTRIBUINTE")), a.contribuintesAntes);
    grava(a.arquivo, conteudo);

    ZovImportacao importacao(*a.refs, [] { return kHoje; });
    const bool ok = importacao.ImportaDados(a.arquivo);
    const Tabelas gravadas = carrega(a.pasta);

    if (emUtf8(conteudo)) {
        if (ok || importacao.Zovs().Count() != 0)
            falha("a UTF-8 file was not refused");
        if (le(QDir(a.pasta).filePath(QStringLiteral("ZOV"))) != a.zovAntes ||
            le(QDir(a.pasta).filePath(QStringLiteral("CONTRIBUINTE"))) != a.contribuintesAntes)
            falha("a refused file changed the tables");
        return 0;
    }
    if (!ok)
        falha("the import failed:", importacao.Logs().textos().join(QLatin1Char('|')));

    LoteDocumentos lote;
    const ContextoRegras contexto{a.refs.get(), kHoje, &lote, &a.oferecidas};
    const QList<QByteArray> linhas = linhasDe(conteudo);
    if (importacao.Zovs().Count() != linhas.size())
        falha("records listed differ from lines", QString::number(importacao.Zovs().Count()));
    qsizetype invalidos = 0;
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        ZovRegras zov(contexto);
        zov.NewZov(tabulon::decodifica1252(linhas[i]));
        const auto lido = importacao.Zovs().Item(i + 1);
        if (lido->Status() != zov.Status())
            falha("status differs on line", QString::number(i + 1));
        const bool comLinhas =
            zov.Status() == ZovRegras::Importado || ++invalidos <= ZovsReg::invalidosComLinhas;
        if (comLinhas &&
            (lido->Logs().textos() != zov.Logs().textos() || lido->RazaoSocial() != zov.RazaoSocial()))
            falha("log or name differs on line", QString::number(i + 1));
    }

    Tabelas esperadas = carrega(a.base);
    QString erro;
    if (!lote.aplicaEm(*esperadas.zovs, *esperadas.contribuintes, &erro))
        falha("the plain reading cannot apply its batch:", erro);
    confere(*esperadas.zovs, *gravadas.zovs, "ZOV");
    confere(*esperadas.contribuintes, *gravadas.contribuintes, "CONTRIBUINTE");
    return 0;
}
