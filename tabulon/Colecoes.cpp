#include "tabulon/Colecoes.h"

#include "tabulon/Funcoes.h"
#include "tabulon/Texto1252.h"

#include <QFile>
#include <QHash>
#include <limits>

namespace tabulon {

namespace {

template <class Registro, class... Valores> std::shared_ptr<Registro> montar(const Valores&... valores) {
    static_assert(sizeof...(Valores) == Registro::campos.size(), "one value per stored field");
    auto registro = std::make_shared<Registro>();
    size_t k = 0;
    ((((*registro).*(Registro::campos[k++].membro)) = valores), ...);
    return registro;
}

// A 16-bit integer as the regional conversion reads it, or nothing.
std::optional<int> inteiro16(const QString& texto) {
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok);
    if (!ok || v < std::numeric_limits<short>::min() || v > std::numeric_limits<short>::max())
        return std::nullopt;
    return v;
}

// DirBase names the folder with its final separator; one written the Windows way, or without it,
// still names the same folder.
QString pastaComSeparador(const QString& dir) {
    if (dir.endsWith(QLatin1Char('/')))
        return dir;
    if (dir.endsWith(QLatin1Char('\\')))
        return dir.left(dir.size() - 1) + QLatin1Char('/');
    return dir + QLatin1Char('/');
}

// Copies the table to its backup, then replaces the table atomically with a file holding only the
// header. The table is never deleted first: whatever fails, it keeps its previous content, and the
// collection keeps its records.
template <class ColecaoT>
bool limpaTabela(ColecaoT& colecao, const QString& DirBase, const QString& nome, QString* mensagem) {
    const QString pasta = pastaComSeparador(DirBase);
    // Found as the loader finds it: a file whose name differs only in case is the table.
    const QString tabela = caminhoNaPasta(pasta, nome);
    const QString backup = pasta + nome + QStringLiteral("_temp");
    QString erro;
    bool ok = false;
    try {
        QFile::remove(backup);
        QFile f(tabela);
        if (!f.open(QIODevice::ReadOnly)) {
            erro = motivoEmPortugues(f.errorString());
        } else {
            const QByteArray anterior = f.readAll();
            if (f.error() != QFileDevice::NoError)
                erro = motivoEmPortugues(f.errorString());
            f.close();
            if (erro.isEmpty() && gravaArquivoAtomico(backup, anterior, &erro)) {
                const QByteArray cabecalho = codifica1252(colecao.campos().join(QLatin1Char('|')));
                ok = gravaArquivoAtomico(tabela, juntaLinhas({cabecalho}), &erro);
            }
        }
    } catch (const std::exception& e) {
        erro = QString::fromLocal8Bit(e.what());
    }
    if (!ok) {
        if (mensagem)
            *mensagem = QStringLiteral("Não foi possível remover itens:  ") + erro;
        return false;
    }
    colecao.removeRegistros();
    return true;
}

} // namespace

// ---- TAB_MUNICs
void TAB_MUNICs::NewMunicipio(const QString& a, const QString& b, const QString& c, const QString& d) {
    Add(montar<TAB_MUNIC>(a, b, c, d));
}
std::shared_ptr<TAB_MUNICs> TAB_MUNICs::Query_TMU_COD_MUN(const QString& valor) const {
    return filtrar([&](const TAB_MUNIC& r) { return r.TMU_COD_MUN == valor; });
}

// ---- MAB_CLASSE_VENCIMENTOs
void MAB_CLASSE_VENCIMENTOs::NewClasseVencimento(const QString& a, const QString& b, const QString& c,
                                                 const QString& d, const QString& e, const QString& f,
                                                 const QString& g, const QString& h) {
    Add(montar<MAB_CLASSE_VENCIMENTO>(a, b, c, d, e, f, g, h));
}
std::shared_ptr<MAB_CLASSE_VENCIMENTOs> MAB_CLASSE_VENCIMENTOs::Query_MCV_ID(const QString& valor,
                                                                             const QString& Receita) const {
    return filtrar(
        [&](const MAB_CLASSE_VENCIMENTO& r) { return r.MCV_ID == valor && r.MCV_TGE_VTIP_GRUPO == Receita; });
}
std::shared_ptr<MAB_CLASSE_VENCIMENTOs>
MAB_CLASSE_VENCIMENTOs::Query_MCV_COD_SERVICO(const QString& valor, const QString& Receita) const {
    return filtrar([&](const MAB_CLASSE_VENCIMENTO& r) {
        return r.MCV_COD_SERVICO == valor && r.MCV_TGE_VTIP_GRUPO == Receita;
    });
}

