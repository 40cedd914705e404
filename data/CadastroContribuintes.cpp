#include "data/CadastroContribuintes.h"

#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <cstring>
#include <unordered_set>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zove::cadastro {

namespace {

constexpr qsizetype kValoresPorLinha = 5;
constexpr qsizetype kTamanhoCabecalho = sizeof(Cabecalho) - 1;

const QString kUtf8 = QStringLiteral("o texto está em UTF-8; o arquivo deve estar em Windows-1252 (ANSI)");

QString semCabecalho() {
    return QStringLiteral("a primeira linha deve ser o cabeçalho %1").arg(QLatin1String(Cabecalho));
}

// Compares a line, as it goes by, with the header line with blanks of any length around it.
class ComparaCabecalho {
public:
    void reinicia() {
        m_estado = Antes;
        m_casados = 0;
    }
    void le(char c) {
        switch (m_estado) {
        case Antes:
            if (c == ' ')
                return;
            m_estado = Dentro;
            [[fallthrough]];
        case Dentro:
            if (m_casados < kTamanhoCabecalho && c == Cabecalho[m_casados])
                ++m_casados;
            else
                m_estado = m_casados == kTamanhoCabecalho && c == ' ' ? Depois : Diferente;
            return;
        case Depois:
            if (c != ' ')
                m_estado = Diferente;
            return;
        case Diferente:
            return;
        }
    }
    bool diferente() const { return m_estado == Diferente; }
    bool igual() const { return m_estado != Diferente && m_casados == kTamanhoCabecalho; }

private:
    enum { Antes, Dentro, Depois, Diferente } m_estado = Antes;
    qsizetype m_casados = 0;
};

// Whether the file is UTF-8 rather than Windows-1252. Every UTF-8 byte sequence is also Windows-1252
// text the program may store ("Ã§"), so nothing in one line can tell. The whole file can: text typed in
// UTF-8 reads as UTF-8 throughout and gives characters of the code page, while Windows-1252 accents are
// followed by plain letters or spaces ("JOSÉ SILVA"), which no UTF-8 sequence allows, or form a sequence
// of some unrelated script ("CAFÉ–BAR" reads as U+0256). The program itself always ends its lines in
// CR LF, so a file that does so throughout is never taken for UTF-8: its own export is always accepted.
class PalpiteUtf8 {
public:
    bool decidido() const { return !m_possivel; }
    bool pendente() const { return m_faltam > 0; }

    // Bytes from 0x80 up, and any byte while a sequence is open.
    void le(unsigned char b, qsizetype linha) {
        if (m_faltam == 0) {
            if (b >= 0xC2 && b <= 0xDF)
                abre(1, b & 0x1F, 0x80);
            else if (b >= 0xE0 && b <= 0xEF)
                abre(2, b & 0x0F, 0x800);
            else if (b >= 0xF0 && b <= 0xF4)
                abre(3, b & 0x07, 0x10000);
            else
                m_possivel = false;
            return;
        }
        if (b < 0x80 || b > 0xBF) {
            m_possivel = false;
            return;
        }
        m_codigo = (m_codigo << 6) | (b & 0x3F);
        if (--m_faltam > 0)
            return;
        // Only characters the code page has: a UTF-8 file meant for this program holds nothing else.
        const bool doCodigo = m_codigo >= m_minimo && m_codigo >= 0xA0 && m_codigo <= 0xFFFF &&
                              tabulon::representavelEm1252(QString(QChar(char16_t(m_codigo))));
        if (!doCodigo)
            m_possivel = false;
        else if (m_linha == 0)
            m_linha = linha;
    }
    void fimDeLinha(bool crlf) {
        if (m_faltam > 0)
            m_possivel = false;
        if (!crlf)
            m_foraDoFormatoDoPrograma = true;
    }
    // The first line with UTF-8 text when the file is UTF-8; 0 otherwise.
    qsizetype linhaUtf8() const { return m_possivel && m_foraDoFormatoDoPrograma ? m_linha : 0; }

private:
    void abre(int faltam, char32_t inicio, char32_t minimo) {
        m_faltam = faltam;
        m_codigo = inicio;
        m_minimo = minimo;
    }

