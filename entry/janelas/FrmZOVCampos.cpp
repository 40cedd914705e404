// The entry form's text fields: the key, paste and input-method filters, and the checks run when the
// focus enters and leaves a field.
#include "entry/janelas/FrmZOV.h"

#include "data/Referencias.h"
#include "data/ZovEnv_Simulator.h"
#include "validation/Validacao.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace zove {

namespace {

Caixa caixaDe(const QLineEdit* e) {
    Caixa c;
    c.texto = e->text();
    if (e->hasSelectedText()) {
        c.inicioSelecao = e->selectionStart();
        c.tamanhoSelecao = e->selectedText().size();
    } else {
        c.inicioSelecao = e->cursorPosition();
    }
    c.comprimentoMaximo = e->maxLength() >= FrmZOV::semLimite ? 0 : e->maxLength();
    return c;
}

void aplicaCaixa(QLineEdit* e, const Caixa& c) {
    if (e->text() != c.texto)
        e->setText(c.texto);
    if (c.tamanhoSelecao > 0)
        e->setSelection(static_cast<int>(c.inicioSelecao), static_cast<int>(c.tamanhoSelecao));
    else
        e->setCursorPosition(static_cast<int>(c.inicioSelecao));
}

Mensagens::Icone iconeDe(ResultadoCampo::Icone i) {
    switch (i) {
    case ResultadoCampo::Icone::Informacao:
        return Mensagens::Icone::Informacao;
    case ResultadoCampo::Icone::Critico:
        return Mensagens::Icone::Critico;
    case ResultadoCampo::Icone::Nenhum:
        break;
    }
    return Mensagens::Icone::Nenhum;
}

// Characters no field takes: they would break the table files' records.
bool proibido(QChar c) {
    return c == QLatin1Char('|') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

void FrmZOV::ligaCampos() {
    filtra(txtIdentificacao, Campo::Identificacao);
    filtra(txtNome, Campo::Nome);
    filtra(txtDDD, Campo::Digitos);
    filtra(txtFone, Campo::Digitos);
    filtra(txtNumDoctoOrigem, Campo::DocumentoOrigem);
    filtra(txtAno1, Campo::Ano);
    filtra(txtAnoPeriodo, Campo::Ano);
    filtra(txtAnoQuota, Campo::Ano);
    filtra(txtAno, Campo::Ano);
    filtra(txtNumParcela, Campo::Parcela);
    filtra(txtDataVencimento, Campo::Vencimento);
    filtra(txtDataMaxPagto, Campo::DataLivre);
    for (QLineEdit* v : {txtValorPrincipal, txtValorMulta, txtValorJuros, txtValorCorrecao})
        filtra(v, Campo::Valor);

    m_nomesCampos = {
        {txtAno1, QStringLiteral("Ano da referência")},
        {txtAnoPeriodo, QStringLiteral("Ano da referência")},
        {txtAnoQuota, QStringLiteral("Ano da cota")},
        {txtAno, QStringLiteral("Exercício")},
        {txtDataVencimento, QStringLiteral("Data de vencimento")},
        {txtValorPrincipal, QStringLiteral("Valor principal")},
        {txtValorMulta, QStringLiteral("Multa")},
        {txtValorJuros, QStringLiteral("Juros")},
        {txtValorCorrecao, QStringLiteral("Correção monetária")},
    };
}

void FrmZOV::filtra(QLineEdit* campo, Campo tipo) {
    m_campos.insert(campo, tipo);
    campo->installEventFilter(this);
    // Pasting goes through the same filters as typing; the menu and dropping would bypass them.
    campo->setContextMenuPolicy(Qt::NoContextMenu);
    campo->setAcceptDrops(false);
}

// ---- keys and focus -------------------------------------------------------------------------------------

bool FrmZOV::eventFilter(QObject* objeto, QEvent* evento) {
    const auto it = m_campos.constFind(objeto);
    if (it == m_campos.constEnd())
        return QDialog::eventFilter(objeto, evento);
    auto* campo = static_cast<QLineEdit*>(objeto);
    const Campo tipo = it.value();

    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(evento);
        if (k->matches(QKeySequence::Paste)) {
            cola(campo, tipo, QApplication::clipboard()->text(QClipboard::Clipboard));
            return true;
        }
        if (k->key() == Qt::Key_Backspace)
            return teclaDigitada(campo, tipo, teclaBackspace);
        const QString texto = k->text();
        const bool controle = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (texto.size() != 1 || controle || texto[0].category() == QChar::Other_Control)
            return false; // navigation, Enter, Delete and shortcuts keep their usual meaning
        return teclaDigitada(campo, tipo, texto[0].unicode());
    }
    case QEvent::InputMethod: {
        // Text an input method composes (dead keys for accents, compose sequences) goes through the
        // same filters as typed keys; only what is still being composed is left to the field.
        auto* im = static_cast<QInputMethodEvent*>(evento);
        if (im->commitString().isEmpty())
            return false;
        const QString texto = im->commitString();
        QInputMethodEvent resto(im->preeditString(), im->attributes());
        QApplication::sendEvent(campo, &resto);
        cola(campo, tipo, texto);
        return true;
    }
    case QEvent::MouseButtonRelease:
        // The X11 selection paste of the middle button.
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::MiddleButton) {
            if (QApplication::clipboard()->supportsSelection())
                cola(campo, tipo, QApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        break;
    case QEvent::FocusIn:
        if (!m_verificando)
            focoEntrou(campo, tipo);
        break;
    case QEvent::FocusOut: {
        const auto motivo = static_cast<QFocusEvent*>(evento)->reason();
        // Another window taking the focus is not the user leaving the field.
        if (m_verificando || motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason)
            break;
        // Clearing the form or leaving it must work whatever a field holds: going to Limpar or Sair
        // is not leaving the field for another one.
        if (QWidget* proximo = QApplication::focusWidget(); proximo == Limpar || proximo == Sair)
            break;
        focoSaiu(campo, tipo);
        break;
    }
    default:
        break;
    }
    return false;
}

bool FrmZOV::teclaDigitada(QLineEdit* campo, Campo tipo, int tecla) {
    const Caixa antes = caixaDe(campo);
    Caixa depois;
    switch (tipo) {
    case Campo::Valor:
        depois = digitaValor(antes, tecla, 8, 2).caixa;
        break;
    case Campo::Nome:
        if (tecla != teclaBackspace && proibido(QChar(tecla)))
            return true;
        depois = aplicaTecla(antes, QChar(tecla).toUpper().unicode());
        break;
    case Campo::DataLivre:
        if (tecla != teclaBackspace && proibido(QChar(tecla)))
            return true;
        depois = aplicaTecla(antes, tecla);
        break;
    default:
        if (tecla == teclaLineFeed)
            return true;
        depois = somenteNumeros(antes, tecla).caixa;
        break;
    }
    aplicaCaixa(campo, depois);
    return true;
}

void FrmZOV::cola(QLineEdit* campo, Campo tipo, const QString& texto) {
    for (const QChar c : texto) {
        if (proibido(c))
            continue;
        teclaDigitada(campo, tipo, c.unicode());
    }
}

void FrmZOV::focoEntrou(QLineEdit* campo, Campo tipo) {
    switch (tipo) {
    case Campo::Identificacao: {
        campo->setText(digitosIdentificacao(campo->text()));
        const Selecao t = selecao(cmbTipoIdentificacao);
        if (const TipoIdentificacao* info = t.selecionado() ? tipoIdentificacao(t.codigo) : nullptr)
            campo->setMaxLength(info->comprimentoEdicao);
        campo->selectAll();
        break;
    }
    case Campo::Nome:
        // A company name keeps its dots.
        campo->selectAll();
        break;
    case Campo::Vencimento:
        campo->setText(campo->text().remove(QLatin1Char('/')));
        aplicaCaixa(campo, selecionaTextoValor(caixaDe(campo)));
        break;
    case Campo::Valor: {
        // The limit is set on the bare number; setting it resets the selection, so it comes first.
        const Caixa c = selecionaTextoValor(caixaDe(campo));
        campo->setText(c.texto);
        campo->setMaxLength(11);
        aplicaCaixa(campo, c);
        break;
    }
    default:
        aplicaCaixa(campo, selecionaTextoValor(caixaDe(campo)));
        break;
    }
}

void FrmZOV::recusa(QLineEdit* campo, const QString& texto, const QString& titulo, Mensagens::Icone icone) {
    m_verificando = true;
    QString mensagem = texto;
    if (const auto nome = m_nomesCampos.constFind(campo); nome != m_nomesCampos.constEnd())
        mensagem += QStringLiteral("\n\nCampo: ") + nome.value();
    m_plataforma.mensagens.mostrar(this, mensagem, Mensagens::Botoes::OK, icone, titulo);
    campo->setFocus(Qt::OtherFocusReason);
    m_verificando = false;
}

bool FrmZOV::focoSaiu(QLineEdit* campo, Campo tipo) {
    switch (tipo) {
    case Campo::Identificacao: {
        const Selecao t = selecao(cmbTipoIdentificacao);
        if (!t.selecionado())
            return true;
        const ResultadoIdentificacao r = confereIdentificacao(t.codigo, campo->text());
        if (r.comprimentoMaximo > 0)
            campo->setMaxLength(r.comprimentoMaximo);
        campo->setText(r.texto);
        if (!r.aceita) {
            recusa(campo, r.mensagem, QStringLiteral("Erro"), Mensagens::Icone::Critico);
            return false;
        }
        const auto achados = m_refs.oZovEnv().ContribuinteSelectOne(QString::number(t.codigo),
                                                                    digitosIdentificacao(campo->text()));
        if (achados && achados->Count() == 1) {
            const auto& c = *achados->Item(1);
            txtNome->setText(c.RAZAO_SOCIAL);
            txtDDD->setText(c.NUM_DDD);
            txtFone->setText(c.NUM_FONE);
        } else {
            txtNome->clear();
            txtDDD->clear();
            txtFone->clear();
        }
        return true;
    }
    case Campo::DocumentoOrigem:
        if (selecao(cmbReceita).selecionado() &&
            !validaDocumentoOrigem(campo->text(), m_flags.MVD_DOCUMENTO, m_refs.oTAB_CERT_ANTIGAs.get())) {
            recusa(campo, QStringLiteral("Número do documento origem é inválido!"), QStringLiteral("Erro"),
                   Mensagens::Icone::Critico);
            return false;
        }
        return true;
    case Campo::Ano: {
        const ResultadoCampo r = validaAno(campo->text());
        if (!r.ok) {
            recusa(campo, r.mensagem, r.titulo, iconeDe(r.icone));
            return false;
        }
        return true;
    }
    case Campo::Vencimento: {
        const ResultadoCampo r = validaCampoData(campo->text(), hoje());
        campo->setText(r.texto);
        if (!r.ok) {
            recusa(campo, r.mensagem, r.titulo, iconeDe(r.icone));
            return false;
        }
        if (!r.texto.trimmed().isEmpty()) {
            const ResultadoCampo ano = validaAno(r.texto.right(4));
            if (!ano.ok) {
                recusa(campo, ano.mensagem, ano.titulo, iconeDe(ano.icone));
                return false;
            }
        }
        return true;
    }
    case Campo::Valor: {
        // An amount joined past its digits by a deleted comma is refused here, not silently cut.
        const ResultadoCampo r = validaCampoValor(campo->text(), 8);
        campo->setMaxLength(semLimite);
        campo->setText(r.texto);
        if (!r.ok) {
            recusa(campo, r.mensagem, r.titulo, iconeDe(r.icone));
            return false;
        }
        recalculaTotal();
        return true;
    }
    default:
        return true;
    }
}

} // namespace zove
