// libFuzzer target for the taxpayer registry import. Each input is imported, through the data facade,
// into a small registry on disk. Afterwards the registry, as the file holds it and as it is loaded, must
// be either exactly what it was (a refused file) or what it was followed, in file order, by the file's
// taxpayers it did not hold yet, as a plain reading of the whole input finds them: nothing half-stored
// may survive. The same input is also read again with blocks and kept lines of a few bytes, chosen by
// its first byte, which must give the same taxpayers and the same refusal.
#include "data/CadastroContribuintes.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace zove;

namespace {

const QByteArray kCabecalho = cadastro::Cabecalho;
// Saved before every input: a taxpayer the inputs may repeat, and accented Windows-1252 text.
const QByteArray kCadastroInicial = kCabecalho + "\r\n3|11122233344|MARIA DA SILVA|61|5551234\r\n"
                                                 "2|12345678000190|CONCEI\xC7\xC3O LTDA|11|1\r\n";
const QByteArray kCabecalhoZOV =
    "NUM_DOCUMENTO|TIPO_DOCUMENTO_IDENT|NUM_DOCUMENTO_IDENT|COD_RECEITA|REFERENCIA|NUM_DOCUMENTO_ORIGEM|"
    "DATA_VENCIMENTO|DATA_CALCULO|VALOR_PRINCIPAL|VALOR_JUROS|VALOR_MULTA|VALOR_CORRECAO|VALOR_TOTAL|"
    "DATA_ATUALIZACAO|COD_UF|COD_MUNICIPIO|COD_CLASSE_VECTO|IMPRESO\r\n";

[[noreturn]] void falha(const char* motivo, const QString& detalhe = {}) {
    std::fprintf(stderr, "fuzz_cadastro: %s %s\n", motivo, qPrintable(detalhe));
    std::abort();
}

using Registro = QStringList;

Registro valores(const tabulon::CONTRIBUINTE& c) {
    return {c.TIPO_DOCUMENTO, c.DOCUMENTO_IDENTIFICACAO, c.RAZAO_SOCIAL, c.NUM_DDD, c.NUM_FONE};
}

QList<Registro> registros(const tabulon::CONTRIBUINTEs& colecao) {
    QList<Registro> r;
    for (const auto& c : colecao) {
        if (c)
            r.append(valores(*c));
    }
    return r;
}

// What the import must make of the input, read the plain way: the whole input split into lines.
struct Esperado {
    bool aceito = false;
    QList<Registro> contribuintes;
};

Esperado leituraSimples(const QByteArray& entrada) {
    Esperado e;
    QList<QByteArray> linhas;
    bool todasEmCrLf = true;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < entrada.size(); ++i) {
        if (entrada[i] != '\r' && entrada[i] != '\n')
            continue;
        linhas.append(entrada.mid(inicio, i - inicio));
        if (entrada[i] == '\r' && i + 1 < entrada.size() && entrada[i + 1] == '\n')
            ++i;
        else
            todasEmCrLf = false;
        inicio = i + 1;
    }
    if (inicio < entrada.size()) {
        linhas.append(entrada.mid(inicio));
        todasEmCrLf = false;
    }
    if (linhas.isEmpty() || entrada.startsWith("\xEF\xBB\xBF") ||
        tabulon::semBrancos(QString::fromLatin1(linhas[0])) != QLatin1String(kCabecalho))
        return e;

    // UTF-8: every line after the header decodes as UTF-8, at least one character is not ASCII, each one
    // is a character Windows-1252 has, and some line does not end in CR LF.
    bool utf8 = !todasEmCrLf;
    bool algumAcento = false;
    for (qsizetype l = 1; l < linhas.size() && utf8; ++l) {
        QStringDecoder decodificador(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString texto = decodificador.decode(linhas[l]);
        if (decodificador.hasError()) {
            utf8 = false;
            break;
        }
        for (const QChar c : texto) {
            if (c.unicode() < 0x80)
                continue;
            algumAcento = true;
            if (c.unicode() < 0xA0 || !tabulon::representavelEm1252(QString(c)))
                utf8 = false;
        }
    }
    if (utf8 && algumAcento)
        return e;

    for (qsizetype l = 1; l < linhas.size(); ++l) {
        const QByteArray& linha = linhas[l];
        if (linha.isEmpty())
            continue;
        if (linha.contains('\0') || tabulon::MD5Driver::ehLinhaDeDigest(linha) || linha.count('|') < 4 ||
            tabulon::semBrancos(QString::fromLatin1(linha)) == QLatin1String(kCabecalho))
            return e;
        const QList<QByteArray> partes = linha.split('|');
        Registro r;
        for (int k = 0; k < 5; ++k)
            r.append(tabulon::decodifica1252(partes[k]));
        r[2] = tabulon::Init::DecodificaTexto(r[2]);
        e.contribuintes.append(r);
    }
    e.aceito = true;
    return e;
}

struct Ambiente {
    // In memory where the system has such a folder: every input writes and locks files.
    QTemporaryDir pasta{QDir(QStringLiteral("/dev/shm")).exists()
                            ? QStringLiteral("/dev/shm/fuzz_cadastro-XXXXXX")
                            : QDir::tempPath() + "/fuzz_cadastro-XXXXXX"};
    QString arquivo;
    mutable bool mudou = true;

