// Where the menu panels sit, shared by the pictures and the menu files. Pixels of the shipped
// 1280x720 pictures; the game stretches them over the window, so the same rectangles hold in
// device coordinates at any 16:9 size.
#pragma once

struct PanelRect
{
    int x, y, w, h;
};

constexpr int kMenuW = 1280, kMenuH = 720;
constexpr PanelRect kMenuPanel{320, 64, 640, 592};
constexpr PanelRect kWidePanel{64, 40, 1152, 640};
constexpr PanelRect kConfirmPanel{300, 220, 680, 280};
constexpr PanelRect kTitlePanel{464, 296, 352, 300};

// Device coordinates of a picture pixel.
inline float NdcX(float px)
{
    return px * 2.0f / kMenuW - 1.0f;
}
inline float NdcY(float py)
{
    return 1.0f - py * 2.0f / kMenuH;
}
