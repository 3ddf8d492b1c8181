// Content generator: draws every texture, synthesises every sound (as WAV;
// the script encodes OGG/MP3) and builds the maps, and the levels that have level lines,
// from their text layouts.
//   generate_content <dataDir> <wavDir> <layout.txt>... (LevelList.txt: the play order)
//   generate_content --layouts <dataDir> <layout.txt>...  (maps and levels only)
//   generate_content --icons <iconDir> <name>   the desktop icons (hicolor sizes)
#include "art/BossArt.h"
#include "art/GuardArt.h"
#include "art/HudArt.h"
#include "art/MenuArt.h"
#include "art/PickupArt.h"
#include "art/PlayerArt.h"
#include "art/RobotArt.h"
#include "art/SceneryArt.h"
#include "art/StealthArt.h"
#include "art/StoryArt.h"
#include "art/TextArt.h"
#include "art/TileArt.h"
#include "data/LevelBuild.h"
#include "data/MapBuild.h"
#include "sound/Music.h"
#include "sound/SoundFx.h"
#include "sound/StealthSfx.h"

#include <cstdio>
#include <string>

namespace
{
// Maps, levels and the level list from their text files; false when any fails.
int BuildLayouts(const std::string& data, int first, int argc, char** argv)
{
    int failures = 0;
    for (int i = first; i < argc; ++i)
    {
        const std::string layout = argv[i];
        const bool list =
            layout.size() >= 13 && layout.compare(layout.size() - 13, 13, "LevelList.txt") == 0;
        if (list ? !BuildLevelList(layout, data)
                 : !BuildMap(layout, data + "/GameData/Maps") || !BuildLevel(layout, data))
            ++failures;
    }
    return failures;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--icons")
        return MakeDesktopIcons(argv[2], argv[3]) ? 0 : 1;
    // --layouts <dataDir> <layout.txt>...: only the maps and levels (a designer's quick rebuild).
    if (argc >= 3 && std::string(argv[1]) == "--layouts")
        return BuildLayouts(argv[2], 3, argc, argv) == 0 ? 0 : 1;
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <dataDir> <wavDir> [layout.txt...]\n", argv[0]);
        return 2;
    }
    const std::string data = argv[1], wav = argv[2];
    const std::string tex = data + "/Textures";
    struct Step
    {
        const char* what;
        bool ok;
    };
    const Step steps[] = {
        {"player", MakePlayerArt(tex)},
        {"icon", MakeIcon(tex + "/BellrunIcon-2.bmp")},
        {"tiles", MakeTileArt(tex)},
        {"scenery", MakeSceneryArt(tex)},
        {"titles", MakeTextArt(tex)},
        {"effects", MakeSoundFx(wav)},
        {"music", MakeMusic(wav)},
        {"guards", MakeGuardArt(tex)},
        {"stealth props", MakeStealthArt(tex)},
        {"pickups", MakePickupArt(tex)},
        {"hud", MakeHudArt(tex)},
        {"stealth effects", MakeStealthSfx(wav)},
        {"robot", MakeRobotArt(tex) && MakeRobotSounds(wav)},
        {"boss", MakeBossArt(tex) && MakeBossSounds(wav)},
    };
    int failures = 0;
    for (const Step& s : steps)
        if (!s.ok)
        {
            std::fprintf(stderr, "generate_content: writing %s failed\n", s.what);
            ++failures;
        }
    if (!MakeMenuContent(data, wav)) ++failures;
    if (!MakeStoryArt(tex) || !MakeStorySounds(wav)) ++failures;
    failures += BuildLayouts(data, 3, argc, argv);
    return failures == 0 ? 0 : 1;
}
