// The real game in a real window under Xvfb, played with real key presses through xdotool:
// "L" skips the title to Level1, then "D" is held for two seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/data/Json.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
// Started under xvfb-run so that the game and xdotool share the virtual display.
const char* const kDriveScript = R"(set -u
bin=$1; out=$2
"$bin" --windowed --size 1280x720 --frames 420 --dump "$out/dump.json" \
    --screenshot "$out/shot.png" > "$out/game.log" 2>&1 &
game=$!
if timeout 30 xdotool search --sync --name Bellrun > "$out/xdotool.log" 2>&1; then
    # No window manager under Xvfb: activation may be refused, the keys still reach the window.
    xdotool search --name Bellrun windowactivate --sync >> "$out/xdotool.log" 2>&1
    sleep 2
    # "L" is held until Level1 has loaded: a busy machine (a sanitizer build) can spend
    # seconds on the title's first frames, and a press seen by no frame does nothing.
    xdotool keydown l
    for _ in $(seq 300); do
        grep -q "Serializing Level : Level1.json" "$out/game.log" && break
        sleep 0.1
    done
    xdotool keyup l
    sleep 0.5
    xdotool keydown d
    sleep 2
    xdotool keyup d
fi
wait $game
echo "exit $?" >> "$out/game.log"
)";

} // namespace

TEST(PlayerWindow, KeysInARealWindowWalkThePlayerOnLevel1)
{
    const fs::path out = TestSupport::MakeTempDir("player-window");
    const TestSupport::WindowRun run = TestSupport::RunInWindow(out, kDriveScript);
    if (run.skipped) GTEST_SKIP() << run.why;
    ASSERT_TRUE(run.ran) << run.why;
    const std::string& log = run.log;
    ASSERT_NE(log.find("exit 0"), std::string::npos) << log;

    rapidjson::Document dump;
    ASSERT_TRUE(ParseJson(TestSupport::ReadText(out / "dump.json"), dump, nullptr)) << log;
    JsonView root(&dump, "dump.json");
    std::string level;
    root.Read("Level", level);
    EXPECT_EQ(level, "Level1.json") << "the L key did not reach the game";
    float position[3] = {0, 0, 0};
    ASSERT_TRUE(root["Player"].ReadFloats("Position", position, 3));
    // Level1's spawn point is x = 3; two seconds of "D" carry the player well past it.
    EXPECT_GT(position[0], 4.0f) << "the D key did not move the player";

    const fs::path shot = out / "shot.png";
    ASSERT_TRUE(fs::exists(shot)) << log;
    EXPECT_GT(TestSupport::GreySpread(shot), 10.0) << "the screenshot is blank";
    fs::remove_all(out);
}
