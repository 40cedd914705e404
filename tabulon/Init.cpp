#include "tabulon/Init.h"

#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tabulon {

namespace {

const QString kOrigem = QStringLiteral("Tabulon");

// The entity names in their listed order, with the Latin-1 character each stands for.
constexpr std::array<std::pair<std::string_view, char16_t>, 55> kEntidades{{
    {"&Aacute;", u'\u00C1'}, {"&Egrave;", u'\u00C8'}, {"&ocirc;", u'\u00F4'},  {"&Ccedil;", u'\u00C7'},
    {"&aacute;", u'\u00E1'}, {"&egrave;", u'\u00E8'}, {"&Ograve;", u'\u00D2'}, {"&ccedil;", u'\u00E7'},
    {"&Acirc;", u'\u00C2'},  {"&Euml;", u'\u00CB'},   {"&ograve;", u'\u00F2'}, {"&acirc;", u'\u00E2'},
    {"&euml;", u'\u00EB'},   {"&Ntilde;", u'\u00D1'}, {"&Agrave;", u'\u00C0'}, {"&ntilde;", u'\u00F1'},
    {"&agrave;", u'\u00E0'}, {"&Otilde;", u'\u00D5'}, {"&Aring;", u'\u00C5'},  {"&otilde;", u'\u00F5'},
    {"&Yacute;", u'\u00DD'}, {"&aring;", u'\u00E5'},  {"&Iacute;", u'\u00CD'}, {"&Ouml;", u'\u00D6'},
    {"&yacute;", u'\u00FD'}, {"&Atilde;", u'\u00C3'}, {"&iacute;", u'\u00ED'}, {"&ouml;", u'\u00F6'},
    {"&atilde;", u'\u00E3'}, {"&Icirc;", u'\u00CE'},  {"&Auml;", u'\u00C4'},   {"&icirc;", u'\u00EE'},
    {"&Uacute;", u'\u00DA'}, {"&auml;", u'\u00E4'},   {"&Igrave;", u'\u00CC'}, {"&uacute;", u'\u00FA'},
    {"&igrave;", u'\u00EC'}, {"&Ucirc;", u'\u00DB'},  {"&Iuml;", u'\u00CF'},   {"&ucirc;", u'\u00FB'},
    {"&iuml;", u'\u00EF'},   {"&Ugrave;", u'\u00D9'}, {"&Eacute;", u'\u00C9'}, {"&ugrave;", u'\u00F9'},
    {"&eacute;", u'\u00E9'}, {"&Oacute;", u'\u00D3'}, {"&Uuml;", u'\u00DC'},   {"&Ecirc;", u'\u00CA'},
    {"&oacute;", u'\u00F3'}, {"&uuml;", u'\u00FC'},   {"&thorn;", u'\u00FE'},  {"&ecirc;", u'\u00EA'},
    {"&Ocirc;", u'\u00D4'},  {"&szlig;", u'\u00DF'},  {"&ordm;", u'\u00BA'},
}};

// Each name packed into one integer (at most 8 ASCII characters, one byte each), so a candidate is
// compared with all 55 names by integer comparisons.
constexpr qsizetype kMaiorNome = 8; // "&Aacute;"

constexpr quint64 empacota(std::string_view nome) {
    quint64 v = 0;
    for (size_t i = 0; i < nome.size(); ++i)
        v |= quint64(static_cast<unsigned char>(nome[i])) << (8 * i);
    return v;
}

constexpr std::array<quint64, kEntidades.size()> kChaves = [] {
    std::array<quint64, kEntidades.size()> chaves{};
    for (size_t k = 0; k < kEntidades.size(); ++k)
        chaves[k] = empacota(kEntidades[k].first);
    return chaves;
}();

// The character the candidate names ("&" up to and including the first ";", at most 8 characters),
// or 0 when it is none of the names. Candidates end at their first ";", so two different texts never
// pack alike.
template <class Unidade> char16_t entidade(const Unidade* candidato, qsizetype tamanho) {
    quint64 v = 0;
    for (qsizetype i = 0; i < tamanho; ++i) {
        const auto c = static_cast<char16_t>(candidato[i]);
        if (c >= 0x80)
            return 0;
        v |= quint64(c) << (8 * i);
    }
    for (size_t k = 0; k < kChaves.size(); ++k) {
        if (kChaves[k] == v)
            return kEntidades[k].second;
    }
    return 0;
}

// Windows-1252 bytes to text with the entity names replaced, in one allocation. Names are plain
// ASCII, so this equals DecodificaTexto(decodifica1252(bytes)), through the same walk.
QString decodificaComEntidades(QByteArrayView bytes) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    const auto* amp = static_cast<const char*>(std::memchr(p, '&', size_t(n)));
    if (!amp)
        return decodifica1252(bytes);
    QString texto(n, Qt::Uninitialized);
    QChar* destino = texto.data();
    qsizetype copiado = 0;
    while (amp) {
        const qsizetype i = amp - p;
        const auto* pontoEVirgula =
            static_cast<const char*>(std::memchr(amp, ';', size_t(std::min(kMaiorNome, n - i))));
        qsizetype proximo = i + 1;
        if (pontoEVirgula) {
            const qsizetype fim = pontoEVirgula - p + 1;
            if (const char16_t c = entidade(reinterpret_cast<const unsigned char*>(amp), fim - i)) {
                destino = decodifica1252(bytes.sliced(copiado, i - copiado), destino);
                *destino++ = QChar(c);
                copiado = fim;
                proximo = fim;
            }
        }
        amp = static_cast<const char*>(std::memchr(p + proximo, '&', size_t(n - proximo)));
    }
    destino = decodifica1252(bytes.sliced(copiado), destino);
    texto.truncate(destino - texto.constData());
    return texto;
}

