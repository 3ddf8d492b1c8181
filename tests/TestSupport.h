// Helpers shared by the tests: a throw-away data root and one-line JSON documents.
#pragma once

#include <filesystem>
#include <string>

namespace TestSupport
{
// A fresh empty folder under the system temp folder, removed by the caller if it likes.
std::filesystem::path MakeTempDir(const std::string& tag);
// Writes text to root/relative, creating folders.
void WriteText(const std::filesystem::path& root, const std::string& relative,
               const std::string& text);
std::string ReadText(const std::filesystem::path& path);
// Makes `to` show the folder `from`: a link where the system allows one, a copy elsewhere
// (Windows gives links only to privileged users).
void ShareFolder(const std::filesystem::path& from, const std::filesystem::path& to);
// The repository's shipped data root.
std::filesystem::path ShippedData();
} // namespace TestSupport

namespace TestSupport
{
// A small data root: the shipped fonts, a three-level list ("MainMenu.json", "Play.json",
// "Last.json"), each level with a camera and a marker object. Returns the root.
std::filesystem::path MakeMiniDataRoot(const std::string& tag);
// Runs the real bellrun binary with arguments; returns its exit status, stdout in output.
// After UseTempPrefFolder the child gets that folder with --pref.
int RunGame(const std::string& args, std::string* output = nullptr);

// A fresh folder under `home` (made here) that the next engine start in this process
// (HeadlessGame) and RunGame's children use as the preference folder, instead of the user's
// own. Returns the preference folder; `home` is removed by the caller.
// `user` (UTF-8) puts a user's folder between, as the system's own preference folder has one.
std::filesystem::path UseTempPrefFolder(const std::string& tag, std::filesystem::path& home,
                                        const std::string& user = "");
// The folder UseTempPrefFolder chose, in UTF-8 as the engine takes paths ("" before).
std::string TempPrefFolder();
// Runs a shell command line; its exit status, standard output and error in output.
int RunCommand(const std::string& command, std::string* output = nullptr);
} // namespace TestSupport

namespace TestSupport
{
// Whether a command is on the PATH (the real-window tests need xvfb-run and xdotool; they are
// Linux tools, so on Windows this is always false and those tests skip).
bool HaveTool(const char* tool);
// Standard deviation of a PNG's grey level: a blank or single-colour frame is near 0; -1 when
// the file cannot be read.
double GreySpread(const std::filesystem::path& png);

// A drive script (its arguments: the game binary and `out`) run under xvfb-run.
struct WindowRun
{
    bool skipped = false; // no xvfb-run/xdotool, or no GL context: the test cannot run here
    bool ran = false;     // the script itself exited 0
    std::string why;      // the skip reason, or xvfb-run's log when the script failed
    std::string log;      // the game's own log, out/game.log
};
WindowRun RunInWindow(const std::filesystem::path& out, const std::string& driveScript);
} // namespace TestSupport
