#include "platform/FilaImpressao.h"

#include <cups/cups.h>
#include <cups/ipp.h>

#include <memory>

namespace zove::cups {

namespace {

// A4 in the media names of IPP.
constexpr const char* kA4 = "iso_a4_210x297mm";

struct LiberaDestino {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
using Destino = std::unique_ptr<cups_dest_t, LiberaDestino>;

struct LiberaInfo {
    void operator()(cups_dinfo_t* i) const { cupsFreeDestInfo(i); }
};

QString opcao(const cups_dest_t* d, const char* nome) {
    return QString::fromUtf8(cupsGetOption(nome, d->num_options, d->options));
}

// The spooler's last error in the user's words.
QString motivoDoErro(const QString& fila) {
    const ipp_status_t status = cupsLastError();
    const QString nome = QStringLiteral("\"%1\"").arg(fila);
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("a fila %1 não está aceitando trabalhos").arg(nome);
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("a fila %1 não existe").arg(nome);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return QStringLiteral("sem permissão para imprimir na fila %1").arg(nome);
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return QStringLiteral("a fila %1 não aceita documentos PDF").arg(nome);
    case IPP_STATUS_ERROR_TOO_MANY_JOBS:
    case IPP_STATUS_ERROR_BUSY:
        return QStringLiteral("a fila %1 está cheia ou ocupada; tente de novo em instantes").arg(nome);
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return QStringLiteral("o serviço de impressão (CUPS) não respondeu (%1)")
            .arg(QString::fromUtf8(cupsLastErrorString()));
    default:
        return QStringLiteral("o serviço de impressão recusou o trabalho na fila %1 (%2)")
            .arg(nome, QString::fromUtf8(cupsLastErrorString()));
    }
}

} // namespace

bool servidorResponde() {
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 3000, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}

QString filaPadrao() {
    Destino d(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    return d ? QString::fromUtf8(d->name) : QString();
}

EstadoFila consulta(const QString& fila) {
    EstadoFila e;
    const QByteArray nome = fila.toUtf8();
    Destino d(fila.isEmpty() ? nullptr : cupsGetNamedDest(CUPS_HTTP_DEFAULT, nome.constData(), nullptr));
    if (!d) {
        e.motivo = fila.isEmpty() ? QStringLiteral("nenhuma impressora foi escolhida")
                   : (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ||
                      cupsLastError() == IPP_STATUS_ERROR_INTERNAL)
                       ? motivoDoErro(fila)
                       : QStringLiteral("a fila \"%1\" não existe").arg(fila);
        return e;
    }
    e.existe = true;
    e.aceitaTrabalhos = opcao(d.get(), "printer-is-accepting-jobs") != QLatin1String("false");
    // printer-state: 3 idle, 4 processing, 5 stopped.
    e.parada = opcao(d.get(), "printer-state") == QLatin1String("5");
    const QString mensagem = opcao(d.get(), "printer-state-message");
    if (!e.aceitaTrabalhos)
        e.motivo = QStringLiteral("a fila \"%1\" não está aceitando trabalhos").arg(fila);
    else if (e.parada)
        e.motivo = QStringLiteral("a fila \"%1\" está parada").arg(fila);
    if (!mensagem.isEmpty() && !e.motivo.isEmpty())
        e.motivo += QStringLiteral(" (%1)").arg(mensagem);

    std::unique_ptr<cups_dinfo_t, LiberaInfo> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, d.get()));
    if (info) {
        cups_size_t tamanho{};
        if (cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, d.get(), info.get(), kA4, CUPS_MEDIA_FLAGS_DEFAULT,
                                   &tamanho)) {
            // Hundredths of a millimetre.
            e.margensFisicas = QMarginsF(tamanho.left / 100.0, tamanho.top / 100.0, tamanho.right / 100.0,
                                         tamanho.bottom / 100.0);
        }
    }
    return e;
}

EnvioTrabalho enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo, int copias) {
    EnvioTrabalho r;
    const QByteArray nome = fila.toUtf8();
    const QByteArray tituloUtf8 = titulo.toUtf8();
    cups_option_t* opcoes = nullptr;
    int nOpcoes = 0;
    if (copias > 1)
        nOpcoes = cupsAddOption("copies", QByteArray::number(copias).constData(), nOpcoes, &opcoes);
    const int trabalho =
        cupsCreateJob(CUPS_HTTP_DEFAULT, nome.constData(), tituloUtf8.constData(), nOpcoes, opcoes);
    cupsFreeOptions(nOpcoes, opcoes);
    if (trabalho <= 0) {
        r.erro = motivoDoErro(fila);
        return r;
    }
    bool enviado = cupsStartDocument(CUPS_HTTP_DEFAULT, nome.constData(), trabalho, tituloUtf8.constData(),
                                     CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    enviado = enviado && cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                                              static_cast<size_t>(pdf.size())) == HTTP_STATUS_CONTINUE;
    // The document is complete only when the spooler says so.
    const ipp_status_t fim = cupsFinishDocument(CUPS_HTTP_DEFAULT, nome.constData());
    if (!enviado || fim > IPP_STATUS_OK_EVENTS_COMPLETE) {
        r.erro = motivoDoErro(fila);
        // A job left without its document would wait for ever in the queue.
        cupsCancelJob2(CUPS_HTTP_DEFAULT, nome.constData(), trabalho, 0);
        return r;
    }
    r.trabalho = trabalho;
    return r;
}

} // namespace zove::cups
