#include "engine/objects/GameObjectManager.h"

#include <cstdio>

#include "engine/core/CameraManager.h"
#include "engine/core/EventManager.h"
#include "engine/core/GameRoles.h"
#include "engine/core/Log.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/physics/Body.h"

GameObjectManager& GameObjectManager::Get()
{
    static GameObjectManager instance;
    return instance;
}

GameObjectManager::GameObjectManager()
{
    Reset();
}

void GameObjectManager::Reset()
{
    for (int l = 0; l < kLayerCount; ++l)
    {
        layers[l] = std::vector<GameObject>(kLayerSlots[l]);
        for (GameObject& obj : layers[l]) obj.layer = l;
        liveCounts[l] = 0;
    }
    destroyQueue.clear();
    levelName.clear();
    graveyard_.clear();
    types = TypeTables();
    paused = false;
    playerSlot = &layers[kLayerPlayer][0];
    nextId_ = 1;
}

GameObject* GameObjectManager::Claim(int layer)
{
    for (GameObject& obj : layers[layer])
    {
        if (obj.active) continue;
        ++liveCounts[layer];
        obj.ClearComponents();
        obj.collisionFlags = 0;
        obj.previousCollisionFlags = 0;
        // A slot freed while switched off (a spent EMP, a dark cone) comes back touchable.
        obj.collidable = true;
        obj.active = true;
        obj.id = nextId_++;
        return &obj;
    }
    return nullptr;
}

GameObject* GameObjectManager::CreateObject(int typeNumber)
{
    return Claim(types.LayerOf(typeNumber));
}

GameObject* GameObjectManager::SpawnObject()
{
    return Claim(kLayerGameplay);
}

GameObject* GameObjectManager::FindObject(uint32_t id)
{
    for (int l = 0; l < kLayerCount; ++l)
    {
        int seen = 0;
        for (GameObject& obj : layers[l])
        {
            if (seen >= liveCounts[l]) break;
            if (!obj.active) continue;
            ++seen;
            if (obj.id == id)
            {
                LogPrintf("Find\n");
                return &obj;
            }
        }
    }
    LogPrintf("Not Find\n");
    return nullptr;
}

void GameObjectManager::Release(GameObject& obj)
{
    obj.active = false;
    obj.id = 0;
    obj.collisionFlags = 0;
    for (auto& c : obj.components) graveyard_.push_back(std::move(c));
    obj.components.clear();
}

void GameObjectManager::DestroyObject(GameObject* object)
{
    if (!object) return;
    GameObject* found = FindObject(object->active ? object->id : 0);
    if (!found) return;
    int layer = found->layer;
    LogPrintf("%d\n", liveCounts[layer]);
    found->active = false;
    found->id = 0;
    --liveCounts[layer];
    LogPrintf("%d\n", liveCounts[layer]);
    Release(*found);
}

void GameObjectManager::ProcessDestroyQueue()
{
    // Destroying may queue more objects (a component's destructor); take the list first.
    std::vector<GameObject*> queue;
    queue.swap(destroyQueue);
    for (GameObject* obj : queue)
    {
        LogPrintf("Times%zu\n", queue.size());
        DestroyObject(obj);
    }
    CollectGarbage();
}

void GameObjectManager::DestroyAllObjects()
{
    for (int l = 0; l < kLayerCount; ++l)
    {
        // Stop at the last live object: a level change should not walk thousands of free slots.
        int left = liveCounts[l];
        for (size_t i = 0; i < layers[l].size() && left > 0; ++i)
        {
            if (!layers[l][i].active) continue;
            Release(layers[l][i]);
            --left;
        }
        liveCounts[l] = 0;
    }
    destroyQueue.clear();
    CollectGarbage();
    nextId_ = 1;
}

void GameObjectManager::UpdateAll()
{
    auto updateLayer = [this](int layer)
    {
        ForEachActive(layer,
                      [](GameObject& obj)
                      {
                          // Index loop: an update may spawn objects but never adds to its own list.
                          for (size_t i = 0; i < obj.components.size(); ++i)
                              obj.components[i]->Update();
                      });
    };
    if (paused)
    {
        updateLayer(kLayerMenu);
        return;
    }
    for (int l = 0; l < kLayerCount; ++l)
        if (l != kLayerMap && l != kLayerMenu) updateLayer(l);
}

void GameObjectManager::TogglePause()
{
    CameraManager::Get().paused = !CameraManager::Get().paused;
    paused = !paused;
    if (!paused) ResetMenusForPlay();
}

void GameObjectManager::ResetMenusForPlay()
{
    // The pause menu is the one up at the next pause, whatever was shown last.
    ShowMenu(Roles().pauseMenu);
    // Only a level with a player has one to stop; the title level has none.
    if (GameObject* player = Player())
        if (Body* body = player->Get<Body>()) body->velocity = glm::vec2(0.0f);
}

bool GameObjectManager::ShowMenu(const std::string& fileName)
{
    bool found = false;
    ForEachActive(kLayerMenu,
                  [&](GameObject& obj)
                  {
                      bool show = obj.name == fileName;
                      found = found || show;
                      if (show)
                          obj.ShowButtonLists();
                      else
                          obj.HideButtonLists();
                      if (Sprite* sprite = obj.Get<Sprite>()) sprite->Active = show;
                  });
    return found;
}

void GameObjectManager::DrawScene()
{
    GraphicsManager& gfx = GraphicsManager::Get();
    gfx.PlanCover(paused);
    if (paused)
    {
        gfx.DrawLayer(kLayerMenu);
        TextRenderer::Get().DrawQueued();
        return;
    }
    for (int l = 0; l < kLayerCurtain; ++l)
        if (l != kLayerMenu) gfx.DrawLayer(l);
    // Texts (prompts, counters, dialog pages) belong to the scene: the curtain covers them too.
    TextRenderer::Get().DrawQueuedPass(false);
    for (int l = kLayerCurtain; l < kLayerCount; ++l) gfx.DrawLayer(l);
    TextRenderer::Get().DrawQueuedPass(true);
}

void GameObjectManager::Broadcast(Event* event)
{
    for (int l = 0; l < kLayerCount; ++l)
        ForEachActive(l,
                      [event](GameObject& obj)
                      {
                          for (size_t i = 0; i < obj.components.size(); ++i)
                              obj.components[i]->HandleEvent(event);
                      });
}
