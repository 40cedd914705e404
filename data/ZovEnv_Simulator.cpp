#include "data/ZovEnv_Simulator.h"

#include "data/ArquivoDeTabela.h"
#include "data/ConteudoTabela.h"
#include "data/Referencias.h"
#include "tabulon/Funcoes.h"
#include "tabulon/Init.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <optional>
#include <vector>

namespace zove {

namespace {

const QString kZOV = QLatin1String(tabulon::ZOV::arquivo);
const QString kCONTRIBUINTE = QLatin1String(tabulon::CONTRIBUINTE::arquivo);
const QString kSufixoTemp = QStringLiteral("_temp");

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
        const auto zov = zovs.Item(i);
        if (zov && zov->NUM_DOCUMENTO == numDocumento)
            return i;
    }
    return 0;
}

// The number of the last document, for messages.
QString ultimoNumero(const tabulon::ZOVs& zovs) {
    for (qsizetype i = zovs.Count(); i >= 1; --i) {
        if (const auto zov = zovs.Item(i))
            return zov->NUM_DOCUMENTO;
    }
    return {};
}

// A new collection with the same header and copies of the records, which can be edited without
// touching the records of the collection copied.
template <class ColecaoT> std::shared_ptr<ColecaoT> copiaEditavel(const ColecaoT& origem) {
    using Registro = typename ColecaoT::RegistroT;
    auto copia = std::make_shared<ColecaoT>();
    copia->Inicializa_Array_Campos(origem.campos().join(QLatin1Char('|')));
    copia->reservar(origem.Count());
    for (const auto& r : origem) {
        if (r)
            copia->Add(std::make_shared<Registro>(*r));
    }
    return copia;
}

// Whether both collections hold the same stored values in the same order (empty slots do not count).
template <class ColecaoT> bool mesmosRegistros(const ColecaoT& a, const ColecaoT& b) {
    using Registro = typename ColecaoT::RegistroT;
    std::vector<const Registro*> ra, rb;
    for (const auto& r : a)
        if (r)
            ra.push_back(r.get());
    for (const auto& r : b)
        if (r)
            rb.push_back(r.get());
    if (ra.size() != rb.size())
        return false;
    for (size_t i = 0; i < ra.size(); ++i) {
        for (const auto& d : Registro::campos) {
            if (ra[i]->*(d.membro) != rb[i]->*(d.membro))
                return false;
        }
    }
    return true;
}

// The facts about one of the two written tables.
template <class ColecaoT> struct Tabela {
    QString nome;
    bool pulaSemNumero;
    std::shared_ptr<ColecaoT> Referencias::*destino;
    std::shared_ptr<ColecaoT> (tabulon::Init::*carregar)() const;
};

const Tabela<tabulon::ZOVs> kTabelaZOV{kZOV, true, &Referencias::oZOVs, &tabulon::Init::CarregarZOV};
const Tabela<tabulon::CONTRIBUINTEs> kTabelaCONTRIBUINTE{kCONTRIBUINTE, false, &Referencias::oCONTRIBUINTEs,
                                                         &tabulon::Init::CarregarContribuinte};

ResultadoAlteracao tabelaAusente(const QString& nome) {
    return ResultadoAlteracao::falha(QStringLiteral("A tabela %1 não está carregada.").arg(nome));
}

} // namespace

// What the facade knows of the files: the collection it last loaded of each table and the file's
// signature at that moment.
struct ZovEnv_Simulator::Estado {
    struct Carga {
        std::weak_ptr<const void> colecao;
        AssinaturaArquivo assinatura;
    };

    explicit Estado(Referencias& r) : refs(r) {}

    Referencias& refs;
    Gravador gravador;
    std::chrono::milliseconds espera{5000};
    Carga cargaZOV;
    Carga cargaCONTRIBUINTE;

    Carga& carga(const Tabela<tabulon::ZOVs>&) { return cargaZOV; }
    Carga& carga(const Tabela<tabulon::CONTRIBUINTEs>&) { return cargaCONTRIBUINTE; }

    QString caminho(const QString& nome) const { return tabulon::caminhoNaPasta(refs.sDirDados, nome); }

    std::optional<QString> trava(BloqueioTabela& bloqueio) const {
        QString erro;
        if (!bloqueio.trava(espera, &erro))
            return erro;
        return std::nullopt;
    }

