#include "import/ZovImportacao.h"

#include "data/Referencias.h"
#include "import/LoteImportacao.h"
#include "import/RegistroZove.h"
#include "tabulon/Funcoes.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zove {

namespace {

// Reads a file line by line in blocks, keeping at most `limite` + 1 bytes of any line: a file without
// line breaks, or with a huge line, never has to fit in memory.
class LeitorDeLinhas {
public:
    LeitorDeLinhas(QIODevice& dispositivo, qsizetype limite) : m_dispositivo(dispositivo), m_limite(limite) {}

    // The next line without its terminator; false at the end of the file. A line ends at LF, CR LF or a
    // lone CR, as a text line input reads them; a last line without terminator is read too.
    bool proxima(QByteArray& linha) {
        linha.clear();
        bool leuAlgo = false;
        for (;;) {
            if (m_pos >= m_bloco.size()) {
                m_bloco = m_dispositivo.read(kBloco);
                m_pos = 0;
                if (m_bloco.isEmpty())
                    return leuAlgo;
            }
            // The LF of a CR LF split between two blocks belongs to the line already returned.
            if (m_depoisDeCR) {
                m_depoisDeCR = false;
                if (m_bloco.at(m_pos) == '\n') {
                    ++m_pos;
                    continue;
                }
            }
            leuAlgo = true;
            const char* dados = m_bloco.constData();
            const char* fimBloco = dados + m_bloco.size();
            const char* quebra =
                std::find_if(dados + m_pos, fimBloco, [](char c) { return c == '\n' || c == '\r'; });
            const qsizetype fim = quebra - dados;
            const qsizetype cabe = std::max<qsizetype>(0, m_limite + 1 - linha.size());
            linha.append(dados + m_pos, std::min(fim - m_pos, cabe));
            if (quebra != fimBloco) {
                m_pos = fim + 1;
                if (*quebra == '\r') {
                    if (m_pos < m_bloco.size()) {
                        if (m_bloco.at(m_pos) == '\n')
                            ++m_pos;
                    } else {
                        m_depoisDeCR = true;
                    }
                }
                return true;
            }
            m_pos = m_bloco.size();
        }
    }

private:
    static constexpr qint64 kBloco = 1 << 16;
    QIODevice& m_dispositivo;
    qsizetype m_limite;
    QByteArray m_bloco;
    qsizetype m_pos = 0;
    bool m_depoisDeCR = false;
};

constexpr qsizetype kIntervaloProgresso = 256;

} // namespace

ZovImportacao::ZovImportacao(Referencias& refs, std::function<QDate()> hoje)
    : m_refs(refs), m_hoje(hoje ? std::move(hoje) : [] { return QDate::currentDate(); }) {
    m_gravaLote = [this](const LoteImportacao& lote) {
        return m_refs.oZovEnv().AlteraEmLote(
            [&lote](tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes, QString* erro) {
                return lote.aplicaEm(zovs, contribuintes, erro);
            });
    };
}

bool ZovImportacao::ImportaDados(const QString& caminho) {
    m_logs.Reset();
    m_zovs.Reset();
    m_progresso = {};
    m_cancelado = false;

    const QFileInfo info(caminho);
    if (!info.exists() || info.isDir()) {
        m_logs.NewLog(QStringLiteral("Arquivo inexistente: ") + caminho.toLower());
        return false;
    }
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        m_logs.NewLog(QStringLiteral("Erro na abertura do arquivo \n") +
                      tabulon::motivoEmPortugues(arquivo.errorString()));
        return false;
    }

    LoteImportacao lote;
    const QSet<QString> oferecidas = receitasOferecidas(m_refs);
    const ContextoRegras contexto{&m_refs, m_hoje(), &lote, &oferecidas};
    const auto avisa = [this] { return !m_aoProgredir || m_aoProgredir(m_progresso); };

    LeitorDeLinhas leitor(arquivo, tamanhoMaximoLinha);
    QByteArray linha;
    while (leitor.proxima(linha)) {
        auto zov = std::make_shared<ZovRegras>(contexto);
        zov->NewZov(registro::textoDaLinha(linha));
        ++m_progresso.lidos;
        ++(zov->Status() == ZovRegras::Importado ? m_progresso.validos : m_progresso.invalidos);
        m_zovs.Add(std::move(zov));
        if (m_progresso.lidos % kIntervaloProgresso == 0 && !avisa()) {
            m_cancelado = true;
            break;
        }
    }
    const bool falhaNaLeitura = arquivo.error() != QFileDevice::NoError;
    const QString erroDeLeitura = tabulon::motivoEmPortugues(arquivo.errorString());
    arquivo.close();
    if (!m_cancelado && !avisa())
        m_cancelado = true;

    if (m_cancelado) {
        m_logs.NewLog(QStringLiteral("Importação cancelada. Nenhum ZOVE foi gravado."));
        recusaLote(QStringLiteral("Importação cancelada: o ZOVE não foi gravado."));
        return false;
    }
    if (falhaNaLeitura) {
        m_logs.NewLog(QStringLiteral("Erro na leitura do arquivo \n") + erroDeLeitura);
        recusaLote(QStringLiteral("O arquivo não pôde ser lido até o fim: o ZOVE não foi gravado."));
        return false;
    }
    if (lote.vazio())
        return true;

    const ResultadoAlteracao resultado = m_gravaLote(lote);
    if (!resultado) {
        m_logs.NewLog(QStringLiteral("Os ZOVEs válidos não foram gravados: ") + resultado.erro);
        recusaLote(QStringLiteral("ZOVE não gravado: ") + resultado.erro);
        return false;
    }
    return true;
}

void ZovImportacao::recusaLote(const QString& motivo) {
    for (const auto& zov : m_zovs) {
        if (zov->incluidoNoLote()) {
            zov->recusaGravacao(motivo);
            --m_progresso.validos;
            ++m_progresso.invalidos;
        }
    }
}

} // namespace zove
