#include "game/story/MovingFloor.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"

namespace
{
constexpr float kEdge = 0.2f;        // how deep a touch may reach and still count as an edge
constexpr float kRideSink = 0.0001f; // a rider sinks this much per frame so contact holds
constexpr float kRestGap = 0.001f;   // a settled rider's feet are this far into the top

// Negative times from data would wrap into weeks of travel: they count as zero.
uint32_t Millis(int value)
{
    return value < 0 ? 0u : static_cast<uint32_t>(value);
}

Transform* TransformOf(GameObject* obj)
{
    return obj ? obj->Get<Transform>() : nullptr;
}
} // namespace

void MovingFloor::ComputeVelocity()
{
    const double d = static_cast<double>(direction) * glm::pi<double>() / 180.0;
    velocity = glm::vec2(static_cast<float>(moveSpeed * std::cos(d)),
                         static_cast<float>(moveSpeed * std::sin(d)));
}

bool MovingFloor::Deserialize(const JsonView& value)
{
    if (value.ReadFloats("StartPosition", &startPosition.x, 3))
        if (Transform* t = TransformOf(owner)) t->position = startPosition;
    int v = 0;
    if (value.Read("MoveTime", v)) moveTime = Millis(v);
    if (value.Read("StayTime", v)) stayTime = Millis(v);
    value.Read("MoveSpeed", moveSpeed);
    value.Read("InitialState", initialState);
    value.Read("Direction", direction);
    state = initialState;
    ComputeVelocity();
    edit_.loaded = false;
    return true;
}

bool MovingFloor::Serialize(JsonWriter& writer) const
{
    writer.Key("MovingFloor");
    writer.StartObject();
    WriteNumbers(writer, "StartPosition", &startPosition.x, 3);
    writer.Key("MoveTime");
    writer.Uint(moveTime);
    writer.Key("StayTime");
    writer.Uint(stayTime);
    writer.Key("MoveSpeed");
    writer.Double(static_cast<double>(moveSpeed));
    writer.Key("InitialState");
    writer.Int(initialState);
    writer.Key("Direction");
    writer.Int(direction);
    writer.EndObject();
    return true;
}

Component* MovingFloor::CopyFrom(const Component* other)
{
    const MovingFloor* o = dynamic_cast<const MovingFloor*>(other);
    if (!o || o == this) return this;
    startPosition = o->startPosition;
    moveTime = o->moveTime;
    stayTime = o->stayTime;
    timer = o->timer;
    moveSpeed = o->moveSpeed;
    velocity = o->velocity;
    carrying = o->carrying;
    sign = o->sign;
    direction = o->direction;
    state = o->state;
    return this;
}

void MovingFloor::Restart()
{
    if (Transform* t = TransformOf(owner)) t->position = startPosition;
    state = initialState;
    timer = state == 1 ? moveTime / 2 : 0;
    ComputeVelocity();
    sign = 1.0f;
}

void MovingFloor::HandleEvent(Event* event)
{
    if (event && event->type == kEventResetToInitial) Restart();
}

void MovingFloor::Carry(float dx, float dy)
{
    Transform* self = TransformOf(owner);
    if (self) self->position += glm::vec3(dx, dy, 0.0f);
    if (!carrying) return;
    if (Transform* p = TransformOf(GameObjectManager::Get().Player()))
        p->position += glm::vec3(dx, dy - kRideSink, 0.0f);
}

void MovingFloor::SettleRider()
{
    GameObject* player = GameObjectManager::Get().Player();
    Transform* p = TransformOf(player);
    Body* body = player ? player->Get<Body>() : nullptr;
    Transform* self = TransformOf(owner);
    if (!p || !body || !self || body->velocity.y >= 0.0f) return;
    p->position.y = self->position.y + self->scale.y / 2 + p->scale.y / 2 - kRestGap;
    body->velocity.y = 0.0f;
}

