#pragma once
// The documents of one import, in file order.
#include "import/ListaOrdenada.h"
#include "import/ZovRegras.h"

namespace zove {

class ZovsReg : public ListaOrdenada<ZovRegras> {};

} // namespace zove
