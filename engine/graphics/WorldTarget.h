// WorldTarget: where the world layers are drawn.
//
// The art is drawn at 32 pixels a unit and the camera shows about 17 units of height, so a
// 1080-line window spends four screen pixels on every pixel of art. On a software rasteriser the
// frame is nearly all fill, so in any window taller than that the world layers go to an
// off-screen target at the art's own density (540 lines) and are scaled up with nearest
// sampling: the same picture for a fraction of the fill (a quarter at 1080 lines, a little over
// half at 720, where each art pixel already covered one or two window pixels). Screen layers,
// texts and the editor are drawn afterwards at the window's own resolution, so nothing that is
// not pixel art is coarsened.
#pragma once

#include "engine/graphics/CopyQuad.h"

class WorldTarget
{
  public:
    // The target's size for a window (the window's aspect at 540 lines); false when the window
    // is no taller than that and the world is drawn straight into it.
    static bool TargetSize(int windowWidth, int windowHeight, int& width, int& height);
    // Whether a window this tall draws the world at the art's own density or finer.
    static bool ArtFits(int windowHeight);

    // Starts a frame: binds the target (or the window when there is none) and clears it.
    void Begin(int width, int height);
    // Ends the world part of the frame: the target is scaled up onto the window, which is bound
    // from then on. Only the first call of a frame does anything.
    void Resolve();
    // Marks that something was drawn into the target this frame.
    void MarkDrawn() { drawn_ = true; }
    bool Drawn() const { return drawn_; }
    void Release();

  private:
    bool Ensure(int w, int h);
    // Lets go of the target itself (not the copy program, which serves every size).
    void DropTarget();
    void CopyToWindow();

    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    int targetW_ = 0, targetH_ = 0;
    int windowW_ = 0, windowH_ = 0;
    CopyQuad copy_;
    bool blitReported_ = false;
    bool open_ = false;  // the target is bound and not yet resolved
    bool drawn_ = false; // the world drew something this frame
};
