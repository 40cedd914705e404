#include "app/DocumentoEmPdf.h"

#include "app/MensagensTexto.h"

#include "data/Referencias.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Mensagens.h"
#include "platform/Plataforma.h"

#include <QTemporaryDir>
#include <QTextStream>

namespace zove {

int gravaDocumentoEmPdf(const QString& pastaDados, const QString& numero, const QString& arquivo,
                        QTextStream& erros) {
    bool ok = false;
    const qint64 n = numero.trimmed().toLongLong(&ok);
    if (!ok || n <= 0) {
        erros << "zove: --pdf precisa do número de um documento salvo, não \"" << numero << "\".\n";
        return 2;
    }
    const std::unique_ptr<Referencias> refs = Referencias::carregarParaComando(pastaDados, erros);
    if (!refs)
        return 1;
    PlataformaQt qt;
    const Plataforma base = qt.plataforma();
    MensagensTexto mensagens(erros);
    const Plataforma plataforma{mensagens,          base.dialogos, base.impressora, base.areaDeTrabalho,
                                base.configuracoes, base.regional, base.ajuda};
    FrmZOV form(*refs, plataforma);
    // The bars' bitmap is needed only while the page is drawn.
    QTemporaryDir imagens;
    if (imagens.isValid())
        form.definirPastaImagens(imagens.path());
    form.Form_Load();
    double documento = static_cast<double>(n);
    form.NumDocumento = documento;
    if (!form.CarregarZOV(documento) || !form.GravaPdf(arquivo))
        return 1;
    return 0;
}

} // namespace zove
