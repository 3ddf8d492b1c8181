#include "engine/core/Log.h"

#include <cstdarg>

#include <SDL.h>

#include "engine/data/FileSystem.h"

namespace
{
int g_warnings = 0;
std::FILE* g_file = nullptr;
// What was printed before the log file opened; a run that never opens one stops holding on.
std::string g_early;
constexpr size_t kEarlyLimit = 256 * 1024;
bool g_boxAllowed = false;
SDL_LogOutputFunction g_sdlOutput = nullptr;
void* g_sdlOutputData = nullptr;

// SDL's own messages belong in the run's log too (it writes them to standard error itself).
void SdlLogToRunLog(void*, int, SDL_LogPriority, const char* message)
{
    LogLine("%s", message);
}

void Emit(const char* text, size_t n)
{
    std::fwrite(text, 1, n, stdout);
    if (g_file)
    {
        // Flushed at once: the log is read after a crash or a kill too.
        std::fwrite(text, 1, n, g_file);
        std::fflush(g_file);
    }
    else if (g_early.size() + n <= kEarlyLimit)
    {
        g_early.append(text, n);
    }
}

std::string Format(const char* fmt, va_list args)
{
    char small[512];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&big[0], big.size(), fmt, args);
    big.resize(static_cast<size_t>(n));
    return big;
}

// A message box blocks until someone answers it: only where a screen can show it. Test runs
// set BELLRUN_NO_MESSAGE_BOX, as nobody is there to press "OK".
bool DisplayAvailable()
{
    if (!g_boxAllowed || SDL_getenv("BELLRUN_NO_MESSAGE_BOX")) return false;
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetCurrentVideoDriver()
                                                          : SDL_getenv("SDL_VIDEODRIVER");
    if (driver &&
        (SDL_strcasecmp(driver, "dummy") == 0 || SDL_strcasecmp(driver, "offscreen") == 0))
        return false;
#if defined(__unix__) && !defined(__APPLE__) && !defined(__ANDROID__)
    return SDL_getenv("DISPLAY") != nullptr || SDL_getenv("WAYLAND_DISPLAY") != nullptr;
#else
    return true;
#endif
}
} // namespace

void LogLine(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = Format(fmt, args);
    va_end(args);
    text += '\n';
    Emit(text.data(), text.size());
}

void LogPrintf(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = Format(fmt, args);
    va_end(args);
    Emit(text.data(), text.size());
}

void LogDataWarning(const char* module, const char* file, const char* key, const char* what)
{
    ++g_warnings;
    if (key && *key)
        LogLine("%s: %s: \"%s\": %s", module, file ? file : "?", key, what);
    else
        LogLine("%s: %s: %s", module, file ? file : "?", what);
    std::fflush(stdout);
}

int LogWarningCount()
{
    return g_warnings;
}

bool OpenLogFile(const std::string& path)
{
    CloseLogFile();
    // Binary: the same bytes as standard output shows on Linux, and a UTF-8 path on Windows.
    g_file = Files::Open(path, "wb");
    if (!g_file)
    {
        LogLine("log: %s: cannot write the log; this run keeps none", path.c_str());
        return false;
    }
    std::fwrite(g_early.data(), 1, g_early.size(), g_file);
    std::fflush(g_file);
    std::string().swap(g_early);
    SDL_LogGetOutputFunction(&g_sdlOutput, &g_sdlOutputData);
    SDL_LogSetOutputFunction(SdlLogToRunLog, nullptr);
    return true;
}

void CloseLogFile()
{
    if (!g_file) return;
    SDL_LogSetOutputFunction(g_sdlOutput, g_sdlOutputData);
    std::fclose(g_file);
    g_file = nullptr;
}

void AllowFatalMessageBox(bool allow)
{
    g_boxAllowed = allow;
}

void LogFatal(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = Format(fmt, args);
    va_end(args);
    LogLine("%s", text.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "bellrun: %s\n", text.c_str());
    if (DisplayAvailable())
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Bellrun", text.c_str(), nullptr);
}
