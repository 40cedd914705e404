// libFuzzer target for the table loader. The first byte of an input picks one of the fourteen tables
// and whether the content is signed again before the load: a mutated reference table almost never
// keeps a valid digest, and without the signature only the digest check would ever run. What a load
// returns is compared with a plain reading of the same content (split every line at "|", look the
// columns up by name, decode entity names), so a wrong value is caught, not only a crash. A load that
// fails must fail with the loader's own error.
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tabulon;

namespace {

[[noreturn]] void falha(const char* motivo, const QString& detalhe = {}) {
    std::fprintf(stderr, "fuzz_tabulon: %s %s\n", motivo, qPrintable(detalhe));
    std::abort();
}

// The header names as the format defines them: split at "|" keeping blanks, the last one without
// its blanks at both ends, nothing after a final "|"; an empty header leaves one empty name.
QStringList nomesDoCabecalho(const QString& cabecalho) {
    QStringList nomes;
    qsizetype inicio = 0;
    while (inicio < cabecalho.size()) {
        const qsizetype barra = cabecalho.indexOf(QLatin1Char('|'), inicio);
        if (barra < 0) {
            nomes.append(semBrancos(cabecalho.mid(inicio)));
            break;
        }
        nomes.append(cabecalho.mid(inicio, barra - inicio));
        inicio = barra + 1;
    }
    if (nomes.isEmpty())
        nomes.append(QString());
    return nomes;
}

qsizetype posicao(const QStringList& nomes, const char* coluna) {
    const QString procurado = QString::fromLatin1(coluna).toUpper();
    qsizetype achada = 0;
    for (qsizetype i = 0; i < nomes.size(); ++i) {
        if (nomes[i].toUpper() == procurado)
            achada = i;
    }
    return achada;
}

// A successful load must hold exactly the records the plain reading finds.
template <class ColecaoT> void confere(const ColecaoT& colecao, const QByteArray& conteudo) {
    const QList<QByteArray> linhas = separaLinhas(conteudo);
    if (linhas.isEmpty())
        falha("an empty file loaded");
    const QStringList nomes = nomesDoCabecalho(decodifica1252(linhas.first()));
    if (colecao.Campos_Count() != nomes.size() - 1)
        falha("header name count differs");
    for (qsizetype i = 0; i < nomes.size(); ++i) {
        if (colecao.Campo(i) != nomes[i])
            falha("header name differs at", QString::number(i));
    }
    qsizetype n = 0;
    for (qsizetype l = 1; l < linhas.size(); ++l) {
        if (MD5Driver::ehLinhaDeDigest(linhas[l]))
            continue;
        ++n;
        if (n > colecao.Count())
            falha("fewer records than record lines");
        const QList<QByteArray> valores = linhas[l].split('|');
        const auto& registro = *colecao.Item(n);
        for (const auto& def : ColecaoT::RegistroT::campos) {
            const qsizetype p = posicao(nomes, def.coluna);
            if (p >= valores.size())
                falha("a line with too few values loaded");
            QString esperado = decodifica1252(valores[p]);
            if (def.decodificado)
                esperado = Init::DecodificaTexto(esperado);
            if (registro.*(def.membro) != esperado)
                falha("value differs in field", QString::fromLatin1(def.campo));
        }
    }
    if (n != colecao.Count())
        falha("more records than record lines");
}

template <class ColecaoT>
void carrega(const Init& init, std::shared_ptr<ColecaoT> (Init::*carregar)() const,
             const QByteArray& conteudo, const QString& caminho) {
    std::shared_ptr<ColecaoT> colecao;
    try {
        colecao = (init.*carregar)();
    } catch (const ErroExecucao& e) {
        static const QString prefixo = QStringLiteral(" Error Carregando Arquivo de Parametros, ");
        if (!e.Descricao().startsWith(prefixo) || !e.Descricao().endsWith(caminho) || !e.Origem().isEmpty())
            falha("load error without the loader's wording:", e.Descricao());
        switch (e.Numero()) {
        case ErroExecucao::SubscritoForaDoIntervalo:
        case ErroExecucao::ArquivoCorrompido:
        case 62: // empty file
            return;
        default:
            falha("unexpected error number", QString::number(e.Numero()));
        }
    }
    if (!colecao)
        falha("null collection");
    confere(*colecao, conteudo);
}

// The content with a valid digest line at its end. Content that already holds digest lines is signed
// by the signing helper (which also normalises line ends); other content keeps its bytes.
QByteArray assina(const QByteArray& conteudo) {
    for (QByteArrayView l : vistasDasLinhas(conteudo)) {
        if (MD5Driver::ehLinhaDeDigest(l))
            return MD5Driver::assinaConteudo(conteudo);
    }
    QByteArray assinado = conteudo;
    if (!assinado.isEmpty() && !assinado.endsWith('\r') && !assinado.endsWith("\r\n"))
        assinado += "\r\n";
    return assinado + MD5Driver::MarcaDigest + MD5Driver::digestDasLinhas(separaLinhas(conteudo)) + "\r\n";
}

} // namespace

