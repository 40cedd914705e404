#include "barcode/codigoDeBarra.h"

#include "barcode/ZovDados.h"
#include "barcode/ZovModelos.h"
#include "common/Formato.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "validation/CodigoBarras.h"

#include <array>

namespace zove {

namespace {

// Model indexes: 0-6 are ZovModelo1..ZovModelo7; 7 has no layout; 8 is the service-class family.
constexpr qint16 indiceModelo1 = 0;
constexpr qint16 indiceModelo2 = 1;
constexpr qint16 indiceModelo3 = 2;
constexpr qint16 indiceModelo4 = 3;
constexpr qint16 indiceModelo5 = 4;
constexpr qint16 indiceModelo6 = 5;
constexpr qint16 indiceModelo7 = 6;
constexpr qint16 indiceSemModelo = 7;
constexpr qint16 indiceClasseServico = 8;

// Revenues whose layout is fixed by their code when the rule table does not give exactly one record.
const std::array<const char*, 2> receitasModelo2{"5789", "1856"};
const std::array<const char*, 1> receitasModelo3{"1813"};
const std::array<const char*, 8> receitasModelo6{"1597", "1589", "1570", "1716",
                                                 "1724", "1740", "7200", "1775"};
const std::array<const char*, 39> receitasModelo7{
    "1236", "1244", "1260", "1279", "1287", "1341", "1376", "1384", "1392", "1406", "1490", "1503", "1538",
    "1546", "1694", "1902", "1910", "1929", "9814", "5754", "5762", "5770", "5819", "5894", "5797", "5860",
    "5428", "5827", "5835", "5878", "6505", "6521", "6530", "6513", "9776", "5908", "5916", "5924", "5886"};

template <std::size_t N> bool contem(const std::array<const char*, N>& lista, const QString& codigo) {
    for (const char* c : lista) {
        if (codigo == QLatin1String(c))
            return true;
    }
    return false;
}

} // namespace

codigoDeBarra::codigoDeBarra(Referencias& refs) : m_refs(refs), m_Dados(std::make_shared<ZovDados>()) {}

codigoDeBarra::~codigoDeBarra() = default;

void codigoDeBarra::Dados(std::shared_ptr<ZovDados> valor) {
    m_Dados = valor ? std::move(valor) : std::make_shared<ZovDados>();
}

QString codigoDeBarra::GetCodigoDeBarra() {
    return SelecionaModelo();
}

QString codigoDeBarra::SelecionaModelo() {
    const QString receita = m_Dados->CodReceita();
    const auto regras = m_refs.oZovEnv().ValidacaoReceitaSelectOne(receita);
    const qsizetype quantas = regras ? regras->Count() : 0;

    const QString classe = m_Dados->CodClasseVencimento();
    if (classe == QLatin1String("1")) {
        if (m_Dados->tipoIdentificacao() == QLatin1String("1"))
            return MontaPorModelo(indiceModelo4);
        return MontaPorModelo(indiceModelo5);
    }
    if (classe == QLatin1String("2"))
        return MontaPorModelo(indiceClasseServico);

    if (quantas == 1) {
        const QString tipo = regras->Item(1)->MVD_TIP_CODIGO_BARRA_OFF;
        if (tipo.size() == 1 && tipo[0] >= QLatin1Char('1') && tipo[0] <= QLatin1Char('8'))
            return MontaPorModelo(static_cast<qint16>(tipo[0].unicode() - u'1'));
        return MontaPorModelo(indiceModelo1);
    }

    if (contem(receitasModelo2, receita))
        return MontaPorModelo(indiceModelo2);
    if (contem(receitasModelo3, receita))
        return MontaPorModelo(indiceModelo3);
    if (contem(receitasModelo6, receita))
        return MontaPorModelo(indiceModelo6);
    if (contem(receitasModelo7, receita))
        return MontaPorModelo(indiceModelo7);
    return MontaPorModelo(indiceModelo1);
}

QString codigoDeBarra::MontaPorModelo(qint16 indice) {
    std::unique_ptr<ZovModelo> modelo;
    QString digitoFinal = QStringLiteral("2");
    switch (indice) {
    case indiceModelo1:
        modelo = std::make_unique<ZovModelo1>();
        break;
    case indiceModelo2:
        modelo = std::make_unique<ZovModelo2>();
        break;
    case indiceModelo3:
        modelo = std::make_unique<ZovModelo3>();
        break;
    case indiceModelo4:
        modelo = std::make_unique<ZovModelo4>();
        // Registrations with the "26" prefix are told apart by the last digit.
        if (m_Dados->NumIdentificacao().left(2) == QLatin1String("26"))
            digitoFinal = QStringLiteral("3");
        break;
    case indiceModelo5:
        modelo = std::make_unique<ZovModelo5>();
        break;
    case indiceModelo6:
        modelo = std::make_unique<ZovModelo6>();
        break;
    case indiceModelo7:
        modelo = std::make_unique<ZovModelo7>();
        break;
    case indiceClasseServico:
        if (m_Dados->IdClasseVencimento() == QLatin1String("480") &&
            m_Dados->CodReceita() == QLatin1String("2135")) {
            modelo = std::make_unique<ZovModelo8>();
        } else {
            modelo = std::make_unique<ZovModelo_ClasseServico>();
            digitoFinal = QStringLiteral("3");
        }
        break;
    case indiceSemModelo:
    default:
        // No layout is bound to this index: nothing can be composed.
        return QString();
    }
    const std::shared_ptr<ZovDados> dados = m_Dados;
    QString livre = modelo->MontaZov(*dados, digitoFinal);
    m_Dados = dados;
    return livre;
}

QString montaNumeroCodigoBarras(qint64 valorCentavos, codigoDeBarra& composicao, QString& codigo) {
    const QString livre = composicao.GetCodigoDeBarra();
    if (livre.isEmpty()) {
        codigo.clear();
        return QString();
    }
    const QString semDV = QLatin1String("856") + formato::zeros(QString::number(valorCentavos), 11) +
                          QLatin1String("0024") + livre;
    return montaCodigoBarras(semDV, codigo);
}

} // namespace zove