// ---- ARREC_MAB_RECEITAs
void ARREC_MAB_RECEITAs::NewReceita(const QString& a, const QString& b, const QString& c, const QString& d,
                                    const QString& e, const QString& f, const QString& g, const QString& h,
                                    const QString& i, const QString& j, const QString& k, const QString& l,
                                    const QString& m, const QString& n, const QString& o, const QString& p,
                                    const QString& q, const QString& r) {
    Add(montar<ARREC_MAB_RECEITA>(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r));
}
std::shared_ptr<ARREC_MAB_RECEITAs>
ARREC_MAB_RECEITAs::Query_Receitas_Do_Tipo(const QString& pTipo,
                                           const MAB_VALIDA_DOCs& oMAB_VALIDA_DOCS) const {
    return filtrar([&](const ARREC_MAB_RECEITA& r) {
        return r.MCR_MTR_TIP_RECEITA == pTipo && r.MCR_STUS_RCTA == QLatin1String("1") &&
               oMAB_VALIDA_DOCS.Valida_PERM_EMISS_OFF_LINE(r.MCR_COD_RCTA, QStringLiteral("1"));
    });
}
std::shared_ptr<ARREC_MAB_RECEITAs>
ARREC_MAB_RECEITAs::Query_MCR_COD_RCTA(const QString& pMCR_COD_RCTA) const {
    return filtrar([&](const ARREC_MAB_RECEITA& r) { return r.MCR_COD_RCTA == pMCR_COD_RCTA; });
}

// ---- MAB_TIPO_IDENTIFICACAOs
void MAB_TIPO_IDENTIFICACAOs::NewIdentificacao(const QString& a, const QString& b, const QString& c,
                                               const QString& d, const QString& e, const QString& f) {
    Add(montar<MAB_TIPO_IDENTIFICACAO>(a, b, c, d, e, f));
}
std::shared_ptr<MAB_TIPO_IDENTIFICACAOs>
MAB_TIPO_IDENTIFICACAOs::Query_MTI_STATUS(const QString& valor) const {
    return filtrar([&](const MAB_TIPO_IDENTIFICACAO& r) { return r.MTI_STATUS == valor; });
}

// ---- MAB_TIPO_PERIODICIDADEs
void MAB_TIPO_PERIODICIDADEs::NewPeriodicidade(const QString& a, const QString& b, const QString& c,
                                               const QString& d, const QString& e, const QString& f,
                                               const QString& g) {
    Add(montar<MAB_TIPO_PERIODICIDADE>(a, b, c, d, e, f, g));
}
std::shared_ptr<MAB_TIPO_PERIODICIDADEs> MAB_TIPO_PERIODICIDADEs::Query_MTP_ID(const QString& valores) const {
    return filtrar([&](const MAB_TIPO_PERIODICIDADE& r) {
        return !r.MTP_ID.isEmpty() && valores.contains(r.MTP_ID, Qt::CaseSensitive);
    });
}

// ---- MAB_TIPO_RECEITAs
void MAB_TIPO_RECEITAs::NewReceita(const QString& a, const QString& b) {
    Add(montar<MAB_TIPO_RECEITA>(a, b));
}
std::shared_ptr<MAB_TIPO_RECEITAs> MAB_TIPO_RECEITAs::Query_MTR_TIP_RECEITA(const QString& valor) const {
    return filtrar([&](const MAB_TIPO_RECEITA& r) { return r.MTR_TIP_RECEITA == valor; });
}

