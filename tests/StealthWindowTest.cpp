// The guard level in a real window under Xvfb: scripted input walks the player to the first
// trash can, a real "w" from xdotool hides them there, and the guard walks past the can. The
// screenshot shows the cone, the guard, the occupied can and the HUD.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/data/Json.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
// The first part of the level's scripted run: over the crate and up to the can (frame 333).
const char* const kWalkToCan = R"([
    {"frame": 5, "type": "keydown", "key": "D"}, {"frame": 173, "type": "keydown", "key": "Space"},
    {"frame": 176, "type": "keyup", "key": "Space"}, {"frame": 333, "type": "keyup", "key": "D"}])";

// Presses "w" now and then from the start: pressed before the player reaches the can it does
// nothing, and the frame-paced game reaches the can after at least five seconds.
const char* const kDriveScript = R"(set -u
bin=$1; out=$2
"$bin" --windowed --size 1280x720 --level Level2.json --frames 610 --input "$out/walk.json" \
    --dump "$out/dump.json" --screenshot "$out/shot.png" > "$out/game.log" 2>&1 &
game=$!
if timeout 30 xdotool search --sync --name Bellrun > "$out/xdotool.log" 2>&1; then
    xdotool search --name Bellrun windowactivate --sync >> "$out/xdotool.log" 2>&1
    for i in $(seq 1 40); do
        kill -0 $game 2>/dev/null || break
        xdotool keydown w; sleep 0.15; xdotool keyup w; sleep 0.35
    done
fi
wait $game
echo "exit $?" >> "$out/game.log"
)";
} // namespace

TEST(StealthWindow, APlayerHidesInACanWhileTheGuardWalksPast)
{
    const fs::path out = TestSupport::MakeTempDir("stealth-window");
    TestSupport::WriteText(out, "walk.json", kWalkToCan);
    const TestSupport::WindowRun run = TestSupport::RunInWindow(out, kDriveScript);
    if (run.skipped) GTEST_SKIP() << run.why;
    ASSERT_TRUE(run.ran) << run.why;
    const std::string& log = run.log;
    ASSERT_NE(log.find("exit 0"), std::string::npos) << log;

    rapidjson::Document dump;
    ASSERT_TRUE(ParseJson(TestSupport::ReadText(out / "dump.json"), dump, nullptr)) << log;
    JsonView root(&dump, "dump.json");
    JsonView player = root["Player"];
    bool hidden = false;
    int life = 0;
    player.Read("Hidden", hidden);
    player.Read("Life", life);
    EXPECT_TRUE(hidden) << "the real w never hid the player";
    EXPECT_EQ(life, 3) << "the guard caught the player";
    float guardX = -1.0f;
    JsonView objects = root["Objects"];
    for (size_t i = 0; i < objects.Size(); ++i)
    {
        std::string name;
        objects.At(i).Read("Name", name);
        float at[3];
        if (name == "Guard.json" && objects.At(i).ReadFloats("Position", at, 3) && guardX < 0.0f)
            guardX = at[0];
    }
    EXPECT_LT(std::fabs(guardX - 29.0f), 4.0f) << "the guard is not passing the can";
    EXPECT_GT(TestSupport::GreySpread(out / "shot.png"), 10.0) << "the screenshot is blank";
    fs::remove_all(out);
}
