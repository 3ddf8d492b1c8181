// The look of every shipped level, held against stored pictures: the real game renders each at
// 1920x1080 in a window under a virtual X server with a fixed clock (so the run is the headless
// one), and its screenshot, shrunk by 12 on each axis, must stay within a small difference of the
// reference in tests/pictures. Renderer work (off-screen targets, filters, blending paths) may
// move single pixels; it may not change what the player sees.
//
// BELLRUN_GAME_COMMAND runs another build instead of this one (the Windows build under Wine:
// "wine64 path/bellrun.exe"), held against the same pictures.
//
// BELLRUN_REFERENCE_SHOTS=DIR writes the references from full-size shots DIR/<name>.png instead
// of testing (taken with the same command as RunShot below).
#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/PictureScene.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;
using PictureScene::Image;

namespace
{
constexpr int kShrink = 12;
// Mean absolute difference per channel over the shrunk picture (0-255), and the share of its
// pixels that may differ by more than kFar in some channel.
constexpr double kMaxMean = 2.0;
constexpr int kFar = 32;
constexpr double kMaxFarShare = 0.01;

struct Shot
{
    const char* name;
    const char* level;
    int frames;
    const char* input; // under the source tree, or nullptr
};

const Shot kShots[] = {
    {"MainMenu", "MainMenu.json", 120, nullptr},
    {"MainMenu-f300", "MainMenu.json", 300, nullptr}, // a slide fading in over the scene
    {"MainMenu-f900", "MainMenu.json", 900, nullptr},
    {"Level1", "Level1.json", 120, nullptr},
    {"Level2", "Level2.json", 120, nullptr},
    {"Level2-run600", "Level2.json", 600, "tests/runs/Level2.json"},
    {"Level3", "Level3.json", 120, nullptr},
    {"Level3-run900", "Level3.json", 900, "tests/runs/Level3.json"},
    {"Level4", "Level4.json", 120, nullptr},
    {"MovingTurLevel", "MovingTurLevel.json", 120, nullptr},
    {"Level5", "Level5.json", 120, nullptr},
    {"GuardCutscene", "GuardCutscene.json", 120, nullptr},
    {"RobotCutscene", "RobotCutscene.json", 120, nullptr},
    {"RobotLevel-run600", "RobotLevel.json", 600, "tests/runs/RobotLevel.json"},
    {"Level6", "Level6.json", 120, nullptr},
    {"Level7", "Level7.json", 120, nullptr},
    {"Level8-run2100", "Level8.json", 2100, "tests/runs/Level8.json"},
    {"EndLevel", "EndLevel.json", 120, nullptr},
    {"AutoLevel", "AutoLevel.json", 120, nullptr},
};

fs::path Reference(const std::string& name)
{
    return fs::path(BELLRUN_SOURCE_DIR) / "tests/pictures" / (name + ".png");
}

// Box average over kShrink x kShrink blocks, opaque RGB.
Image Shrink(const Image& big)
{
    Image small;
    small.width = big.width / kShrink;
    small.height = big.height / kShrink;
    small.pixels.assign(static_cast<size_t>(small.width) * small.height * 4, 255);
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            for (int c = 0; c < 3; ++c)
            {
                int sum = 0;
                for (int dy = 0; dy < kShrink; ++dy)
                    for (int dx = 0; dx < kShrink; ++dx)
                        sum += big.pixels[(static_cast<size_t>(y * kShrink + dy) * big.width +
                                           static_cast<size_t>(x * kShrink + dx)) *
                                              4 +
                                          static_cast<size_t>(c)];
                small.pixels[(static_cast<size_t>(y) * small.width + x) * 4 + c] =
                    static_cast<unsigned char>((sum + kShrink * kShrink / 2) / (kShrink * kShrink));
            }
    return small;
}

std::string RunShot(const Shot& s, const fs::path& png)
{
    const char* other = std::getenv("BELLRUN_GAME_COMMAND");
    const std::string game = other ? other : "\"" BELLRUN_BINARY "\"";
    // Under the sanitizers, LeakSanitizer's exit check can crash its own tracer while Mesa's
    // rasteriser threads stop (more often the longer a window ran); the headless runs keep the
    // leak check, the picture runs leave it out.
#if defined(BELLRUN_SANITIZE)
    const std::string env = "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 ";
#else
    const std::string env;
#endif
    std::string cmd = env + "SDL_AUDIODRIVER=dummy xvfb-run -a -s \"-screen 0 1920x1080x24\" " +
                      game + " --data \"" BELLRUN_SOURCE_DIR "/data\"" +
                      " --fixed-clock --windowed --size 1920x1080 --level " + s.level +
                      " --frames " + std::to_string(s.frames) + " --screenshot \"" + png.string() +
                      "\"";
    if (s.input) cmd += std::string(" --input \"" BELLRUN_SOURCE_DIR "/") + s.input + "\"";
    fs::path log = png.string() + ".log";
    cmd += " > \"" + log.string() + "\" 2>&1";
    int status = std::system(cmd.c_str());
    std::string out = TestSupport::ReadText(log);
    if (out.find("cannot create an OpenGL") != std::string::npos ||
        out.find("cannot create the window") != std::string::npos)
        return "skip: no GL context here";
    if (status != 0 || !fs::exists(png)) return "the game failed:\n" + out.substr(0, 2000);
    return "";
}

class PictureLevels : public ::testing::TestWithParam<Shot>
{
};
} // namespace

