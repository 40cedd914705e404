#include "data/ZovEnv_Simulator.h"

#include "data/Referencias.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"
#include "tabulon/Texto1252.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <optional>

namespace zove {

namespace {

const QString kZOV = QStringLiteral("ZOV");
const QString kCONTRIBUINTE = QStringLiteral("CONTRIBUINTE");
const QString kSufixoTemp = QStringLiteral("_temp");
// A line beginning with this mark is taken for a digest line and never read as a record.
const QString kMarcaDigest = QStringLiteral(":):)");

// Why a value cannot be stored in a table file, or nothing when it can. A "|" or a line break would
// split the record on the next load, a NUL makes the loader refuse the file, and a character without
// a Windows-1252 byte would come back as another character.
std::optional<QString> problemaDoValor(const char* campo, const QString& valor) {
    const auto recusa = [&](const QString& motivo) {
        return QStringLiteral("O campo %1 contém %2 e não pode ser gravado.")
            .arg(QLatin1String(campo), motivo);
    };
    for (const QChar c : valor) {
        if (c == QLatin1Char('|'))
            return recusa(QStringLiteral("o caractere \"|\""));
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return recusa(QStringLiteral("uma quebra de linha"));
        if (c.isNull())
            return recusa(QStringLiteral("um caractere nulo"));
        // ASCII and the Latin-1 letters have a byte of their own; anything else is asked to the codec.
        const char16_t u = c.unicode();
        if ((u >= 0x80 && u < 0xA0) || u > 0xFF) {
            if (!tabulon::representavelEm1252(QString(c)))
                return recusa(QStringLiteral("um caractere que não existe na página de código Windows-1252"));
        }
    }
    return std::nullopt;
}

// The file content for a collection: the loaded header, then one line per record with its stored
// fields in record order, CR LF after each line, Windows-1252. Documents without a number are left
// out. Nothing is produced when any value cannot be stored.
template <class ColecaoT>
std::optional<QByteArray> montaArquivo(const QStringList& cabecalho, const ColecaoT& registros,
                                       bool pulaSemNumero, QString* erro) {
    using Registro = typename ColecaoT::RegistroT;
    constexpr auto& defs = Registro::campos;

    // A collection built without a header would be written with an empty first line, and every
    // column would then resolve to the first one on the next load.
    QStringList nomes = cabecalho;
    if (nomes.size() <= 1 && nomes.value(0).isEmpty()) {
        nomes.clear();
        for (const auto& d : defs)
            nomes.append(QLatin1String(d.coluna));
    }

    // Values go out in record order under the loaded header; a header whose columns stand elsewhere
    // would read them back into other fields, so such a file is left as it is.
    for (size_t k = 0; k < defs.size(); ++k) {
        const QString coluna = QString::fromLatin1(defs[k].coluna).toUpper();
        qsizetype achada = -1;
        for (qsizetype j = 0; j < nomes.size(); ++j) {
            if (nomes.at(j).toUpper() == coluna)
                achada = j;
        }
        if (achada != static_cast<qsizetype>(k)) {
            *erro =
                QStringLiteral("O cabeçalho da tabela não traz a coluna %1 na posição %2; a tabela não foi "
                               "regravada para não trocar os valores de coluna.")
                    .arg(QLatin1String(defs[k].coluna))
                    .arg(k + 1);
            return std::nullopt;
        }
    }

    QString texto;
    texto.reserve((registros.Count() + 1) * 160);
    texto += nomes.join(QLatin1Char('|'));
    texto += QLatin1String("\r\n");
    for (const auto& registro : registros) {
        if (pulaSemNumero && ((*registro).*(defs[0].membro)).isEmpty())
            continue;
        for (size_t k = 0; k < defs.size(); ++k) {
            const QString& valor = (*registro).*(defs[k].membro);
            if (auto problema = problemaDoValor(defs[k].campo, valor)) {
                *erro = *problema;
                return std::nullopt;
            }
            if (k == 0 && valor.startsWith(kMarcaDigest)) {
                *erro = QStringLiteral("O campo %1 começa com \"%2\" e não pode ser gravado.")
                            .arg(QLatin1String(defs[k].campo), kMarcaDigest);
                return std::nullopt;
            }
            if (k > 0)
                texto += QLatin1Char('|');
            texto += valor;
        }
        texto += QLatin1String("\r\n");
    }

    QStringEncoder codificador("windows-1252", QStringEncoder::Flag::Stateless);
    QByteArray conteudo = codificador.encode(texto);
    if (codificador.hasError()) {
        // Only a header name can get here: every value was checked above.
        *erro = QStringLiteral("O cabeçalho da tabela contém um caractere que não existe na página de "
                               "código Windows-1252 e não pode ser gravado.");
        return std::nullopt;
    }
    return conteudo;
}

// A new collection with the same records, where position `trocar` holds `novo` instead (a null `novo`
// leaves that record out), and `novo` is appended when `trocar` is 0.
template <class ColecaoT>
std::shared_ptr<ColecaoT> copiaCom(const ColecaoT& origem, qsizetype trocar,
                                   std::shared_ptr<typename ColecaoT::RegistroT> novo) {
    auto copia = std::make_shared<ColecaoT>();
    copia->reservar(origem.Count() + 1);
    for (qsizetype i = 1; i <= origem.Count(); ++i) {
        if (i != trocar)
            copia->Add(origem.Item(i));
        else if (novo)
            copia->Add(novo);
    }
    if (trocar == 0)
        copia->Add(std::move(novo));
    return copia;
}

// The first document with exactly that number, or 0.
qsizetype posicaoDoDocumento(const tabulon::ZOVs& zovs, const QString& numDocumento) {
    for (qsizetype i = 1; i <= zovs.Count(); ++i) {
        if (zovs.Item(i)->NUM_DOCUMENTO == numDocumento)
            return i;
    }
    return 0;
}

// The number after the last document's, or nothing when that number is not a plain decimal number.
std::optional<QString> proximoNumero(const tabulon::ZOVs& zovs) {
    if (zovs.Count() == 0)
        return QStringLiteral("1");
    const QString ultimo = zovs.Item(zovs.Count())->NUM_DOCUMENTO.trimmed();
    if (ultimo.isEmpty() || ultimo.size() > 18)
        return std::nullopt;
    for (const QChar c : ultimo) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return QString::number(ultimo.toULongLong() + 1);
}

// Writes the table and its "_temp" copy, then loads the table afresh into the references. On any
// failure the table file keeps its previous content and the references hold the file's content again.
template <class ColecaoT>
ResultadoAlteracao regrava(Referencias& refs, const ZovEnv_Simulator::Gravador& gravador, const QString& nome,
                           const QStringList& cabecalho, const ColecaoT& registros, bool pulaSemNumero,
                           std::shared_ptr<ColecaoT> Referencias::*destino,
                           std::shared_ptr<ColecaoT> (tabulon::Init::*carregar)() const) {
    const auto recarrega = [&]() -> std::optional<QString> {
        tabulon::Init init;
        init.sDiretorioDados(refs.sDirDados);
        try {
            refs.*destino = (init.*carregar)();
            return std::nullopt;
        } catch (const tabulon::ErroExecucao& e) {
            return e.Descricao();
        }
    };

    QString erro;
    const std::optional<QByteArray> conteudo = montaArquivo(cabecalho, registros, pulaSemNumero, &erro);
    if (!conteudo) {
        (void)recarrega();
        return ResultadoAlteracao::falha(erro);
    }

    const QString tabela = tabulon::caminhoNaPasta(refs.sDirDados, nome);
    const QString temporario = QDir(refs.sDirDados).filePath(nome + kSufixoTemp);
    // The copy first, then the table, each replaced whole by rename.
    for (const QString& caminho : {temporario, tabela}) {
        if (!gravador(caminho, *conteudo, &erro)) {
            QFile::remove(temporario);
            (void)recarrega();
            return ResultadoAlteracao::falha(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                                 .arg(QDir::toNativeSeparators(caminho), erro));
        }
    }
    if (auto falhaNaCarga = recarrega())
        return ResultadoAlteracao::falha(*falhaNaCarga);
    ResultadoAlteracao r;
    r.gravou = true;
    return r;
}

ResultadoAlteracao tabelaAusente(const QString& nome) {
    return ResultadoAlteracao::falha(QStringLiteral("A tabela %1 não está carregada.").arg(nome));
}

} // namespace

ZovEnv_Simulator::ZovEnv_Simulator(Referencias& refs)
    : m_refs(refs), m_gravador([](const QString& caminho, const QByteArray& conteudo, QString* erro) {
          return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
      }) {}

void ZovEnv_Simulator::defineGravador(Gravador gravador) {
    m_gravador = std::move(gravador);
}

ResultadoAlteracao ZovEnv_Simulator::regravaZOV(const tabulon::ZOVs& colecao) {
    const QStringList cabecalho = m_refs.oZOVs ? m_refs.oZOVs->campos() : colecao.campos();
    return regrava(m_refs, m_gravador, kZOV, cabecalho, colecao, true, &Referencias::oZOVs,
                   &tabulon::Init::CarregarZOV);
}

ResultadoAlteracao ZovEnv_Simulator::regravaCONTRIBUINTE(const tabulon::CONTRIBUINTEs& colecao) {
    const QStringList cabecalho = m_refs.oCONTRIBUINTEs ? m_refs.oCONTRIBUINTEs->campos() : colecao.campos();
    return regrava(m_refs, m_gravador, kCONTRIBUINTE, cabecalho, colecao, false, &Referencias::oCONTRIBUINTEs,
                   &tabulon::Init::CarregarContribuinte);
}

// ---- Reads

std::shared_ptr<tabulon::ARREC_MAB_RECEITAs> ZovEnv_Simulator::ReceitaSelectAll() const {
    return m_refs.oARREC_MAB_RECEITAs;
}

std::shared_ptr<tabulon::ZOVs> ZovEnv_Simulator::ZOVSelectOne(const QString& numDocumento) const {
    if (!m_refs.oZOVs || !m_refs.oARREC_MAB_RECEITAs)
        return nullptr;
    try {
        auto resultado = std::make_shared<tabulon::ZOVs>();
        for (const auto& zov : *m_refs.oZOVs) {
            if (zov->NUM_DOCUMENTO != numDocumento)
                continue;
            const auto receitas = m_refs.oARREC_MAB_RECEITAs->Query_MCR_COD_RCTA(zov->COD_RECEITA);
            if (!receitas || receitas->Count() == 0)
                continue;
            zov->MCR_MTR_TIP_RECEITA = receitas->Item(1)->MCR_MTR_TIP_RECEITA;
            resultado->Add(zov);
        }
        return resultado;
    } catch (...) {
        return nullptr;
    }
}

std::shared_ptr<tabulon::MAB_TIPO_IDENTIFICACAOs>
ZovEnv_Simulator::Tipo_DocumentoSelectAll(const QString& status) const {
    if (!m_refs.oMAB_TIPO_IDENTIFICACAOs)
        return nullptr;
    return m_refs.oMAB_TIPO_IDENTIFICACAOs->Query_MTI_STATUS(status);
}

std::shared_ptr<tabulon::MAB_VALIDA_DOCs>
ZovEnv_Simulator::ValidacaoReceitaSelectOne(const QString& codReceita) const {
    if (!m_refs.oMAB_VALIDA_DOCs)
        return nullptr;
    return m_refs.oMAB_VALIDA_DOCs->Query_MVD_MCR_COD_RCTA(codReceita);
}

std::shared_ptr<tabulon::PERIODOSs> ZovEnv_Simulator::Periodos(const QString& tipoPeriodo) const {
    if (!m_refs.oPERIODOSs)
        return nullptr;
    return m_refs.oPERIODOSs->Query_TIPO_PERIODO(tipoPeriodo);
}

std::shared_ptr<tabulon::PARAMETROSs> ZovEnv_Simulator::parametros() const {
    return m_refs.oPARAMETROSs;
}

std::shared_ptr<tabulon::CONTRIBUINTEs>
ZovEnv_Simulator::ContribuinteSelectOne(const QString& TIPO_DOCUMENTO,
                                        const QString& DOCUMENTO_IDENTIFICACAO) const {
    if (!m_refs.oCONTRIBUINTEs)
        return nullptr;
    try {
        auto resultado = std::make_shared<tabulon::CONTRIBUINTEs>();
        for (const auto& c : *m_refs.oCONTRIBUINTEs) {
            if (c->TIPO_DOCUMENTO == TIPO_DOCUMENTO && c->DOCUMENTO_IDENTIFICACAO == DOCUMENTO_IDENTIFICACAO)
                resultado->Add(c);
        }
        return resultado;
    } catch (...) {
        return nullptr;
    }
}

std::shared_ptr<tabulon::ZOVs> ZovEnv_Simulator::ZOVQuery() const {
    if (!m_refs.oZOVs || !m_refs.oARREC_MAB_RECEITAs || !m_refs.oCONTRIBUINTEs)
        return nullptr;
    const QString vazio;
    return m_refs.oZOVs->Query_ZOV(vazio, vazio, vazio, vazio, *m_refs.oARREC_MAB_RECEITAs,
                                   *m_refs.oCONTRIBUINTEs);
}

// ---- Changes

ResultadoAlteracao ZovEnv_Simulator::ZOVUpdate(const QString& COD_RECEITA, const QString& DATA_ATUALIZACAO,
                                               const QString& DATA_CALCULO, const QString& DATA_VENCIMENTO,
                                               const QString& NUM_DOCUMENTO_IDENT,
                                               const QString& NUM_DOCUMENTO_ORIGEM, const QString& REFERENCIA,
                                               const QString& TIPO_DOCUMENTO_IDENT,
                                               const QString& VALOR_CORRECAO, const QString& VALOR_JUROS,
                                               const QString& VALOR_MULTA, const QString& VALOR_PRINCIPAL,
                                               const QString& VALOR_TOTAL, const QString& COD_MUNICIPIO,
                                               const QString& COD_CLASSE_VECTO, const QString& numDocumento) {
    return alteraDocumento(numDocumento, [&](tabulon::ZOV& novo) {
        novo.COD_RECEITA = COD_RECEITA;
        novo.DATA_ATUALIZACAO = DATA_ATUALIZACAO;
        novo.DATA_CALCULO = DATA_CALCULO;
        novo.DATA_VENCIMENTO = DATA_VENCIMENTO;
        novo.NUM_DOCUMENTO_IDENT = NUM_DOCUMENTO_IDENT;
        novo.NUM_DOCUMENTO_ORIGEM = NUM_DOCUMENTO_ORIGEM;
        novo.REFERENCIA = REFERENCIA;
        novo.TIPO_DOCUMENTO_IDENT = TIPO_DOCUMENTO_IDENT;
        novo.VALOR_CORRECAO = VALOR_CORRECAO;
        novo.VALOR_JUROS = VALOR_JUROS;
        novo.VALOR_MULTA = VALOR_MULTA;
        novo.VALOR_PRINCIPAL = VALOR_PRINCIPAL;
        novo.VALOR_TOTAL = VALOR_TOTAL;
        novo.COD_MUNICIPIO = COD_MUNICIPIO;
        novo.COD_CLASSE_VECTO = COD_CLASSE_VECTO;
        novo.COD_UF = QStringLiteral("OL");
    });
}

ResultadoAlteracao ZovEnv_Simulator::ZOVInsert(
    const QString& COD_RECEITA, const QString& DATA_ATUALIZACAO, const QString& DATA_CALCULO,
    const QString& DATA_VENCIMENTO, const QString& NUM_DOCUMENTO_IDENT, const QString& NUM_DOCUMENTO_ORIGEM,
    const QString& REFERENCIA, const QString& TIPO_DOCUMENTO_IDENT, const QString& VALOR_CORRECAO,
    const QString& VALOR_JUROS, const QString& VALOR_MULTA, const QString& VALOR_PRINCIPAL,
    const QString& VALOR_TOTAL, const QString& COD_MUNICIPIO, const QString& COD_CLASSE_VECTO) {
    const auto carregados = m_refs.oZOVs;
    if (!carregados)
        return tabelaAusente(kZOV);
    const tabulon::ZOVs& zovs = *carregados;
    const std::optional<QString> numero = proximoNumero(zovs);
    if (!numero)
        return ResultadoAlteracao::falha(
            QStringLiteral("O número do último documento salvo (\"%1\") não é numérico; o documento não foi "
                           "incluído.")
                .arg(zovs.Item(zovs.Count())->NUM_DOCUMENTO));

    tabulon::ZOVs novo;
    novo.NewZOV(*numero, TIPO_DOCUMENTO_IDENT, NUM_DOCUMENTO_IDENT, COD_RECEITA, REFERENCIA,
                NUM_DOCUMENTO_ORIGEM, DATA_VENCIMENTO, DATA_CALCULO, VALOR_PRINCIPAL, VALOR_JUROS,
                VALOR_MULTA, VALOR_CORRECAO, VALOR_TOTAL, DATA_ATUALIZACAO, QStringLiteral("OL"),
                COD_MUNICIPIO, COD_CLASSE_VECTO, QStringLiteral("0"));
    ResultadoAlteracao r = regravaZOV(*copiaCom(zovs, 0, novo.Item(1)));
    if (r)
        r.numDocumento = *numero;
    return r;
}

ResultadoAlteracao ZovEnv_Simulator::Regera_Tabela(const QString& tabela) {
    const QString nome = tabela.toUpper();
    // The collection is held here: the reload replaces it in the references.
    if (nome == kZOV) {
        const auto zovs = m_refs.oZOVs;
        if (!zovs)
            return tabelaAusente(kZOV);
        return regravaZOV(*zovs);
    }
    if (nome == kCONTRIBUINTE) {
        const auto contribuintes = m_refs.oCONTRIBUINTEs;
        if (!contribuintes)
            return tabelaAusente(kCONTRIBUINTE);
        return regravaCONTRIBUINTE(*contribuintes);
    }
    return {};
}

ResultadoAlteracao ZovEnv_Simulator::ContribuinteUpdate(const QString& DOCUMENTO_IDENTIFICACAO,
                                                        const QString& RAZAO_SOCIAL,
                                                        const QString& TIPO_DOCUMENTO, const QString& NUM_DDD,
                                                        const QString& NUM_FONE) {
    const auto carregados = m_refs.oCONTRIBUINTEs;
    if (!carregados)
        return tabelaAusente(kCONTRIBUINTE);
    const tabulon::CONTRIBUINTEs& contribuintes = *carregados;
    qsizetype pos = 0;
    for (qsizetype i = 1; i <= contribuintes.Count() && pos == 0; ++i) {
        if (contribuintes.Item(i)->DOCUMENTO_IDENTIFICACAO == DOCUMENTO_IDENTIFICACAO)
            pos = i;
    }
    if (pos == 0)
        return {};
    auto novo = std::make_shared<tabulon::CONTRIBUINTE>();
    novo->TIPO_DOCUMENTO = TIPO_DOCUMENTO;
    novo->DOCUMENTO_IDENTIFICACAO = DOCUMENTO_IDENTIFICACAO;
    novo->RAZAO_SOCIAL = RAZAO_SOCIAL;
    novo->NUM_DDD = NUM_DDD;
    novo->NUM_FONE = NUM_FONE;
    return regravaCONTRIBUINTE(*copiaCom(contribuintes, pos, std::move(novo)));
}

ResultadoAlteracao ZovEnv_Simulator::ContribuinteInsert(const QString& DOCUMENTO_IDENTIFICACAO,
                                                        const QString& RAZAO_SOCIAL,
                                                        const QString& TIPO_DOCUMENTO, const QString& NUM_DDD,
                                                        const QString& NUM_FONE) {
    if (!m_refs.oCONTRIBUINTEs)
        return tabelaAusente(kCONTRIBUINTE);
    tabulon::CONTRIBUINTEs novo;
    novo.NewContribuinte(TIPO_DOCUMENTO, DOCUMENTO_IDENTIFICACAO, RAZAO_SOCIAL, NUM_DDD, NUM_FONE);
    return regravaCONTRIBUINTE(*copiaCom(*m_refs.oCONTRIBUINTEs, 0, novo.Item(1)));
}

ResultadoAlteracao ZovEnv_Simulator::ZovUpdateImpreso(const QString& impresso, const QString& numDocumento) {
    return alteraDocumento(numDocumento, [&](tabulon::ZOV& novo) { novo.IMPRESSO = impresso; });
}

ResultadoAlteracao ZovEnv_Simulator::ZOVDelete(const QString& numDocumento) {
    return alteraDocumento(numDocumento, {});
}

ResultadoAlteracao ZovEnv_Simulator::alteraDocumento(const QString& numDocumento,
                                                     const std::function<void(tabulon::ZOV&)>& edita) {
    const auto carregados = m_refs.oZOVs;
    if (!carregados)
        return tabelaAusente(kZOV);
    const tabulon::ZOVs& zovs = *carregados;
    const qsizetype pos = posicaoDoDocumento(zovs, numDocumento);
    if (pos == 0)
        return {};
    if (!edita)
        return regravaZOV(*copiaCom(zovs, pos, nullptr));
    // The loaded record is left as it is until the file holds the change.
    auto novo = std::make_shared<tabulon::ZOV>(*zovs.Item(pos));
    edita(*novo);
    return regravaZOV(*copiaCom(zovs, pos, std::move(novo)));
}

} // namespace zove
