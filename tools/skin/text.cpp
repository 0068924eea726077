#include "text.h"

#include "formats.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>

namespace skin {

std::string FontPath(const char* file) {
    return std::string("/usr/share/fonts/truetype/dejavu/") + file;
}

Font::Font(const std::string& path) {
    FT_Library lib;
    if (FT_Init_FreeType(&lib)) Die("cannot start FreeType");
    FT_Face face;
    if (FT_New_Face(lib, path.c_str(), 0, &face)) Die("cannot open font " + path);
    library_ = lib;
    face_ = face;
}

Font::~Font() {
    FT_Done_Face(static_cast<FT_Face>(face_));
    FT_Done_FreeType(static_cast<FT_Library>(library_));
}

Mask Font::Render(const std::string& text, long width64, long height64, int tracking) const {
    FT_Face face = static_cast<FT_Face>(face_);
    if (FT_Set_Char_Size(face, width64, height64, 72, 72)) Die("bad glyph size");

    // Draw onto a generous scratch mask with the baseline well inside it,
    // then crop to the ink.
    const int pad = 8;
    const int ascent = int(height64 / 64) * 2 + pad;
    Mask scratch(int(text.size()) * int(width64 / 64 + tracking + 4) * 2 + 2 * pad,
                 ascent + int(height64 / 64) + 2 * pad);
    int pen = pad;
    for (unsigned char ch : text) {
        if (FT_Load_Char(face, ch, FT_LOAD_RENDER)) Die("glyph missing");
        FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                float v = bm.buffer[row * bm.pitch + col] / 255.f;
                int x = pen + g->bitmap_left + int(col);
                int y = ascent - g->bitmap_top + int(row);
                scratch.Put(x, y, std::max(scratch.Get(x, y), v));
            }
        pen += int((g->advance.x + 32) >> 6) + tracking;
    }

    int x0 = scratch.Width(), y0 = scratch.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < scratch.Height(); ++y)
        for (int x = 0; x < scratch.Width(); ++x)
            if (scratch.Get(x, y) > 0.f) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return Mask();
    Mask out(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) out.Put(x - x0, y - y0, scratch.Get(x, y));
    return out;
}

Mask Font::Fit(const std::string& text, int w, int h, int tracking) const {
    long height = 64 * 4;
    for (long s = 64 * 4; s <= 64 * 200; s += 16) {
        Mask m = Render(text, s, s, tracking);
        if (m.Height() > h) break;
        height = s;
    }
    long width = 64;
    for (long s = 64; s <= 64 * 200; s += 8) {
        Mask m = Render(text, s, height, tracking);
        if (m.Width() > w) break;
        width = s;
    }
    return Render(text, width, height, tracking);
}

}  // namespace skin
