#pragma once
#include "tabulon/Exportacao.h"

#include <QString>
#include <exception>
#include <string>

namespace tabulon {

// A runtime error with the number, description and source the user and the callers rely on.
class TABULON_API ErroExecucao : public std::exception {
public:
    static constexpr int SubscritoForaDoIntervalo = 9;
    static constexpr int ArquivoNaoEncontrado = 53;
    static constexpr int ArquivoCorrompido = 11111;
    static constexpr int ErroImpressora = 482;

    ErroExecucao(int numero, QString descricao, QString origem = {});

    int Numero() const noexcept { return m_numero; }
    const QString& Descricao() const noexcept { return m_descricao; }
    const QString& Origem() const noexcept { return m_origem; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

    // The position error raised by Item, Campo and Set_Item.
    static ErroExecucao subscrito();

private:
    int m_numero;
    QString m_descricao;
    QString m_origem;
    std::string m_utf8;
};

} // namespace tabulon
