#include "game/menus/MenuDump.h"

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/objects/GameObjectManager.h"
#include "game/GameNames.h"
#include "game/menus/ButtonList.h"
#include "game/menus/MenuNotice.h"

namespace
{
// The first button list of obj that has a visible button.
ButtonList* ShownList(GameObject& obj)
{
    for (const auto& c : obj.components)
        if (c->typeNumber == kCompButtonList)
            if (auto* list = dynamic_cast<ButtonList*>(c.get()))
                if (list->Shown()) return list;
    return nullptr;
}
} // namespace

void WriteMenuDump(JsonWriter& w)
{
    GameObjectManager& objects = GameObjectManager::Get();
    w.Key("Menus");
    w.StartObject();
    int selected = -1;
    w.Key("Shown");
    w.StartArray();
    objects.ForEachActive(kLayerMenu,
                          [&](GameObject& obj)
                          {
                              if (ButtonList* list = ShownList(obj))
                              {
                                  w.String(obj.name.c_str());
                                  selected = list->selectedIndex;
                              }
                          });
    w.EndArray();
    bool title = false;
    objects.ForEachActive(kLayerHud,
                          [&](GameObject& obj)
                          {
                              if (ButtonList* list = ShownList(obj))
                              {
                                  title = true;
                                  if (selected < 0) selected = list->selectedIndex;
                              }
                          });
    w.Key("Selected");
    w.Int(selected);
    w.Key("TitleButtons");
    w.Bool(title);
    w.Key("TitleMenuReached");
    w.Bool(Engine::Get().titleMenuReached);
    w.Key("FullScreen");
    w.Bool(Engine::Get().fullscreen);
    w.Key("MuteMusic");
    w.Bool(AudioSettings::Get().muteMusic);
    w.Key("MuteAll");
    w.Bool(AudioSettings::Get().muteAll);
    w.Key("MusicVolume");
    w.Int(AudioSettings::Get().MusicPercent());
    w.Key("EffectsVolume");
    w.Int(AudioSettings::Get().EffectsPercent());
    w.Key("Notice");
    w.String(CurrentMenuNotice().c_str());
    w.EndObject();
}
