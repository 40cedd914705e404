#include "validation/Validacao.h"

#include "common/Formato.h"
#include "tabulon/Colecoes.h"
#include "tabulon/Funcoes.h"

#include <algorithm>
#include <optional>

namespace zove {

namespace {

bool ehDigito(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool ehDigito(int tecla) {
    return tecla >= '0' && tecla <= '9';
}

// The number zero-filled to `largura` digits; nothing when it is empty or holds anything but digits
// (blanks around it aside). A longer number keeps all its significant digits.
std::optional<QString> preenchido(const QString& numero, int largura) {
    if (!formato::somenteDigitos(numero))
        return std::nullopt;
    return formato::zeros(numero, largura);
}

// An identification number has a fixed width: more significant digits cannot be one.
std::optional<QString> identificacao(const QString& numero, int largura) {
    auto t = preenchido(numero, largura);
    if (!t || t->size() != largura)
        return std::nullopt;
    return t;
}

QString dv(const QString& digitos, int pesoMaximo) {
    return QString::number(calculaDVModulo11(digitos, pesoMaximo));
}

} // namespace

// ---- check digits -------------------------------------------------------------------------------

int calculaDVModulo11(const QString& digitos, int pesoMaximo) {
    int soma = 0; // kept reduced modulo 11, so any length is safe
    qint64 peso = 2;
    for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
        const QChar c = digitos.at(i);
        const int valor = ehDigito(c) ? c.unicode() - '0' : 0;
        soma = static_cast<int>((soma + valor * (peso % 11)) % 11);
        ++peso;
        if (peso > pesoMaximo)
            peso = 2;
    }
    return soma >= 2 ? 11 - soma : 0;
}

bool confereModulo11(const QString& numero, int pesoMaximo) {
    if (!tabulon::soDigitos(numero))
        return false;
    const int digito = numero.back().unicode() - '0';
    int soma = 0;
    qint64 peso = 1;
    for (qsizetype i = numero.size() - 2; i >= 0; --i) {
        ++peso;
        soma = static_cast<int>((soma + (numero.at(i).unicode() - '0') * (peso % 11)) % 11);
        if (peso > pesoMaximo)
            peso = 2;
    }
    return soma >= 2 ? digito == 11 - soma : digito == 0;
}

bool validaCPF(const QString& numero) {
    const auto t = identificacao(numero, 11);
    if (!t || *t == QLatin1String("00000000191"))
        return false;
    return t->right(2) == dv(t->left(9), 11) + dv(t->left(10), 11);
}

bool validaCNPJ(const QString& numero) {
    const auto t = identificacao(numero, 14);
    if (!t || *t == QLatin1String("00000000000191"))
        return false;
    return t->right(2) == dv(t->left(12), 9) + dv(t->left(13), 9);
}

bool validaInscricaoEstadual(const QString& numero) {
    const auto t = identificacao(numero, 9);
    if (!t)
        return false;
    if (t->startsWith(QLatin1String("25")))
        return true;
    return t->startsWith(QLatin1String("26")) && t->right(1) == dv(t->left(8), 9);
}

bool validaNumeroRenavam(const QString& numero) {
    const auto t = identificacao(numero, 9);
    return t && t->right(1) == dv(t->left(8), 9);
}

bool validaModulo11(const QString& numero) {
    const auto t = preenchido(numero, 12);
    return t && t->right(1) == dv(t->left(t->size() - 1), 9);
}

bool validaModulo97(const QString& numero) {
    const auto t = preenchido(numero, 11);
    if (!t)
        return false;
    // The first nine digits, less 100, modulo 97 (C++ truncates like the original arithmetic; a
    // negative remainder never matches two digits).
    const int x = t->left(9).toInt() - 100;
    const int r = x % 97;
    if (r >= 0 && t->right(2) == formato::zeros(QString::number(r), 2))
        return true;
    return validaModulo11(numero);
}

bool validaDocumentoTabela(const QString& numero, const tabulon::TAB_CERT_ANTIGAs* certidoes) {
    const QString n = numero.startsWith(QLatin1Char('0')) ? numero.mid(1) : numero;
    if (certidoes) {
        const auto achados = certidoes->Query_TCN_ID(n);
        if (achados && achados->Count() == 1)
            return true;
    }
    return validaModulo11(n);
}

bool validaDocumentoOrigem(const QString& numero, const QString& tipo,
                           const tabulon::TAB_CERT_ANTIGAs* certidoes) {
    const QString n = numero.trimmed();
    if (n.isEmpty())
        return true;
    if (tipo == QLatin1String("1"))
        return validaDocumentoTabela(n, certidoes) || validaCPF(n) || validaCNPJ(n);
    if (tipo == QLatin1String("2"))
        return validaModulo97(n);
    if (tipo == QLatin1String("3"))
        return validaModulo11(QLatin1Char('4') + n) || validaModulo11(QLatin1Char('2') + n) ||
               validaModulo97(n) || validaModulo11(n);
    if (tipo == QLatin1String("4"))
        return validaModulo11(n);
    if (tipo == QLatin1String("5") || tipo == QLatin1String("6"))
        return validaModulo97(n) || validaModulo11(n);
    if (tipo == QLatin1String("11")) {
        const QString t = formato::zeros(n, 10);
        return confereModulo11(QLatin1Char('2') + t, 9) || confereModulo11(QLatin1Char('4') + t, 9);
    }
    return true;
}

// ---- dates and years ----------------------------------------------------------------------------

namespace {

// ddmmyyyy (or ddmmyy, widened with the century of `hoje`) as a calendar date; nothing when the
// digits cannot be one.
std::optional<QDate> dataDeDigitos(QString t, const QDate& hoje) {
    if (t.size() == 6) {
        const QString seculo = QStringLiteral("%1").arg(hoje.year(), 4, 10, QLatin1Char('0')).left(2);
        t = t.left(4) + seculo + t.right(2);
    }
    if (!formato::somenteDigitos(t))
        return std::nullopt;
    t = formato::zeros(t, 8);
    if (t.size() != 8)
        return std::nullopt;
    const QDate data(t.mid(4, 4).toInt(), t.mid(2, 2).toInt(), t.left(2).toInt());
    if (!data.isValid())
        return std::nullopt;
    return data;
}

QString semBarras(const QString& texto) {
    QString t = texto;
    t.remove(QLatin1Char('/'));
    return t;
}

} // namespace

bool validaDataTexto(const QString& data, const QDate& hoje) {
    const QString t = data.trimmed();
    if (t.isEmpty())
        return true;
    return dataDeDigitos(semBarras(t), hoje).has_value();
}

ResultadoCampo validaCampoData(const QString& data, const QDate& hoje) {
    ResultadoCampo r;
    // Only a box left truly empty has no date; blanks are a text that is not one.
    if (data.isEmpty())
        return r;
    const QString digitos = semBarras(data.trimmed());
    const auto lida = digitos.size() < 6 ? std::nullopt : dataDeDigitos(digitos, hoje);
    if (!lida) {
        r.ok = false;
        r.texto = semBarras(data);
        r.mensagem = QStringLiteral("Data inválida");
        r.titulo = QStringLiteral("Erro");
        r.icone = ResultadoCampo::Icone::Critico;
        return r;
    }
    r.texto = lida->toString(QStringLiteral("dd/MM/yyyy"));
    return r;
}

ResultadoCampo validaAno(const QString& ano) {
    ResultadoCampo r;
    r.texto = ano;
    const QString t = ano.trimmed();
    if (t.isEmpty())
        return r;
    // Only the last four significant digits could fit; a longer text is out of range anyway.
    const QString n = formato::somenteDigitos(t) ? formato::zeros(t, 0) : QString();
    const int valor = !n.isEmpty() && n.size() <= 4 ? n.toInt() : -1;
    if (valor >= anoMinimo && valor <= anoMaximo)
        return r;
    r.ok = false;
    r.mensagem = QStringLiteral("Ano deve ser entre %1 e %2").arg(anoMinimo).arg(anoMaximo);
    r.titulo = QStringLiteral("Aviso");
    r.icone = ResultadoCampo::Icone::Informacao;
    return r;
}

// ---- text boxes ---------------------------------------------------------------------------------

namespace {

// Caret and selection brought inside the text.
Caixa normaliza(const Caixa& caixa) {
    Caixa c = caixa;
    c.inicioSelecao = std::clamp<qsizetype>(c.inicioSelecao, 0, c.texto.size());
    c.tamanhoSelecao = std::clamp<qsizetype>(c.tamanhoSelecao, 0, c.texto.size() - c.inicioSelecao);
    return c;
}

} // namespace

Caixa aplicaTecla(const Caixa& caixa, int tecla) {
    Caixa c = normaliza(caixa);
    if (tecla == teclaBackspace) {
        if (c.tamanhoSelecao > 0) {
            c.texto.remove(c.inicioSelecao, c.tamanhoSelecao);
        } else if (c.inicioSelecao > 0) {
            c.texto.remove(c.inicioSelecao - 1, 1);
            --c.inicioSelecao;
        }
        c.tamanhoSelecao = 0;
        return c;
    }
    if (tecla < 32 || tecla == 127 || tecla > 0xFFFF)
        return c;
    QString novo = c.texto;
    novo.replace(c.inicioSelecao, c.tamanhoSelecao, QChar(static_cast<char16_t>(tecla)));
    if (c.comprimentoMaximo > 0 && novo.size() > c.comprimentoMaximo)
        return c;
    c.texto = novo;
    ++c.inicioSelecao;
    c.tamanhoSelecao = 0;
    return c;
}

int somenteNumeros(int tecla) {
    return ehDigito(tecla) || tecla == teclaBackspace || tecla == teclaLineFeed ? tecla : 0;
}

ResultadoTecla somenteNumeros(const Caixa& caixa, int tecla) {
    const int passa = somenteNumeros(tecla);
    return {passa, passa ? aplicaTecla(caixa, passa) : normaliza(caixa)};
}

namespace {

struct PartesValor {
    qsizetype virgula; // -1 when there is none
    qsizetype inteiros;
    qsizetype decimais;
};

PartesValor partes(const QString& texto) {
    const qsizetype v = texto.indexOf(QLatin1Char(','));
    if (v < 0)
        return {v, texto.size(), 0};
    return {v, v, texto.size() - v - 1};
}

// Digits with at most one comma, within the given numbers of integer and decimal digits.
bool valorCabe(const QString& texto, int maxInteiros, int maxDecimais) {
    if (texto.count(QLatin1Char(',')) > 1)
        return false;
    for (QChar c : texto) {
        if (!ehDigito(c) && c != QLatin1Char(','))
            return false;
    }
    const PartesValor p = partes(texto);
    return p.inteiros <= maxInteiros && p.decimais <= maxDecimais;
}

} // namespace

ResultadoTecla digitaValor(const Caixa& caixa, int tecla, int maxInteiros, int maxDecimais) {
    const Caixa c = normaliza(caixa);
    const bool digito = ehDigito(tecla);
    const bool virgula = tecla == ',';
    const bool teclaDeValor = digito || virgula || tecla == teclaBackspace || tecla == teclaLineFeed;

    const auto recusa = [&] { return ResultadoTecla{0, c}; };
    // The key goes on to the box, unless it would turn an amount that fits into one that does not.
    const auto aceita = [&] {
        Caixa depois = aplicaTecla(c, tecla);
        if (valorCabe(c.texto, maxInteiros, maxDecimais) &&
            !valorCabe(depois.texto, maxInteiros, maxDecimais))
            return recusa();
        return ResultadoTecla{tecla, depois};
    };
    // The filter writes the digit at the end itself and consumes the key.
    const auto acrescenta = [&](const QString& sufixo) {
        Caixa depois = c;
        depois.texto += sufixo;
        depois.inicioSelecao = depois.texto.size();
        depois.tamanhoSelecao = 0;
        return ResultadoTecla{0, depois};
    };

    if (c.texto.isEmpty())
        return teclaDeValor ? aceita() : recusa();
    if (digito && c.inicioSelecao == 0 && c.tamanhoSelecao == c.texto.size())
        return aceita();
    // Backspace always passes, even when it joins the two parts past the limit: the user must be able
    // to correct the box, and validaCampoValor refuses such an amount when the box is left.
    if (tecla == teclaBackspace)
        return ResultadoTecla{tecla, aplicaTecla(c, tecla)};

    const PartesValor p = partes(c.texto);
    if (virgula && p.virgula >= 0)
        return recusa();
    if (p.virgula < 0 && p.inteiros >= maxInteiros) {
        if (digito)
            return acrescenta(QLatin1Char(',') + QChar(static_cast<char16_t>(tecla)));
        return virgula || tecla == teclaLineFeed ? aceita() : recusa();
    }
    if (p.virgula >= 0) {
        if (p.decimais >= maxDecimais)
            return recusa();
        if (p.decimais == maxDecimais - 1 && digito)
            return acrescenta(QChar(static_cast<char16_t>(tecla)));
    }
    if (p.inteiros < maxInteiros || p.decimais < maxDecimais || virgula)
        return teclaDeValor ? aceita() : recusa();
    return recusa();
}

ResultadoCampo validaCampoValor(const QString& texto, int maxInteiros) {
    ResultadoCampo r;
    if (texto.isEmpty()) {
        r.texto = QStringLiteral("0,00");
        return r;
    }
    const std::optional<qint64> lido = formato::centavos(texto);
    qint64 limite = 100; // centavos of 1 real times 10^maxInteiros
    for (int i = 0; i < maxInteiros; ++i)
        limite *= 10;
    if (lido && *lido >= 0 && *lido < limite) {
        r.texto = formato::valor(*lido);
        return r;
    }
    r.ok = false;
    r.texto = texto;
    r.mensagem =
        QStringLiteral("Valor inválido: no máximo %1 dígitos antes da vírgula e 2 depois").arg(maxInteiros);
    r.titulo = QStringLiteral("Erro");
    r.icone = ResultadoCampo::Icone::Critico;
    return r;
}

QString removeCaractere(const QString& texto, const QString& c) {
    if (c.size() != 1)
        return texto;
    QString t = texto;
    t.remove(c.at(0));
    return t;
}

Caixa selecionaTextoValor(const Caixa& caixa) {
    Caixa c = caixa;
    c.texto = removeCaractere(caixa.texto, QStringLiteral("."));
    if (c.texto == QLatin1String("0,00"))
        c.texto.clear();
    c.inicioSelecao = 0;
    c.tamanhoSelecao = c.texto.size();
    return c;
}

} // namespace zove
