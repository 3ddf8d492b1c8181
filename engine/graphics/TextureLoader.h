// TextureLoader: image files to GL textures (stb_image), behind the GPU seam.
#pragma once

#include <string>

// Decodes a data-root image and uploads it; returns the GL texture name (0 when the GPU is off
// or the image cannot be read, which is reported).
unsigned LoadTextureFile(const std::string& path);
void ReleaseTextures(const unsigned* names, int count);
