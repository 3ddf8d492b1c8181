// LibraryPin: keeps every shared library loaded so far in memory until the process ends.
#pragma once

// Only the sanitizer build does anything here. The GL driver allocates a little memory on its
// first draw that it never frees, then is unloaded when the context goes; the leak report
// would then name no library and no suppression could match it. Pinned, the driver's frames
// keep their names and tools/lsan.supp can name them.
void PinLoadedLibraries();
