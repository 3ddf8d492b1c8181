// PlayerTestRig: a player object assembled by hand (no level, no window) for the controller's
// and the player state's rules. Input goes through the real input manager.
#pragma once

#include <SDL.h>

#include <cstring>
#include <string>

#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"
#include "game/story/RecordAndPlay.h"
#include "tests/Harness.h"

// Which parts to give the object; the controller always comes.
struct PlayerRigParts
{
    bool transform = true, body = true, sprite = true, player = true, record = true;
};

struct PlayerRig
{
    GameObject* obj = nullptr;
    Transform* transform = nullptr;
    Body* body = nullptr;
    Sprite* sprite = nullptr;
    Player* player = nullptr;
    PlayerController* pc = nullptr;
    RecordAndPlay* record = nullptr;

    explicit PlayerRig(PlayerRigParts o = PlayerRigParts{})
    {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_InitSubSystem(SDL_INIT_EVENTS);
        GameObjectManager::Get().Reset();
        EventManager::Get().ClearAll();
        InputManager::Get().Reset();
        OpenMap();
        obj = GameObjectManager::Get().CreateObject(kTypePlayer);
        if (o.transform) obj->AddComponent(transform = new Transform(obj));
        if (o.body)
        {
            obj->AddComponent(body = new Body(obj));
            body->vertices = {{0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}};
        }
        if (o.sprite) obj->AddComponent(sprite = new Sprite(obj));
        if (o.player) obj->AddComponent(player = new Player(obj));
        obj->AddComponent(pc = new PlayerController(obj));
        if (o.record) obj->AddComponent(record = new RecordAndPlay(obj));
        if (transform) transform->scale = kStandScale;
        if (transform) transform->position = glm::vec3(4.0f, 1.5f, 0.0f); // standing on row 0
        obj->collisionFlags = obj->previousCollisionFlags = kContactBottom;
    }

    // A 20 x 10 map (40 x 20 cells allocated) with a floor along row 0 and nothing overhead.
    static void OpenMap()
    {
        rapidjson::Document doc;
        ParseJson(R"({"Name": "rig.json", "Height": 10, "Width": 20, "MapObjectData": [],
                      "ObjectList": []})",
                  doc, nullptr);
        MapManager::Get().LoadMap(JsonView(&doc, "rig.json"));
        for (int c = 0; c < MapManager::Get().CapacityColumns; ++c) SolidCell(c, 0);
    }
    static void SolidCell(int column, int row)
    {
        MapManager& map = MapManager::Get();
        map.SolidGrid[static_cast<size_t>(column) * map.CapacityRows + row] = 1;
    }

    static void Key(const char* key, bool down) { Send::Key(key, down); }
    static void Mouse(uint8_t button, bool down) { Send::MouseButton(down, 0, 0, button); }
    // One frame of the controller alone: input, then its update.
    void Frame()
    {
        TextRenderer::Get().ClearQueue();
        InputManager::Get().Update();
        pc->Update();
    }
    static void Deliver(int type)
    {
        Event e;
        e.type = type;
        GameObjectManager::Get().Broadcast(&e);
    }
    static bool Posted(int type)
    {
        for (const Event& e : EventManager::Get().events)
            if (e.inUse && e.type == type) return true;
        return false;
    }
};
