// GameObjectManager: owns every game object in eleven fixed pools, one per draw layer.
//
// Pools are sized once and never grow, so object pointers stay valid for the whole run; a
// released slot is simply an inactive object. Loops over a layer stop after the layer's live
// count of active slots, so the mostly empty 2500-slot tile pool costs only its occupied front.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/objects/GameObject.h"
#include "engine/objects/ObjectRef.h"
#include "engine/objects/ObjectTypes.h"

class GameObjectManager
{
  public:
    static GameObjectManager& Get();

    std::string levelName;
    TypeTables types;
    std::array<std::vector<GameObject>, kLayerCount> layers;
    std::array<int, kLayerCount> liveCounts{};
    std::vector<GameObject*> destroyQueue;
    bool paused = false;
    GameObject* playerSlot = nullptr;

    GameObject* CreateObject(int typeNumber);
    GameObject* SpawnObject();
    GameObject* FindObject(uint32_t id);
    void DestroyObject(GameObject* object);
    void QueueDestroy(GameObject* object) { destroyQueue.push_back(object); }
    void ProcessDestroyQueue();
    void DestroyAllObjects();
    void UpdateAll();
    void TogglePause();
    // Shows the pause menu for the next pause and stops the player.
    void ResetMenusForPlay();
    // Shows the menu object (layer 9) named fileName and hides every other; a level without it
    // ends up with every menu hidden. True when the level has that menu.
    bool ShowMenu(const std::string& fileName);
    void DrawScene();
    void Broadcast(class Event* event);

    // The player object when its slot is in use.
    GameObject* Player() const { return playerSlot && playerSlot->active ? playerSlot : nullptr; }

    // Visits active slots of a layer in slot order, stopping after the layer's live count.
    // The count taken at the start still holds if a visited object destroys itself, so the
    // objects after it are not skipped; objects spawned during the walk raise the bound.
    template <typename Fn> void ForEachActive(int layer, Fn&& fn)
    {
        const int startCount = liveCounts[layer];
        int seen = 0;
        for (GameObject& obj : layers[layer])
        {
            if (seen >= startCount && seen >= liveCounts[layer]) break;
            if (!obj.active) continue;
            ++seen;
            fn(obj);
        }
    }

    // Back to the state of a fresh manager (tests and a reloaded engine).
    void Reset();
    // Deletes the components of objects released since the last call. Components may destroy
    // their own object from inside Update or OnCollision, so deletion waits for a safe point.
    void CollectGarbage() { graveyard_.clear(); }

  private:
    GameObjectManager();
    GameObject* Claim(int layer);
    void Release(GameObject& obj);

    uint32_t nextId_ = 1;
    std::vector<std::unique_ptr<Component>> graveyard_;
};