    // Loads the table from its file into the references, remembering what the file was.
    template <class ColecaoT> std::optional<QString> recarrega(const Tabela<ColecaoT>& t) {
        const AssinaturaArquivo assinatura = AssinaturaArquivo::doArquivo(caminho(t.nome));
        return recarrega(t, assinatura);
    }
    template <class ColecaoT>
    std::optional<QString> recarrega(const Tabela<ColecaoT>& t, const AssinaturaArquivo& assinatura) {
        tabulon::Init init;
        init.sDiretorioDados(refs.sDirDados);
        try {
            auto nova = (init.*(t.carregar))();
            refs.*(t.destino) = nova;
            carga(t) = {nova, assinatura};
            return std::nullopt;
        } catch (const tabulon::ErroExecucao& e) {
            carga(t) = {};
            return e.Descricao();
        }
    }

    // Whether the loaded collection is the one this facade loaded and the file has not changed since.
    template <class ColecaoT> bool emDia(const Tabela<ColecaoT>& t) const {
        const auto atual = refs.*(t.destino);
        const Carga& c = const_cast<Estado*>(this)->carga(t);
        if (!atual || c.colecao.lock().get() != atual.get())
            return false;
        return AssinaturaArquivo::doArquivo(caminho(t.nome)) == c.assinatura;
    }

    // Under the table's lock: brings the loaded collection up to date with the file.
    template <class ColecaoT> std::optional<QString> atualiza(const Tabela<ColecaoT>& t) {
        if (emDia(t))
            return std::nullopt;
        return recarrega(t);
    }

    // Writes the table's "_temp" copy, then the table, each replaced whole.
    std::optional<QString> escreve(const QString& nome, const QByteArray& conteudo) {
        QString erro;
        const QString tabela = caminho(nome);
        const QString temporario = QDir(refs.sDirDados).filePath(nome + kSufixoTemp);
        for (const QString& c : {temporario, tabela}) {
            if (!gravador(c, conteudo, &erro)) {
                QFile::remove(temporario);
                return QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                    .arg(QDir::toNativeSeparators(c), erro);
            }
        }
        return std::nullopt;
    }

    // The file content for `registros`, written under the header of `carregada`, which was read from
    // the file unless `daMemoria`.
    template <class ColecaoT>
    std::optional<QByteArray> conteudo(const Tabela<ColecaoT>& t, const ColecaoT& carregada,
                                       const ColecaoT& registros, QString* erro,
                                       bool daMemoria = false) const {
        return conteudo::montaArquivo(carregada.campos(), !daMemoria && carregada.Count() > 0, registros,
                                      t.pulaSemNumero, erro);
    }

    // Writes `registros` in place of the table and loads the file afresh. On any failure the file keeps
    // its previous content and the references hold the file's content again.
    template <class ColecaoT>
    ResultadoAlteracao regrava(const Tabela<ColecaoT>& t, const ColecaoT& carregada,
                               const ColecaoT& registros, bool daMemoria = false) {
        QString erro;
        const std::optional<QByteArray> bytes = conteudo(t, carregada, registros, &erro, daMemoria);
        if (!bytes) {
            (void)recarrega(t);
            return ResultadoAlteracao::falha(erro);
        }
        if (auto falha = escreve(t.nome, *bytes)) {
            (void)recarrega(t);
            return ResultadoAlteracao::falha(*falha);
        }
        if (auto falha = recarrega(t, AssinaturaArquivo::doConteudo(caminho(t.nome), *bytes)))
            return ResultadoAlteracao::falha(*falha);
        ResultadoAlteracao r;
        r.gravou = true;
        return r;
    }

    // One change to one table, under its lock: `muda` sees the table as the file holds it and puts in
    // *nova what is to be written (nothing: no change).
    template <class ColecaoT>
    ResultadoAlteracao
    altera(const Tabela<ColecaoT>& t,
           const std::function<ResultadoAlteracao(const ColecaoT& atual, std::shared_ptr<ColecaoT>* nova)>&
               muda) {
        BloqueioTabela bloqueio(refs.sDirDados, t.nome);
        if (auto falha = trava(bloqueio))
            return ResultadoAlteracao::falha(*falha);
        if (auto falha = atualiza(t))
            return ResultadoAlteracao::falha(*falha);
        // Held here: the reload replaces it in the references.
        const auto atual = refs.*(t.destino);
        if (!atual)
            return tabelaAusente(t.nome);
        std::shared_ptr<ColecaoT> nova;
        ResultadoAlteracao r = muda(*atual, &nova);
        if (!r.ok || !nova)
            return r;
        ResultadoAlteracao gravacao = regrava(t, *atual, *nova);
        gravacao.numDocumento = gravacao.ok ? r.numDocumento : QString();
        return gravacao;
    }

