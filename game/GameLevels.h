// The levels and files the game's rules name, in one place. The levels themselves are data
// (System/LevelList.json); these are the few whose file names carry a rule: the title, the
// cutscenes and the attract demo (no pausing), the boss level (its own music), the ending (its
// closing text) and the level whose exit says nothing. RegisterGame hands the engine its part.
#pragma once

namespace GameLevels
{
inline constexpr const char* kTitle = "MainMenu.json";
inline constexpr const char* kGuardCutscene = "GuardCutscene.json";
inline constexpr const char* kRobotCutscene = "RobotCutscene.json";
inline constexpr const char* kAttractDemo = "AutoLevel.json";
inline constexpr const char* kMovingTur = "MovingTurLevel.json";
inline constexpr const char* kBoss = "Level8.json";
inline constexpr const char* kEnding = "EndLevel.json";

inline constexpr const char* kLevelMusic = "Sounds/backgroundmusic.ogg";
inline constexpr const char* kBossMusic = "Sounds/newbossFinal.ogg";
inline constexpr const char* kPauseMenu = "PauseMenu.json";
inline constexpr const char* kQuitMenu = "ConfirmQuitMenu.json";
} // namespace GameLevels
