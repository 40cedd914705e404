#include "app/Aplicacao.h"

#include <QApplication>

namespace zove {

int executar(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}

} // namespace zove
