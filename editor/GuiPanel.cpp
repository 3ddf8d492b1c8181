// The component panels drawn with Dear ImGui: the editor's side of engine/objects/EditorPanel.h.
#include "editor/GuiPanel.h"

#include <imgui.h>

namespace
{
class GuiPanel final : public EditorPanel
{
  public:
    void Begin(const char* title, float width, float height) override
    {
        if (width > 0.0f && height > 0.0f)
            ImGui::SetNextWindowSize(ImVec2(width, height), ImGuiCond_FirstUseEver);
        ImGui::Begin(title);
    }
    void End() override { ImGui::End(); }
    bool SliderFloat(const char* label, float* v, float lo, float hi) override
    {
        return ImGui::SliderFloat(label, v, lo, hi);
    }
    bool InputFloat(const char* label, float* v, float step, const char* format) override
    {
        return ImGui::InputFloat(label, v, step, 0.0f, format);
    }
    bool InputInt(const char* label, int* v) override { return ImGui::InputInt(label, v); }
    bool Checkbox(const char* label, bool* v) override { return ImGui::Checkbox(label, v); }
    bool Button(const char* label) override { return ImGui::Button(label); }
    void Text(const char* text) override { ImGui::TextUnformatted(text); }
};
} // namespace

EditorPanel& GuiPanels()
{
    static GuiPanel panel;
    return panel;
}
