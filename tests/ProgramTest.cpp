// The program as a player, a packager and a bug report meet it: its switches, the errors it
// stops on, and the log it leaves.
#include <gtest/gtest.h>

#include <SDL.h>
#include <stb_image.h>

#include <filesystem>
#include <string>

#include "engine/core/RunOptions.h"
#include "tests/TestSupport.h"

using TestSupport::RunGame;

TEST(Program, HelpVersionAndBadSwitchesAnswerWithTheirStatus)
{
    struct Case
    {
        const char* args;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {"--help", 0, "usage: bellrun"},
        {"-h", 0, "--screenshot FILE"},
        {"--version", 0, std::string("bellrun ") + BellrunVersion() + "\n"},
        // Asking for help wins over the rest of the line: nothing starts.
        {"--headless --frames 5 --help", 0, "--data DIR"},
        {"--bogus", 2, "unknown switch --bogus"},
        {"--frames", 2, "bad or missing value for --frames"},
    };
    EXPECT_STRNE(BellrunVersion(), "unknown");
    for (const Case& c : cases)
    {
        std::string out;
        EXPECT_EQ(RunGame(c.args, &out), c.status) << c.args << "\n" << out;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.args << "\n" << out;
        // None of them opens anything: no start-up lines.
        EXPECT_EQ(out.find("Total Levels"), std::string::npos) << c.args;
    }
    std::string help;
    RunGame("--help", &help);
    for (const char* sw :
         {"--data", "--level", "--frames", "--windowed", "--size", "--headless", "--fixed-clock",
          "--input", "--dump", "--screenshot", "--seed", "--editor", "--version"})
        EXPECT_NE(help.find(sw), std::string::npos) << sw;
}

namespace
{
namespace fs = std::filesystem;

std::string Quoted(const fs::path& p)
{
    return "\"" + p.string() + "\"";
}

// Lines of text that hold needle.
int LinesWith(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}
} // namespace

TEST(Program, NoDataFolderStopsBeforeAnyWindowNamingWhereItLooked)
{
#if defined(_WIN32)
    GTEST_SKIP() << "starts a copy of the program through a POSIX shell (Linux)";
#endif
    SDL_setenv("BELLRUN_NO_MESSAGE_BOX", "1", 1);
    // A copy of the program alone in a folder, started from there: nothing beside it, nothing
    // in the working folder.
    fs::path dir = TestSupport::MakeTempDir("nodata");
    fs::path program = dir / "bellrun";
    fs::copy_file(BELLRUN_BINARY, program);
    fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
    std::string out;
    int status = TestSupport::RunCommand("cd " + Quoted(dir) + " && SDL_VIDEODRIVER=dummy " +
                                             Quoted(program) + " --windowed --frames 2",
                                         &out);
    if (out.find("cannot create the window") != std::string::npos)
        GTEST_SKIP() << "the game's data is installed on this machine:\n" << out;
    EXPECT_EQ(status, 1) << out;
    EXPECT_NE(out.find("looked in " + (dir / "data").string()), std::string::npos) << out;
    EXPECT_NE(out.find("--data DIR"), std::string::npos) << out;
    // One line on standard output, the same on standard error; nothing was opened.
    EXPECT_EQ(LinesWith(out, "data folder was not found"), 2) << out;
    EXPECT_EQ(LinesWith(out, "bellrun: data:"), 1) << out;
    EXPECT_EQ(out.find("Corvane"), std::string::npos) << out;
    EXPECT_EQ(out.find("window"), std::string::npos) << out;

    status = TestSupport::RunGame("--headless --data " + Quoted(dir / "nowhere"), &out);
    EXPECT_EQ(status, 1) << out;
    EXPECT_NE(out.find((dir / "nowhere").string() + " given with --data does not exist"),
              std::string::npos)
        << out;
    fs::remove_all(dir);
}

TEST(Program, NoOpenGl33ContextStopsSayingWhatWasAskedAndWhatTheDriverOffers)
{
#if defined(_WIN32)
    GTEST_SKIP() << "uses SDL's Linux dummy and offscreen video drivers (Linux)";
#endif
    SDL_setenv("BELLRUN_NO_MESSAGE_BOX", "1", 1);
    fs::path root = TestSupport::MakeMiniDataRoot("nogl");
    const std::string run = " --frames 5 --data " + Quoted(root);
    std::string out;
    // The dummy video driver has no OpenGL at all.
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    EXPECT_EQ(TestSupport::RunGame("--windowed" + run, &out), 1) << out;
    EXPECT_NE(out.find("asked for an OpenGL 3.3 core profile window, the video driver \"dummy\""),
              std::string::npos)
        << out;
    EXPECT_EQ(LinesWith(out, "OpenGL 3.3"), 2) << "standard output and standard error\n" << out;
    EXPECT_EQ(out.find("Total Levels"), std::string::npos) << "stopped before the game\n" << out;
    // A headless run needs no GL.
    EXPECT_EQ(TestSupport::RunGame("--headless" + run, &out), 0) << out;
    // A driver that offers only OpenGL 3.1 (Mesa told so, on the offscreen driver).
    SDL_setenv("SDL_VIDEODRIVER", "offscreen", 1);
    SDL_setenv("MESA_GL_VERSION_OVERRIDE", "3.1", 1);
    EXPECT_EQ(TestSupport::RunGame("--windowed" + run, &out), 1) << out;
    EXPECT_NE(out.find("cannot create an OpenGL 3.3 context: asked for OpenGL 3.3 core profile, "
                       "the driver offers "),
              std::string::npos)
        << out;
    if (out.find("offers OpenGL ") != std::string::npos)
    {
        EXPECT_NE(out.find("offers OpenGL 3.1"), std::string::npos) << out;
    }
    fs::remove_all(root);
}

