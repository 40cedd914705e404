#include "import/LoteImportacao.h"

#include "tabulon/Colecoes.h"
#include "tabulon/Funcoes.h"

#include <QHash>
#include <array>
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
    if (ultimo.size() > 18 || !tabulon::soDigitos(ultimo))
        return std::nullopt;
    return ultimo.toULongLong() + 1;
}

constexpr unsigned char kLongo = 0xFF;

void empacota(QByteArray& destino, const QString& valor) {
    const QByteArray texto = valor.toUtf8();
    if (texto.size() < kLongo) {
        destino.append(static_cast<char>(texto.size()));
    } else {
        const auto n = static_cast<quint32>(texto.size());
        destino.append(static_cast<char>(kLongo));
        for (int i = 0; i < 4; ++i)
            destino.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    }
    destino.append(texto);
}

// Reads the packed fields back, giving one shared text for the values a field repeats.
class Desempacotador {
public:
    explicit Desempacotador(const QByteArray& campos) : m_campos(campos) {}

    QString proximo(int campo, qsizetype& pos) {
        const auto* p = reinterpret_cast<const unsigned char*>(m_campos.constData());
        qsizetype n = p[pos++];
        if (n == kLongo) {
            n = 0;
            for (int i = 0; i < 4; ++i)
                n |= static_cast<qsizetype>(p[pos++]) << (8 * i);
        }
        const QByteArray texto = QByteArray::fromRawData(m_campos.constData() + pos, n);
        pos += n;
        auto& vistos = m_repetidos[static_cast<size_t>(campo)];
        const auto it = vistos.constFind(texto);
        if (it != vistos.constEnd())
            return it.value();
        QString valor = QString::fromUtf8(texto);
        // A field of mostly different values (numbers, names) is not worth remembering.
        if (vistos.size() < kRepetidosPorCampo)
            vistos.insert(QByteArray(texto.constData(), texto.size()), valor);
        return valor;
    }

private:
    static constexpr qsizetype kRepetidosPorCampo = 256;
    const QByteArray& m_campos;
    std::array<QHash<QByteArray, QString>, tabulon::ZOV::campos.size() + tabulon::CONTRIBUINTE::campos.size()>
        m_repetidos;
};

} // namespace

void LoteImportacao::inclui(const tabulon::ZOV& documento, const tabulon::CONTRIBUINTE& contribuinte) {
    m_inicios.push_back(m_campos.size());
    for (const auto& d : tabulon::ZOV::campos)
        empacota(m_campos, documento.*(d.membro));
    for (const auto& d : tabulon::CONTRIBUINTE::campos)
        empacota(m_campos, contribuinte.*(d.membro));
}

void LoteImportacao::esvazia() {
    m_campos = QByteArray();
    m_inicios = std::vector<qsizetype>();
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
    Desempacotador leitor(m_campos);
    for (qsizetype pos : m_inicios) {
        int campo = 0;
        auto documento = std::make_shared<tabulon::ZOV>();
        for (const auto& d : tabulon::ZOV::campos)
            (*documento).*(d.membro) = leitor.proximo(campo++, pos);
        tabulon::CONTRIBUINTE novo;
        for (const auto& d : tabulon::CONTRIBUINTE::campos)
            novo.*(d.membro) = leitor.proximo(campo++, pos);
        documento->NUM_DOCUMENTO = QString::number((*proximo)++);
        zovs.Add(std::move(documento));

        // The taxpayer is the row of that type and number: a row of another type sharing the number
        // (a state registration and a Renavam can) belongs to someone else and is left alone.
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