// "fuzz_tabulon --tabelas" prints the table files in the order the first byte of an input picks them,
// one a line, and exits: scripts/fuzz.sh makes its seeds from that list rather than keep one of its own.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i) {
        if (std::strcmp((*argv)[i], "--tabelas") == 0) {
            for (const Init::Tabela& t : Init::Tabelas)
                std::printf("%s\n", t.arquivo);
            std::exit(0);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static QTemporaryDir pasta(QDir::tempPath() + QStringLiteral("/fuzz_tabulon-XXXXXX"));
    if (tamanho < 1)
        return 0;
    const unsigned tabela = (dados[0] & 0x7F) % 14;
    const bool assinar = (dados[0] & 0x80) == 0;
    QByteArray conteudo(reinterpret_cast<const char*>(dados) + 1, static_cast<qsizetype>(tamanho - 1));
    if (assinar && Init::Tabelas[tabela].comDigest)
        conteudo = assina(conteudo);

    const QString caminho = pasta.filePath(QString::fromLatin1(Init::Tabelas[tabela].arquivo));
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(conteudo) != conteudo.size())
        falha("cannot write the table file");
    f.close();

    Init init;
    init.sDiretorioDados(pasta.path());
    switch (tabela) {
    case 0:
        carrega(init, &Init::CarregarMabReceitaClasse, conteudo, caminho);
        break;
    case 1:
        carrega(init, &Init::CarregarMunicipio, conteudo, caminho);
        break;
    case 2:
        carrega(init, &Init::CarregarMabClasseVencimento, conteudo, caminho);
        break;
    case 3:
        carrega(init, &Init::CarregarReceita, conteudo, caminho);
        break;
    case 4:
        carrega(init, &Init::CarregarMabTipoIdentificacao, conteudo, caminho);
        break;
    case 5:
        carrega(init, &Init::CarregarMabTipoPeriodicidade, conteudo, caminho);
        break;
    case 6:
        carrega(init, &Init::CarregarMabTipoReceita, conteudo, caminho);
        break;
    case 7:
        carrega(init, &Init::CarregarMabValidaDoc, conteudo, caminho);
        break;
    case 8:
        carrega(init, &Init::CarregarContribuinte, conteudo, caminho);
        break;
    case 9:
        carrega(init, &Init::CarregarZOV, conteudo, caminho);
        break;
    case 10:
        carrega(init, &Init::CarregarParametros, conteudo, caminho);
        break;
    case 11:
        carrega(init, &Init::CarregarPeriodos, conteudo, caminho);
        break;
    case 12:
        carrega(init, &Init::CarregarCertAntigas, conteudo, caminho);
        break;
    default:
        carrega(init, &Init::CarregarTipoDocumentoOrigem, conteudo, caminho);
        break;
    }
    QFile::remove(caminho);
    return 0;
}
