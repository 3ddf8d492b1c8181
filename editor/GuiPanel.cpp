// The component panels drawn with Dear ImGui: the editor's side of engine/objects/EditorPanel.h.
#include "editor/GuiPanel.h"

#include <algorithm>
#include <cstddef>

#include <imgui.h>

namespace
{
// A panel without a size of its own gets this much room in the column.
constexpr float kPanelWidth = 300.0f, kPanelHeight = 170.0f, kGap = 10.0f;

class GuiPanel final : public EditorPanel
{
  public:
    void Begin(const char* title, float width, float height) override
    {
        // The first time a panel opens it takes the next place down the column, at least wide
        // and tall enough that its labels read (a panel's own smaller size, such as the
        // transform's 100 x 100, cut them off).
        ImGui::SetNextWindowPos(ImVec2(columnX, columnY), ImGuiCond_FirstUseEver);
        const float w = std::max(width, kPanelWidth), h = std::max(height, kPanelHeight);
        ImGui::SetNextWindowSize(ImVec2(w, h), ImGuiCond_FirstUseEver);
        ImGui::Begin(title);
        columnY += h + kGap;
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
    bool InputText(const char* label, std::string* v) override
    {
        char buffer[256];
        const size_t n = std::min(v->size(), sizeof buffer - 1);
        std::copy(v->begin(), v->begin() + static_cast<std::ptrdiff_t>(n), buffer);
        buffer[n] = '\0';
        if (!ImGui::InputText(label, buffer, sizeof buffer)) return false;
        *v = buffer;
        return true;
    }
    bool Button(const char* label) override { return ImGui::Button(label); }
    void Text(const char* text) override { ImGui::TextUnformatted(text); }

    float columnX = 0.0f, columnY = 0.0f;
};

GuiPanel& Panels()
{
    static GuiPanel panel;
    return panel;
}
} // namespace

EditorPanel& GuiPanels()
{
    return Panels();
}

void StartPanelColumn(float x, float y)
{
    Panels().columnX = x;
    Panels().columnY = y;
}