    bool m_possivel = true;
    bool m_foraDoFormatoDoPrograma = false;
    int m_faltam = 0;
    char32_t m_codigo = 0;
    char32_t m_minimo = 0;
    qsizetype m_linha = 0;
};

LeituraArquivo recusa(qsizetype linha, const QString& motivo) {
    LeituraArquivo r;
    r.linha = linha;
    r.motivo = motivo;
    return r;
}

class LeitorDeTroca {
public:
    LeitorDeTroca(QIODevice& origem, const std::function<void(tabulon::CONTRIBUINTE&&)>& recebe,
                  TamanhosDeLeitura tamanhos)
        : m_origem(origem), m_recebe(recebe), m_bloco(std::max<qint64>(tamanhos.bloco, 1)),
          m_linhaEmMemoria(std::max<qsizetype>(tamanhos.linhaEmMemoria, 4)) {}

    LeituraArquivo le() {
        QByteArray bloco(m_bloco, Qt::Uninitialized);
        qint64 posicao = m_origem.pos();
        bool crAberto = false; // the block before ended in CR: an LF first belongs to it
        bool vazio = true;
        if (m_origem.peek(3) == "\xEF\xBB\xBF")
            return recusa(1, kUtf8);
        comecaLinha(posicao);
        for (;;) {
            const qint64 lidos = m_origem.read(bloco.data(), m_bloco);
            if (lidos < 0)
                return falhaDeLeitura();
            if (lidos == 0)
                break;
            const char* p = bloco.constData();
            const auto n = static_cast<qsizetype>(lidos);
            qsizetype i = 0;
            vazio = false;
            if (crAberto) {
                crAberto = false;
                if (p[0] == '\n') {
                    i = 1;
                    m_inicio = posicao + 1;
                } else {
                    m_palpite.fimDeLinha(false);
                }
            }
            qsizetype trecho = i; // the start of the line's bytes not yet kept
            for (; i < n; ++i) {
                const auto c = static_cast<unsigned char>(p[i]);
                if (c == '\r' || c == '\n') {
                    guarda(p + trecho, p + i);
                    if (auto falha = fimDaLinha(posicao + i))
                        return *falha;
                    if (c == '\n') {
                        m_palpite.fimDeLinha(false);
                    } else if (i + 1 == n) {
                        crAberto = true;
                    } else {
                        m_palpite.fimDeLinha(p[i + 1] == '\n');
                        if (p[i + 1] == '\n')
                            ++i;
                    }
                    trecho = i + 1;
                    comecaLinha(posicao + i + 1);
                    continue;
                }
                ++m_tamanho;
                if (!m_cabecalho.diferente()) {
                    m_cabecalho.le(char(c));
                    // A file of another kind is refused at its first byte that differs, unread.
                    if (m_numero == 1 && m_cabecalho.diferente())
                        return recusa(1, semCabecalho());
                }
                if (c == 0)
                    return recusa(m_numero, QStringLiteral("a linha contém um caractere nulo"));
                if (c == '|' && ++m_barras == kValoresPorLinha) {
                    // The fifth value ends here; what follows is never used.
                    guarda(p + trecho, p + i);
                    m_fimDosValores = posicao + i;
                    trecho = n;
                }
                if ((c >= 0x80 || m_palpite.pendente()) && !m_palpite.decidido())
                    m_palpite.le(c, m_numero);
            }
            guarda(p + std::min(trecho, n), p + n);
            posicao += n;
        }
        if (vazio)
            return recusa(0, QStringLiteral("O arquivo está vazio"));
        if (crAberto) {
            m_palpite.fimDeLinha(false);
        } else if (m_tamanho > 0 || m_numero == 1) {
            if (auto falha = fimDaLinha(posicao))
                return *falha;
            m_palpite.fimDeLinha(false);
        }
        if (const qsizetype linha = m_palpite.linhaUtf8(); linha > 0)
            return recusa(linha, kUtf8);
        LeituraArquivo r;
        r.ok = true;
        return r;
    }

private:
    void comecaLinha(qint64 inicio) {
        ++m_numero;
        m_inicio = inicio;
        m_tamanho = 0;
        m_barras = 0;
        m_fimDosValores = -1;
        m_longa = false;
        m_digest = false;
        m_cabecalho.reinicia();
        // The buffer is kept from line to line, unless a line read again made it large.
        if (m_linha.capacity() > 2 * m_linhaEmMemoria)
            m_linha = QByteArray();
        m_linha.resize(0);
    }

