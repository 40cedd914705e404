#include "app/ManutencaoCadastro.h"

#include "app/Ambiente.h"
#include "data/CadastroContribuintes.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "platform/DialogosArquivo.h"
#include "platform/Mensagens.h"
#include "tabulon/Funcoes.h"

#include <QDir>
#include <QTextStream>

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

QString resumoDaImportacao(const cadastro::Mescla& m) {
    return QStringLiteral("Cadastro de contribuintes importado.\n\nContribuinte(s) incluído(s): %1\n"
                          "Já cadastrado(s), não repetido(s): %2")
        .arg(m.incluidos)
        .arg(m.repetidos);
}

// A message of the menu's commands as one line of the command line.
QString numaLinha(QString texto) {
    texto.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return texto.simplified();
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
    const cadastro::Resultado r = cadastro::exporta(m_refs.sDirDados, destino, m_gravador);
    if (r.ok)
        return;
    if (r.falhaDoSistema)
        mostra(pai, r.mensagem, Mensagens::Icone::Critico, QStringLiteral("Erro"));
    else
        mostra(pai, r.mensagem, Mensagens::Icone::Exclamacao, QString::fromLatin1(TituloPrograma));
}

void ManutencaoCadastro::importar(QWidget* pai) {
    const QString origem = m_plataforma.dialogos.abrir(pai, TituloImportacao, Filtro, QString());
    if (origem.isEmpty())
        return;
    const cadastro::Resultado r = cadastro::importaArquivo(m_refs, origem);
    if (!r.ok) {
        mostra(pai, r.mensagem, Mensagens::Icone::Exclamacao, QString::fromLatin1(TituloPrograma));
        return;
    }
    mostra(pai, resumoDaImportacao(r.mescla), Mensagens::Icone::Informacao, QStringLiteral("Aviso"));
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
    const ZovEnv_Simulator::ResultadoLimpeza r =
        m_refs.oZovEnv().LimpaBase([&](const QString& tabela, const std::optional<QByteArray>& conteudo,
                                       const QString& motivoDaLeitura, QString* erro) {
            QString motivo = motivoDaLeitura;
            const QString copia = QDir(pasta).filePath(cadastro::nomeCopiaDeSeguranca(pasta, tabela, quando));
            if (conteudo && m_gravador(copia, *conteudo, &motivo))
                return true;
            *erro = QStringLiteral("a cópia de segurança de %1 não pôde ser gravada em %2: %3")
                        .arg(tabela, QDir::toNativeSeparators(copia), motivo);
            return false;
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

int exportaCadastroSemJanela(const QString& pastaDados, const QString& arquivo, QTextStream& saida,
                             QTextStream& erros) {
    const cadastro::Resultado r = cadastro::exporta(pastaDados, arquivo, tabulon::gravaArquivoAtomico);
    if (!r.ok) {
        erros << "zove: " << numaLinha(r.mensagem) << '\n';
        return 1;
    }
    saida << "Cadastro de contribuintes exportado para " << QDir::toNativeSeparators(arquivo) << ".\n";
    return 0;
}

int importaCadastroSemJanela(const QString& pastaDados, const QString& arquivo, QTextStream& saida,
                             QTextStream& erros) {
    const std::unique_ptr<Referencias> refs = Referencias::carregarParaComando(pastaDados, erros);
    if (!refs)
        return 1;
    const cadastro::Resultado r = cadastro::importaArquivo(*refs, arquivo);
    if (!r.ok) {
        erros << "zove: " << numaLinha(r.mensagem) << '\n';
        return 1;
    }
    saida << "Contribuintes incluídos: " << r.mescla.incluidos
          << "; já cadastrados, não repetidos: " << r.mescla.repetidos << '\n';
    return 0;
}

} // namespace zove
