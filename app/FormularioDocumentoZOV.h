#pragma once
// The search window's way into the entry form: a saved document opened in FrmZOV, or printed from it
// without preview.
#include "platform/Plataforma.h"
#include "search/FormularioDocumento.h"

#include <QStringList>

namespace zove {

class Referencias;

class FormularioDocumentoZOV : public FormularioDocumento {
public:
    FormularioDocumentoZOV(Referencias& refs, Plataforma plataforma);

    void abrir(QWidget* pai, const QString& numDocumento) override;
    ImpressaoDocumento imprimir(QWidget* pai, const QString& numDocumento) override;

    // Where PDFs go when the machine has no printer; the user's documents folder when empty.
    void definirPastaDocumentos(const QString& pasta) { m_pastaDocumentos = pasta; }

private:
    Referencias& m_refs;
    Plataforma m_plataforma;
    QString m_pastaDocumentos;
    // Warnings about the queue the clerk accepted once are not asked again for every document.
    QStringList m_avisosAceitos;
};

} // namespace zove
