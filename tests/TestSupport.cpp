#include "tests/TestSupport.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "editor/EditorRegistration.h"
#include "game/GameRegistration.h"

namespace fs = std::filesystem;

// Every test starts the engine as main does: with the game's table and hooks registered.
[[maybe_unused]] static const bool kGameRegistered = (RegisterGame(), RegisterEditor(), true);

fs::path TestSupport::MakeTempDir(const std::string& tag)
{
    std::random_device rd;
    fs::path dir = fs::temp_directory_path() / ("bellrun-" + tag + "-" + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

void TestSupport::WriteText(const fs::path& root, const std::string& relative,
                            const std::string& text)
{
    fs::path p = root / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string TestSupport::ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void TestSupport::ShareFolder(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directory_symlink(from, to, ec);
    if (ec) fs::copy(from, to, fs::copy_options::recursive);
}

fs::path TestSupport::ShippedData()
{
    return fs::path(BELLRUN_SOURCE_DIR) / "data";
}

namespace
{
std::string Level(const std::string& name, float x)
{
    return R"({"Name": ")" + name + R"(", "Camera": {"Position": [)" + std::to_string(x) +
           R"(, 5, 15], "MinX": -100, "MaxX": 100, "MinY": -100, "MaxY": 100},
        "GameObjects": [{"Name": "Marker.json", "OverWrite": {"Transform": {"Position": [)" +
           std::to_string(x) + R"(, 1, 0]}}}, {"Name": "Hero.json"}]})";
}
} // namespace

fs::path TestSupport::MakeMiniDataRoot(const std::string& tag)
{
    fs::path root = MakeTempDir(tag);
    fs::create_directories(root / "Fonts");
    for (const char* font :
         {"Pixel_Countdown.ttf", "Serif_Bold.ttf", "Facet_Regular.ttf", "EraserRegular.ttf"})
    {
        std::error_code ec;
        fs::copy_file(ShippedData() / "Fonts" / font, root / "Fonts" / font, ec);
    }
    WriteText(root, "System/LevelList.json", R"(["MainMenu.json", "Play.json", "Last.json"])");
    WriteText(root, "System/PreLoad.json", R"(["Marker.json"])");
    WriteText(
        root, "GameData/GameObjects/Marker.json",
        R"({"Name": "Marker.json", "Type": "DEFAULT", "Transform": {"Position": [0, 0, 0]}})");
    WriteText(root, "GameData/GameObjects/Hero.json",
              R"({"Name": "Hero.json", "Type": "PLAYER", "Transform": {"Position": [3, 4, 0]},
                  "Player": {}})");
    WriteText(root, "GameData/Levels/MainMenu.json", Level("MainMenu.json", 0));
    WriteText(root, "GameData/Levels/Play.json", Level("Play.json", 10));
    WriteText(root, "GameData/Levels/Last.json", Level("Last.json", 20));
    return root;
}

namespace
{
fs::path g_prefFolder;
} // namespace

fs::path TestSupport::UseTempPrefFolder(const std::string& tag, fs::path& home,
                                        const std::string& user)
{
    home = MakeTempDir(tag);
    fs::path pref = (user.empty() ? home : home / fs::u8path(user)) / "Corvane" / "Bellrun";
    fs::create_directories(pref);
    g_prefFolder = pref;
    return pref;
}

std::string TestSupport::TempPrefFolder()
{
    return g_prefFolder.u8string();
}

int TestSupport::RunGame(const std::string& args, std::string* output)
{
    // The children inherit SDL_AUDIODRIVER=dummy from the test's environment (CTest sets it).
    std::string command = "\"" + fs::path(BELLRUN_BINARY).make_preferred().string() + "\" " + args;
    // The command line is in the system's narrow encoding; the game reads it back as UTF-8.
    if (!g_prefFolder.empty()) command += " --pref \"" + g_prefFolder.string() + "\"";
    return RunCommand(command, output);
}

int TestSupport::RunCommand(const std::string& command, std::string* output)
{
#if defined(_WIN32)
    // cmd.exe keeps the inner quotes when the whole line is quoted once more.
    FILE* pipe = _popen(("\"" + command + " 2>&1\"").c_str(), "rb");
#else
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
#endif
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
#if defined(_WIN32)
    // cmd.exe's own lines end in "\r\n".
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    if (output) *output = text;
    return _pclose(pipe);
#else
    if (output) *output = text;
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

bool TestSupport::HaveTool(const char* tool)
{
#if defined(_WIN32)
    (void)tool;
    return false;
#else
    return std::system(("command -v " + std::string(tool) + " > /dev/null 2>&1").c_str()) == 0;
#endif
}

double TestSupport::GreySpread(const fs::path& png)
{
    int w = 0, h = 0, n = 0;
    unsigned char* px = stbi_load(png.string().c_str(), &w, &h, &n, 3);
    if (!px) return -1.0;
    double sum = 0.0, sq = 0.0;
    const long count = static_cast<long>(w) * h;
    for (long i = 0; i < count; ++i)
    {
        double g = (px[3 * i] + px[3 * i + 1] + px[3 * i + 2]) / 3.0;
        sum += g;
        sq += g * g;
    }
    stbi_image_free(px);
    double mean = sum / static_cast<double>(count);
    return std::sqrt(std::max(0.0, sq / static_cast<double>(count) - mean * mean));
}

TestSupport::WindowRun TestSupport::RunInWindow(const fs::path& out, const std::string& driveScript)
{
    WindowRun run;
    if (!HaveTool("xvfb-run") || !HaveTool("xdotool"))
    {
        run.skipped = true;
        run.why = "needs xvfb-run and xdotool";
        return run;
    }
    WriteText(out, "drive.sh", driveScript);
    const std::string cmd = "timeout 300 xvfb-run -a -s \"-screen 0 1280x720x24\" bash '" +
                            (out / "drive.sh").string() + "' '" BELLRUN_BINARY "' '" +
                            out.string() + "' > '" + (out / "xvfb.log").string() + "' 2>&1";
    run.ran = std::system(cmd.c_str()) == 0;
    if (!run.ran) run.why = ReadText(out / "xvfb.log");
    run.log = ReadText(out / "game.log");
    if (run.log.find("cannot create an OpenGL 3.3 context") != std::string::npos ||
        run.log.find("cannot create the window") != std::string::npos)
    {
        run.skipped = true;
        run.why = "no GL context under Xvfb:\n" + run.log;
    }
    return run;
}
