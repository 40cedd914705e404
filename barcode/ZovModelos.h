#pragma once
// The free-field layouts of the collection barcode, one class per layout. A model object is made
// for one composition: MontaZov returns the 25 characters (when every property it uses formats to
// its width) and keeps the pieces it formatted until it is dropped.
#include <QString>

namespace zove {

class ZovDados;

class ZovModelo {
public:
    virtual ~ZovModelo() = default;
    virtual QString MontaZov(ZovDados& Dados, const QString& digitoFinal) = 0;
};

// type · identification (13) · period (6) · revenue (4) · final digit
class ZovModelo1 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    static QString AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao);
    QString m_tipo, m_identificacao, m_periodo, m_receita, m_digitoFinal;
};

// originating document (11) · identification as typed (9) · revenue (4) · final digit
class ZovModelo2 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    QString m_documentoOrigem, m_identificacao, m_receita, m_digitoFinal;
};

// type · identification (13) · "0" · municipality (5) · revenue (4) · final digit
class ZovModelo3 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    static QString AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao);
    QString m_tipo, m_identificacao, m_municipio, m_receita, m_digitoFinal;
};

// type · state registration without its "25"/"26" prefix (7) · "0" · due-date class (5) ·
// period (6) · revenue (4) · final digit
class ZovModelo4 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    static QString AjustaIdentificacao(const QString& NumIdentificacao);
    QString m_tipo, m_identificacao, m_classe, m_periodo, m_receita, m_digitoFinal;
};

// Same layout as ZovModelo1, kept as its own class because revenues are bound to it by number.
class ZovModelo5 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;
};

// type · identification (13) · originating document (6) · revenue (4) · final digit
class ZovModelo6 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    static QString AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao);
    QString m_tipo, m_identificacao, m_documentoOrigem, m_receita, m_digitoFinal;
};

// originating document (14, never cut) · period (6) · revenue (4) · final digit
class ZovModelo7 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    QString m_documentoOrigem, m_periodo, m_receita, m_digitoFinal;
};

// "000000009" · last two characters of the period · identification as typed (9) · revenue (4) ·
// final digit
class ZovModelo8 : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    QString m_ano, m_identificacao, m_receita, m_digitoFinal;
};

// type · identification (12) · service class (3) · period as yymm (4) · revenue (4) · final digit
class ZovModelo_ClasseServico : public ZovModelo {
public:
    QString MontaZov(ZovDados& Dados, const QString& digitoFinal) override;

private:
    static QString AjustaIdentificacao(const QString& tipoIdentificacao, const QString& NumIdentificacao);
    static QString BlocoPeriodo(const QString& PeriodoReferencia);
    QString m_tipo, m_identificacao, m_classe, m_periodo, m_receita, m_digitoFinal;
};

} // namespace zove
