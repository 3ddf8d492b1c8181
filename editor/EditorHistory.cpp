#include "editor/EditorHistory.h"

#include <utility>

#include "editor/LevelEditor.h"
#include "engine/core/Log.h"
#include "engine/data/Json.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"

namespace
{
void Destroy(GameObject& obj)
{
    LevelEditor& editor = LevelEditor::Get();
    if (editor.Selected() == &obj) editor.selected.Clear();
    // Out of picking and collisions now; the pool takes it back at the end of the frame.
    obj.collidable = false;
    if (Transform* t = obj.Get<Transform>()) t->position.x = -1.0e6f;
    GameObjectManager::Get().QueueDestroy(&obj);
}

// Applies an entry's sections to a living object (a panel edit undone or redone).
void ApplyEntry(GameObject& obj, const std::string& text)
{
    rapidjson::Document doc;
    if (text.empty() || !ParseJson(text, doc, nullptr)) return;
    JsonView overwrite = JsonView(&doc, "editor history")["OverWrite"];
    if (overwrite.IsObject()) obj.Deserialize(overwrite);
}
} // namespace

std::string EntryText(const GameObject& obj)
{
    return JsonText([&obj](JsonWriter& writer) { obj.Serialize(writer); });
}

GameObject* CreateFromEntryText(const std::string& text)
{
    rapidjson::Document doc;
    std::string error;
    if (text.empty() || !ParseJson(text, doc, &error))
    {
        LogLine("editor: an object in the history cannot be made again%s%s",
                error.empty() ? "" : ": ", error.c_str());
        return nullptr;
    }
    return CreateFromLevelEntry(JsonView(&doc, "editor history"));
}

void EditorHistory::Record(EditStep step)
{
    count_ = done_;
    if (count_ == kSteps)
    {
        At(0) = EditStep();
        first_ = (first_ + 1) % kSteps;
        --count_;
    }
    At(count_) = std::move(step);
    done_ = ++count_;
}

void EditorHistory::RecordChange(GameObject& obj, const std::string& before,
                                 const std::string& after, bool merge)
{
    if (merge && done_ > 0 && done_ == count_)
    {
        EditStep& last = At(done_ - 1);
        if (last.kind == EditStep::kChange && last.object.Get() == &obj)
        {
            last.after = after;
            return;
        }
    }
    EditStep step;
    step.kind = EditStep::kChange;
    step.object.Set(&obj);
    step.before = before;
    step.after = after;
    Record(std::move(step));
}

bool EditorHistory::Undo()
{
    if (done_ == 0) return false;
    --done_;
    Apply(At(done_), true);
    return true;
}

bool EditorHistory::Redo()
{
    if (done_ == count_) return false;
    Apply(At(done_), false);
    ++done_;
    return true;
}

void EditorHistory::Clear()
{
    for (auto& step : ring_) step = EditStep();
    first_ = count_ = done_ = 0;
}

void EditorHistory::Apply(EditStep& step, bool undo)
{
    LevelEditor& editor = LevelEditor::Get();
    GameObject* obj = step.object.Get();
    switch (step.kind)
    {
    case EditStep::kMove:
        if (Transform* t = obj ? obj->Get<Transform>() : nullptr)
        {
            const glm::vec2 p = undo ? step.from : step.to;
            t->position.x = p.x;
            t->position.y = p.y;
            if (Body* b = obj->Get<Body>()) b->velocity = glm::vec2(0.0f);
        }
        break;
    case EditStep::kTile:
        editor.SetTile(step.column, step.row, undo ? step.before : step.after);
        break;
    case EditStep::kChange:
        if (obj) ApplyEntry(*obj, undo ? step.before : step.after);
        break;
    case EditStep::kCreate:
    case EditStep::kRemove:
        // Undoing a creation and redoing a removal take the object away; the others bring it back.
        if ((step.kind == EditStep::kCreate) == undo)
        {
            if (!obj) break;
            (step.kind == EditStep::kCreate ? step.after : step.before) = EntryText(*obj);
            Destroy(*obj);
        }
        else
        {
            const ObjectRef old = step.object;
            GameObject* made =
                CreateFromEntryText(step.kind == EditStep::kCreate ? step.after : step.before);
            Remap(old, made);
            if (made) editor.Select(made);
        }
        break;
    case EditStep::kNone:
        break;
    }
}

void EditorHistory::Remap(const ObjectRef& from, GameObject* to)
{
    if (!from.slot) return;
    for (auto& step : ring_)
        if (step.object.slot == from.slot && step.object.id == from.id) step.object.Set(to);
}
