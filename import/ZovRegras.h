#pragma once
// One document read from a batch import record, judged against the rules of its revenue. Every
// problem becomes a line of its own log; a valid document goes, with its taxpayer, into the import's
// batch, which the driver stores at the end in one operation.
#include "import/Logs.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <array>

namespace zove {

class LoteDocumentos;
class Referencias;

// What the rules read: the loaded tables, "today", and the batch valid documents go to (none: the
// document is only judged).
struct ContextoRegras {
    const Referencias* refs = nullptr;
    QDate hoje;
    LoteDocumentos* lote = nullptr;
    // The revenues the entry form offers, worked out once per import (none: asked per record).
    const QSet<QString>* receitasOferecidas = nullptr;
};

// The codes of the revenues the entry form lists under some revenue type; the import takes no other.
QSet<QString> receitasOferecidas(const Referencias& refs);

class ZovRegras {
public:
    static const QString Importado;
    static const QString Invalido;
    // The line of a field whose text is not the number it should be.
    static const QString ErroConversao;

    explicit ZovRegras(ContextoRegras contexto = {});

#define ZOVE_PROPRIEDADE(nome)                                                                               \
    const QString& nome() const {                                                                            \
        return m_##nome;                                                                                     \
    }                                                                                                        \
    void nome(const QString& valor) {                                                                        \
        m_##nome = valor;                                                                                    \
    }
    ZOVE_PROPRIEDADE(receita)
    ZOVE_PROPRIEDADE(tipoIdentificacao)
    ZOVE_PROPRIEDADE(NumIdentificacao)
    ZOVE_PROPRIEDADE(RazaoSocial)
    ZOVE_PROPRIEDADE(DDD)
    ZOVE_PROPRIEDADE(Telefone)
    ZOVE_PROPRIEDADE(NumDocumentoOrigem)
    ZOVE_PROPRIEDADE(CodClasseVencimento)
    ZOVE_PROPRIEDADE(CodMunicipio)
    ZOVE_PROPRIEDADE(DataVencimento)
    ZOVE_PROPRIEDADE(DataMaximaPagamento)
    ZOVE_PROPRIEDADE(parcelas)
    ZOVE_PROPRIEDADE(tipoPeriodo)
    ZOVE_PROPRIEDADE(periodo)
    ZOVE_PROPRIEDADE(ano)
    ZOVE_PROPRIEDADE(ValorPrincipal)
    ZOVE_PROPRIEDADE(Multa)
    ZOVE_PROPRIEDADE(Juros)
    ZOVE_PROPRIEDADE(CorrecaoMonetaria)
    ZOVE_PROPRIEDADE(total)
    ZOVE_PROPRIEDADE(Status)
#undef ZOVE_PROPRIEDADE

    zove::Logs& Logs() {
        return m_logs;
    }
    const zove::Logs& Logs() const {
        return m_logs;
    }

    // Reads one line of the file (its terminator already removed), judges it and sets Status.
    void NewZov(const QString& linha);

    // Runs the rules in order; true when all pass. The first true result puts the document and its
    // taxpayer into the batch; later calls judge again but never add it twice.
    bool IsValid();

    // Whether the document went into the batch.
    bool incluidoNoLote() const {
        return m_incluido;
    }

private:
    bool regraReceita();
    bool regraTipoIdentificacao();
    bool regraIdentificacao();
    bool regraNome();
    bool regraTelefone();
    bool regraDocumentoOrigem();
    bool regraClasseVencimento();
    bool regraMunicipio();
    bool regraDataVencimento();
    bool regraDataMaximaPagamento();
    bool regraPeriodo();
    bool regraAnoDoPeriodo();
    bool regraValores();
    bool flagDesconhecida(const char* flag, const QString& valor);
    bool armazena();
    void registra(const QString& texto) {
        m_logs.NewLog(texto);
    }

    ContextoRegras m_ctx;
    QString m_receita, m_tipoIdentificacao, m_NumIdentificacao, m_RazaoSocial, m_DDD, m_Telefone,
        m_NumDocumentoOrigem, m_CodClasseVencimento, m_CodMunicipio, m_DataVencimento, m_DataMaximaPagamento,
        m_parcelas, m_tipoPeriodo, m_periodo, m_ano, m_ValorPrincipal, m_Multa, m_Juros, m_CorrecaoMonetaria,
        m_total, m_Status;
    zove::Logs m_logs;

    // The revenue's rule flags, copied by the revenue check.
    QString MVD_NOME, MVD_TIPO_DOCUMENTO, MVD_DOCUMENTO, MVD_REFERENCIA, MVD_VENCIMENTO, MVD_CLASSE_VECTO,
        MVD_MUNIC, MVD_TELEFONE;
    bool m_incluido = false;
};

} // namespace zove
