#include "editor/EditorRegistration.h"

#include "editor/LevelEditor.h"
#include "engine/core/EditorHooks.h"

namespace
{
class LevelEditorHooks final : public EditorHooks
{
  public:
    void Start() override { LevelEditor::Get().Initialize(); }
    void SetOpen(bool open) override { LevelEditor::Get().editorOpen = open; }
    bool Open() const override { return LevelEditor::Get().editorOpen; }
    bool SimulationRunning() const override { return LevelEditor::Get().allObjectsWork; }
    void Frame() override { LevelEditor::Get().Frame(); }
    void Draw() override { LevelEditor::Get().DrawUI(); }
    void LevelLoaded() override { LevelEditor::Get().LevelLoaded(); }
};
} // namespace

void RegisterEditor()
{
    static LevelEditorHooks hooks;
    SetEditorHooks(&hooks);
}