// ---- MAB_VALIDA_DOCs
void MAB_VALIDA_DOCs::NewValida_Doc(const QString& a, const QString& b, const QString& c, const QString& d,
                                    const QString& e, const QString& f, const QString& g, const QString& h,
                                    const QString& i, const QString& j, const QString& k, const QString& l,
                                    const QString& m, const QString& n, const QString& o, const QString& p,
                                    const QString& q, const QString& r) {
    Add(montar<MAB_VALIDA_DOC>(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r));
}
bool MAB_VALIDA_DOCs::Valida_PERM_EMISS_OFF_LINE(const QString& pMVD_MCR_COD_RCTA,
                                                 const QString& pMVD_PERM_EMISS_OFF_LINE) const noexcept {
    for (const auto& r : *this) {
        if (!r)
            return false;
        if (r->MVD_MCR_COD_RCTA == pMVD_MCR_COD_RCTA)
            return r->MVD_PERM_EMISS_OFF_LINE == pMVD_PERM_EMISS_OFF_LINE;
    }
    return false;
}
std::shared_ptr<MAB_VALIDA_DOCs> MAB_VALIDA_DOCs::Query_MVD_MCR_COD_RCTA(const QString& valor) const {
    return filtrar([&](const MAB_VALIDA_DOC& r) { return r.MVD_MCR_COD_RCTA == valor; });
}
std::shared_ptr<MAB_VALIDA_DOCs> MAB_VALIDA_DOCs::Query_MVD_CLASSE_VECTO(const QString& valor) const {
    return filtrar([&](const MAB_VALIDA_DOC& r) { return r.MVD_CLASSE_VECTO == valor; });
}

// ---- TAB_CERT_ANTIGAs
void TAB_CERT_ANTIGAs::NewCert_Antiga(const QString& a) {
    Add(montar<TAB_CERT_ANTIGA>(a));
}
std::shared_ptr<TAB_CERT_ANTIGAs> TAB_CERT_ANTIGAs::Query_TCN_ID(const QString& valor) const {
    return filtrar([&](const TAB_CERT_ANTIGA& r) { return r.TCN_ID == valor; });
}

// ---- PERIODOSs
void PERIODOSs::NewPeriodos(const QString& a, const QString& b, const QString& c) {
    Add(montar<PERIODOS>(a, b, c));
}
std::shared_ptr<PERIODOSs> PERIODOSs::Query_COD_PERIODO(const QString& valore) const {
    const auto procurado = inteiro16(valore);
    if (!procurado)
        return nullptr;
    bool falhou = false;
    auto resultado = filtrar([&](const PERIODOS& r) {
        const auto codigo = inteiro16(r.COD_PERIODO);
        if (!codigo)
            falhou = true;
        return codigo && *codigo == *procurado;
    });
    return falhou ? nullptr : resultado;
}
std::shared_ptr<PERIODOSs> PERIODOSs::Query_PERIODO(const QString& pCOD_PERIODO,
                                                    const QString& pTIPO_PERIODO) const {
    return filtrar(
        [&](const PERIODOS& r) { return r.COD_PERIODO == pCOD_PERIODO && r.TIPO_PERIODO == pTIPO_PERIODO; });
}
std::shared_ptr<PERIODOSs> PERIODOSs::Query_TIPO_PERIODO(const QString& pTIPO_PERIODO) const {
    return filtrar([&](const PERIODOS& r) { return r.TIPO_PERIODO == pTIPO_PERIODO; });
}

// ---- PARAMETROSs
void PARAMETROSs::NewParametros(const QString& a, const QString& b, const QString& c, const QString& d,
                                const QString& e) {
    Add(montar<PARAMETROS>(a, b, c, d, e));
}

