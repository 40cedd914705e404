#include "app/Aplicacao.h"

int main(int argc, char** argv) {
    return zove::executar(argc, argv);
}
