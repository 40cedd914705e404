#include "search/ModeloResultado.h"

#include "data/PesquisaDocumentos.h"

namespace zove {

namespace {

const QString kCabecalhos[ModeloResultado::Colunas] = {
    QStringLiteral("ZOVE"),
    QStringLiteral("Receita"),
    QStringLiteral("Identificação"),
    QStringLiteral("Razão Social/Nome"),
    QStringLiteral("Data da Geração/Digitação"),
    QStringLiteral("Total"),
};

} // namespace

ModeloResultado::ModeloResultado(QObject* parent) : QAbstractTableModel(parent) {}

void ModeloResultado::defineDocumentos(std::shared_ptr<tabulon::ZOVs> documentos) {
    beginResetModel();
    m_documentos = std::move(documentos);
    endResetModel();
}

QString ModeloResultado::numero(int linha) const {
    if (linha < 0 || linha >= rowCount())
        return {};
    return m_documentos->Item(linha + 1)->NUM_DOCUMENTO;
}

int ModeloResultado::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_documentos)
        return 0;
    return static_cast<int>(m_documentos->Count());
}

int ModeloResultado::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Colunas;
}

QVariant ModeloResultado::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == ColunaTotal)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    return colunaDaLinha(*m_documentos->Item(index.row() + 1), index.column());
}

QVariant ModeloResultado::headerData(int secao, Qt::Orientation orientacao, int role) const {
    if (orientacao != Qt::Horizontal || secao < 0 || secao >= Colunas)
        return QAbstractTableModel::headerData(secao, orientacao, role);
    if (role == Qt::DisplayRole)
        return kCabecalhos[secao];
    if (role == Qt::TextAlignmentRole && secao == ColunaTotal)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

} // namespace zove