// ---- MAB_RECEITA_CLASSEs
void MAB_RECEITA_CLASSEs::NewReceitaClasse(const QString& a, const QString& b, const QString& c,
                                           const QString& d) {
    Add(montar<MAB_RECEITA_CLASSE>(a, b, c, d));
}
std::shared_ptr<MAB_RECEITA_CLASSEs> MAB_RECEITA_CLASSEs::Query_MRC_MCV_ID(const QString& valor) const {
    return filtrar([&](const MAB_RECEITA_CLASSE& r) { return r.MRC_MCV_ID == valor; });
}
std::shared_ptr<MAB_RECEITA_CLASSEs> MAB_RECEITA_CLASSEs::Query_MRC_MCR_COD_RCTA(const QString& valor) const {
    return filtrar([&](const MAB_RECEITA_CLASSE& r) { return r.MRC_MCR_COD_RCTA == valor; });
}
bool MAB_RECEITA_CLASSEs::CLASSE_EH_VALIDA(const QString& ID_Classe, const QString& Receita,
                                           const QString& PeriodoInicio,
                                           const QString& PeriodoFim) const noexcept {
    bool valida = false;
    bool considerou = false;
    try {
        for (const auto& r : *this) {
            if (!r)
                return valida;
            if (r->MRC_MCV_ID != ID_Classe || r->MRC_MCR_COD_RCTA != Receita)
                continue;
            considerou = true;
            const auto inicio = lerData(r->MRC_DT_VIGENCIA_INICIO);
            const auto fim = lerData(r->MRC_DT_VIGENCIA_FIM);
            if (inicio && fim) {
                const auto pIni = lerData(PeriodoInicio);
                const auto pFim = lerData(PeriodoFim);
                if (!pIni || !pFim)
                    return valida;
                if ((*inicio <= *pIni && *fim >= *pIni) || (*inicio <= *pFim && *fim >= *pFim) ||
                    (*inicio > *pIni && *fim < *pFim))
                    valida = true;
            } else if (inicio) {
                const auto pFim = lerData(PeriodoFim);
                if (!pFim)
                    return valida;
                if (*inicio <= *pFim)
                    valida = true;
            }
        }
    } catch (...) {
        return valida;
    }
    return considerou ? valida : true;
}

// ---- mab_tipo_documentos
void mab_tipo_documentos::NewTipoDocumento(const QString& a, const QString& b, const QString& c) {
    Add(montar<mab_tipo_documento>(a, b, c));
}
std::shared_ptr<mab_tipo_documento> mab_tipo_documentos::Query_MTDO_ID(const QString& valor) const noexcept {
    for (const auto& r : *this) {
        if (!r)
            return nullptr;
        if (r->MTDO_ID == valor)
            return r;
    }
    return nullptr;
}

// ---- ZOVs
void ZOVs::NewZOV(const QString& a, const QString& b, const QString& c, const QString& d, const QString& e,
                  const QString& f, const QString& g, const QString& h, const QString& i, const QString& j,
                  const QString& k, const QString& l, const QString& m, const QString& n, const QString& o,
                  const QString& p, const QString& q, const QString& r) {
    Add(montar<ZOV>(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r));
}

bool ZOVs::LimpaBase(const QString& DirBase, QString* mensagem) {
    return limpaTabela(*this, DirBase, QString::fromLatin1(ZOV::arquivo), mensagem);
}

void ZOVs::Set_Item(qsizetype iIndice, RegistroPtr oZov) {
    if (iIndice < 0 || iIndice > Count())
        throw ErroExecucao::subscrito();
    m_mCol[static_cast<size_t>(iIndice)] = std::move(oZov);
}

