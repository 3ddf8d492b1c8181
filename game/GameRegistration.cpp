// The one place where the game hands the engine what it needs: the component table, in the order
// sections are read; the object-type table; the roles of its levels, menus, music and fonts; and
// the hooks the frame loop, the render pass and the dump call.
#include "game/GameRegistration.h"

#include <iterator>

#include "engine/core/GameHooks.h"
#include "engine/core/GameRoles.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/DevKeys.h"
#include "game/GameDump.h"
#include "game/GameLevels.h"
#include "game/GameNames.h"
#include "game/GameTuning.h"
#include "game/enemies/Boss.h"
#include "game/enemies/BossFov.h"
#include "game/enemies/GuardLogic.h"
#include "game/enemies/Robot.h"
#include "game/enemies/SecurityCamNode.h"
#include "game/enemies/SecurityCamera.h"
#include "game/menus/ButtonList.h"
#include "game/menus/MainMenu.h"
#include "game/player/Charger.h"
#include "game/player/CheckPoint.h"
#include "game/player/Emp.h"
#include "game/player/Hud.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"
#include "game/player/TrashCan.h"
#include "game/story/DialogBox.h"
#include "game/story/LevelFlow.h"
#include "game/story/MovingFloor.h"
#include "game/story/RecordAndPlay.h"
#include "game/story/TimedText.h"
#include "game/story/ZentoTech.h"

namespace
{
const ComponentRow kRows[] = {
    TableRow<Transform>("Transform"),
    TableRow<Body>("Body"),
    TableRow<Sprite>("Sprite"),
    TableRow<Player>("Player"),
    TableRow<PlayerController>("PlayerController"),
    TableRow<SecurityCamera>("SecurityCamera"),
    TableRow<HUD>("HUD"),
    TableRow<HealthBar>("HealthBar"),
    TableRow<StaminaBar>("StaminaBar"),
    TableRow<ButtonList>("Buttons"),
    TableRow<TimedText>("TimedText"),
    // A guard starts with its constructor's settings: the section is not read.
    TableRow<GuardLogic>("Guard", false, false),
    TableRow<Robot>("Robot"),
    TableRow<MovingFloor>("MovingFloor"),
    TableRow<SecurityCamNode>("Camera"),
    TableRow<NextLevelJumper>("NextLevelJumper"),
    TableRow<CheckPoint>("CheckPoint"),
    TableRow<EMP>("EMP"),
    TableRow<DialogBox>("DialogBox"),
    TableRow<Curtain>("Curtain"),
    TableRow<DialogTrigger>("DialogTrigger"),
    TableRow<MainMenu>("MainMenu"),
    TableRow<RecordAndPlay>("RecordAndPlay"),
    TableRow<TrashCan>("TrashCan"),
    TableRow<Charger>("Charger"),
    TableRow<MenuJumper>("MenuJumper"),
    TableRow<BossFOV>("BossFOV", true),
    TableRow<Boss>("Boss", true),
    TableRow<ZentoTech>("ZentoTech"),
};

class BellrunHooks final : public GameHooks
{
  public:
    void DeveloperKeys() override { RunDeveloperKeys(); }
    PlayerLight LightOf(GameObject& player) const override
    {
        PlayerLight light;
        if (Player* p = player.Get<Player>())
        {
            light.known = true;
            light.closingLight = p->spotLight;
            light.godMode = p->godMode;
        }
        return light;
    }

    void ShowButtonLists(GameObject& obj, bool show) override
    {
        for (const auto& c : obj.components)
            if (c->typeNumber == kCompButtonList)
                if (auto* list = dynamic_cast<ButtonList*>(c.get()))
                {
                    if (show)
                        list->ShowAll();
                    else
                        list->HideAll();
                }
    }

    void WriteDumpSections(JsonWriter& w) const override { WriteGameDump(w); }

    // A transition cut short (a developer key, a menu) must not leave the next level's guards
    // blind.
    void LevelLoaded() override { GameTuning::Get().levelTransitionActive = false; }
};

GameRoles BellrunRoles()
{
    using namespace GameLevels;
    GameRoles roles;
    roles.titleLevel = kTitle;
    roles.noPauseLevels = {kTitle, kGuardCutscene, kRobotCutscene, kAttractDemo};
    roles.levelMusic = kLevelMusic;
    roles.bossLevel = kBoss;
    roles.bossMusic = kBossMusic;
    roles.pauseMenu = kPauseMenu;
    roles.quitMenu = kQuitMenu;
    roles.fonts = {"Fonts/Pixel_Countdown.ttf", "Fonts/Serif_Bold.ttf", "Fonts/Facet_Regular.ttf",
                   "Fonts/EraserRegular.ttf"};
    return roles;
}
} // namespace

void RegisterGame()
{
    static BellrunHooks hooks;
    SetComponentTable(kRows, static_cast<int>(std::size(kRows)));
    SetTypeTable(kObjectTypes, static_cast<int>(std::size(kObjectTypes)));
    // The object manager may have built its tables before the game was registered.
    GameObjectManager::Get().types = TypeTables();
    SetGameRoles(BellrunRoles());
    SetGameHooks(&hooks);
}
