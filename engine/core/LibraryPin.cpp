#include "engine/core/LibraryPin.h"

#if defined(BELLRUN_SANITIZE) && defined(__linux__)
#include <dlfcn.h>
#include <link.h>

void PinLoadedLibraries()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*)
        {
            // RTLD_NOLOAD with RTLD_NODELETE marks an already loaded library never to be
            // unloaded; the handle's extra reference is deliberately kept.
            if (info->dlpi_name && info->dlpi_name[0])
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
#else
void PinLoadedLibraries() {}
#endif
