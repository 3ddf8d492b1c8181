// CopyQuad: a texture laid over the whole viewport by a shader that only reads it.
//
// A textured rectangle with nothing else in its shader is what llvmpipe's span path recognises
// (BGRA target and texture, no depth buffer): there a scale-up or a one-to-one copy costs a
// fraction of glBlitFramebuffer's general path.
#pragma once

class CopyQuad
{
  public:
    // Draws the texture (unit 0, its own filters) over the bound viewport without blending.
    // False when the program does not link here; nothing is drawn then.
    bool Draw(unsigned texture);
    void Release();

  private:
    bool Ensure();

    unsigned program_ = 0;
    unsigned array_ = 0;
    unsigned buffer_ = 0;
    bool linked_ = false;
};