    // Keeps bytes of the line up to its fifth value, as long as the line fits in memory.
    void guarda(const char* de, const char* ate) {
        if (m_longa || m_fimDosValores >= 0 || ate <= de)
            return;
        if (m_linha.size() + (ate - de) > m_linhaEmMemoria) {
            m_longa = true;
            QByteArray comeco = m_linha.left(4);
            comeco.append(de, std::min<qsizetype>(ate - de, 4 - comeco.size()));
            m_digest = tabulon::MD5Driver::ehLinhaDeDigest(comeco);
            m_linha = QByteArray();
            return;
        }
        m_linha.append(de, ate - de);
    }

    std::optional<LeituraArquivo> fimDaLinha(qint64 fim) {
        if (m_numero == 1) {
            if (!m_cabecalho.igual())
                return recusa(1, semCabecalho());
            return std::nullopt;
        }
        if (m_tamanho == 0)
            return std::nullopt;
        if (m_longa ? m_digest : tabulon::MD5Driver::ehLinhaDeDigest(m_linha))
            return recusa(m_numero, QStringLiteral("a linha começa com \"%1\", a marca da linha de "
                                                   "verificação das tabelas")
                                        .arg(QLatin1String(tabulon::MD5Driver::MarcaDigest)));
        // Two exchange files joined into one: the second header is no taxpayer.
        if (m_cabecalho.igual())
            return recusa(m_numero, QStringLiteral("a linha repete o cabeçalho; cada arquivo deve ser "
                                                   "importado separadamente"));
        if (m_barras + 1 < kValoresPorLinha)
            return recusa(
                m_numero,
                QStringLiteral("a linha tem %1 valor(es); são necessários cinco, separados por \"|\"")
                    .arg(m_barras + 1));
        if (m_longa) {
            if (m_fimDosValores < 0)
                m_fimDosValores = fim;
            if (!releValores())
                return falhaDeLeitura();
        }
        entrega(m_linha);
        return std::nullopt;
    }

    // The first five values of a line too long to keep, read again from where the line starts.
    bool releValores() {
        const qint64 depois = m_origem.pos();
        const qint64 tamanho = m_fimDosValores - m_inicio;
        if (!m_origem.seek(m_inicio))
            return false;
        m_linha = m_origem.read(tamanho);
        return m_linha.size() == tamanho && m_origem.seek(depois);
    }

    void entrega(QByteArrayView valores) {
        // A file of one line repeated over and over costs a comparison per line; the copy shares the text.
        if (m_temAnterior && valores == m_valoresAnteriores) {
            m_recebe(tabulon::CONTRIBUINTE(m_anterior));
            return;
        }
        // Values stand in header order; surplus values were never kept.
        tabulon::CONTRIBUINTE c;
        QString* campos[kValoresPorLinha] = {&c.TIPO_DOCUMENTO, &c.DOCUMENTO_IDENTIFICACAO, &c.RAZAO_SOCIAL,
                                             &c.NUM_DDD, &c.NUM_FONE};
        qsizetype inicio = 0;
        for (qsizetype k = 0; k < kValoresPorLinha; ++k) {
            qsizetype fim = valores.indexOf('|', inicio);
            if (fim < 0)
                fim = valores.size();
            *campos[k] = tabulon::decodifica1252(valores.sliced(inicio, fim - inicio));
            inicio = fim + 1;
        }
        c.RAZAO_SOCIAL = tabulon::Init::DecodificaTexto(c.RAZAO_SOCIAL);
        m_temAnterior = valores.size() <= m_linhaEmMemoria;
        if (m_temAnterior) {
            m_valoresAnteriores.resize(0);
            m_valoresAnteriores.append(valores.data(), valores.size());
            m_anterior = c;
        }
        m_recebe(std::move(c));
    }

