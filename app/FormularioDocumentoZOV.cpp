#include "app/FormularioDocumentoZOV.h"

#include "entry/janelas/FrmZOV.h"
#include "printing/frmVisualizacao.h"

namespace zove {

FormularioDocumentoZOV::FormularioDocumentoZOV(Referencias& refs, Plataforma plataforma)
    : m_refs(refs), m_plataforma(plataforma) {}

void FormularioDocumentoZOV::abrir(QWidget* pai, const QString& numDocumento) {
    FrmZOV form(m_refs, m_plataforma, {}, pai);
    if (!m_pastaDocumentos.isEmpty())
        form.visualizacao().setPastaDocumentos(m_pastaDocumentos);
    form.Form_Load();
    double numero = numDocumento.toDouble();
    // A document that cannot be loaded has already been explained to the user.
    if (!form.CarregarZOV(numero))
        return;
    form.NumDocumento = numero;
    form.exec();
}

ImpressaoDocumento FormularioDocumentoZOV::imprimir(QWidget* pai, const QString& numDocumento) {
    FrmZOV form(m_refs, m_plataforma, {}, pai);
    frmVisualizacao& v = form.visualizacao();
    if (!m_pastaDocumentos.isEmpty())
        v.setPastaDocumentos(m_pastaDocumentos);
    // The caller records the mark once the batch is through (or every second of it).
    v.setRegistraImpresso([](const QString&) {});
    v.setAvisosAceitos(&m_avisosAceitos);
    form.Form_Load();
    form.NumDocumento = numDocumento.toDouble();
    ImpressaoDocumento r;
    r.impresso = form.ImprimirPantAnterior();
    if (r.impresso) {
        r.arquivoPdf = v.arquivoPdf();
        r.fila = v.filaUsada();
        r.trabalho = v.trabalho();
    } else {
        r.motivo = v.motivoFalha();
    }
    return r;
}

} // namespace zove