std::shared_ptr<ZOVs> ZOVs::Query_ZOV(const QString& pNUM_DOCUMENTO_IDENT, const QString& pRAZAO_SOCIAL,
                                      const QString& pMCR_MTR_TIP_RECEITA, const QString& pMCR_COD_RCTA,
                                      const ARREC_MAB_RECEITAs& oARREC_MAB_RECEITAs,
                                      const CONTRIBUINTEs& oCONTRIBUINTEs) const {
    try {
        // The first revenue of each code and the first taxpayer of each identification number, as a
        // walk of the tables in order finds them. The taxpayer is joined on the whole number: joining
        // on "contains" would show another taxpayer's name whenever one number contains another. Two
        // kinds of identification can share a number (a state registration and a Renavam), so the
        // taxpayer of the document's own kind comes first; any taxpayer with the number otherwise.
        QHash<QString, const ARREC_MAB_RECEITA*> receitas;
        for (const auto& r : oARREC_MAB_RECEITAs) {
            if (!r)
                return nullptr;
            if (!receitas.contains(r->MCR_COD_RCTA))
                receitas.insert(r->MCR_COD_RCTA, r.get());
        }
        const auto tipoENumero = [](const QString& tipo, const QString& numero) {
            return tipo + QLatin1Char('|') + numero; // "|" is never part of a stored value
        };
        QHash<QString, const CONTRIBUINTE*> contribuintes;
        QHash<QString, const CONTRIBUINTE*> contribuintesDoTipo;
        for (const auto& c : oCONTRIBUINTEs) {
            if (!c)
                return nullptr;
            if (!contribuintes.contains(c->DOCUMENTO_IDENTIFICACAO))
                contribuintes.insert(c->DOCUMENTO_IDENTIFICACAO, c.get());
            const QString chave = tipoENumero(c->TIPO_DOCUMENTO, c->DOCUMENTO_IDENTIFICACAO);
            if (!contribuintesDoTipo.contains(chave))
                contribuintesDoTipo.insert(chave, c.get());
        }

        auto resultado = std::make_shared<ZOVs>();
        for (const auto& zov : *this) {
            if (!zov)
                return nullptr;
            if (!pNUM_DOCUMENTO_IDENT.isEmpty() && pNUM_DOCUMENTO_IDENT != zov->NUM_DOCUMENTO_IDENT)
                continue;
            const ARREC_MAB_RECEITA* receita = receitas.value(zov->COD_RECEITA, nullptr);
            if (!receita)
                continue;
            if (!pMCR_MTR_TIP_RECEITA.isEmpty() && pMCR_MTR_TIP_RECEITA != receita->MCR_MTR_TIP_RECEITA)
                continue;
            if (!pMCR_COD_RCTA.isEmpty() && pMCR_COD_RCTA != receita->MCR_COD_RCTA)
                continue;
            const CONTRIBUINTE* contribuinte = contribuintesDoTipo.value(
                tipoENumero(zov->TIPO_DOCUMENTO_IDENT, zov->NUM_DOCUMENTO_IDENT), nullptr);
            if (!contribuinte)
                contribuinte = contribuintes.value(zov->NUM_DOCUMENTO_IDENT, nullptr);
            if (!contribuinte)
                continue;
            if (!contribuinte->RAZAO_SOCIAL.contains(pRAZAO_SOCIAL, Qt::CaseSensitive))
                continue;
            zov->MCR_NOME_RCTA = receita->MCR_NOME_RCTA;
            zov->RAZAO_SOCIAL = contribuinte->RAZAO_SOCIAL;
            resultado->Add(zov);
        }
        return resultado;
    } catch (...) {
        return nullptr;
    }
}

// ---- CONTRIBUINTEs
void CONTRIBUINTEs::NewContribuinte(const QString& a, const QString& b, const QString& c, const QString& d,
                                    const QString& e) {
    Add(montar<CONTRIBUINTE>(a, b, c, d, e));
}
bool CONTRIBUINTEs::LimpaBase(const QString& DirBase, QString* mensagem) {
    return limpaTabela(*this, DirBase, QString::fromLatin1(CONTRIBUINTE::arquivo), mensagem);
}
std::shared_ptr<CONTRIBUINTEs> CONTRIBUINTEs::Query_TIPO_DOCUMENTO(const QString& pTIPO_DOCUMENTO) const {
    return filtrar([&](const CONTRIBUINTE& c) { return c.TIPO_DOCUMENTO == pTIPO_DOCUMENTO; });
}
std::shared_ptr<CONTRIBUINTEs>
CONTRIBUINTEs::Query_DOCUMENTO_IDENTIFICACAO(const QString& pDOCUMENTO_IDENTIFICACAO) const {
    return filtrar([&](const CONTRIBUINTE& c) {
        return c.DOCUMENTO_IDENTIFICACAO.contains(pDOCUMENTO_IDENTIFICACAO, Qt::CaseSensitive);
    });
}
std::shared_ptr<CONTRIBUINTE> CONTRIBUINTEs::primeiroComIdentificacao(const QString& numero) const noexcept {
    for (const auto& c : *this) {
        if (!c)
            return nullptr;
        if (c->DOCUMENTO_IDENTIFICACAO == numero)
            return c;
    }
    return nullptr;
}

} // namespace tabulon
