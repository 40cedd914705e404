#pragma once
// The batch import window: pick a file, import it, see each record's outcome and read a record's
// error lines. The work is the driver's; the window shows its progress and lets it be cancelled
// before anything is stored. The list is a view over what the driver kept, one row per record, so a
// file of millions of lines costs no widget item per row.
#include "platform/Plataforma.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zove {

class Logs;
class ModeloRegistros;
class Referencias;
class ZovImportacao;

class frmImportacao : public QDialog {
    Q_OBJECT
public:
    static const QString MensagemSemLog;

    // pastaPrograma: where the fee table page sits. hoje: the clock of the rules (default: the system's).
    frmImportacao(Plataforma plataforma, Referencias& refs, const QString& pastaPrograma,
                  QWidget* parent = nullptr, std::function<QDate()> hoje = {});
    ~frmImportacao() override;

    // The driver, created on first use.
    ZovImportacao& importacao();
    bool importando() const { return m_importando; }

    QGroupBox* Frame1;
    QLabel* Label23;
    QLineEdit* txtArquivo;
    QPushButton* cmdProcurar;
    QPushButton* cmdImportar;
    QTableView* lvwLista;
    QLabel* lblProgresso;
    QPushButton* cmdCancelar;
    QPushButton* cmdLog;
    QPushButton* cmdAviso;
    QPushButton* cmdFechar;

public slots:
    void cmdProcurar_Click();
    void cmdImportar_Click();
    void cmdLog_Click();
    void cmdAviso_Click();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void mostraLogs(const zove::Logs& logs);
    void mostraProgresso();

    Plataforma m_plataforma;
    Referencias& m_refs;
    QString m_pastaPrograma;
    std::function<QDate()> m_hoje;
    std::unique_ptr<ZovImportacao> m_importacao;
    ModeloRegistros* m_modelo;
    bool m_importando = false;
    bool m_cancelar = false;
};

} // namespace zove
