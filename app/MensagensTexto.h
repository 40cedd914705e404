#pragma once
// Message boxes of a run without windows: each is written out as one line; questions are answered
// No, OK boxes OK.
#include "platform/Mensagens.h"

#include <QTextStream>

namespace zove {

class MensagensTexto : public Mensagens {
public:
    explicit MensagensTexto(QTextStream& saida) : m_saida(saida) {}
    Resposta mostrar(QWidget*, const QString& texto, Botoes botoes, Icone, const QString& titulo) override {
        QString linha = texto;
        linha.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_saida << "zove: " << titulo << ": " << linha << "\n";
        m_saida.flush();
        return botoes == Botoes::OK ? Resposta::OK : Resposta::Nao;
    }

private:
    QTextStream& m_saida;
};

} // namespace zove
