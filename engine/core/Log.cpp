#include "engine/core/Log.h"

#include <cstdarg>

namespace
{
int g_warnings = 0;
}

void LogLine(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::vprintf(fmt, args);
    va_end(args);
    std::fputc('\n', stdout);
}

void LogDataWarning(const char* module, const char* file, const char* key, const char* what)
{
    ++g_warnings;
    if (key && *key)
        std::printf("%s: %s: \"%s\": %s\n", module, file ? file : "?", key, what);
    else
        std::printf("%s: %s: %s\n", module, file ? file : "?", what);
    std::fflush(stdout);
}

int LogWarningCount()
{
    return g_warnings;
}
