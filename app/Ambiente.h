#pragma once
// Small pieces of the program's start-up and housekeeping that do not need a window.
#include "data/PastaDeDados.h"
#include "platform/TituloPrograma.h"

#include <QLocale>
#include <QString>

namespace zove {

class Configuracoes;

// True when the locale reads "25/12/2001" as 25 December 2001 and writes it back as a ten-character
// dd/mm/yyyy text, and writes 1000 as "1.000,00".
bool configuracoesRegionaisOK(const QLocale& locale = QLocale::system());

// The folder with blanks removed at both ends and one trailing separator; an empty text stays empty.
QString corrigeCaminho(const QString& pasta);

// Deletes the barcode pictures (_barcode_*.bmp) printing leaves in the folder. Failures are ignored:
// a picture still open elsewhere is removed the next time.
void apagaImagensCodigoBarras(const QString& pasta);

// The agency's online issuing page: the configured server (section "ZOVE", key
// "ServidorEmissaoOnline") or the agency's own, followed by the page's path.
QString enderecoEmissaoOnline(const Configuracoes& configuracoes);

inline constexpr char ServidorEmissaoOnlinePadrao[] = "https://www.pyx.ostral.gov.br";
inline constexpr char CaminhoEmissaoOnline[] =
    "/tax.NET/Qor.Arrecadacao.Web/ZOVE_online/EmissaoZoveOnline.aspx";

// The data folder of this run: --dados (`opcaoDados`), else the key PastaDados of section [ZOVE] in
// the user's settings, else Dados beside the program, else (installed) the user's own folder. Needs the
// application object (the program's folder and the application's name).
EscolhaPastaDados escolhePastaDaExecucao(const QString& opcaoDados, const Configuracoes& configuracoes);

struct PastaDaExecucao {
    EscolhaPastaDados escolha;
    AtualizacaoPastaDados atualizacao;
};

// The same choice, with the user's own folder made or brought up to date from the installed tables.
PastaDaExecucao preparaPastaDaExecucao(const QString& opcaoDados, const Configuracoes& configuracoes);

// The identity the desktop knows the program by (desktop entry, icon, AppStream).
inline constexpr char IdentificadorDesktop[] = "br.gov.ostral.pyx.Zove";

} // namespace zove