void MovingFloor::Update()
{
    const uint32_t f = FrameRateController::Get().frameBudgetMs;
    if (state == 1)
    {
        if (f < timer)
            Carry(sign * velocity.x * static_cast<float>(f),
                  sign * velocity.y * static_cast<float>(f));
        else
        {
            timer = stayTime;
            state = 0;
            sign = -sign;
        }
    }
    if (state == 0 && timer <= f)
    {
        timer = moveTime;
        state = 1;
    }
    if (carrying) SettleRider();
    carrying = false;
    // A phase shorter than a frame ends here instead of wrapping the timer round to weeks.
    timer = timer > f ? timer - f : 0;
}

void MovingFloor::OnCollision(GameObject* other)
{
    if (other && other->type == kTypePlayer) CollidePlayer(*other);
}

void MovingFloor::CollidePlayer(GameObject& player)
{
    Transform* P = player.Get<Transform>();
    Transform* F = TransformOf(owner);
    if (!P || !F) return;
    Body* body = player.Get<Body>();
    const float w = (body && !body->vertices.empty() ? body->vertices[0].x : 0.5f) * P->scale.x;
    const float playerBottom = P->position.y - P->scale.y / 2;
    const float floorTop = F->position.y + F->scale.y / 2;
    const bool onTop = floorTop - kEdge < playerBottom && playerBottom <= floorTop;
    if (!onTop)
    {
        const float px = P->position.x;
        const float floorRight = F->position.x + F->scale.x / 2;
        const float floorLeft = F->position.x - F->scale.x / 2;
        bool side = false;
        if (floorRight - kEdge <= px - w && px - w <= floorRight)
        {
            P->position.x = floorRight + w;
            if (body && body->velocity.x < 0.0f) body->velocity.x = 0.0f;
            side = true;
        }
        if (floorLeft <= px + w && px + w <= floorLeft + kEdge)
        {
            P->position.x = floorLeft - w;
            if (body && body->velocity.x > 0.0f) body->velocity.x = 0.0f;
            side = true;
        }
        if (side) return;
        const float playerTop = P->position.y + P->scale.y / 2;
        if (F->position.y > playerTop && playerTop > F->position.y - F->scale.y / 2)
        {
            P->position.y = F->position.y - F->scale.y / 2 - P->scale.y / 2;
            if (body && body->velocity.y > 0.0f) body->velocity.y = 0.0f;
            return;
        }
    }
    carrying = true;
    player.collisionFlags |= kContactBottom;
}

void MovingFloor::DrawEditor()
{
    if (!edit_.loaded)
    {
        edit_.moveSpeed = moveSpeed;
        edit_.stayTime = static_cast<int>(std::min<uint32_t>(stayTime, 0x7fffffff));
        edit_.moveTime = static_cast<int>(std::min<uint32_t>(moveTime, 0x7fffffff));
        edit_.timer = static_cast<int>(std::min<uint32_t>(timer, 0x7fffffff));
        edit_.initialState = initialState;
        edit_.direction = direction;
        edit_.startX = startPosition.x;
        edit_.startY = startPosition.y;
        edit_.loaded = true;
    }
    Panel().Begin("SecurityCamera");
    Panel().SliderFloat("Move Speed", &edit_.moveSpeed, 0.0f, 0.05f);
    Panel().InputInt("Stay Time(Milisecond)", &edit_.stayTime);
    Panel().InputInt("Move Time(Milisecond)", &edit_.moveTime);
    Panel().InputInt("Timer (Milisecond)", &edit_.timer);
    Panel().InputFloat("Start Position X", &edit_.startX, 0.0f, "%f");
    Panel().InputFloat("Start Position Y", &edit_.startY, 0.0f, "%f");
    if (Panel().Button("Let Floor Start at the Mid Point")) edit_.initialState = 1;
    if (Panel().Button("Let Floor Start at the End Point")) edit_.initialState = 0;
    Panel().InputInt("Start Angle", &edit_.direction);
    if (Panel().Button("Set Current Position to Start Position"))
    {
        if (Transform* t = TransformOf(owner)) startPosition = t->position;
        moveTime = Millis(edit_.moveTime);
        stayTime = Millis(edit_.stayTime);
        moveSpeed = edit_.moveSpeed;
        initialState = edit_.initialState;
        direction = edit_.direction;
        Restart();
    }
    Panel().End();
}
