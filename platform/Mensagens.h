#pragma once
// Message boxes: a title, an icon, a text and a set of buttons; the answer is the button pressed.
#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

namespace zove {

class Mensagens {
public:
    enum class Icone { Nenhum, Informacao, Exclamacao, Critico, Pergunta };
    // SimNaoPadraoNao: a question whose safe answer, taken by Enter, is "Não".
    enum class Botoes { OK, OKCancelar, SimNao, SimNaoCancelar, SimNaoPadraoNao };
    enum class Resposta { OK, Cancelar, Sim, Nao };

    virtual ~Mensagens() = default;
    virtual Resposta mostrar(QWidget* pai, const QString& texto, Botoes botoes, Icone icone,
                             const QString& titulo) = 0;
};

// Modal QMessageBox with the button captions the users know ("OK", "Cancelar", "Sim", "Não").
class MensagensQt : public Mensagens {
public:
    Resposta mostrar(QWidget* pai, const QString& texto, Botoes botoes, Icone icone,
                     const QString& titulo) override;

    // The box as it is shown, and the answer a pressed button stands for (split out so they can be
    // checked without running the modal loop).
    static std::unique_ptr<QMessageBox> montaCaixa(QWidget* pai, const QString& texto, Botoes botoes,
                                                   Icone icone, const QString& titulo);
    static Resposta respostaDe(int botaoPadrao);
};

} // namespace zove