    LeituraArquivo falhaDeLeitura() const {
        return recusa(0, QStringLiteral("Não foi possível ler o arquivo: %1")
                             .arg(tabulon::motivoEmPortugues(m_origem.errorString())));
    }

    QIODevice& m_origem;
    const std::function<void(tabulon::CONTRIBUINTE&&)>& m_recebe;
    const qint64 m_bloco;
    const qsizetype m_linhaEmMemoria;
    ComparaCabecalho m_cabecalho;
    PalpiteUtf8 m_palpite;
    // The line being read.
    qsizetype m_numero = 0;
    qint64 m_inicio = 0;
    qsizetype m_tamanho = 0;
    qsizetype m_barras = 0;
    qint64 m_fimDosValores = -1; // where the fifth value ends, once its "|" was seen
    bool m_longa = false;        // longer than m_linhaEmMemoria: its bytes are not kept
    bool m_digest = false;       // a long line that starts as a digest line does
    QByteArray m_linha;
    // The taxpayer of the last line handed over, and its values as read.
    bool m_temAnterior = false;
    QByteArray m_valoresAnteriores;
    tabulon::CONTRIBUINTE m_anterior;
};

} // namespace

QString LeituraArquivo::mensagem() const {
    QString texto = QString::fromUtf8(MensagemIncompativel);
    if (linha > 0)
        texto += QStringLiteral("\n\nLinha %1: %2.").arg(linha).arg(motivo);
    else if (!motivo.isEmpty())
        texto += QStringLiteral("\n\n%1.").arg(motivo);
    return texto;
}

LeituraArquivo leArquivo(QIODevice& origem, const std::function<void(tabulon::CONTRIBUINTE&&)>& recebe,
                         TamanhosDeLeitura tamanhos) {
    return LeitorDeTroca(origem, recebe, tamanhos).le();
}