    // Rewrites the table from the loaded collection as it is in memory.
    template <class ColecaoT> ResultadoAlteracao regeraDaMemoria(const Tabela<ColecaoT>& t) {
        BloqueioTabela bloqueio(refs.sDirDados, t.nome);
        if (auto falha = trava(bloqueio))
            return ResultadoAlteracao::falha(*falha);
        const auto atual = refs.*(t.destino);
        if (!atual)
            return tabelaAusente(t.nome);
        // A collection this facade loaded can be checked against the file; one put in the references by
        // someone else is written as it is.
        const Carga& c = carga(t);
        const bool lida = c.colecao.lock().get() == atual.get();
        if (lida && !(AssinaturaArquivo::doArquivo(caminho(t.nome)) == c.assinatura)) {
            (void)recarrega(t);
            return ResultadoAlteracao::falha(
                QStringLiteral(
                    "A tabela %1 foi gravada por outra cópia do programa depois de carregada; ela foi "
                    "lida de novo e nada foi gravado.")
                    .arg(t.nome));
        }
        return regrava(t, *atual, *atual, !lida);
    }
};

ZovEnv_Simulator::ZovEnv_Simulator(Referencias& refs) : m_estado(std::make_unique<Estado>(refs)) {
    m_estado->gravador = [](const QString& caminho, const QByteArray& conteudo, QString* erro) {
        // The "_temp" copy holds what the table holds; only the table itself waits for the disk.
        if (caminho.endsWith(kSufixoTemp))
            return tabulon::gravaCopia(caminho, conteudo, erro);
        return tabulon::gravaArquivoAtomico(caminho, conteudo, erro);
    };
}

ZovEnv_Simulator::~ZovEnv_Simulator() = default;

void ZovEnv_Simulator::defineGravador(Gravador gravador) {
    m_estado->gravador = std::move(gravador);
}

void ZovEnv_Simulator::defineEsperaDoBloqueio(std::chrono::milliseconds espera) {
    m_estado->espera = espera;
}

std::optional<QString> ZovEnv_Simulator::ProximoNumeroDocumento(const tabulon::ZOVs& zovs) {
    std::shared_ptr<tabulon::ZOV> ultimo;
    for (qsizetype i = zovs.Count(); i >= 1 && !ultimo; --i)
        ultimo = zovs.Item(i);
    if (!ultimo)
        return QStringLiteral("1");
    const QString numero = ultimo->NUM_DOCUMENTO.trimmed();
    if (numero.size() > 18 || !tabulon::soDigitos(numero))
        return std::nullopt;
    return QString::number(numero.toULongLong() + 1);
}

// ---- Reads

std::shared_ptr<tabulon::ARREC_MAB_RECEITAs> ZovEnv_Simulator::ReceitaSelectAll() const {
    return m_estado->refs.oARREC_MAB_RECEITAs;
}