ErroExecucao corrompido(const QString& caminho) {
    return ErroExecucao(ErroExecucao::ArquivoCorrompido, QStringLiteral(" Arquivo Corrompido ") + caminho,
                        kOrigem);
}

// The lines of file content one at a time: a line ends at CR or CR LF (neither belongs to it); a
// final terminator does not start another line.
class Linhas {
public:
    explicit Linhas(QByteArrayView conteudo)
        : m_atual(conteudo.data()), m_fim(conteudo.data() + conteudo.size()) {}

    bool proxima(QByteArrayView& linha) {
        if (m_atual >= m_fim)
            return false;
        const auto* cr = static_cast<const char*>(std::memchr(m_atual, '\r', size_t(m_fim - m_atual)));
        const char* fim = cr ? cr : m_fim;
        linha = QByteArrayView(m_atual, fim - m_atual);
        m_atual = fim;
        if (cr) {
            ++m_atual;
            if (m_atual < m_fim && *m_atual == '\n')
                ++m_atual;
        }
        return true;
    }

private:
    const char* m_atual;
    const char* m_fim;
};

// Checks the digest chain of a reference file's content, fed line by line. The digest line must be
// the last line: lines after it would not be covered by the digest.
class VerificaDigest {
public:
    explicit VerificaDigest(const QString& caminho) : m_caminho(caminho) {}

    void linha(QByteArrayView linha) {
        if (m_achou)
            throw corrompido(m_caminho);
        if (MD5Driver::ehLinhaDeDigest(linha)) {
            m_esperado = linha.sliced(4).toByteArray().toUpper();
            m_achou = true;
        } else {
            m_cadeia.passo(linha);
        }
    }

    void fim() const {
        if (!m_achou || m_esperado != m_cadeia.valor())
            throw corrompido(m_caminho);
    }

private:
    const QString& m_caminho;
    MD5Driver::Cadeia m_cadeia;
    QByteArray m_esperado;
    bool m_achou = false;
};

ErroExecucao linhaCurta(qsizetype linha, qsizetype valores, qsizetype necessaria) {
    return ErroExecucao(ErroExecucao::SubscritoForaDoIntervalo,
                        QStringLiteral("Subscrito fora do intervalo: a linha %1 tem %2 valor(es), "
                                       "a coluna %3 é necessária ")
                            .arg(linha)
                            .arg(valores)
                            .arg(necessaria),
                        kOrigem);
}

// The next "|" in [p, fim), or null. Values are mostly short: a plain scan first, then memchr.
inline const char* proximaBarra(const char* p, const char* fim) {
    for (const char* curto = std::min(p + 16, fim); p < curto; ++p) {
        if (*p == '|')
            return p;
    }
    return p < fim ? static_cast<const char*>(std::memchr(p, '|', size_t(fim - p))) : nullptr;
}

// The texts of one column that repeat (codes, flags, dates, state) share one string instead of one
// allocation per line. A column whose values hardly repeat stops being looked up. Keys are views into
// the file content, which outlives the load.
class Repetidos {
public:
    static constexpr qsizetype kMaiorValor = 48; // longer values seldom repeat

    bool ativo() const { return m_ativo; }

