// The shared night palette: cool blue-violet shadows, warm lamp accents.
#pragma once
#include "kit/Figure.h"

namespace pal
{
inline const Rgba kOutline = Col(12, 9, 22);
inline const Rgba kLampCore = Col(255, 244, 200);
inline const Rgba kLamp = Col(255, 196, 92);
inline const Rgba kLampDeep = Col(232, 128, 40);
inline const Rgba kHazardYellow = Col(236, 184, 48);
inline const Rgba kHazardBlack = Col(28, 24, 34);

inline const Material kHoodie{Col(22, 20, 44), Col(38, 36, 72), Col(56, 54, 100), Col(86, 84, 140)};
inline const Material kHoodieFar{Col(16, 14, 32), Col(28, 26, 54), Col(40, 38, 76),
                                 Col(60, 58, 104)};
inline const Material kPants{Col(18, 20, 30), Col(32, 36, 52), Col(46, 52, 72), Col(68, 76, 100)};
inline const Material kPantsFar{Col(14, 15, 24), Col(24, 27, 40), Col(34, 38, 56), Col(50, 56, 78)};
inline const Material kFace{Col(150, 112, 96), Col(204, 164, 136), Col(236, 200, 168),
                            Col(252, 228, 200)};
inline const Material kGlove{Col(18, 18, 24), Col(34, 34, 44), Col(50, 50, 62), Col(78, 78, 94)};
inline const Material kShoe{Col(20, 16, 22), Col(40, 34, 44), Col(62, 54, 66), Col(96, 88, 104)};
inline const Material kPack{Col(36, 30, 22), Col(70, 58, 40), Col(96, 80, 54), Col(130, 112, 78)};
inline const Rgba kEye = Col(24, 18, 36);
inline const Rgba kEyeGlint = Col(240, 248, 255);
inline const Rgba kSole = Col(214, 214, 226);
inline const Rgba kStripe = Col(92, 214, 206);
} // namespace pal
