#pragma once
// Chooses the free-field layout of a document's collection barcode and builds the free field.
#include <QString>
#include <memory>

namespace zove {

class Referencias;
class ZovDados;

class codigoDeBarra {
public:
    // The revenue rules are read through the references' data facade.
    explicit codigoDeBarra(Referencias& refs);
    ~codigoDeBarra();

    // The record to encode. Setting shares the caller's object; setting a null pointer puts a fresh
    // empty record in its place, so there is always one to read.
    std::shared_ptr<ZovDados> Dados() const { return m_Dados; }
    void Dados(std::shared_ptr<ZovDados> valor);

    // The free field (positions 20-44 of the number) for Dados: 25 characters when every property
    // the chosen layout uses formats to its width. Empty when the revenue's rule names a layout
    // that does not exist; the length check of the whole number then reports the failure.
    QString GetCodigoDeBarra();

private:
    QString SelecionaModelo();
    QString MontaPorModelo(qint16 indice);

    Referencias& m_refs;
    std::shared_ptr<ZovDados> m_Dados;
};

// The whole 44-digit number of a document and its visible line, in the order the entry form
// composes them: "856", the amount in centavos as eleven digits, "0024", the free field, then the
// general check digit. When no free field can be built, `codigo` and the returned line are empty,
// so the length check reports a length of 0.
QString montaNumeroCodigoBarras(qint64 valorCentavos, codigoDeBarra& composicao, QString& codigo);

} // namespace zove
