#include "import/LoteImportacao.h"

#include "tabulon/Colecoes.h"

#include <QHash>
#include <memory>
#include <optional>

namespace zove {

namespace {

// The number after the last document's; nothing when that number is not plain decimal digits.
std::optional<qulonglong> numeroSeguinte(const tabulon::ZOVs& zovs) {
    if (zovs.Count() == 0)
        return 1;
    const auto ultimoRegistro = zovs.Item(zovs.Count());
    const QString ultimo = ultimoRegistro ? ultimoRegistro->NUM_DOCUMENTO.trimmed() : QString();
    if (ultimo.isEmpty() || ultimo.size() > 18)
        return std::nullopt;
    for (const QChar c : ultimo) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return ultimo.toULongLong() + 1;
}

} // namespace

void LoteImportacao::inclui(tabulon::ZOV documento, tabulon::CONTRIBUINTE contribuinte) {
    m_itens.push_back({std::move(documento), std::move(contribuinte)});
}

bool LoteImportacao::aplicaEm(tabulon::ZOVs& zovs, tabulon::CONTRIBUINTEs& contribuintes,
                              QString* erro) const {
    auto proximo = numeroSeguinte(zovs);
    if (!proximo) {
        *erro = QStringLiteral("O número do último ZOVE salvo (\"%1\") não é numérico.")
                    .arg(zovs.Item(zovs.Count()) ? zovs.Item(zovs.Count())->NUM_DOCUMENTO : QString());
        return false;
    }
    // Taxpayers by identification number, in table order: one look-up per record keeps the batch linear.
    QHash<QString, std::vector<std::shared_ptr<tabulon::CONTRIBUINTE>>> porNumero;
    porNumero.reserve(contribuintes.Count() + tamanho());
    for (const auto& c : contribuintes)
        if (c)
            porNumero[c->DOCUMENTO_IDENTIFICACAO].push_back(c);

    zovs.reservar(zovs.Count() + tamanho());
    for (const Item& item : m_itens) {
        auto documento = std::make_shared<tabulon::ZOV>(item.documento);
        documento->NUM_DOCUMENTO = QString::number((*proximo)++);
        zovs.Add(std::move(documento));

        // The taxpayer is the row of that type and number: a row of another type sharing the number
        // (a state registration and a Renavam can) belongs to someone else and is left alone.
        const tabulon::CONTRIBUINTE& novo = item.contribuinte;
        auto& mesmoNumero = porNumero[novo.DOCUMENTO_IDENTIFICACAO];
        std::shared_ptr<tabulon::CONTRIBUINTE> doMesmoTipo;
        int mesmoTipo = 0;
        for (const auto& c : mesmoNumero) {
            if (c->TIPO_DOCUMENTO == novo.TIPO_DOCUMENTO) {
                ++mesmoTipo;
                doMesmoTipo = c;
            }
        }
        if (mesmoTipo == 1) {
            *doMesmoTipo = novo;
        } else {
            auto registro = std::make_shared<tabulon::CONTRIBUINTE>(novo);
            mesmoNumero.push_back(registro);
            contribuintes.Add(std::move(registro));
        }
    }
    return true;
}

} // namespace zove
