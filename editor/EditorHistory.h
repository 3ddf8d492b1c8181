// EditorHistory: the editor's undo and redo. A fixed ring of steps: when it is full the oldest
// step is forgotten, never the newest, and it never grows. Objects are remembered as level
// entries ({"Name", "OverWrite"}) so a deleted object comes back as the level file would make
// it; a step that brings an object back points every older step at the new object.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include <glm/vec2.hpp>

#include "engine/objects/ObjectRef.h"

struct EditStep
{
    enum Kind
    {
        kNone,
        kMove,   // from -> to
        kCreate, // after: the new object's entry
        kRemove, // before: the removed object's entry
        kTile,   // a cell's tile archetype, before -> after ("" empty)
        kChange, // a panel edit: the object's entry before -> after
    };
    Kind kind = kNone;
    ObjectRef object;
    glm::vec2 from{0.0f}, to{0.0f};
    int column = 0, row = 0;
    std::string before, after;
};

class EditorHistory
{
  public:
    static constexpr size_t kSteps = 128;

    // Forgets the steps that were undone, then appends (dropping the oldest when full).
    void Record(EditStep step);
    // A panel edit: merged into the last step while the same control is still being dragged.
    void RecordChange(GameObject& obj, const std::string& before, const std::string& after,
                      bool merge);
    // False when there is nothing to undo / redo.
    bool Undo();
    bool Redo();
    void Clear();
    size_t UndoCount() const { return done_; }
    size_t RedoCount() const { return count_ - done_; }

  private:
    EditStep& At(size_t i) { return ring_[(first_ + i) % kSteps]; }
    void Apply(EditStep& step, bool undo);
    // Every step naming `from` names `to` instead (an object that came back lives in a new
    // slot or under a new id).
    void Remap(const ObjectRef& from, GameObject* to);

    std::array<EditStep, kSteps> ring_;
    size_t first_ = 0, count_ = 0, done_ = 0;
};

// The object as a level entry; empty for objects a level file does not hold.
std::string EntryText(const GameObject& obj);
// Makes an object from a level entry; nullptr (with a line) when it cannot.
GameObject* CreateFromEntryText(const std::string& text);