TEST_P(PictureLevels, LooksAsItDidBeforeWithinATolerance)
{
    const Shot& s = GetParam();
    if (const char* from = std::getenv("BELLRUN_REFERENCE_SHOTS"))
    {
        Image big = PictureScene::LoadPng(fs::path(from) / (std::string(s.name) + ".png"));
        ASSERT_TRUE(big.Valid()) << "no shot " << s.name << " in " << from;
        Image small = Shrink(big);
        ASSERT_TRUE(stbi_write_png(Reference(s.name).string().c_str(), small.width, small.height, 4,
                                   small.pixels.data(), small.width * 4));
        return;
    }
    if (!PictureScene::HaveVirtualDisplay()) GTEST_SKIP() << "needs xvfb-run (a Linux X server)";
    fs::path dir = TestSupport::MakeTempDir("picture-levels");
    fs::path png = dir / (std::string(s.name) + ".png");
    std::string why = RunShot(s, png);
    if (why.rfind("skip:", 0) == 0) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    Image shot = Shrink(PictureScene::LoadPng(png));
    Image ref = PictureScene::LoadPng(Reference(s.name));
    ASSERT_TRUE(ref.Valid()) << "missing reference " << Reference(s.name);
    ASSERT_EQ(shot.width, ref.width);
    ASSERT_EQ(shot.height, ref.height);
    double sum = 0.0;
    int far = 0;
    for (size_t i = 0; i < ref.pixels.size(); i += 4)
    {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c)
        {
            int d = std::abs(shot.pixels[i + c] - ref.pixels[i + c]);
            sum += d;
            worst = std::max(worst, d);
        }
        far += worst > kFar;
    }
    double pixels = static_cast<double>(ref.pixels.size() / 4);
    double mean = sum / (pixels * 3.0);
    double farShare = far / pixels;
    std::printf("%s: mean difference %.3f, far pixels %.4f\n", s.name, mean, farShare);
    EXPECT_LE(mean, kMaxMean) << s.name << ": shot kept in " << png;
    EXPECT_LE(farShare, kMaxFarShare) << s.name << ": shot kept in " << png;
    if (!HasFailure()) fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Shipped, PictureLevels, ::testing::ValuesIn(kShots),
                         [](const ::testing::TestParamInfo<Shot>& p)
                         {
                             std::string n = p.param.name;
                             for (char& c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });
