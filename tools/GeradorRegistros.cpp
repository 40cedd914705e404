#include "tools/GeradorRegistros.h"

#include "data/Referencias.h"
#include "import/RegistroZove.h"
#include "import/ZovRegras.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Texto1252.h"
#include "validation/Validacao.h"

namespace zove {

namespace {

QString digitos(qint64 v, int largura) {
    return QStringLiteral("%1").arg(v, largura, 10, QLatin1Char('0')).right(largura);
}

QString yyyymmdd(const QDate& d) {
    return d.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

GeradorRegistros::GeradorRegistros(const Referencias& refs, QDate hoje) : m_refs(refs), m_hoje(hoje) {
    // The import's own judgement of a well-formed record says which revenues it takes.
    for (const auto& r : *refs.oMAB_VALIDA_DOCs) {
        if (m_receitas.contains(r->MVD_MCR_COD_RCTA))
            continue;
        ZovRegras zov(ContextoRegras{&refs, hoje, nullptr});
        zov.NewZov(registro(r->MVD_MCR_COD_RCTA, 0));
        if (zov.Status() == ZovRegras::Importado)
            m_receitas.append(r->MVD_MCR_COD_RCTA);
    }
}

QString GeradorRegistros::identificacao(const QString& tipo, int i) {
    if (tipo == QLatin1String("3")) {
        const QString base = digitos(100000000 + i * 7919LL, 9);
        const QString d1 = QString::number(calculaDVModulo11(base, 11));
        return base + d1 + QString::number(calculaDVModulo11(base + d1, 11));
    }
    if (tipo == QLatin1String("2")) {
        const QString base = digitos(10000000 + i * 104729LL, 8) + QStringLiteral("0001");
        const QString d1 = QString::number(calculaDVModulo11(base, 9));
        return base + d1 + QString::number(calculaDVModulo11(base + d1, 9));
    }
    if (tipo == QLatin1String("1")) {
        const QString base = QStringLiteral("26") + digitos(100000 + i, 6);
        return base + QString::number(calculaDVModulo11(base, 9));
    }
    // Renavam
    const QString base = digitos(10000000 + i * 31LL, 8);
    return base + QString::number(calculaDVModulo11(base, 9));
}

QString GeradorRegistros::registro(const QString& receita, int i, Defeito defeito) const {
    using namespace registro;
    if (defeito == Defeito::EmBranco)
        return QString(20, QLatin1Char(' '));

    const auto regras = m_refs.oMAB_VALIDA_DOCs->Query_MVD_MCR_COD_RCTA(receita);
    tabulon::MAB_VALIDA_DOC flags;
    if (regras && regras->Count() > 0)
        flags = *regras->Item(1);

    Campos c;
    c[Campo::receita] = defeito == Defeito::Receita ? QStringLiteral("9999") : receita;

    QString tipo = QStringLiteral("3");
    for (const QString& t :
         {QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("5")}) {
        if (flags.MVD_TIPO_DOCUMENTO.contains(t)) {
            tipo = t;
            break;
        }
    }
    c[Campo::tipoIdentificacao] = tipo;
    QString ident = identificacao(tipo, i);
    if (defeito == Defeito::Identificacao)
        ident.back() = QLatin1Char(
            ident.back() == QLatin1Char('9') ? '0' : static_cast<char>(ident.back().toLatin1() + 1));
    c[Campo::NumIdentificacao] = ident;

    if (flags.MVD_NOME == QLatin1String("1"))
        c[Campo::RazaoSocial] = QStringLiteral("CONTRIBUINTE AÇÚCAR & CIA Nº %1").arg(i);
    if (flags.MVD_TELEFONE == QLatin1String("1")) {
        c[Campo::DDD] = QStringLiteral("61");
        c[Campo::Telefone] = digitos(32120000 + i % 10000, 8);
    }

    // An originating-document number its type accepts: the first candidate that passes.
    const QString& doc = flags.MVD_DOCUMENTO;
    if (!doc.isEmpty() && doc != QLatin1String("9") && doc != QLatin1String("6")) {
        for (qint64 base = 1000000 + i * 13LL;; ++base) {
            bool achou = false;
            for (int dv = 0; dv <= 9 && !achou; ++dv) {
                const QString n = QString::number(base) + QString::number(dv);
                if (validaDocumentoOrigem(n, doc, m_refs.oTAB_CERT_ANTIGAs.get())) {
                    c[Campo::NumDocumentoOrigem] = n;
                    achou = true;
                }
            }
            if (achou)
                break;
        }
    }

    const QString& classe = flags.MVD_CLASSE_VECTO;
    const bool classeSoParaInscricao = receita == QLatin1String("1457") || receita == QLatin1String("1473");
    if (classe == QLatin1String("1") && (!classeSoParaInscricao || tipo == QLatin1String("1"))) {
        const auto classes = m_refs.oMAB_CLASSE_VENCIMENTOs;
        for (const auto& cl : *classes) {
            if (cl->MCV_TGE_VTIP_GRUPO == QLatin1String("9999")) {
                c[Campo::CodClasseVencimento] = cl->MCV_ID;
                break;
            }
        }
    } else if (classe == QLatin1String("2")) {
        c[Campo::CodClasseVencimento] = QStringLiteral("1");
        for (const auto& cl : *m_refs.oMAB_CLASSE_VENCIMENTOs) {
            if (cl->MCV_TGE_VTIP_GRUPO == receita && !cl->MCV_COD_SERVICO.isEmpty()) {
                c[Campo::CodClasseVencimento] = cl->MCV_COD_SERVICO;
                break;
            }
        }
    }
    if (flags.MVD_MUNIC == QLatin1String("1"))
        c[Campo::CodMunicipio] = m_refs.oTAB_MUNICs->Item(1 + i % m_refs.oTAB_MUNICs->Count())->TMU_COD_MUN;

    c[Campo::DataVencimento] = defeito == Defeito::DataVencimento
                                   ? QStringLiteral("%1").arg(m_hoje.year()) + QStringLiteral("0231")
                                   : yyyymmdd(m_hoje.addDays(10));
    c[Campo::DataMaximaPagamento] =
        yyyymmdd(QDate(m_hoje.year(), m_hoje.month(), 1).addMonths(1).addDays(-1));

    const QString& ref = flags.MVD_REFERENCIA;
    const QString anoAtual = QString::number(m_hoje.year());
    if (ref == QLatin1String("1") || ref.isEmpty()) {
        c[Campo::periodo] = QString::number(1 + i % 12);
        c[Campo::ano] = anoAtual;
    } else if (ref == QLatin1String("2")) {
        c[Campo::tipoPeriodo] = QStringLiteral("3");
        c[Campo::periodo] = QString::number(1 + i % 12);
        c[Campo::ano] = anoAtual;
    } else if (ref == QLatin1String("3")) {
        c[Campo::parcelas] = QString::number(1 + i % 999);
    } else if (ref == QLatin1String("4")) {
        c[Campo::periodo] = QStringLiteral("76");
        c[Campo::ano] = anoAtual;
    } else if (ref == QLatin1String("5")) {
        c[Campo::ano] = anoAtual;
    }

    const qint64 principal = 10000 + i;
    const qint64 multa = i % 100;
    const qint64 juros = (i / 100) % 50;
    c[Campo::ValorPrincipal] = QString::number(principal);
    c[Campo::Multa] = QString::number(multa);
    c[Campo::Juros] = QString::number(juros);
    c[Campo::CorrecaoMonetaria] = QStringLiteral("0");
    c[Campo::total] = QString::number(principal + multa + juros + (defeito == Defeito::Total ? 1 : 0));

    // Numbers are zero-filled to their width, the name is blank-padded.
    QString texto;
    texto.reserve(tamanhoRegistro);
    for (size_t k = 0; k < posicoes.size(); ++k) {
        const auto largura = posicoes[k].tamanho;
        const QString v = c[k].left(largura);
        if (k == Campo::RazaoSocial || k == Campo::CodClasseVencimento)
            texto += v.leftJustified(largura, QLatin1Char(' '));
        else
            texto += v.rightJustified(largura, QLatin1Char('0'));
    }
    if (defeito == Defeito::Tamanho)
        texto.chop(1);
    return texto;
}

QByteArray GeradorRegistros::arquivo(int n, int cadaInvalido) const {
    static constexpr Defeito defeitos[] = {Defeito::Identificacao,  Defeito::Total,   Defeito::Receita,
                                           Defeito::DataVencimento, Defeito::Tamanho, Defeito::EmBranco};
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(n) * 252);
    int invalidos = 0;
    for (int i = 0; i < n; ++i) {
        Defeito d = Defeito::Nenhum;
        if (cadaInvalido > 0 && (i + 1) % cadaInvalido == 0)
            d = defeitos[invalidos++ % std::size(defeitos)];
        bytes += tabulon::codifica1252(registro(m_receitas.at(i % m_receitas.size()), i, d));
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace zove