    template <class Converte> QString valor(QByteArrayView bytes, Converte&& converte) {
        quint32 h = 2166136261u; // FNV-1a
        for (char c : bytes)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        ++m_consultas;
        if (m_tabela.empty())
            m_tabela.resize(16);
        size_t mascara = m_tabela.size() - 1;
        size_t i = h & mascara;
        for (; m_tabela[i].bytes.data(); i = (i + 1) & mascara) {
            const Entrada& e = m_tabela[i];
            if (e.hash == h && e.bytes.size() == bytes.size() &&
                std::memcmp(e.bytes.data(), bytes.data(), size_t(bytes.size())) == 0) {
                ++m_acertos;
                return e.texto;
            }
        }
        QString texto = converte();
        if (m_consultas >= 1024 && m_acertos * 4 < m_consultas) {
            m_ativo = false;
            std::vector<Entrada>().swap(m_tabela);
        } else if (m_usadas < kMaximo) {
            m_tabela[i] = {bytes, h, texto};
            if (++m_usadas * 2 > m_tabela.size())
                cresce();
        }
        return texto;
    }

private:
    static constexpr size_t kMaximo = 4096;
    struct Entrada {
        QByteArrayView bytes; // null: a free slot (an empty value is never looked up)
        quint32 hash = 0;
        QString texto;
    };

    void cresce() {
        std::vector<Entrada> antiga(m_tabela.size() * 2);
        antiga.swap(m_tabela);
        const size_t mascara = m_tabela.size() - 1;
        for (Entrada& e : antiga) {
            if (!e.bytes.data())
                continue;
            size_t i = e.hash & mascara;
            while (m_tabela[i].bytes.data())
                i = (i + 1) & mascara;
            m_tabela[i] = std::move(e);
        }
    }

    std::vector<Entrada> m_tabela; // open addressing, a power of two in size
    size_t m_usadas = 0;
    quint64 m_consultas = 0;
    quint64 m_acertos = 0;
    bool m_ativo = true;
};

// Turns record lines into records of one table. Only the values the fields read are located and
// converted: surplus values cost a scan and nothing else, whatever their number.
template <class Registro> class LeitorDeRegistros {
    static constexpr auto& defs = Registro::campos;
    static constexpr size_t N = std::tuple_size_v<std::remove_cvref_t<decltype(defs)>>;

public:
    // linhas: how many records the file may hold, to size the blocks of records.
    template <class ColecaoT>
    LeitorDeRegistros(const ColecaoT& colecao, qsizetype linhas)
        : m_restantes(std::max<qsizetype>(linhas, 1)) {
        // Column positions are resolved once per file, not once per line.
        for (size_t k = 0; k < N; ++k)
            m_ordem[k] = {colecao.Campo_Indice(QLatin1String(defs[k].coluna)), k};
        std::sort(m_ordem.begin(), m_ordem.end());
    }

    // The record of a line, or the error 9 the line raises (empty, or too few values).
    std::shared_ptr<Registro> le(QByteArrayView linha, qsizetype numero) {
        if (linha.isEmpty())
            throw ErroExecucao(
                ErroExecucao::SubscritoForaDoIntervalo,
                QStringLiteral("Subscrito fora do intervalo: a linha %1 está vazia ").arg(numero), kOrigem);
        const char* p = linha.data();
        const qsizetype tamanho = linha.size();
        qsizetype inicio = 0;
        qsizetype valor = 0; // every "|" splits
        size_t j = 0;
        for (;;) {
            const char* barra = proximaBarra(p + inicio, p + tamanho);
            const qsizetype fim = barra ? barra - p : tamanho;
            for (; j < N && m_ordem[j].first == valor; ++j)
                m_valores[m_ordem[j].second] = QByteArrayView(p + inicio, fim - inicio);
            if (j == N)
                break;
            if (!barra)
                throw linhaCurta(numero, valor + 1, m_ordem[N - 1].first + 1);
            inicio = fim + 1;
            ++valor;
        }
        auto registro = novoRegistro();
        for (size_t k = 0; k < N; ++k)
            (*registro).*(defs[k].membro) = texto(k, m_valores[k]);
        return registro;
    }

private:
    QString texto(size_t k, QByteArrayView bytes) {
        if (bytes.isEmpty())
            return QString();
        const auto converte = [&] {
            return defs[k].decodificado ? decodificaComEntidades(bytes) : decodifica1252(bytes);
        };
        Repetidos& r = m_repetidos[k];
        if (!r.ativo() || bytes.size() > Repetidos::kMaiorValor)
            return converte();
        return r.valor(bytes, converte);
    }

    // Records are made in blocks, one allocation each; a record's pointer shares its block.
    std::shared_ptr<Registro> novoRegistro() {
        if (!m_bloco || m_usados == m_bloco->size()) {
            const auto n = static_cast<size_t>(std::clamp<qsizetype>(m_restantes, 1, 256));
            m_bloco = std::make_shared<std::vector<Registro>>(n);
            m_usados = 0;
        }
        --m_restantes;
        return std::shared_ptr<Registro>(m_bloco, &(*m_bloco)[m_usados++]);
    }

    std::array<std::pair<qsizetype, size_t>, N> m_ordem; // (column position, field), by position
    std::array<QByteArrayView, N> m_valores;
    std::array<Repetidos, N> m_repetidos;
    std::shared_ptr<std::vector<Registro>> m_bloco;
    size_t m_usados = 0;
    qsizetype m_restantes;
};

