#pragma once

namespace zove {

// Sets how the C library's allocator gives freed memory back to the system. Called once, first thing,
// by the program and by every benchmark, so both run with the same allocator.
void configuraAlocador();

} // namespace zove
