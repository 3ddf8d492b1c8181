// The game's numbers and the names its data files use: component numbers, object types (with
// the layer and the engine flags of each) and the menu buttons' click functions. The game registers
// and reads them, and the content checker and the generator check data against the same rows, so a
// name is added in one place. Header only, with nothing of the engine but its type-row shape.
#pragma once

#include "engine/objects/ObjectTypes.h"

// Component type numbers, as stored in typeNumber (Sprite 0, Transform 1 and Body 4 are the
// engine's). HUD and TimedText share 6.
enum GameComponentType
{
    kCompPlayerController = 2,
    kCompSecurityCamera = 3,
    kCompPlayer = 5,
    kCompHud = 6,
    kCompTimedText = 6,
    kCompHealthBar = 7,
    kCompStaminaBar = 8,
    kCompGuardLogic = 9,
    kCompGuardFov = 10,
    kCompPokeBall = 11,
    kCompButtonList = 12,
    kCompMovingFloor = 13,
    kCompEmp = 14,
    kCompSecurityCamNode = 15,
    kCompNextLevelJumper = 16,
    kCompCheckPoint = 17,
    kCompDialogBox = 18,
    kCompDialogTrigger = 19,
    kCompCurtain = 20,
    kCompMainMenu = 21,
    kCompRecordAndPlay = 22,
    kCompTrashCan = 23,
    kCompCharger = 24,
    kCompMenuJumper = 25,
    kCompRobot = 26,
    kCompBossFov = 27,
    kCompBoss = 28,
    kCompZentoTech = 29,
};

enum ObjectType
{
    kTypePlayer = 1,
    kTypeBox = 2,
    kTypeAlarm = 3,
    kTypeDefault = 4,
    kTypeMap = 5,
    kTypeHud = 6,
    kTypeGuard = 7,
    kTypePokeBall = 8,
    kTypeGuardFov = 9,
    kTypeBackground = 10,
    kTypeMenu = 11,
    kTypeDecorate = 12,
    kTypeBackDecorate = 13,
    kTypeDeadPool = 14,
    kTypeMovingFloor = 15,
    kTypeEmp = 16,
    kTypeEmpCharger = 17,
    kTypeEmpUpgrade = 18,
    kTypePocketBallCharger = 19,
    kTypeDialog = 20,
    kTypeDialogTrigger = 21,
    kTypeCurtain = 22,
    kTypeHideBox = 23,
    kTypeRobot = 24,
    kTypePokeBallUpgrade = 25,
    kTypeMenuJumper = 26,
    kTypeAimBox = 27,
    kTypeBossFov = 28,
    kTypeBoss = 29,
};

// The "Type" names of archetypes and the layer each type is drawn in.
inline constexpr TypeRow kObjectTypes[] = {
    {"PLAYER", kTypePlayer, kLayerPlayer, 0},
    {"BOX", kTypeBox, kLayerGameplay, 0},
    {"ALARM", kTypeAlarm, kLayerGameplay, kTypeNotSaved},
    {"DEFAULT", kTypeDefault, kLayerGameplay, 0},
    {"MAP", kTypeMap, kLayerMap, 0},
    {"HUD", kTypeHud, kLayerHud, 0},
    {"GUARD", kTypeGuard, kLayerGameplay, kTypeTouchesMap},
    {"POKEBALL", kTypePokeBall, kLayerBackground, kTypeTouchesMap | kTypeBounces},
    {"GUARDFOV", kTypeGuardFov, kLayerBackground, kTypeNotSaved},
    {"BACKGROUND", kTypeBackground, kLayerBackground, 0},
    {"MENU", kTypeMenu, kLayerMenu, 0},
    {"DECORATE", kTypeDecorate, kLayerDecorate, 0},
    {"BACKDECORATE", kTypeBackDecorate, kLayerBackDecorate, 0},
    {"DEADPOOL", kTypeDeadPool, kLayerGameplay, kTypeNoContacts},
    {"MOVINGFLOOR", kTypeMovingFloor, kLayerGameplay, 0},
    {"EMP", kTypeEmp, kLayerGameplay, kTypeTouchesMap},
    {"EMPCHARGER", kTypeEmpCharger, kLayerGameplay, 0},
    {"EMPUPGRADE", kTypeEmpUpgrade, kLayerGameplay, 0},
    {"POCKETBALLCHARGER", kTypePocketBallCharger, kLayerGameplay, 0},
    {"DIALOG", kTypeDialog, kLayerHud, 0},
    {"DIALOGTRIGGER", kTypeDialogTrigger, kLayerGameplay, 0},
    {"CURTAIN", kTypeCurtain, kLayerCurtain, 0},
    {"HIDEBOX", kTypeHideBox, kLayerHideBox, 0},
    {"ROBOT", kTypeRobot, kLayerGameplay, kTypeTouchesMap},
    {"POKEBALLUPGRADE", kTypePokeBallUpgrade, kLayerGameplay, 0},
    {"MENUJUMPER", kTypeMenuJumper, kLayerGameplay, 0},
    // The aim marker has a number but no name in the number-to-name direction.
    {"AIMBOX", kTypeAimBox, kLayerBackground, kTypeNotSaved | kTypeUnnamed},
    {"BossFOV", kTypeBossFov, kLayerGameplay, 0},
    {"Boss", kTypeBoss, kLayerGameplay, 0},
};

// What a menu button does when pressed: its "ClickFunction" number.
enum ClickFunction
{
    kClickNewGame = 0,
    kClickLoadGame = 1,
    kClickControls = 2,
    kClickQuit = 3,
    kClickResume = 4,
    kClickSaveGame = 5,
    kClickBack = 6, // also "QuitNo"
    kClickMainMenu = 7,
    kClickQuitYes = 8,
    kClickOptions = 9,
    kClickToggleFullScreen = 10,
    kClickMuteMusic = 11,
    kClickMuteAll = 12,
    kClickRestartLevel = 13,
    kClickRestartGame = 14,
    kClickMainMenuYes = 15,
    kClickSaveYes = 16,
    kClickRestartLevelYes = 17,
    kClickRestartGameYes = 18,
    kClickCredits = 19,
    // The volume settings: a press steps up (wrapping past 100 % to 0), left and right step.
    kClickMusicVolume = 20,
    kClickEffectsVolume = 21,
    kClickFunctionCount = 22,
};

struct ClickName
{
    const char* name;
    int number;
};

// The "ClickFunction" names a menu file may give.
inline constexpr ClickName kClickNames[] = {
    {"NewGame", kClickNewGame},
    {"LoadGame", kClickLoadGame},
    {"Controls", kClickControls},
    {"Quit", kClickQuit},
    {"Resume", kClickResume},
    {"SaveGame", kClickSaveGame},
    {"Back", kClickBack},
    {"QuitNo", kClickBack},
    {"MainMenu", kClickMainMenu},
    {"QuitYes", kClickQuitYes},
    {"Options", kClickOptions},
    {"ToggleFullScreen", kClickToggleFullScreen},
    {"MuteMusic", kClickMuteMusic},
    {"MuteAll", kClickMuteAll},
    {"RestartLevel", kClickRestartLevel},
    {"RestartGame", kClickRestartGame},
    {"MainMenuYes", kClickMainMenuYes},
    {"SaveYes", kClickSaveYes},
    {"RestartLevelYes", kClickRestartLevelYes},
    {"RestartGameYes", kClickRestartGameYes},
    {"Credits", kClickCredits},
    {"MusicVolume", kClickMusicVolume},
    {"EffectsVolume", kClickEffectsVolume},
};