// A table's entry in Tabelas, from what its record type declares.
template <class ColecaoT> constexpr Init::Tabela tabela() {
    using Registro = typename ColecaoT::RegistroT;
    return {Registro::arquivo, Registro::comDigest};
}

} // namespace

const Init::Tabela Init::Tabelas[14] = {
    tabela<MAB_RECEITA_CLASSEs>(),
    tabela<TAB_MUNICs>(),
    tabela<MAB_CLASSE_VENCIMENTOs>(),
    tabela<ARREC_MAB_RECEITAs>(),
    tabela<MAB_TIPO_IDENTIFICACAOs>(),
    tabela<MAB_TIPO_PERIODICIDADEs>(),
    tabela<MAB_TIPO_RECEITAs>(),
    tabela<MAB_VALIDA_DOCs>(),
    tabela<CONTRIBUINTEs>(),
    tabela<ZOVs>(),
    tabela<PARAMETROSs>(),
    tabela<PERIODOSs>(),
    tabela<TAB_CERT_ANTIGAs>(),
    tabela<mab_tipo_documentos>(),
};

// Every name runs from "&" to the first ";" with only letters between, so no two occurrences can
// overlap, and a replacement (one non-ASCII letter) can never complete another name. Replacing the
// names one after the other in the listed order therefore gives the same text as this single pass,
// which the loader can afford on every value of a large table.
QString Init::DecodificaTexto(const QString& valor) {
    qsizetype amp = valor.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return valor;
    QString texto;
    texto.reserve(valor.size());
    qsizetype copiado = 0;
    while (amp >= 0) {
        // Only the next few characters can close a name, which keeps long values linear.
        const QStringView janela = QStringView(valor).sliced(amp, std::min(kMaiorNome, valor.size() - amp));
        const qsizetype fim = janela.indexOf(QLatin1Char(';'));
        qsizetype proximo = amp + 1;
        if (fim > 0) {
            if (const char16_t c = entidade(janela.utf16(), fim + 1)) {
                texto.append(QStringView(valor).sliced(copiado, amp - copiado));
                texto.append(QChar(c));
                copiado = amp + fim + 1;
                proximo = copiado;
            }
        }
        amp = valor.indexOf(QLatin1Char('&'), proximo);
    }
    if (copiado == 0)
        return valor;
    texto.append(QStringView(valor).sliced(copiado));
    return texto;
}

bool Init::ValidaHashDeArchivoMD5(const QString& Source) const {
    const QByteArray conteudo = AbreArquivo(Source);
    VerificaDigest digest(Source);
    Linhas linhas(conteudo);
    for (QByteArrayView linha; linhas.proxima(linha);)
        digest.linha(linha);
    digest.fim();
    return true;
}

