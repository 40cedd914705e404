#pragma once
// Recording doubles of the platform services: they answer the dialogs the window would show and keep
// what was asked, so a window test never waits in a modal loop.
#include "platform/AreaDeTrabalho.h"
#include "platform/ConfiguracaoRegional.h"
#include "platform/Configuracoes.h"
#include "platform/DialogosArquivo.h"
#include "platform/Impressora.h"
#include "platform/Mensagens.h"
#include "platform/Plataforma.h"
#include "platform/VisualizadorAjuda.h"

#include <QList>
#include <QLocale>
#include <QMap>
#include <QPrinter>
#include <QStringList>
#include <functional>
#include <memory>

namespace teste {

class MensagensGravadas : public zove::Mensagens {
public:
    struct Pedido {
        QString texto;
        Botoes botoes;
        Icone icone;
        QString titulo;
    };
    QList<Pedido> pedidos;
    // Answers given in order; when they run out the answer is the first button (OK or Sim).
    QList<Resposta> respostas;
    // Called while the "box" is up, as if the user looked at the screen at that moment.
    std::function<void(const Pedido&)> aoMostrar;

    Resposta mostrar(QWidget* pai, const QString& texto, Botoes botoes, Icone icone,
                     const QString& titulo) override;
};

class DialogosGravados : public zove::DialogosArquivo {
public:
    struct Pedido {
        bool salvar;
        QString titulo;
        QString filtro;
        QString nomeInicial;
    };
    QList<Pedido> pedidos;
    // The paths the user "chooses", in order; an empty text or none left means Cancel.
    QStringList escolhas;

    QString abrir(QWidget* pai, const QString& titulo, const QString& filtro,
                  const QString& nomeInicial) override;
    QString salvar(QWidget* pai, const QString& titulo, const QString& filtro,
                   const QString& nomeInicial) override;

private:
    QString proxima();
};

class ImpressoraGravada : public zove::Impressora {
public:
    ImpressoraGravada();
    ~ImpressoraGravada() override;
    int configuracoes = 0;
    bool respostaConfigurar = true;
    bool bSemImpressora = false;
    QString sArquivoPdf;

    bool configurar(QWidget* pai) override;
    QPrinter& printer() override;
    bool semImpressora() const override { return bSemImpressora; }
    QString arquivoPdf() const override { return sArquivoPdf; }

    // A queue in memory: what it says of itself, and the jobs it took or the reason it refuses them.
    QString sFila = QStringLiteral("fila-teste");
    zove::EstadoFila estadoFila{true, true, false, {}, {}};
    QString recusa;
    struct Trabalho {
        QString fila;
        QByteArray pdf;
        QString titulo;
    };
    QList<Trabalho> trabalhos;
    QStringList consultas;

    QString fila() override { return sFila; }
    zove::EstadoFila consultaFila(const QString& fila) override {
        consultas.append(fila);
        return estadoFila;
    }
    zove::EnvioTrabalho enviaPdf(const QString& fila, const QByteArray& pdf, const QString& titulo,
                                 int copias) override;

private:
    std::unique_ptr<QPrinter> m_printer;
};

class AreaDeTrabalhoGravada : public zove::AreaDeTrabalho {
public:
    QStringList enderecos;
    QStringList arquivos;
    bool resultado = true;

    bool abrirEndereco(const QString& endereco) override;
    bool abrirArquivo(const QString& caminho) override;
};

class ConfiguracoesEmMemoria : public zove::Configuracoes {
public:
    QMap<QString, QString> valores; // "secao/chave" -> valor

    QString ler(const QString& secao, const QString& chave, const QString& padrao = {}) const override;
    void gravar(const QString& secao, const QString& chave, const QString& valor) override;
};

class RegionalFixa : public zove::ConfiguracaoRegional {
public:
    QLocale valor{QLocale::Portuguese, QLocale::Brazil};
    QLocale locale() const override { return valor; }
};

class AjudaGravada : public zove::VisualizadorAjuda {
public:
    QStringList arquivos;
    bool resultado = true;
    bool mostrar(QWidget* pai, const QString& arquivo) override;
};

// Every double, Brazilian regional settings, all dialogs answered with their first button.
struct PlataformaDeTeste {
    MensagensGravadas mensagens;
    DialogosGravados dialogos;
    ImpressoraGravada impressora;
    AreaDeTrabalhoGravada areaDeTrabalho;
    ConfiguracoesEmMemoria configuracoes;
    RegionalFixa regional;
    AjudaGravada ajuda;

    zove::Plataforma plataforma() {
        return zove::Plataforma{mensagens,     dialogos, impressora, areaDeTrabalho,
                                configuracoes, regional, ajuda};
    }
};

} // namespace teste
