#pragma once
// The program's name as its own message boxes and windows show it in their title bar. It lives beside
// the message box stand-in so that every window, whatever its subsystem, can name the program.

namespace zove {

inline constexpr char TituloPrograma[] = "ZOVE";

} // namespace zove