// One walk over the file checks the digest and reads the records together. A fault found in the
// records is kept and raised after the digest, whose error takes precedence, has been checked; then
// come the empty file, a NUL byte, and the line faults in file order.
template <class ColecaoT> std::shared_ptr<ColecaoT> Init::carregar() const {
    using Registro = typename ColecaoT::RegistroT;
    constexpr bool comDigest = Registro::comDigest;
    const QString caminho = caminhoNaPasta(m_sDiretorioDados, QString::fromLatin1(Registro::arquivo));
    try {
        const QByteArray conteudo = AbreArquivo(caminho);
        std::optional<ErroExecucao> falha;
        if (const auto* nulo =
                static_cast<const char*>(std::memchr(conteudo.data(), '\0', size_t(conteudo.size())))) {
            // A NUL byte is never table text: it is what a write cut short leaves behind.
            const qsizetype linha = std::count(conteudo.data(), nulo, '\r') + 1;
            falha.emplace(ErroExecucao::ArquivoCorrompido,
                          QStringLiteral("Caractere nulo na linha %1 ").arg(linha), kOrigem);
        }

        auto colecao = std::make_shared<ColecaoT>();
        colecao->Reset();
        std::optional<LeitorDeRegistros<Registro>> leitor;
        std::optional<VerificaDigest> digest;
        if (comDigest)
            digest.emplace(caminho);
        else if (falha)
            throw *falha;
        const qsizetype terminadores = falha ? 0 : std::count(conteudo.begin(), conteudo.end(), '\r');
        colecao->reservar(terminadores);

        Linhas linhas(conteudo);
        qsizetype numero = 0;
        for (QByteArrayView linha; linhas.proxima(linha);) {
            ++numero;
            if (digest)
                digest->linha(linha);
            if (falha)
                continue; // only the digest still needs the lines
            if (numero == 1) {
                colecao->Inicializa_Array_Campos(decodifica1252(linha));
                leitor.emplace(*colecao, terminadores);
                continue;
            }
            if (MD5Driver::ehLinhaDeDigest(linha))
                continue;
            try {
                colecao->Add(leitor->le(linha, numero));
            } catch (const ErroExecucao& e) {
                if (!digest)
                    throw;
                falha = e;
            }
        }
        if (digest)
            digest->fim();
        if (numero == 0)
            throw ErroExecucao(62, QStringLiteral("Arquivo vazio, sem a linha de cabeçalho "), kOrigem);
        if (falha)
            throw *falha;
        return colecao;
    } catch (const ErroExecucao& e) {
        throw ErroExecucao(e.Numero(), QStringLiteral(" Error Carregando Arquivo de Parametros, ") +
                                           e.Descricao() + caminho);
    } catch (const std::bad_alloc&) {
        throw ErroExecucao(
            7, QStringLiteral(" Error Carregando Arquivo de Parametros, Memória insuficiente ") + caminho);
    } catch (const std::exception& e) {
        throw ErroExecucao(51, QStringLiteral(" Error Carregando Arquivo de Parametros, Erro interno (") +
                                   QString::fromLocal8Bit(e.what()) + QStringLiteral(") ") + caminho);
    }
}

std::shared_ptr<MAB_RECEITA_CLASSEs> Init::CarregarMabReceitaClasse() const {
    return carregar<MAB_RECEITA_CLASSEs>();
}
std::shared_ptr<TAB_MUNICs> Init::CarregarMunicipio() const {
    return carregar<TAB_MUNICs>();
}
std::shared_ptr<MAB_CLASSE_VENCIMENTOs> Init::CarregarMabClasseVencimento() const {
    return carregar<MAB_CLASSE_VENCIMENTOs>();
}
std::shared_ptr<ARREC_MAB_RECEITAs> Init::CarregarReceita() const {
    return carregar<ARREC_MAB_RECEITAs>();
}
std::shared_ptr<MAB_TIPO_IDENTIFICACAOs> Init::CarregarMabTipoIdentificacao() const {
    return carregar<MAB_TIPO_IDENTIFICACAOs>();
}
std::shared_ptr<MAB_TIPO_PERIODICIDADEs> Init::CarregarMabTipoPeriodicidade() const {
    return carregar<MAB_TIPO_PERIODICIDADEs>();
}
std::shared_ptr<MAB_TIPO_RECEITAs> Init::CarregarMabTipoReceita() const {
    return carregar<MAB_TIPO_RECEITAs>();
}
std::shared_ptr<MAB_VALIDA_DOCs> Init::CarregarMabValidaDoc() const {
    return carregar<MAB_VALIDA_DOCs>();
}
std::shared_ptr<CONTRIBUINTEs> Init::CarregarContribuinte() const {
    return carregar<CONTRIBUINTEs>();
}
std::shared_ptr<ZOVs> Init::CarregarZOV() const {
    return carregar<ZOVs>();
}
std::shared_ptr<PARAMETROSs> Init::CarregarParametros() const {
    return carregar<PARAMETROSs>();
}
std::shared_ptr<PERIODOSs> Init::CarregarPeriodos() const {
    return carregar<PERIODOSs>();
}
std::shared_ptr<TAB_CERT_ANTIGAs> Init::CarregarCertAntigas() const {
    return carregar<TAB_CERT_ANTIGAs>();
}
std::shared_ptr<mab_tipo_documentos> Init::CarregarTipoDocumentoOrigem() const {
    return carregar<mab_tipo_documentos>();
}

} // namespace tabulon
