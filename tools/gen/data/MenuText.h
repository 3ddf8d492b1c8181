// TrueType text for the menu pictures and the menu files: the same font files the game loads,
// so a label's measured width here is the width the game draws it at.
#pragma once
#include "kit/Image.h"

#include <string>
#include <vector>

class TtfFont
{
  public:
    bool Load(const std::string& path);
    bool Loaded() const { return !data_.empty(); }
    // Width over height of the text's line box (ascent to descent), as SDL_ttf renders it.
    float Aspect(const std::string& text) const;
    // Width in pixels of text drawn with a line box pixelHeight tall.
    float Width(const std::string& text, float pixelHeight) const;
    // Draws text with its line box's top-left at (x, y); blends coverage in colour c.
    void Draw(Image& img, const std::string& text, float x, float y, float pixelHeight,
              Rgba c) const;
    void DrawCentred(Image& img, const std::string& text, float cx, float y, float pixelHeight,
                     Rgba c) const;

  private:
    float Scale(float pixelHeight) const;
    std::vector<unsigned char> data_;
    std::vector<unsigned char> info_; // stbtt_fontinfo, kept opaque here
};
