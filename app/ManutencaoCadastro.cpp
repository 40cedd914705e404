#include "app/ManutencaoCadastro.h"

#include "app/Ambiente.h"
#include "data/CadastroContribuintes.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/DialogosArquivo.h"
#include "platform/Mensagens.h"
#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zove {

const QString ManutencaoCadastro::TituloExportacao =
    QStringLiteral("Exportação de arquivos de dados do Contribuinte do ZOVE");
const QString ManutencaoCadastro::TituloImportacao =
    QStringLiteral("Importação de arquivos de dados do Contribuinte do ZOVE");
const QString ManutencaoCadastro::Filtro = QStringLiteral("Arquivo de Contribuinte do ZOVE (TXT)|*.txt");
const QString ManutencaoCadastro::MensagemLimpa = QStringLiteral("A base de dados está limpa !");
const QString ManutencaoCadastro::PerguntaLimpar =
    QStringLiteral("Todos os documentos salvos e todos os contribuintes cadastrados serão apagados.\n"
                   "Antes disso, uma cópia de cada arquivo fica guardada na pasta de dados.\n\n"
                   "Deseja limpar a base de dados?");

namespace {

const QString kCONTRIBUINTE = QStringLiteral("CONTRIBUINTE");
const QString kZOV = QStringLiteral("ZOV");
// Far more than a header line with blanks around it.
constexpr qint64 kInicioLido = 64 * 1024;

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

// The table file's bytes, or the reason it cannot be read.
std::optional<QByteArray> leTabela(const QString& pasta, const QString& nome, QString* erro) {
    try {
        return tabulon::AbreArquivo(tabulon::caminhoNaPasta(pasta, nome));
    } catch (const tabulon::ErroExecucao& e) {
        *erro = QStringLiteral("%1 (%2)").arg(e.Descricao(),
                                              QDir::toNativeSeparators(QDir(pasta).filePath(nome)));
        return std::nullopt;
    }
}

} // namespace

ManutencaoCadastro::ManutencaoCadastro(Referencias& refs, Plataforma plataforma,
                                       std::function<QDateTime()> relogio)
    : m_refs(refs), m_plataforma(plataforma), m_relogio(std::move(relogio)),
      m_gravador([](const QString& caminho, const QByteArray& conteudo, QString* erro) {
          return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
      }) {}

void ManutencaoCadastro::mostra(QWidget* pai, const QString& texto, Mensagens::Icone icone,
                                const QString& titulo) {
    m_plataforma.mensagens.mostrar(pai, texto, Mensagens::Botoes::OK, icone, titulo);
}

void ManutencaoCadastro::exportar(QWidget* pai) {
    const QString destino = m_plataforma.dialogos.salvar(pai, TituloExportacao, Filtro, QString());
    if (destino.isEmpty())
        return;
    const QString erroTitulo = QStringLiteral("Erro");
    const auto critico = Mensagens::Icone::Critico;
    // A copy among the program's own tables could be taken for one of them, or replace one.
    if (dentroDaPasta(destino, m_refs.sDirDados)) {
        mostra(pai,
               QStringLiteral("O cadastro de contribuintes não pode ser exportado para a pasta de dados do "
                              "programa (%1). Escolha outra pasta.")
                   .arg(QDir::toNativeSeparators(m_refs.sDirDados)),
               Mensagens::Icone::Exclamacao, QString::fromLatin1(TituloPrograma));
        return;
    }
    QString erro;
    const std::optional<QByteArray> conteudo = leTabela(m_refs.sDirDados, kCONTRIBUINTE, &erro);
    if (!conteudo || !m_gravador(destino, *conteudo, &erro)) {
        mostra(pai,
               QStringLiteral("Não foi possível exportar o cadastro de contribuintes para %1.\n\n%2")
                   .arg(QDir::toNativeSeparators(destino), erro),
               critico, erroTitulo);
    }
}

