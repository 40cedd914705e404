#pragma once
// The bytes of a saved table file (ZOV or CONTRIBUINTE) made from a collection: the loaded header, one
// line per record, CR LF, Windows-1252. Every value is checked first, so a file is never written that
// would load back as something else.
#include "tabulon/MD5Driver.h"
#include "tabulon/Texto1252.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace zove::conteudo {

// Why a value cannot be stored in a table file, or nothing when it can. A "|" or a line break would
// split the record on the next load, a NUL makes the loader refuse the file, and a character without
// a Windows-1252 byte would come back as another character.
std::optional<QString> problemaDoValor(const char* campo, const QString& valor);

// Why a value of a column the loader decodes cannot be stored, or nothing when it can. The format has
// no escape for "&": an entity name such as "&atilde;" would come back as the letter it names.
std::optional<QString> entidadeNoValor(const char* campo, const QString& valor);

// Why a record cannot be stored in a table file as it is, or nothing when it can: the first of its values
// that cannot (see above), or a first value that would read back as a digest line.
template <class Registro> std::optional<QString> problemaDoRegistro(const Registro& registro) {
    constexpr auto& defs = Registro::campos;
    for (size_t k = 0; k < defs.size(); ++k) {
        const QString& valor = registro.*(defs[k].membro);
        if (auto problema = problemaDoValor(defs[k].campo, valor))
            return problema;
        if (defs[k].decodificado) {
            if (auto problema = entidadeNoValor(defs[k].campo, valor))
                return problema;
        }
        // A first value beginning with the digest mark would be read back as a digest line.
        const QLatin1String marca(tabulon::MD5Driver::MarcaDigest);
        if (k == 0 && valor.startsWith(marca))
            return QStringLiteral("O campo %1 começa com \"%2\" e não pode ser gravado.")
                .arg(QLatin1String(defs[k].campo), marca);
    }
    return std::nullopt;
}

// The file content for a collection: the loaded header, then one line per record with its stored
// fields in record order, CR LF after each line, Windows-1252. Documents without a number and empty
// slots are left out. Nothing is produced when any value cannot be stored.
template <class ColecaoT>
std::optional<QByteArray> montaArquivo(const QStringList& cabecalho, bool carregadaTemRegistros,
                                       const ColecaoT& registros, bool pulaSemNumero, QString* erro) {
    using Registro = typename ColecaoT::RegistroT;
    constexpr auto& defs = Registro::campos;

    // A collection built without a header would be written with an empty first line, and every
    // column would then resolve to the first one on the next load. The standard names are only put in
    // when nothing was read under the empty header: records loaded under it hold column 0 in every
    // field, and writing them would repeat that value everywhere.
    QStringList nomes = cabecalho;
    if (nomes.size() <= 1 && nomes.value(0).isEmpty()) {
        if (carregadaTemRegistros) {
            *erro =
                QStringLiteral("A tabela foi carregada com o cabeçalho vazio; ela não foi regravada para não "
                               "trocar os valores de coluna.");
            return std::nullopt;
        }
        nomes.clear();
        for (const auto& d : defs)
            nomes.append(QLatin1String(d.coluna));
    }

    // Values go out in record order under the loaded header; a header whose columns stand elsewhere
    // would read them back into other fields, so such a file is left as it is.
    for (size_t k = 0; k < defs.size(); ++k) {
        const QString coluna = QString::fromLatin1(defs[k].coluna).toUpper();
        qsizetype achada = -1;
        for (qsizetype j = 0; j < nomes.size(); ++j) {
            if (nomes.at(j).toUpper() == coluna)
                achada = j;
        }
        if (achada != static_cast<qsizetype>(k)) {
            *erro =
                QStringLiteral("O cabeçalho da tabela não traz a coluna %1 na posição %2; a tabela não foi "
                               "regravada para não trocar os valores de coluna.")
                    .arg(QLatin1String(defs[k].coluna))
                    .arg(k + 1);
            return std::nullopt;
        }
    }

    const QString cabecalhoGravado = nomes.join(QLatin1Char('|'));
    QString texto;
    texto.reserve((registros.Count() + 1) * 160);
    texto += cabecalhoGravado;
    texto += QLatin1String("\r\n");
    for (const auto& registro : registros) {
        if (!registro || (pulaSemNumero && ((*registro).*(defs[0].membro)).isEmpty()))
            continue;
        if (auto problema = problemaDoRegistro(*registro)) {
            *erro = *problema;
            return std::nullopt;
        }
        for (size_t k = 0; k < defs.size(); ++k) {
            if (k > 0)
                texto += QLatin1Char('|');
            texto += (*registro).*(defs[k].membro);
        }
        texto += QLatin1String("\r\n");
    }

    // Every value was checked above; only a header name can still hold a character the code page lacks.
    if (!tabulon::representavelEm1252(cabecalhoGravado)) {
        *erro = QStringLiteral("O cabeçalho da tabela contém um caractere que não existe na página de "
                               "código Windows-1252 e não pode ser gravado.");
        return std::nullopt;
    }
    return tabulon::codifica1252(texto);
}

} // namespace zove::conteudo
