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
// The repository's shipped data root.
std::filesystem::path ShippedData();
} // namespace TestSupport

namespace TestSupport
{
// A small data root: the shipped fonts, a three-level list ("MainMenu.json", "Play.json",
// "Last.json"), each level with a camera and a marker object. Returns the root.
std::filesystem::path MakeMiniDataRoot(const std::string& tag);
// Runs the real bellrun binary with arguments; returns its exit status, stdout in output.
int RunGame(const std::string& args, std::string* output = nullptr);
// Runs a shell command line; its exit status, standard output and error in output.
int RunCommand(const std::string& command, std::string* output = nullptr);
} // namespace TestSupport

namespace TestSupport
{
// Whether a command is on the PATH (the real-window tests need xvfb-run and xdotool).
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
