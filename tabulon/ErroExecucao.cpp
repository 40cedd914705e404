#include "tabulon/ErroExecucao.h"

namespace tabulon {

ErroExecucao::ErroExecucao(int numero, QString descricao, QString origem)
    : m_numero(numero), m_descricao(std::move(descricao)), m_origem(std::move(origem)),
      m_utf8(QString::number(numero).append(": ").append(m_descricao).toStdString()) {}

ErroExecucao ErroExecucao::subscrito() {
    return ErroExecucao(SubscritoForaDoIntervalo, QStringLiteral("Subscrito fora do intervalo"),
                        QStringLiteral("Tabulon"));
}

} // namespace tabulon
