// The one place where the game hands the engine what it needs: the component table, in the order
// sections are read, and the hooks the frame loop, the render pass and the dump call.
#include "editor/LevelEditor.h"
#include "engine/core/GameHooks.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameDump.h"
#include "game/menus/ButtonList.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"
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
    LaterRow("SecurityCamera", kCompSecurityCamera),
    LaterRow("HUD", kCompHud),
    LaterRow("HealthBar", kCompHealthBar),
    LaterRow("StaminaBar", kCompStaminaBar),
    LaterRow("Buttons", kCompButtonList),
    TableRow<TimedText>("TimedText"),
    LaterRow("Guard", kCompGuardLogic),
    LaterRow("Robot", kCompRobot),
    TableRow<MovingFloor>("MovingFloor"),
    LaterRow("Camera", kCompSecurityCamNode),
    TableRow<NextLevelJumper>("NextLevelJumper"),
    LaterRow("CheckPoint", kCompCheckPoint),
    LaterRow("EMP", kCompEmp),
    TableRow<DialogBox>("DialogBox"),
    TableRow<Curtain>("Curtain"),
    TableRow<DialogTrigger>("DialogTrigger"),
    LaterRow("MainMenu", kCompMainMenu),
    TableRow<RecordAndPlay>("RecordAndPlay"),
    LaterRow("TrashCan", kCompTrashCan),
    LaterRow("Charger", kCompCharger),
    TableRow<MenuJumper>("MenuJumper"),
    LaterRow("BossFOV", kCompBossFov),
    LaterRow("Boss", kCompBoss),
    TableRow<ZentoTech>("ZentoTech"),
};

class BellrunHooks final : public GameHooks
{
  public:
    void StartEditor() override { LevelEditor::Get().Initialize(); }
    void SetEditorOpen(bool open) override { LevelEditor::Get().editorOpen = open; }
    bool EditorOpen() const override { return LevelEditor::Get().editorOpen; }
    bool SimulationRunning() const override { return LevelEditor::Get().allObjectsWork; }
    void DrawEditor() override { LevelEditor::Get().DrawUI(); }

    void ToggleGodMode(GameObject& player) override
    {
        if (Player* p = player.Get<Player>()) p->godMode = !p->godMode;
    }
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
};
} // namespace

void RegisterGame()
{
    static BellrunHooks hooks;
    SetComponentTable(kRows, static_cast<int>(sizeof kRows / sizeof kRows[0]));
    SetGameHooks(&hooks);
}
