#include "game/menus/MenuNotice.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/WindowManager.h"
#include "engine/graphics/TextRenderer.h"

namespace
{
constexpr float kShowMs = 2000.0f;
const char* const kFont = "Fonts/Pixel_Countdown.ttf";
// Below every menu panel, in the light ink that reads on the night scene behind them.
constexpr float kCentreY = -0.917f;
constexpr float kHeight = 0.1f;

// The line goes at a frame, not after so many frames drawn: played on without a menu (resumed
// at once), it must not wait for the next pause to finish its time.
struct Notice
{
    std::string text;
    long untilFrame = 0;
    long drawnFrame = -1;
};
Notice gNotice;

bool Showing()
{
    return !gNotice.text.empty() && Engine::Get().FramesRun() < gNotice.untilFrame;
}
} // namespace

void ShowMenuNotice(const std::string& text)
{
    const double budget =
        std::max(1.0, static_cast<double>(FrameRateController::Get().frameBudgetMs));
    gNotice.text = text;
    gNotice.untilFrame = Engine::Get().FramesRun() + static_cast<long>(kShowMs / budget) + 1;
    gNotice.drawnFrame = -1;
}

const std::string& CurrentMenuNotice()
{
    if (!Showing()) gNotice.text.clear();
    return gNotice.text;
}

void DrawMenuNotice()
{
    long frame = Engine::Get().FramesRun();
    if (!Showing() || frame == gNotice.drawnFrame) return;
    gNotice.drawnFrame = frame;
    WindowManager& window = WindowManager::Get();
    float aspect = TextRenderer::Get().Aspect(kFont, gNotice.text);
    if (aspect <= 0.0f || window.width <= 0 || window.height <= 0) return;
    TextRequest text;
    text.fontName = kFont;
    text.text = gNotice.text;
    text.position = glm::vec3(0.0f, kCentreY, 0.0f);
    // The text keeps its own proportions whatever the window's shape.
    float width = aspect * kHeight * static_cast<float>(window.height) / window.width;
    text.scale = glm::vec3(width, kHeight, 1.0f);
    text.r = 245, text.g = 225, text.b = 150;
    text.screenSpace = true;
    TextRenderer::Get().QueueText(text);
}
