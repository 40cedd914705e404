#pragma once
// The entry form's values as the values of a saved document.
#include "data/DocumentoSalvo.h"

class QDate;

namespace zove {

struct Preenchimento;

// What saving the form stores: the codes of the chosen items ("0" for a list without a choice, empty for
// the municipality and class, which the document stores as "0"), the identification without its mask,
// the reference parts of the revenue's kind, the last payment date as day/month/year (it may be typed
// without slashes, read against `hoje`), and the amounts as the tables keep them.
documento::Valores valoresDoFormulario(const Preenchimento& p, const QDate& hoje);

} // namespace zove
