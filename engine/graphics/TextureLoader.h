// TextureLoader: image files to GL textures (stb_image), and PNG writing, behind the GPU seam.
#pragma once

#include <string>
#include <vector>

// The 1x1 magenta texture that stands for a broken image (0 without a GPU).
unsigned MagentaTexture();
// Reads an image's header only, with the same one-line reports as LoadTextureFile; false when
// the image would be drawn magenta. pixels (when given) gets width x height.
bool CheckTextureFile(const std::string& path, int* pixels = nullptr);
// Decodes a data-root image (forced to RGBA) and uploads it, with mipmaps unless told not to.
// A missing or undecodable image is reported and becomes the magenta texture, so the mistake
// shows on screen. Called only with a GPU (the texture table checks headers without one).
// facts (when given) tells what the pixels are like.
struct TextureFacts
{
    // Every pixel's alpha is 255, so draws of it need no blending.
    bool opaque = false;
    // The part of the texture (u0, v0, u1, v1) holding every texel that is not fully
    // transparent, widened by a texel for filtering: outside it a draw changes nothing.
    float content[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    // Texels across and down (0 until decoded).
    int width = 0;
    int height = 0;
};
unsigned LoadTextureFile(const std::string& path, TextureFacts* facts = nullptr,
                         bool mipmaps = true);
// The facts of decoded pixels (four bytes each, alpha last), as LoadTextureFile reports them.
TextureFacts ExamineTexture(const unsigned char* pixels, int width, int height);
// Decodes image bytes (named path in reports) to RGBA, bottom row first, with no GPU involved.
// False, with one line naming path, when they are not an image the game reads.
bool DecodeImage(const std::string& bytes, const std::string& path,
                 std::vector<unsigned char>& rgba, int& width, int& height);
// An empty BGRA texture to draw into: one level, clamped at its edges, sampled with filter
// (GL_NEAREST or GL_LINEAR); 0 without a GPU.
unsigned MakeTargetTexture(int width, int height, int filter);
// Turns RGBA pixels into BGRA ones in place (and back).
void SwapRedAndBlue(unsigned char* pixels, size_t count);
// A texture from BGRA pixels, the order every texture of the game is kept in; 0 without a GPU.
unsigned UploadBgraTexture(const unsigned char* bgra, int width, int height, bool mipmaps);
// The next mipmap level of a four-channel image: each pixel the rounded mean of a 2x2 block.
void HalveImage(const unsigned char* rgba, int width, int height, std::vector<unsigned char>& out,
                int& outWidth, int& outHeight);
void ReleaseTextures(const unsigned* names, int count);

// Writes RGBA pixels (top row first) as a PNG through the atomic file writer.
bool WritePngFile(const std::string& path, const unsigned char* rgba, int width, int height);