LeituraArquivo leArquivo(QByteArrayView conteudo) {
    QByteArray bytes = QByteArray::fromRawData(conteudo.data(), conteudo.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<tabulon::CONTRIBUINTE> contribuintes;
    LeituraArquivo r =
        leArquivo(buffer, [&](tabulon::CONTRIBUINTE&& c) { contribuintes.push_back(std::move(c)); });
    if (r.ok)
        r.contribuintes = std::move(contribuintes);
    return r;
}

namespace {

struct HashDosValores {
    size_t operator()(const tabulon::CONTRIBUINTE* c) const {
        return qHashMulti(0, c->TIPO_DOCUMENTO, c->DOCUMENTO_IDENTIFICACAO, c->RAZAO_SOCIAL, c->NUM_DDD,
                          c->NUM_FONE);
    }
};
struct MesmosValores {
    bool operator()(const tabulon::CONTRIBUINTE* a, const tabulon::CONTRIBUINTE* b) const {
        return a->TIPO_DOCUMENTO == b->TIPO_DOCUMENTO &&
               a->DOCUMENTO_IDENTIFICACAO == b->DOCUMENTO_IDENTIFICACAO &&
               a->RAZAO_SOCIAL == b->RAZAO_SOCIAL && a->NUM_DDD == b->NUM_DDD && a->NUM_FONE == b->NUM_FONE;
    }
};

// The registry's taxpayers by their five values, pointing at the records themselves: no key is copied.
class Acrescimo {
public:
    explicit Acrescimo(tabulon::CONTRIBUINTEs& cadastro) : m_cadastro(cadastro) {}
    // Appends the taxpayer unless the registry already holds one with the same five values.
    void acrescenta(tabulon::CONTRIBUINTE&& novo) {
        // Made at the first taxpayer: a file that brings none costs nothing for a large registry.
        if (!m_indexado) {
            m_conhecidos.reserve(static_cast<size_t>(m_cadastro.Count()));
            for (const auto& c : m_cadastro) {
                if (c)
                    m_conhecidos.insert(c.get());
            }
            m_indexado = true;
        }
        if (m_conhecidos.contains(&novo)) {
            ++m_mescla.repetidos;
            return;
        }
        auto registro = std::make_shared<tabulon::CONTRIBUINTE>(std::move(novo));
        m_conhecidos.insert(registro.get());
        m_cadastro.Add(std::move(registro));
        ++m_mescla.incluidos;
    }
    const Mescla& mescla() const { return m_mescla; }

private:
    tabulon::CONTRIBUINTEs& m_cadastro;
    std::unordered_set<const tabulon::CONTRIBUINTE*, HashDosValores, MesmosValores> m_conhecidos;
    bool m_indexado = false;
    Mescla m_mescla;
};

const QString kCONTRIBUINTE = QLatin1String(tabulon::CONTRIBUINTE::arquivo);

QString nativo(const QString& caminho) {
    return QDir::toNativeSeparators(caminho);
}

Resultado falha(const QString& mensagem, bool doSistema = false) {
    Resultado r;
    r.mensagem = mensagem;
    r.falhaDoSistema = doSistema;
    return r;
}

QString incompativelPorque(const QString& motivo) {
    return QString::fromUtf8(MensagemIncompativel) + QStringLiteral("\n\n") + motivo;
}

// Opens a file for reading only when it is a regular file: opening a pipe waits for a writer, and a
// device such as /dev/zero never ends. The check is made on the file opened, so nothing can swap it.
bool abreArquivoComum(const QString& caminho, QFile& arquivo, QString* motivo) {
    const auto ilegivel = [&](const QString& porque) {
        *motivo = QStringLiteral("Não foi possível ler o arquivo %1: %2.").arg(nativo(caminho), porque);
        return false;
    };
#ifdef Q_OS_UNIX
    // Without waiting: a pipe opens at once, to be refused below.
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return ilegivel(tabulon::motivoEmPortugues(QString::fromLocal8Bit(std::strerror(errno))));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const QString tipo = S_ISDIR(info.st_mode)    ? QStringLiteral("é uma pasta")
                             : S_ISFIFO(info.st_mode) ? QStringLiteral("é um pipe")
                             : S_ISSOCK(info.st_mode) ? QStringLiteral("é um soquete")
                                                      : QStringLiteral("é um dispositivo");
        ::close(fd);
        *motivo = QStringLiteral("%1 não é um arquivo comum (%2); escolha um arquivo de contribuintes.")
                      .arg(nativo(caminho), tipo);
        return false;
    }
    // A regular file never makes a read wait; the flag was only for the opening.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!arquivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ilegivel(tabulon::motivoEmPortugues(arquivo.errorString()));
    }
    return true;
#else
    const QFileInfo info(caminho);
    if (info.exists() && !info.isFile()) {
        *motivo = QStringLiteral("%1 não é um arquivo comum; escolha um arquivo de contribuintes.")
                      .arg(nativo(caminho));
        return false;
    }
    arquivo.setFileName(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return ilegivel(tabulon::motivoEmPortugues(arquivo.errorString()));
    return true;
#endif
}

// The folder with links resolved when it exists, so two spellings of one folder compare equal.
QString pastaReal(const QString& pasta) {
    const QFileInfo info(pasta);
    const QString canonica = info.canonicalFilePath();
    return QDir::cleanPath(canonica.isEmpty() ? info.absoluteFilePath() : canonica);
}

// True when the file would sit in the data folder or in a folder below it.
bool dentroDaPasta(const QString& arquivo, const QString& pasta) {
    const QString destino = pastaReal(QFileInfo(arquivo).absolutePath());
    const QString dados = pastaReal(pasta);
    return destino.compare(dados, Qt::CaseInsensitive) == 0 ||
           destino.startsWith(dados + QLatin1Char('/'), Qt::CaseInsensitive);
}

} // namespace

