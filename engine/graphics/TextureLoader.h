// TextureLoader: image files to GL textures (stb_image), and PNG writing, behind the GPU seam.
#pragma once

#include <string>

// Decodes a data-root image (forced to RGBA) and uploads it with mipmaps. A missing or
// undecodable image is reported and becomes a 1x1 magenta texture, so the mistake shows on
// screen. Without a GPU only the header is checked (same report) and 0 is returned.
unsigned LoadTextureFile(const std::string& path);
// An RGBA texture from pixels; 0 without a GPU.
unsigned UploadTexture(const unsigned char* rgba, int width, int height, bool mipmaps);
void ReleaseTextures(const unsigned* names, int count);

// Writes RGBA pixels (top row first) as a PNG through the atomic file writer.
bool WritePngFile(const std::string& path, const unsigned char* rgba, int width, int height);
