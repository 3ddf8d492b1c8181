#include "engine/data/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <SDL.h>

#include "engine/core/Log.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace
{
std::string g_root;
long g_failAfter = -1;

bool FlushToDisk(std::FILE* f)
{
    if (std::fflush(f) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

// Windows' replacing move is its atomic rename over an existing file (std::rename refuses to
// replace there); paths go to it as UTF-16.
bool ReplaceFile(const std::string& from, const std::string& to)
{
#if defined(_WIN32)
    return MoveFileExW(Files::NativePath(from).c_str(), Files::NativePath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void RemoveFile(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(Files::NativePath(path), ignored);
}
} // namespace

std::filesystem::path Files::NativePath(const std::string& utf8)
{
    return std::filesystem::u8path(utf8);
}

std::FILE* Files::Open(const std::string& path, const char* mode)
{
#if defined(_WIN32)
    // The narrow fopen reads names in the ANSI code page: a user name with an accented letter
    // would make the preference folder unreachable.
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(NativePath(path).c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

void Files::SetDataRoot(const std::string& dir)
{
    g_root = dir;
    if (!g_root.empty() && g_root.back() != '/' && g_root.back() != '\\') g_root += '/';
}

const std::string& Files::DataRoot()
{
    return g_root;
}

std::string Files::DataPath(const std::string& relative)
{
    return g_root + relative;
}

std::string Files::FindDataRoot(std::vector<std::string>* lookedIn)
{
    namespace fs = std::filesystem;
    // In order: beside the program (a build folder, an unpacked archive), the installed data
    // folder found from the program's own place (a package moved to another prefix), the one
    // compiled in at build time, then the working folder's.
    std::vector<fs::path> places;
    if (char* base = SDL_GetBasePath())
    {
        fs::path dir = fs::u8path(base);
        SDL_free(base);
        places.push_back(dir / "data");
#if defined(BELLRUN_INSTALL_RELATIVE_DATA_DIR)
        places.push_back((dir / BELLRUN_INSTALL_RELATIVE_DATA_DIR).lexically_normal());
#endif
    }
#if defined(BELLRUN_INSTALL_DATA_DIR)
    places.push_back(fs::u8path(BELLRUN_INSTALL_DATA_DIR));
#endif
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    places.push_back(ec ? fs::path("data") : cwd / "data");
    std::vector<std::string> seen;
    for (const fs::path& place : places)
    {
        std::string text = place.u8string();
        if (std::find(seen.begin(), seen.end(), text) != seen.end()) continue;
        seen.push_back(text);
        if (fs::is_directory(place / "System", ec)) return text;
    }
    if (lookedIn) *lookedIn = seen;
    return std::string();
}

bool Files::ReadFile(const std::string& path, std::string& out, size_t limit)
{
    std::FILE* f = Open(path, "rb");
    if (!f) return false;
    out.clear();
    char buffer[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    {
        if (out.size() + n > limit)
        {
            ok = false;
            break;
        }
        out.append(buffer, n);
    }
    if (std::ferror(f)) ok = false;
    std::fclose(f);
    return ok;
}

bool Files::ReadDataFile(const std::string& relative, std::string& out, size_t limit)
{
    return IsDataPath(relative) && ReadFile(DataPath(relative), out, limit);
}

bool Files::DataFileExists(const std::string& relative)
{
    if (!IsDataPath(relative)) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(NativePath(DataPath(relative)), ec);
}

bool Files::IsPlainFileName(const std::string& name)
{
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find(':') == std::string::npos &&
           name.find("..") == std::string::npos;
}

bool Files::IsDataPath(const std::string& relative)
{
    // A NUL would cut the name short of what the caller cached it as; a colon is a drive or a
    // stream on Windows.
    if (relative.empty() || relative.find('\0') != std::string::npos ||
        relative.find(':') != std::string::npos || relative[0] == '/' || relative[0] == '\\')
        return false;
    size_t start = 0;
    while (start <= relative.size())
    {
        size_t end = relative.find_first_of("/\\", start);
        if (end == std::string::npos) end = relative.size();
        if (relative.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

std::vector<std::string> Files::SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

void Files::SimulateWriteFailureAfter(long bytes)
{
    g_failAfter = bytes;
}

bool Files::WriteFileAtomic(const std::string& path, const std::string& bytes)
{
    std::string temp = path + ".tmp";
    std::FILE* f = Open(temp, "wb");
    if (!f)
    {
        LogLine("files: %s: cannot open for writing; the old file is kept", path.c_str());
        return false;
    }
    size_t want = bytes.size();
    if (g_failAfter >= 0 && static_cast<size_t>(g_failAfter) < want) want = g_failAfter;
    bool ok = std::fwrite(bytes.data(), 1, want, f) == want && want == bytes.size();
    ok = FlushToDisk(f) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok) ok = ReplaceFile(temp, path);
    if (!ok)
    {
        RemoveFile(temp);
        LogLine("files: %s: write failed; the old file is kept", path.c_str());
    }
    return ok;
}