std::shared_ptr<tabulon::ZOVs> ZovEnv_Simulator::ZOVSelectOne(const QString& numDocumento) const {
    const Referencias& refs = m_estado->refs;
    if (!refs.oZOVs || !refs.oARREC_MAB_RECEITAs)
        return nullptr;
    try {
        auto resultado = std::make_shared<tabulon::ZOVs>();
        for (const auto& zov : *refs.oZOVs) {
            if (!zov || zov->NUM_DOCUMENTO != numDocumento)
                continue;
            const auto receitas = refs.oARREC_MAB_RECEITAs->Query_MCR_COD_RCTA(zov->COD_RECEITA);
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
    const auto& tipos = m_estado->refs.oMAB_TIPO_IDENTIFICACAOs;
    if (!tipos)
        return nullptr;
    return tipos->Query_MTI_STATUS(status);
}

std::shared_ptr<tabulon::MAB_VALIDA_DOCs>
ZovEnv_Simulator::ValidacaoReceitaSelectOne(const QString& codReceita) const {
    const auto& regras = m_estado->refs.oMAB_VALIDA_DOCs;
    if (!regras)
        return nullptr;
    return regras->Query_MVD_MCR_COD_RCTA(codReceita);
}

std::shared_ptr<tabulon::PERIODOSs> ZovEnv_Simulator::Periodos(const QString& tipoPeriodo) const {
    const auto& periodos = m_estado->refs.oPERIODOSs;
    if (!periodos)
        return nullptr;
    return periodos->Query_TIPO_PERIODO(tipoPeriodo);
}

std::shared_ptr<tabulon::PARAMETROSs> ZovEnv_Simulator::parametros() const {
    return m_estado->refs.oPARAMETROSs;
}

std::shared_ptr<tabulon::CONTRIBUINTEs>
ZovEnv_Simulator::ContribuinteSelectOne(const QString& TIPO_DOCUMENTO,
                                        const QString& DOCUMENTO_IDENTIFICACAO) const {
    const auto& contribuintes = m_estado->refs.oCONTRIBUINTEs;
    if (!contribuintes)
        return nullptr;
    try {
        auto resultado = std::make_shared<tabulon::CONTRIBUINTEs>();
        for (const auto& c : *contribuintes) {
            if (c && c->TIPO_DOCUMENTO == TIPO_DOCUMENTO &&
                c->DOCUMENTO_IDENTIFICACAO == DOCUMENTO_IDENTIFICACAO)
                resultado->Add(c);
        }
        return resultado;
    } catch (...) {
        return nullptr;
    }
}

std::shared_ptr<tabulon::ZOVs> ZovEnv_Simulator::ZOVQuery() const {
    const Referencias& refs = m_estado->refs;
    if (!refs.oZOVs || !refs.oARREC_MAB_RECEITAs || !refs.oCONTRIBUINTEs)
        return nullptr;
    const QString vazio;
    return refs.oZOVs->Query_ZOV(vazio, vazio, vazio, vazio, *refs.oARREC_MAB_RECEITAs, *refs.oCONTRIBUINTEs);
}

// ---- Changes

namespace {

// The table with the first document of that number edited (or, with no edit, left out); nothing when
// there is no such document.
ResultadoAlteracao comDocumentoAlterado(const tabulon::ZOVs& zovs, const QString& numDocumento,
                                        const std::function<void(tabulon::ZOV&)>& edita,
                                        std::shared_ptr<tabulon::ZOVs>* nova) {
    const qsizetype pos = posicaoDoDocumento(zovs, numDocumento);
    if (pos == 0)
        return {};
    if (!edita) {
        *nova = copiaCom(zovs, pos, nullptr);
        return {};
    }
    // The loaded record is left as it is until the file holds the change.
    auto novo = std::make_shared<tabulon::ZOV>(*zovs.Item(pos));
    edita(*novo);
    *nova = copiaCom(zovs, pos, std::move(novo));
    return {};
}

} // namespace

ResultadoAlteracao ZovEnv_Simulator::ZOVUpdate(const QString& COD_RECEITA, const QString& DATA_ATUALIZACAO,
                                               const QString& DATA_CALCULO, const QString& DATA_VENCIMENTO,
                                               const QString& NUM_DOCUMENTO_IDENT,
                                               const QString& NUM_DOCUMENTO_ORIGEM, const QString& REFERENCIA,
                                               const QString& TIPO_DOCUMENTO_IDENT,
                                               const QString& VALOR_CORRECAO, const QString& VALOR_JUROS,
                                               const QString& VALOR_MULTA, const QString& VALOR_PRINCIPAL,
                                               const QString& VALOR_TOTAL, const QString& COD_MUNICIPIO,
                                               const QString& COD_CLASSE_VECTO, const QString& numDocumento) {
    const auto edita = [&](tabulon::ZOV& novo) {
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
    };
    return m_estado->altera<tabulon::ZOVs>(kTabelaZOV, [&](const tabulon::ZOVs& zovs, auto* nova) {
        return comDocumentoAlterado(zovs, numDocumento, edita, nova);
    });
}

ResultadoAlteracao ZovEnv_Simulator::ZOVInsert(
    const QString& COD_RECEITA, const QString& DATA_ATUALIZACAO, const QString& DATA_CALCULO,
    const QString& DATA_VENCIMENTO, const QString& NUM_DOCUMENTO_IDENT, const QString& NUM_DOCUMENTO_ORIGEM,
    const QString& REFERENCIA, const QString& TIPO_DOCUMENTO_IDENT, const QString& VALOR_CORRECAO,
    const QString& VALOR_JUROS, const QString& VALOR_MULTA, const QString& VALOR_PRINCIPAL,
    const QString& VALOR_TOTAL, const QString& COD_MUNICIPIO, const QString& COD_CLASSE_VECTO) {
    return m_estado->altera<tabulon::ZOVs>(kTabelaZOV, [&](const tabulon::ZOVs& zovs, auto* nova) {
        const std::optional<QString> numero = ProximoNumeroDocumento(zovs);
        if (!numero)
            return ResultadoAlteracao::falha(
                QStringLiteral("O número do último documento salvo (\"%1\") não é numérico; o documento não "
                               "foi incluído.")
                    .arg(ultimoNumero(zovs)));
        tabulon::ZOVs novo;
        novo.NewZOV(*numero, TIPO_DOCUMENTO_IDENT, NUM_DOCUMENTO_IDENT, COD_RECEITA, REFERENCIA,
                    NUM_DOCUMENTO_ORIGEM, DATA_VENCIMENTO, DATA_CALCULO, VALOR_PRINCIPAL, VALOR_JUROS,
                    VALOR_MULTA, VALOR_CORRECAO, VALOR_TOTAL, DATA_ATUALIZACAO, QStringLiteral("OL"),
                    COD_MUNICIPIO, COD_CLASSE_VECTO, QStringLiteral("0"));
        *nova = copiaCom(zovs, 0, novo.Item(1));
        ResultadoAlteracao r;
        r.numDocumento = *numero;
        return r;
    });
}

ResultadoAlteracao ZovEnv_Simulator::Regera_Tabela(const QString& tabela) {
    const QString nome = tabela.toUpper();
    if (nome == kZOV)
        return m_estado->regeraDaMemoria(kTabelaZOV);
    if (nome == kCONTRIBUINTE)
        return m_estado->regeraDaMemoria(kTabelaCONTRIBUINTE);
    return {};
}

ResultadoAlteracao ZovEnv_Simulator::ContribuinteUpdate(const QString& DOCUMENTO_IDENTIFICACAO,
                                                        const QString& RAZAO_SOCIAL,
                                                        const QString& TIPO_DOCUMENTO, const QString& NUM_DDD,
                                                        const QString& NUM_FONE) {
    return m_estado->altera<tabulon::CONTRIBUINTEs>(
        kTabelaCONTRIBUINTE, [&](const tabulon::CONTRIBUINTEs& contribuintes, auto* nova) {
            qsizetype pos = 0;
            for (qsizetype i = 1; i <= contribuintes.Count() && pos == 0; ++i) {
                const auto c = contribuintes.Item(i);
                if (c && c->DOCUMENTO_IDENTIFICACAO == DOCUMENTO_IDENTIFICACAO)
                    pos = i;
            }
            if (pos == 0)
                return ResultadoAlteracao{};
            auto novo = std::make_shared<tabulon::CONTRIBUINTE>();
            novo->TIPO_DOCUMENTO = TIPO_DOCUMENTO;
            novo->DOCUMENTO_IDENTIFICACAO = DOCUMENTO_IDENTIFICACAO;
            novo->RAZAO_SOCIAL = RAZAO_SOCIAL;
            novo->NUM_DDD = NUM_DDD;
            novo->NUM_FONE = NUM_FONE;
            *nova = copiaCom(contribuintes, pos, std::move(novo));
            return ResultadoAlteracao{};
        });
}

ResultadoAlteracao ZovEnv_Simulator::ContribuinteInsert(const QString& DOCUMENTO_IDENTIFICACAO,
                                                        const QString& RAZAO_SOCIAL,
                                                        const QString& TIPO_DOCUMENTO, const QString& NUM_DDD,
                                                        const QString& NUM_FONE) {
    return m_estado->altera<tabulon::CONTRIBUINTEs>(
        kTabelaCONTRIBUINTE, [&](const tabulon::CONTRIBUINTEs& contribuintes, auto* nova) {
            tabulon::CONTRIBUINTEs novo;
            novo.NewContribuinte(TIPO_DOCUMENTO, DOCUMENTO_IDENTIFICACAO, RAZAO_SOCIAL, NUM_DDD, NUM_FONE);
            *nova = copiaCom(contribuintes, 0, novo.Item(1));
            return ResultadoAlteracao{};
        });
}

ResultadoAlteracao ZovEnv_Simulator::ZovUpdateImpreso(const QString& impresso, const QString& numDocumento) {
    return m_estado->altera<tabulon::ZOVs>(kTabelaZOV, [&](const tabulon::ZOVs& zovs, auto* nova) {
        return comDocumentoAlterado(
            zovs, numDocumento, [&](tabulon::ZOV& novo) { novo.IMPRESSO = impresso; }, nova);
    });
}

ResultadoAlteracao ZovEnv_Simulator::ZovMarcaImpressos(const QStringList& numDocumentos) {
    if (numDocumentos.isEmpty())
        return {};
    const QSet<QString> numeros(numDocumentos.begin(), numDocumentos.end());
    // Only ZOV changes: the unchanged records are shared with the loaded table, the marked ones are
    // copies, and nothing is written when every document already carries the mark.
    return m_estado->altera<tabulon::ZOVs>(kTabelaZOV, [&](const tabulon::ZOVs& zovs, auto* nova) {
        const QString marca = QStringLiteral("1");
        auto copia = std::make_shared<tabulon::ZOVs>();
        copia->reservar(zovs.Count());
        bool mudou = false;
        for (qsizetype i = 1; i <= zovs.Count(); ++i) {
            auto zov = zovs.Item(i);
            if (zov && zov->IMPRESSO != marca && numeros.contains(zov->NUM_DOCUMENTO)) {
                zov = std::make_shared<tabulon::ZOV>(*zov);
                zov->IMPRESSO = marca;
                mudou = true;
            }
            copia->Add(std::move(zov));
        }
        if (mudou)
            *nova = std::move(copia);
        return ResultadoAlteracao{};
    });
}

ResultadoAlteracao ZovEnv_Simulator::ZOVDelete(const QString& numDocumento) {
    return m_estado->altera<tabulon::ZOVs>(kTabelaZOV, [&](const tabulon::ZOVs& zovs, auto* nova) {
        return comDocumentoAlterado(zovs, numDocumento, {}, nova);
    });
}

ZovEnv_Simulator::ResultadoLimpeza ZovEnv_Simulator::LimpaBase(const CopiaAntesDeLimpar& copia) {
    Estado& e = *m_estado;
    const QString kPrefixo = QStringLiteral("Não foi possível remover itens:  ");
    ResultadoLimpeza r;
    const auto falhaNasDuas = [&](const QString& motivo) {
        r.mensagemZOV = r.mensagemCONTRIBUINTE = kPrefixo + motivo;
        return r;
    };
    BloqueioTabela bloqueioC(e.refs.sDirDados, kCONTRIBUINTE);
    if (auto falha = e.trava(bloqueioC))
        return falhaNasDuas(*falha);
    BloqueioTabela bloqueioZ(e.refs.sDirDados, kZOV);
    if (auto falha = e.trava(bloqueioZ))
        return falhaNasDuas(*falha);
    if (copia) {
        for (const QString& tabela : {kZOV, kCONTRIBUINTE}) {
            std::optional<QByteArray> conteudo;
            QString motivo;
            try {
                conteudo = tabulon::AbreArquivo(e.caminho(tabela));
            } catch (const tabulon::ErroExecucao& x) {
                motivo =
                    QStringLiteral("%1 (%2)").arg(x.Descricao(), QDir::toNativeSeparators(e.caminho(tabela)));
            }
            QString erro;
            if (!copia(tabela, conteudo, motivo, &erro))
                return falhaNasDuas(erro);
        }
    }

    const auto limpa = [&](const auto& tabela, QString* mensagem) {
        if (auto falha = e.atualiza(tabela)) {
            *mensagem = kPrefixo + *falha;
            return;
        }
        const auto colecao = e.refs.*(tabela.destino);
        if (!colecao) {
            *mensagem = kPrefixo + tabelaAusente(tabela.nome).erro;
            return;
        }
        if (colecao->LimpaBase(e.refs.sDirDados, mensagem)) {
            mensagem->clear();
            // The emptied collection is what the file now holds.
            e.carga(tabela) = {colecao, AssinaturaArquivo::doArquivo(e.caminho(tabela.nome))};
        }
    };
    limpa(kTabelaZOV, &r.mensagemZOV);
    limpa(kTabelaCONTRIBUINTE, &r.mensagemCONTRIBUINTE);
    return r;
}

ResultadoAlteracao ZovEnv_Simulator::AlteraEmLote(const AlteracaoEmLote& altera) {
    Estado& e = *m_estado;
    // Always CONTRIBUINTE before ZOV, so two batches never wait for each other.
    BloqueioTabela bloqueioC(e.refs.sDirDados, kCONTRIBUINTE);
    if (auto falha = e.trava(bloqueioC))
        return ResultadoAlteracao::falha(*falha);
    BloqueioTabela bloqueioZ(e.refs.sDirDados, kZOV);
    if (auto falha = e.trava(bloqueioZ))
        return ResultadoAlteracao::falha(*falha);
    if (auto falha = e.atualiza(kTabelaCONTRIBUINTE))
        return ResultadoAlteracao::falha(*falha);
    if (auto falha = e.atualiza(kTabelaZOV))
        return ResultadoAlteracao::falha(*falha);

    auto contribuintes = e.refs.oCONTRIBUINTEs;
    auto zovs = e.refs.oZOVs;
    if (!contribuintes)
        return tabelaAusente(kCONTRIBUINTE);
    if (!zovs)
        return tabelaAusente(kZOV);
    auto novosC = copiaEditavel(*contribuintes);
    auto novosZ = copiaEditavel(*zovs);
    QString erro;
    if (!altera(*novosZ, *novosC, &erro))
        return ResultadoAlteracao::falha(erro);

    const bool mudouC = !mesmosRegistros(*contribuintes, *novosC);
    const bool mudouZ = !mesmosRegistros(*zovs, *novosZ);
    if (!mudouC && !mudouZ)
        return {};

    // Both contents are made, and so every value checked, before anything is written.
    std::optional<QByteArray> bytesC, bytesZ;
    if (mudouC && !(bytesC = e.conteudo(kTabelaCONTRIBUINTE, *contribuintes, *novosC, &erro)))
        return ResultadoAlteracao::falha(erro);
    if (mudouZ && !(bytesZ = e.conteudo(kTabelaZOV, *zovs, *novosZ, &erro)))
        return ResultadoAlteracao::falha(erro);

    QByteArray anteriorC;
    if (mudouC) {
        try {
            anteriorC = tabulon::AbreArquivo(e.caminho(kCONTRIBUINTE));
        } catch (const tabulon::ErroExecucao& x) {
            return ResultadoAlteracao::falha(x.Descricao());
        }
        if (auto falha = e.escreve(kCONTRIBUINTE, *bytesC))
            return ResultadoAlteracao::falha(*falha);
    }
    if (mudouZ) {
        if (auto falha = e.escreve(kZOV, *bytesZ)) {
            QString motivo = *falha;
            if (mudouC) {
                if (auto falhaC = e.escreve(kCONTRIBUINTE, anteriorC))
                    motivo += QStringLiteral("\nA tabela CONTRIBUINTE não pôde ser devolvida ao que era: %1")
                                  .arg(*falhaC);
                (void)e.recarrega(kTabelaCONTRIBUINTE);
            }
            (void)e.recarrega(kTabelaZOV);
            return ResultadoAlteracao::falha(motivo);
        }
    }

    // The files are known by their signatures from here on: the copies, the written bytes and this
    // function's hold on the previous tables are let go before the tables are loaded from the files, so
    // a large batch does not hold its tables three times over.
    std::optional<AssinaturaArquivo> assinaturaC, assinaturaZ;
    if (mudouC)
        assinaturaC = AssinaturaArquivo::doConteudo(e.caminho(kCONTRIBUINTE), *bytesC);
    if (mudouZ)
        assinaturaZ = AssinaturaArquivo::doConteudo(e.caminho(kZOV), *bytesZ);
    bytesC.reset();
    bytesZ.reset();
    anteriorC = QByteArray();
    novosC.reset();
    novosZ.reset();
    contribuintes.reset();
    zovs.reset();

    std::optional<QString> falhaNaCarga;
    if (assinaturaC)
        falhaNaCarga = e.recarrega(kTabelaCONTRIBUINTE, *assinaturaC);
    if (assinaturaZ) {
        if (auto f = e.recarrega(kTabelaZOV, *assinaturaZ))
            falhaNaCarga = f;
    }
    if (falhaNaCarga)
        return ResultadoAlteracao::falha(*falhaNaCarga);
    ResultadoAlteracao r;
    r.gravou = true;
    return r;
}

} // namespace zove
