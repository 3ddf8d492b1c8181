// Checks the data folder: every JSON parses, every file that content names
// exists, sprite sheets match their coordinate files, cameras stay on their
// maps. Optionally renders level previews.
//   check_content <dataDir> [previewDir]
#include "ContentChecks.h"
#include "JsonFiles.h"
#include "MenuChecks.h"
#include "Preview.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <dataDir> [previewDir]\n", argv[0]);
        return 2;
    }
    const std::string data = argv[1];
    Report rep(data);
    CheckArchetypes(data, rep);
    CheckMapsAndLevels(data, rep);
    CheckSystemFiles(data, rep);
    CheckMedia(data, rep);
    CheckMenus(data, rep);
    CheckStoryFiles(data, rep);
    CheckStealthFiles(data, rep);
    CheckEnemies(data, rep);
    if (argc > 2)
        for (const std::string& level : ListFiles(data + "/GameData/Levels", ".json"))
            if (!RenderLevelPreview(data, level, std::string(argv[2]) + "/" + level + ".png"))
                std::printf("no preview for %s\n", level.c_str());
    std::printf("content check: %d problem(s)\n", rep.Errors());
    return rep.Errors() == 0 ? 0 : 1;
}