    Ambiente() {
        if (!pasta.isValid())
            falha("no temporary folder");
        arquivo = QDir(pasta.path()).filePath(QStringLiteral("CONTRIBUINTE"));
        if (!tabulon::gravaCopia(QDir(pasta.path()).filePath(QStringLiteral("ZOV")), kCabecalhoZOV))
            falha("cannot write ZOV");
    }

    // References over the folder with the initial registry saved.
    std::unique_ptr<Referencias> prepara() const {
        if (mudou && !tabulon::gravaCopia(arquivo, kCadastroInicial))
            falha("cannot write CONTRIBUINTE");
        mudou = false;
        auto refs = std::make_unique<Referencias>();
        refs->sDirDados = pasta.path();
        tabulon::Init init;
        init.sDiretorioDados(pasta.path());
        refs->oCONTRIBUINTEs = init.CarregarContribuinte();
        refs->oZOVs = init.CarregarZOV();
        // No input needs to wait for the disk.
        refs->oZovEnv().defineGravador([](const QString& caminho, const QByteArray& conteudo, QString* erro) {
            return tabulon::gravaCopia(caminho, conteudo, erro);
        });
        return refs;
    }

    QByteArray conteudo() const {
        QFile f(arquivo);
        if (!f.open(QIODevice::ReadOnly))
            falha("CONTRIBUINTE cannot be read");
        return f.readAll();
    }

    QList<Registro> carregados() const {
        tabulon::Init init;
        init.sDiretorioDados(pasta.path());
        return registros(*init.CarregarContribuinte());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static const Ambiente ambiente;
    const QByteArray entrada(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    const auto refs = ambiente.prepara();
    const QList<Registro> antes = registros(*refs->oCONTRIBUINTEs);

    QBuffer buffer;
    buffer.setData(entrada);
    buffer.open(QIODevice::ReadOnly);
    const cadastro::Resultado r = cadastro::importa(*refs, buffer);
    ambiente.mudou = r.ok && r.mescla.incluidos > 0;

    const Esperado esperado = leituraSimples(entrada);
    QList<Registro> depois = antes;
    qsizetype novos = 0;
    QSet<QString> conhecidos;
    for (const Registro& c : antes)
        conhecidos.insert(c.join(QChar(0)));
    bool gravavel = true;
    for (const Registro& c : esperado.contribuintes) {
        if (conhecidos.contains(c.join(QChar(0))))
            continue;
        conhecidos.insert(c.join(QChar(0)));
        depois.append(c);
        ++novos;
        // A name holding an entity name once decoded ("&amp;atilde;") would load back as another name:
        // the facade refuses to write it, and the whole import with it.
        if (tabulon::Init::DecodificaTexto(c[2]) != c[2])
            gravavel = false;
    }

    if (esperado.aceito && gravavel) {
        if (!r.ok)
            falha("a good file was refused:", r.mensagem);
        if (r.mescla.incluidos != novos || r.mescla.repetidos != esperado.contribuintes.size() - novos)
            falha("wrong counts");
        if (registros(*refs->oCONTRIBUINTEs) != depois)
            falha("the loaded registry is not the merge");
        if (ambiente.carregados() != depois)
            falha("the registry file is not the merge");
    } else {
        if (r.ok)
            falha("a bad file was accepted");
        if (!r.mensagem.startsWith(QString::fromUtf8(cadastro::MensagemIncompativel)))
            falha("a refusal without the compatibility message:", r.mensagem);
        if (ambiente.conteudo() != kCadastroInicial)
            falha("a refused file changed the registry file");
        if (registros(*refs->oCONTRIBUINTEs) != antes)
            falha("a refused file changed the loaded registry");
    }

    // The same reading with tiny blocks and kept lines: the same taxpayers, the same refusal.
    const auto lidos = [&](cadastro::TamanhosDeLeitura t, cadastro::LeituraArquivo* leitura) {
        QBuffer b;
        b.setData(entrada);
        b.open(QIODevice::ReadOnly);
        QList<Registro> lista;
        *leitura = cadastro::leArquivo(
            b, [&](tabulon::CONTRIBUINTE&& c) { lista.append(valores(c)); }, t);
        return lista;
    };
    const int escolha = tamanho > 0 ? dados[0] : 0;
    cadastro::LeituraArquivo normal, miuda;
    const QList<Registro> porBlocos = lidos({}, &normal);
    const QList<Registro> porBytes = lidos({1 + escolha % 7, 4 + escolha / 7 % 32}, &miuda);
    if (normal.ok != esperado.aceito)
        falha("the reading and the plain reading disagree");
    if (normal.ok && porBlocos != esperado.contribuintes)
        falha("the reading found other taxpayers");
    if (miuda.ok != normal.ok || miuda.linha != normal.linha || miuda.motivo != normal.motivo)
        falha("small reads refuse differently:", miuda.motivo + QStringLiteral(" / ") + normal.motivo);
    if (porBytes != porBlocos)
        falha("small reads find other taxpayers");
    return 0;
}
