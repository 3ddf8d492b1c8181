#include "game/enemies/SecurityCamNode.h"

#include <cstdio>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/core/Random.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "game/GameTuning.h"
#include "game/enemies/SecurityCamera.h"

namespace
{
SecurityCamera* SweepOf(GameObject* cone)
{
    return cone ? cone->Get<SecurityCamera>() : nullptr;
}

void LightCone(GameObject* cone, bool lit)
{
    if (!cone) return;
    if (Sprite* s = cone->Get<Sprite>()) s->Active = lit;
    cone->collidable = lit;
}

void PlaceConeAt(GameObject* cone, const Transform& body)
{
    if (Transform* ct = cone ? cone->Get<Transform>() : nullptr)
    {
        ct->position.x = body.position.x;
        ct->position.y = body.position.y;
    }
}
} // namespace

SecurityCamNode::~SecurityCamNode()
{
    if (GameObject* cone = Cone.Get()) GameObjectManager::Get().QueueDestroy(cone);
}

bool SecurityCamNode::Deserialize(const JsonView& value)
{
    if (!Cone.Get())
        if (GameObject* cone = SpawnFromArchetype(kConeArchetype)) Cone = ObjectRef(cone);
    GameObject* cone = Cone.Get();
    Transform* ct = cone ? cone->Get<Transform>() : nullptr;
    float scale[2];
    if (value.ReadFloats("FOVScale", scale, 2) && ct)
        ct->scale = glm::vec3(scale[0], scale[1], 1.0f);
    SecurityCamera* sweep = SweepOf(cone);
    JsonView settings = value["SecurityCamera"];
    if (sweep && settings.IsObject())
        sweep->ReadSettings(settings);
    else if (settings.Valid() && !settings.IsObject())
        settings.Warn("expected an object; ignored");
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (t)
    {
        LogPrintf("%f %f\n", t->position.x, t->position.y);
        PlaceConeAt(cone, *t);
    }
    if (sweep) sweep->Node = ObjectRef(owner);
    return true;
}

bool SecurityCamNode::Serialize(JsonWriter& writer) const
{
    GameObject* cone = Cone.Get();
    Transform* ct = cone ? cone->Get<Transform>() : nullptr;
    SecurityCamera* sweep = SweepOf(cone);
    if (!ct || !sweep) return true;
    writer.Key("Camera");
    writer.StartObject();
    WriteNumbers(writer, "FOVScale", &ct->scale.x, 2);
    sweep->WriteSettings(writer);
    writer.EndObject();
    return true;
}

void SecurityCamNode::Update()
{
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (!t) return;
    if (FirstFrame)
    {
        HomePosition = t->position;
        FirstFrame = false;
        // A level may move the body without restating its "Camera": the cone follows.
        PlaceConeAt(Cone.Get(), *t);
    }
    if (Idle) return;
    if (BlackoutTimer <= 0.0f)
    {
        EndBlackout();
        return;
    }
    BlackoutTimer -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
    t->position.x = HomePosition.x + static_cast<float>(Random::Next() % 10) / 100.0f;
    t->position.y = HomePosition.y + static_cast<float>(Random::Next() % 10) / 100.0f;
}

void SecurityCamNode::EndBlackout()
{
    if (Transform* t = owner->Get<Transform>()) t->position = HomePosition;
    LightCone(Cone.Get(), true);
    // Queued, not freed: the EMP may still be in this frame's update.
    if (GameObject* emp = StuckEmp.Get()) GameObjectManager::Get().QueueDestroy(emp);
    StuckEmp.Clear();
    Idle = true;
}

void SecurityCamNode::OnCollision(GameObject* other)
{
    if (!other || other->type != kTypeEmp || !owner) return;
    Transform* t = owner->Get<Transform>();
    Transform* et = other->Get<Transform>();
    Idle = false;
    if (t && et) et->position = t->position;
    if (Body* eb = other->Get<Body>())
    {
        eb->gravity = false;
        eb->velocity = glm::vec2(0.0f); // it sticks to the camera
    }
    GameObject* cone = Cone.Get();
    if (BlackoutTimer > 0.0f || (cone && !cone->collidable)) return;
    AudioSettings::Get().PlayEffect("Sounds/empsound.ogg", 60);
    StuckEmp = ObjectRef(other);
    BlackoutTimer = GameTuning::Get().cameraBlackoutMs;
    LightCone(cone, false);
}

void SecurityCamNode::WriteState(JsonWriter& w) const
{
    w.Key("BlackoutTimer");
    w.Double(BlackoutTimer);
    w.Key("Idle");
    w.Bool(Idle);
}

void SecurityCamNode::DrawEditor()
{
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (!t) return;
    PlaceConeAt(Cone.Get(), *t);
    HomePosition = t->position;
    // The camera's settings live on its cone; a designer picks the camera, so its panel shows
    // them (the cone's own panel when the cone is picked).
    if (GameObject* cone = Cone.Get())
        if (SecurityCamera* sweep = cone->Get<SecurityCamera>()) sweep->DrawEditor();
}
