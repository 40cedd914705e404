#include "common/Alocador.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zove {

void configuraAlocador() {
#if defined(__GLIBC__)
    // Reloading a table frees the old collection and builds one of the same size. By default the C
    // library hands freed memory at the top of the heap back to the system at once and then faults
    // it in again page by page, which made loading 100,000 lines four times slower per line than
    // loading 1,000, and a batch import grow faster than its record count. Up to 64 MiB freed at the
    // top of the heap are kept for the next use.
    constexpr int kRetencao = 64 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, kRetencao);
    // Setting the retention stops the library from raising its threshold for mapping blocks of their
    // own, so every block over 128 KiB (a table file read whole, the text of a file being written)
    // would be mapped and faulted in anew on each save. Blocks up to 4 MiB come from the heap.
    constexpr int kBlocoMapeado = 4 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kBlocoMapeado);
#endif
}

} // namespace zove
