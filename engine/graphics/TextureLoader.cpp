#include "engine/graphics/TextureLoader.h"

// Placeholder until the image loader lands.
unsigned LoadTextureFile(const std::string&) { return 0; }
void ReleaseTextures(const unsigned*, int) {}
