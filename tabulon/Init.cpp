#include "tabulon/Init.h"

#include "tabulon/ErroExecucao.h"
#include "tabulon/Funcoes.h"
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace tabulon {

namespace {

const QString kOrigem = QStringLiteral("Tabulon");

// The entity names in their listed order, with the Latin-1 character each stands for.
constexpr std::array<std::pair<const char*, char16_t>, 55> kEntidades{{
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

ErroExecucao corrompido(const QString& caminho) {
    return ErroExecucao(ErroExecucao::ArquivoCorrompido, QStringLiteral(" Arquivo Corrompido ") + caminho,
                        kOrigem);
}

// Checks the digest chain of a reference file's content. The digest line must be the last line:
// lines after it would not be covered by the digest.
void validaDigest(const QList<QByteArrayView>& linhas, const QString& caminho) {
    QByteArray h(MD5Driver::Semente);
    QByteArray esperado;
    bool achouDigest = false;
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const QByteArrayView linha = linhas[i];
        if (MD5Driver::ehLinhaDeDigest(linha)) {
            esperado = linha.sliced(4).toByteArray().toUpper();
            achouDigest = true;
            if (i != linhas.size() - 1)
                throw corrompido(caminho);
            break;
        }
        h = MD5Driver::passoDaCadeia(linha, h);
    }
    if (!achouDigest || esperado != h)
        throw corrompido(caminho);
}

} // namespace

const Init::Tabela Init::Tabelas[14] = {
    {"mab_receita_classe", true},
    {"TAB_MUNIC", true},
    {"mab_classe_vencimento", true},
    {"mab_arrec", true},
    {"mab_tipo_identificacao", true},
    {"mab_tipo_periodicidade", true},
    {"mab_tipo_receita", true},
    {"mab_valida_doc", true},
    {"CONTRIBUINTE", false},
    {"ZOV", false},
    {"PARAMETROS", true},
    {"PERIODOS", true},
    {"TAB_CERT_ANTIGA", true},
    {"mab_tipo_documento_origem", true},
};

// Every name runs from "&" to the first ";" with only letters between, so no two occurrences can
// overlap, and a replacement (one non-ASCII letter) can never complete another name. Replacing the
// names one after the other in the listed order therefore gives the same text as this single pass,
// which the loader can afford on every value of a large table.
QString Init::DecodificaTexto(const QString& valor) {
    qsizetype amp = valor.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return valor;
    constexpr qsizetype kMaiorNome = 8; // "&Aacute;"
    QString texto;
    texto.reserve(valor.size());
    qsizetype copiado = 0;
    while (amp >= 0) {
        // Only the next few characters can close a name, which keeps long values linear.
        const QStringView janela = QStringView(valor).sliced(amp, std::min(kMaiorNome, valor.size() - amp));
        const qsizetype fim = janela.indexOf(QLatin1Char(';'));
        qsizetype proximo = amp + 1;
        if (fim > 0) {
            const QStringView candidato = janela.first(fim + 1);
            for (const auto& [nome, caractere] : kEntidades) {
                if (candidato == QLatin1String(nome)) {
                    texto.append(QStringView(valor).sliced(copiado, amp - copiado));
                    texto.append(QChar(caractere));
                    copiado = amp + fim + 1;
                    proximo = copiado;
                    break;
                }
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
    validaDigest(vistasDasLinhas(conteudo), Source);
    return true;
}

template <class ColecaoT>
std::shared_ptr<ColecaoT> Init::carregar(const char* arquivo, bool comDigest) const {
    using Registro = typename ColecaoT::RegistroT;
    const QString caminho = caminhoNaPasta(m_sDiretorioDados, QString::fromLatin1(arquivo));
    try {
        const QByteArray conteudo = AbreArquivo(caminho);
        const QList<QByteArrayView> linhas = vistasDasLinhas(conteudo);
        if (comDigest)
            validaDigest(linhas, caminho);
        if (linhas.isEmpty())
            throw ErroExecucao(62, QStringLiteral("Arquivo vazio, sem a linha de cabeçalho "), kOrigem);
        if (conteudo.contains('\0')) {
            // A NUL byte is never table text: it is what a write cut short leaves behind.
            const auto linha =
                std::find_if(linhas.begin(), linhas.end(), [](QByteArrayView l) { return l.contains('\0'); });
            throw ErroExecucao(ErroExecucao::ArquivoCorrompido,
                               QStringLiteral("Caractere nulo na linha %1 ").arg(linha - linhas.begin() + 1),
                               kOrigem);
        }

        auto colecao = std::make_shared<ColecaoT>();
        colecao->Reset();
        colecao->Inicializa_Array_Campos(decodifica1252(linhas.first()));
        colecao->reservar(linhas.size());

        // Column positions are resolved once per file, not once per line.
        constexpr auto& defs = Registro::campos;
        std::array<qsizetype, std::tuple_size_v<std::remove_cvref_t<decltype(defs)>>> posicoes{};
        qsizetype maiorPosicao = 0;
        for (size_t k = 0; k < defs.size(); ++k) {
            posicoes[k] = colecao->Campo_Indice(QLatin1String(defs[k].coluna));
            maiorPosicao = std::max(maiorPosicao, posicoes[k]);
        }

        std::vector<qsizetype> limites;
        for (qsizetype n = 1; n < linhas.size(); ++n) {
            const QByteArrayView bruta = linhas[n];
            if (MD5Driver::ehLinhaDeDigest(bruta))
                continue;
            if (bruta.isEmpty())
                throw ErroExecucao(
                    ErroExecucao::SubscritoForaDoIntervalo,
                    QStringLiteral("Subscrito fora do intervalo: a linha %1 está vazia ").arg(n + 1),
                    kOrigem);
            // Where each value starts and ends; every "|" splits, surplus values are ignored.
            limites.clear();
            limites.push_back(-1);
            for (qsizetype i = bruta.indexOf('|'); i >= 0; i = bruta.indexOf('|', i + 1))
                limites.push_back(i);
            limites.push_back(bruta.size());
            const qsizetype nValores = static_cast<qsizetype>(limites.size()) - 1;
            if (nValores <= maiorPosicao)
                throw ErroExecucao(ErroExecucao::SubscritoForaDoIntervalo,
                                   QStringLiteral("Subscrito fora do intervalo: a linha %1 tem %2 valor(es), "
                                                  "a coluna %3 é necessária ")
                                       .arg(n + 1)
                                       .arg(nValores)
                                       .arg(maiorPosicao + 1),
                                   kOrigem);
            auto registro = std::make_shared<Registro>();
            for (size_t k = 0; k < defs.size(); ++k) {
                const auto p = static_cast<size_t>(posicoes[k]);
                const QString valor = decodifica1252(
                    QByteArrayView(bruta).sliced(limites[p] + 1, limites[p + 1] - limites[p] - 1));
                (*registro).*(defs[k].membro) = defs[k].decodificado ? DecodificaTexto(valor) : valor;
            }
            colecao->Add(std::move(registro));
        }
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
    return carregar<MAB_RECEITA_CLASSEs>("mab_receita_classe", true);
}
std::shared_ptr<TAB_MUNICs> Init::CarregarMunicipio() const {
    return carregar<TAB_MUNICs>("TAB_MUNIC", true);
}
std::shared_ptr<MAB_CLASSE_VENCIMENTOs> Init::CarregarMabClasseVencimento() const {
    return carregar<MAB_CLASSE_VENCIMENTOs>("mab_classe_vencimento", true);
}
std::shared_ptr<ARREC_MAB_RECEITAs> Init::CarregarReceita() const {
    return carregar<ARREC_MAB_RECEITAs>("mab_arrec", true);
}
std::shared_ptr<MAB_TIPO_IDENTIFICACAOs> Init::CarregarMabTipoIdentificacao() const {
    return carregar<MAB_TIPO_IDENTIFICACAOs>("mab_tipo_identificacao", true);
}
std::shared_ptr<MAB_TIPO_PERIODICIDADEs> Init::CarregarMabTipoPeriodicidade() const {
    return carregar<MAB_TIPO_PERIODICIDADEs>("mab_tipo_periodicidade", true);
}
std::shared_ptr<MAB_TIPO_RECEITAs> Init::CarregarMabTipoReceita() const {
    return carregar<MAB_TIPO_RECEITAs>("mab_tipo_receita", true);
}
std::shared_ptr<MAB_VALIDA_DOCs> Init::CarregarMabValidaDoc() const {
    return carregar<MAB_VALIDA_DOCs>("mab_valida_doc", true);
}
std::shared_ptr<CONTRIBUINTEs> Init::CarregarContribuinte() const {
    return carregar<CONTRIBUINTEs>("CONTRIBUINTE", false);
}
std::shared_ptr<ZOVs> Init::CarregarZOV() const {
    return carregar<ZOVs>("ZOV", false);
}
std::shared_ptr<PARAMETROSs> Init::CarregarParametros() const {
    return carregar<PARAMETROSs>("PARAMETROS", true);
}
std::shared_ptr<PERIODOSs> Init::CarregarPeriodos() const {
    return carregar<PERIODOSs>("PERIODOS", true);
}
std::shared_ptr<TAB_CERT_ANTIGAs> Init::CarregarCertAntigas() const {
    return carregar<TAB_CERT_ANTIGAs>("TAB_CERT_ANTIGA", true);
}
std::shared_ptr<mab_tipo_documentos> Init::CarregarTipoDocumentoOrigem() const {
    return carregar<mab_tipo_documentos>("mab_tipo_documento_origem", true);
}

} // namespace tabulon
