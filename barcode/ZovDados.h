#pragma once
// The facts of one document that can go into the free field of its collection barcode, as plain
// text, plus the cut-and-pad operation every barcode model uses on them.
#include <QString>

namespace zove {

class ZovDados {
public:
    // Each property is a get/set pair; nothing is checked or normalised when it is set, and a
    // property never set reads as the empty string.
    QString CodReceita() const { return m_CodReceita; }
    void CodReceita(const QString& valor) { m_CodReceita = valor; }

    QString tipoIdentificacao() const { return m_tipoIdentificacao; }
    void tipoIdentificacao(const QString& valor) { m_tipoIdentificacao = valor; }

    QString NumIdentificacao() const { return m_NumIdentificacao; }
    void NumIdentificacao(const QString& valor) { m_NumIdentificacao = valor; }

    QString PeriodoReferencia() const { return m_PeriodoReferencia; }
    void PeriodoReferencia(const QString& valor) { m_PeriodoReferencia = valor; }

    QString NumDocumentoOrigem() const { return m_NumDocumentoOrigem; }
    void NumDocumentoOrigem(const QString& valor) { m_NumDocumentoOrigem = valor; }

    QString CodClasseVencimento() const { return m_CodClasseVencimento; }
    void CodClasseVencimento(const QString& valor) { m_CodClasseVencimento = valor; }

    QString IdClasseVencimento() const { return m_IdClasseVencimento; }
    void IdClasseVencimento(const QString& valor) { m_IdClasseVencimento = valor; }

    QString CodMunicipio() const { return m_CodMunicipio; }
    void CodMunicipio(const QString& valor) { m_CodMunicipio = valor; }

    // The last `tamanho` characters of `valor`, padded with leading zeros to `tamanho` digits when
    // they form a number (12 -> "0012" for 4; "0123456" -> "3456" for 4). Text that is not a number
    // comes back cut but otherwise unchanged, and an empty value stays empty, so a model fed an
    // unset property builds a free field of the wrong length instead of inventing digits.
    // A width of zero or less gives the empty string.
    static QString Formatar(const QString& valor, qint16 tamanho);

private:
    QString m_CodReceita;
    QString m_tipoIdentificacao;
    QString m_NumIdentificacao;
    QString m_PeriodoReferencia;
    QString m_NumDocumentoOrigem;
    QString m_CodClasseVencimento;
    QString m_IdClasseVencimento;
    QString m_CodMunicipio;
};

} // namespace zove
