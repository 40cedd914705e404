#include "app/ImpressaoSemJanela.h"

#include "app/MensagensTexto.h"
#include "data/MarcasDeImpressao.h"
#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "entry/janelas/FrmZOV.h"
#include "platform/Impressora.h"
#include "platform/Plataforma.h"
#include "printing/frmVisualizacao.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

namespace zove {

namespace {

// A list this long is a typing mistake, not a day's work.
constexpr qint64 kMaximoDeDocumentos = 1'000'000;

// The printer service of a run without windows: exactly the queue chosen, never a PDF instead.
class ImpressoraDaFila : public Impressora {
public:
    explicit ImpressoraDaFila(QString fila) : m_fila(std::move(fila)), m_printer(QPrinter::HighResolution) {}
    bool configurar(QWidget*) override { return false; }
    QPrinter& printer() override { return m_printer; }
    bool semImpressora() const override { return false; }
    QString arquivoPdf() const override { return {}; }
    QString fila() override { return m_fila; }
    EstadoFila consultaFila(const QString& fila) override { return cups::consulta(fila); }
    EnvioTrabalho enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo,
                           int copias) override {
        return cups::enviaPdf(fila, pdf, titulo, copias);
    }

private:
    QString m_fila;
    QPrinter m_printer;
};

} // namespace

std::optional<QList<qint64>> interpretaListaDeDocumentos(const QString& lista, QString* erro) {
    static const QRegularExpression item(QStringLiteral("^\\s*(\\d{1,18})\\s*(?:-\\s*(\\d{1,18})\\s*)?$"));
    QList<qint64> numeros;
    const QStringList partes = lista.split(QLatin1Char(','));
    for (const QString& parte : partes) {
        const QRegularExpressionMatch m = item.match(parte);
        const qint64 de = m.hasMatch() ? m.captured(1).toLongLong() : 0;
        const qint64 ate = m.hasMatch() && m.hasCaptured(2) ? m.captured(2).toLongLong() : de;
        if (!m.hasMatch() || de <= 0 || ate < de) {
            *erro = QStringLiteral("a lista de documentos \"%1\" não é válida em \"%2\": use números e "
                                   "intervalos crescentes separados por vírgula, como 3,7,10-20.")
                        .arg(lista, parte.trimmed());
            return std::nullopt;
        }
        if (ate - de + 1 > kMaximoDeDocumentos - numeros.size()) {
            *erro = QStringLiteral("a lista de documentos \"%1\" tem mais de %2 documentos.")
                        .arg(lista)
                        .arg(kMaximoDeDocumentos);
            return std::nullopt;
        }
        for (qint64 n = de; n <= ate; ++n)
            numeros.append(n);
    }
    return numeros;
}

int imprimeSemJanela(const QString& pastaDados, const QString& lista, const QString& filaPedida,
                     QTextStream& saida, QTextStream& erros) {
    QString erro;
    const auto numeros = interpretaListaDeDocumentos(lista, &erro);
    if (!numeros) {
        erros << "zove: " << erro << "\n";
        return ImpressaoListaInvalida;
    }
    const std::unique_ptr<Referencias> refs = Referencias::carregarParaComando(pastaDados, erros);
    if (!refs)
        return ImpressaoIncompleta;

    const QString fila = filaPedida.isEmpty() ? cups::filaPadrao() : filaPedida;
    if (fila.isEmpty()) {
        erros << "zove: não há impressora instalada nesta máquina (nenhuma fila de impressão padrão).\n"
                 "Para gravar a página de um documento num arquivo, use: zove --pdf NÚMERO ARQUIVO.pdf\n";
        return ImpressaoSemImpressora;
    }
    const EstadoFila estado = cups::consulta(fila);
    if (!estado.existe || !estado.aceitaTrabalhos) {
        erros << "zove: nada foi impresso: " << estado.motivo << ".\n";
        return ImpressaoFilaRecusada;
    }

    PlataformaQt qt;
    const Plataforma base = qt.plataforma();
    MensagensTexto mensagens(erros);
    ImpressoraDaFila impressora(fila);
    const Plataforma plataforma{mensagens,          base.dialogos, impressora, base.areaDeTrabalho,
                                base.configuracoes, base.regional, base.ajuda};
    // The bars' bitmaps are needed only while each page is drawn.
    QTemporaryDir imagens;

    // Marks are written together: at most about once a second, and at the end.
    MarcasDeImpressao marcas(refs->oZovEnv());

    QStringList avisosAceitos;
    int impressos = 0;
    for (const qint64 n : *numeros) {
        const QString numero = QString::number(n);
        QString motivo;
        const auto achados = refs->oZovEnv().ZOVSelectOne(numero);
        if (!achados || achados->Count() == 0) {
            motivo = QStringLiteral("o documento %1 não existe nesta pasta de dados").arg(numero);
        } else {
            FrmZOV form(*refs, plataforma);
            if (imagens.isValid())
                form.definirPastaImagens(imagens.path());
            frmVisualizacao& v = form.visualizacao();
            v.setSemPerguntas(true);
            v.setAvisosAceitos(&avisosAceitos);
            v.setRegistraImpresso([&marcas](const QString& impresso) { marcas.registra(impresso); });
            form.Form_Load();
            form.NumDocumento = static_cast<double>(n);
            if (form.ImprimirPantAnterior()) {
                saida << numero << '\t' << v.filaUsada() << '\t' << "trabalho " << v.trabalho() << '\n';
                saida.flush();
                ++impressos;
                continue;
            }
            motivo = v.motivoFalha().isEmpty() ? QStringLiteral("o documento não pôde ser carregado")
                                               : v.motivoFalha();
        }
        saida << numero << '\t' << fila << '\t' << "não impresso: " << motivo << '\n';
        saida.flush();
    }
    marcas.grava();
    if (!marcas.pendentes().isEmpty()) {
        erros << "zove: " << marcas.pendentes().size()
              << " documento(s) foram impressos, mas não foi possível registrá-los como impressos: "
              << marcas.erro() << "\n";
        return ImpressaoIncompleta;
    }
    erros << "zove: " << impressos << " de " << numeros->size() << " documento(s) enviados à fila \"" << fila
          << "\".\n";
    return impressos == numeros->size() ? ImpressaoCompleta : ImpressaoIncompleta;
}

} // namespace zove
