#pragma once
// The search window's result list as a model over the found documents: each cell's text is made when
// the view asks for it, so filling the list costs the same for 30 rows or 32,767.
#include "tabulon/Colecoes.h"

#include <QAbstractTableModel>
#include <memory>

namespace zove {

class ModeloResultado : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int Colunas = 6;
    static constexpr int ColunaTotal = 5;

    explicit ModeloResultado(QObject* parent = nullptr);

    // The documents shown, in list order; null empties the list.
    void defineDocumentos(std::shared_ptr<tabulon::ZOVs> documentos);
    // The document number of a row.
    QString numero(int linha) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<tabulon::ZOVs> m_documentos;
};

} // namespace zove