Mescla mescla(tabulon::CONTRIBUINTEs& cadastro, const std::vector<tabulon::CONTRIBUINTE>& novos) {
    Acrescimo acrescimo(cadastro);
    cadastro.reservar(cadastro.Count() + static_cast<qsizetype>(novos.size()));
    for (const auto& novo : novos)
        acrescimo.acrescenta(tabulon::CONTRIBUINTE(novo));
    return acrescimo.mescla();
}

Resultado importa(Referencias& refs, QIODevice& origem) {
    // The file is read under the batch step's locks, straight into the editable copy of the registry:
    // only what is new is kept, and a refusal found at any line leaves everything as it was.
    std::optional<LeituraArquivo> leitura;
    Mescla m;
    const ResultadoAlteracao r = refs.oZovEnv().JuntaContribuintes(
        [&](const std::function<void(tabulon::CONTRIBUINTE &&)>& acrescenta, QString*) {
            leitura = leArquivo(origem, acrescenta);
            return leitura->ok;
        },
        &m);
    if (leitura && !leitura->ok)
        return falha(leitura->mensagem());
    if (!r)
        return falha(incompativelPorque(r.erro), true);
    Resultado ok;
    ok.ok = true;
    ok.mescla = m;
    return ok;
}

Resultado importaArquivo(Referencias& refs, const QString& caminho) {
    QFile arquivo;
    QString motivo;
    if (!abreArquivoComum(caminho, arquivo, &motivo))
        return falha(incompativelPorque(motivo));
    return importa(refs, arquivo);
}

Resultado exporta(const QString& pastaDados, const QString& destino, const Gravador& gravador) {
    if (dentroDaPasta(destino, pastaDados)) {
        return falha(
            QStringLiteral("O cadastro de contribuintes não pode ser exportado para a pasta de dados do "
                           "programa (%1). Escolha outra pasta.")
                .arg(nativo(pastaDados)));
    }
    // The copy replaces the destination by renaming a new file over it: a device or a pipe (as root,
    // "/dev/null" itself) would be replaced by a plain file.
    if (const QFileInfo alvo(destino); alvo.exists() && !alvo.isFile()) {
        return falha(
            QStringLiteral("%1 não é um arquivo comum (%2); escolha um arquivo para a cópia do cadastro.")
                .arg(nativo(destino), alvo.isDir() ? QStringLiteral("é uma pasta")
                                                   : QStringLiteral("é um dispositivo ou um pipe")));
    }
    QString erro;
    QByteArray conteudo;
    try {
        conteudo = tabulon::AbreArquivo(tabulon::caminhoNaPasta(pastaDados, kCONTRIBUINTE));
    } catch (const tabulon::ErroExecucao& e) {
        erro = QStringLiteral("%1 (%2)").arg(e.Descricao(), nativo(QDir(pastaDados).filePath(kCONTRIBUINTE)));
    }
    if (!erro.isEmpty() || !gravador(destino, conteudo, &erro)) {
        return falha(QStringLiteral("Não foi possível exportar o cadastro de contribuintes para %1.\n\n%2")
                         .arg(nativo(destino), erro),
                     true);
    }
    Resultado r;
    r.ok = true;
    return r;
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

namespace zove {

// The facade's merge of taxpayers, kept beside the rule it applies.
ResultadoAlteracao ZovEnv_Simulator::JuntaContribuintes(const FonteDeContribuintes& fonte,
                                                        cadastro::Mescla* mescla) {
    return AlteraEmLote([&](tabulon::ZOVs&, tabulon::CONTRIBUINTEs& contribuintes, QString* erro) {
        cadastro::Acrescimo acrescimo(contribuintes);
        const bool lido = fonte([&](tabulon::CONTRIBUINTE&& c) { acrescimo.acrescenta(std::move(c)); }, erro);
        if (mescla)
            *mescla = acrescimo.mescla();
        return lido;
    });
}

} // namespace zove
