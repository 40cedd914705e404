#pragma once
// Symbol visibility of the Tabulon shared library.
#if defined(TABULON_BUILD)
#define TABULON_API __attribute__((visibility("default")))
#else
#define TABULON_API
#endif
