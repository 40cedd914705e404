#pragma once
// The notice shown at start-up: some revenues are issued only on the agency's online page, which the
// link and the button open.
#include <QDialog>

class QLabel;
class QPushButton;

namespace zove {

class AreaDeTrabalho;

class FrmMensagem : public QDialog {
    Q_OBJECT
public:
    FrmMensagem(AreaDeTrabalho& areaDeTrabalho, const QString& endereco, QWidget* parent = nullptr);

    const QString& endereco() const { return m_endereco; }

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* cmdAbrirPagina;

private:
    void abrirPagina();

    AreaDeTrabalho& m_areaDeTrabalho;
    QString m_endereco;
};

} // namespace zove
