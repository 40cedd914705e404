#pragma once

namespace zove {

// Runs the program: command line, start-up, main window.
int executar(int argc, char** argv);

} // namespace zove
