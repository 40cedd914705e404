#include "platform/PlataformaDeTeste.h"

namespace teste {

zove::Mensagens::Resposta MensagensGravadas::mostrar(QWidget*, const QString& texto, Botoes botoes,
                                                     Icone icone, const QString& titulo) {
    pedidos.append({texto, botoes, icone, titulo});
    if (aoMostrar)
        aoMostrar(pedidos.last());
    if (!respostas.isEmpty())
        return respostas.takeFirst();
    return botoes == Botoes::OK || botoes == Botoes::OKCancelar ? Resposta::OK : Resposta::Sim;
}

QString DialogosGravados::proxima() {
    return escolhas.isEmpty() ? QString() : escolhas.takeFirst();
}

QString DialogosGravados::abrir(QWidget*, const QString& titulo, const QString& filtro,
                                const QString& nomeInicial) {
    pedidos.append({false, titulo, filtro, nomeInicial});
    return proxima();
}

QString DialogosGravados::salvar(QWidget*, const QString& titulo, const QString& filtro,
                                 const QString& nomeInicial) {
    pedidos.append({true, titulo, filtro, nomeInicial});
    return proxima();
}

ImpressoraGravada::ImpressoraGravada() = default;
ImpressoraGravada::~ImpressoraGravada() = default;

bool ImpressoraGravada::configurar(QWidget*) {
    ++configuracoes;
    return respostaConfigurar;
}

QPrinter& ImpressoraGravada::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

zove::EnvioTrabalho ImpressoraGravada::enviaPdf(const QString& fila, const QByteArray& pdf,
                                                const QString& titulo, int) {
    if (!recusa.isEmpty())
        return {0, recusa};
    trabalhos.append({fila, pdf, titulo});
    return {static_cast<int>(trabalhos.size()) + 100, {}};
}

bool AreaDeTrabalhoGravada::abrirEndereco(const QString& endereco) {
    enderecos.append(endereco);
    return resultado;
}

bool AreaDeTrabalhoGravada::abrirArquivo(const QString& caminho) {
    arquivos.append(caminho);
    return resultado;
}

QString ConfiguracoesEmMemoria::ler(const QString& secao, const QString& chave, const QString& padrao) const {
    return valores.value(secao + QLatin1Char('/') + chave, padrao);
}

void ConfiguracoesEmMemoria::gravar(const QString& secao, const QString& chave, const QString& valor) {
    valores.insert(secao + QLatin1Char('/') + chave, valor);
}

bool AjudaGravada::mostrar(QWidget*, const QString& arquivo) {
    arquivos.append(arquivo);
    return resultado;
}

} // namespace teste