void ManutencaoCadastro::importar(QWidget* pai) {
    const QString origem = m_plataforma.dialogos.abrir(pai, TituloImportacao, Filtro, QString());
    if (origem.isEmpty())
        return;
    const QString titulo = QString::fromLatin1(TituloPrograma);
    const auto exclamacao = Mensagens::Icone::Exclamacao;
    const QString incompativel = QString::fromUtf8(cadastro::MensagemIncompativel);

    QFile arquivo(origem);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        mostra(pai,
               incompativel + QStringLiteral("\n\nNão foi possível ler o arquivo: ") + arquivo.errorString(),
               exclamacao, titulo);
        return;
    }
    // The first line decides first: a file of another kind, however large, is refused unread.
    const QByteArray inicio = arquivo.peek(kInicioLido);
    if (const cadastro::LeituraArquivo cabecalho =
            cadastro::confereCabecalho(inicio, arquivo.size() > inicio.size());
        !cabecalho.ok) {
        mostra(pai, cabecalho.mensagem(), exclamacao, titulo);
        return;
    }
    const QByteArray conteudo = arquivo.readAll();
    arquivo.close();

    // Every line is checked before the registry is touched.
    const cadastro::LeituraArquivo leitura = cadastro::leArquivo(conteudo);
    if (!leitura.ok) {
        mostra(pai, leitura.mensagem(), exclamacao, titulo);
        return;
    }

    cadastro::Mescla mescla;
    const ResultadoAlteracao r =
        m_refs.oZovEnv().AlteraEmLote([&](tabulon::ZOVs&, tabulon::CONTRIBUINTEs& contribuintes, QString*) {
            mescla = cadastro::mescla(contribuintes, leitura.contribuintes);
            return true;
        });
    if (!r) {
        mostra(pai, incompativel + QStringLiteral("\n\n") + r.erro, exclamacao, titulo);
        return;
    }
    mostra(pai,
           QStringLiteral("Cadastro de contribuintes importado.\n\nContribuinte(s) incluído(s): %1\n"
                          "Já cadastrado(s), não repetido(s): %2")
               .arg(mescla.incluidos)
               .arg(mescla.repetidos),
           Mensagens::Icone::Informacao, QStringLiteral("Aviso"));
}

void ManutencaoCadastro::limpar(QWidget* pai) {
    const QString titulo = QString::fromLatin1(TituloPrograma);
    if (m_plataforma.mensagens.mostrar(pai, PerguntaLimpar, Mensagens::Botoes::SimNaoPadraoNao,
                                       Mensagens::Icone::Pergunta, titulo) != Mensagens::Resposta::Sim)
        return;

    const QDateTime quando = m_relogio();
    const QString pasta = m_refs.sDirDados;
    // The copies are taken while both tables are held, so they are exactly what is cleared. Each table
    // is then emptied by its own LimpaBase, which leaves its "_temp" file holding the previous content.
    const ZovEnv_Simulator::ResultadoLimpeza r = m_refs.oZovEnv().LimpaBase([&](QString* erro) {
        for (const QString& tabela : {kZOV, kCONTRIBUINTE}) {
            QString motivo;
            const std::optional<QByteArray> conteudo = leTabela(pasta, tabela, &motivo);
            const QString copia = QDir(pasta).filePath(cadastro::nomeCopiaDeSeguranca(pasta, tabela, quando));
            if (!conteudo || !m_gravador(copia, *conteudo, &motivo)) {
                *erro = QStringLiteral("a cópia de segurança de %1 não pôde ser gravada em %2: %3")
                            .arg(tabela, QDir::toNativeSeparators(copia), motivo);
                return false;
            }
        }
        return true;
    });
    if (!r.ok()) {
        // Each table that failed has its own message; a failure before either was touched is one.
        QStringList mensagens;
        for (const QString& m : {r.mensagemZOV, r.mensagemCONTRIBUINTE}) {
            if (!m.isEmpty() && !mensagens.contains(m))
                mensagens.append(m);
        }
        for (const QString& m : std::as_const(mensagens))
            mostra(pai, m, Mensagens::Icone::Critico, titulo);
        return;
    }
    mostra(pai, MensagemLimpa, Mensagens::Icone::Informacao, QStringLiteral("Aviso"));
}

} // namespace zove
