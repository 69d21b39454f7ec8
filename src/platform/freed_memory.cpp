#include "platform/freed_memory.h"

#include <malloc.h>

namespace platform {

void ReturnFreedMemory() {
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
}

}  // namespace platform
