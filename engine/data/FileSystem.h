// FileSystem: where the game's data lives and the only place files are opened.
//
// Data paths in the game are relative ("Textures/x.png", "GameData/Levels/Level1.json"); they are
// resolved against the data root. Writes go through WriteFileAtomic so that a crash or a full disk
// never leaves a half-written save, level or map behind.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace Files
{
// Data files past this are refused as too large (images have their own limit).
constexpr size_t kMaxFileBytes = 16u * 1024u * 1024u;

void SetDataRoot(const std::string& dir);
// The data root with a trailing separator ("" means the working directory).
const std::string& DataRoot();
std::string DataPath(const std::string& relative);

// Finds the data root when none was given (a folder holding "System/"): beside the program,
// then the installed data folder, then "data" in the working folder. Empty when none is there;
// lookedIn then lists every folder tried, in order.
std::string FindDataRoot(std::vector<std::string>* lookedIn = nullptr);

// Paths in the game are UTF-8 strings (SDL gives them so, and so does the command line); this
// is the path the system's calls take (UTF-16 on Windows).
std::filesystem::path NativePath(const std::string& utf8);
// fopen for a UTF-8 path.
std::FILE* Open(const std::string& path, const char* mode);

// Reads a whole file (a path as given, not resolved). False when missing, unreadable or larger
// than limit; the caller reports.
bool ReadFile(const std::string& path, std::string& out, size_t limit = kMaxFileBytes);
// Reads a data file relative to the data root.
bool ReadDataFile(const std::string& relative, std::string& out, size_t limit = kMaxFileBytes);
bool DataFileExists(const std::string& relative);

// Writes bytes to a temporary file beside path, flushes it to disk and moves it over path.
// On any failure the old file is left as it was, a line naming the file is printed, and false
// is returned.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// A bare file name (no folders, no drive ":", no ".."): what the game accepts as a level or map
// name to write, so data cannot point a save outside its folder.
bool IsPlainFileName(const std::string& name);

// A path that stays inside the data root: relative, no ".." step, no colon, no NUL. Data files
// are read only through such paths (a file named otherwise reads as missing), so data cannot
// make the game open files outside its folder.
bool IsDataPath(const std::string& relative);

// The lines of a text file, without their line ends ("\n" or "\r\n").
std::vector<std::string> SplitLines(const std::string& text);

// Test hook: make the next writes fail after `bytes` bytes (negative disables).
void SimulateWriteFailureAfter(long bytes);
} // namespace Files