TEST(Program, KeepsTheLastRunsOutputInTheLogFile)
{
#if defined(_WIN32)
    GTEST_SKIP() << "finds the preference folder through HOME and XDG_DATA_HOME (Linux)";
#endif
    fs::path home = TestSupport::MakeTempDir("loghome");
    SDL_setenv("HOME", home.string().c_str(), 1);
    SDL_setenv("XDG_DATA_HOME", (home / "share").string().c_str(), 1);
    const fs::path log = home / "share/Corvane/Bellrun/bellrun.log";
    fs::path root = TestSupport::MakeMiniDataRoot("log");
    const std::string data = " --headless --frames 3 --data " + Quoted(root);
    std::string out;
    ASSERT_EQ(TestSupport::RunGame("--level Play.json" + data, &out), 0) << out;
    std::string first = TestSupport::ReadText(log);
    // From the first line (printed before the file opened) to the last.
    EXPECT_EQ(first.rfind("data: reading the game's data from " + root.string() + "/\n", 0), 0u)
        << first;
    EXPECT_NE(first.find("\n" + (home / "share/Corvane/Bellrun/").string() + "\n"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("Total Levels : 3"), std::string::npos) << first;
    EXPECT_NE(first.find("Serializing Level : Play.json"), std::string::npos) << first;
    EXPECT_EQ(first, out) << "the log holds what standard output showed";
    // The next run replaces it, a failed one too.
    ASSERT_EQ(TestSupport::RunGame("--level Last.json" + data, &out), 0) << out;
    std::string second = TestSupport::ReadText(log);
    EXPECT_NE(second.find("Serializing Level : Last.json"), std::string::npos) << second;
    EXPECT_EQ(second.find("Serializing Level : Play.json"), std::string::npos) << second;
    EXPECT_EQ(TestSupport::RunGame("--headless --data " + Quoted(home / "gone"), &out), 1);
    EXPECT_NE(TestSupport::ReadText(log).find("given with --data does not exist"),
              std::string::npos);
    fs::remove_all(root);
    fs::remove_all(home);
}

namespace
{
// A player's windowed place in the settings, a run, then full screen: the game's own settings
// file and screenshots tell where the window was and how big.
const char* const kPlaceScript = R"(set -u
bin=$1; out=$2
export HOME="$out/home" XDG_DATA_HOME="$out/home/share"
prefs="$out/home/share/Corvane/Bellrun"
mkdir -p "$prefs"
echo '{"FullScreen": false, "WindowX": 120, "WindowY": 60, "WindowWidth": 640, "WindowHeight": 360}' > "$prefs/settings.json"
"$bin" --frames 5 --fixed-clock --screenshot "$out/windowed.png" > "$out/game.log" 2>&1
echo "exit $?" >> "$out/game.log"
cp "$prefs/settings.json" "$out/after.json"
echo '{"FullScreen": true}' > "$prefs/settings.json"
"$bin" --frames 5 --fixed-clock --screenshot "$out/full.png" >> "$out/game.log" 2>&1
echo "exit $?" >> "$out/game.log"
)";

bool PngSize(const fs::path& png, int& w, int& h)
{
    int n = 0;
    return stbi_info(png.string().c_str(), &w, &h, &n) != 0;
}
} // namespace

TEST(ProgramWindow, ComesBackWhereThePlayerLeftItAndFullScreenIsTheDesktop)
{
    const fs::path out = TestSupport::MakeTempDir("window-place");
    const TestSupport::WindowRun run = TestSupport::RunInWindow(out, kPlaceScript);
    if (run.skipped) GTEST_SKIP() << run.why;
    ASSERT_TRUE(run.ran) << run.why;
    EXPECT_EQ(LinesWith(run.log, "exit 0"), 2) << run.log;
    int w = 0, h = 0;
    ASSERT_TRUE(PngSize(out / "windowed.png", w, h)) << run.log;
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 360);
    // Kept at shut-down as it was found (no window manager moves it under Xvfb).
    const std::string after = TestSupport::ReadText(out / "after.json");
    for (const char* kept : {"\"WindowX\": 120", "\"WindowY\": 60", "\"WindowWidth\": 640",
                             "\"WindowHeight\": 360", "\"FullScreen\": false"})
        EXPECT_NE(after.find(kept), std::string::npos) << kept << "\n" << after;
    // Full screen is the virtual screen's own 1280x720.
    ASSERT_TRUE(PngSize(out / "full.png", w, h)) << run.log;
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    fs::remove_all(out);
}
