#include "text.h"

#include "formats.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace skin {

// The string drawn with glyphs of the given width and height (in 1/64
// pixel), cropped to its ink.
static Mask Render(FT_Face face, const std::string& text, long width64, long height64, int tracking) {
    if (FT_Set_Char_Size(face, width64, height64, 72, 72))
        Die("bad glyph size");

    // Draw onto a generous scratch mask with the baseline well inside it.
    const int pad = 8;
    const int ascent = int(height64 / 64) * 2 + pad;
    Mask scratch(int(text.size()) * int(width64 / 64 + tracking + 4) * 2 + 2 * pad,
                 ascent + int(height64 / 64) + 2 * pad);
    int pen = pad;
    int x0 = scratch.Width(), y0 = scratch.Height(), x1 = -1, y1 = -1;  // the ink's bounds
    for (unsigned char ch : text) {
        if (FT_Load_Char(face, ch, FT_LOAD_RENDER))
            Die("glyph missing");
        FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                const float v = bm.buffer[row * bm.pitch + col] / 255.f;
                const int x = pen + g->bitmap_left + int(col);
                const int y = ascent - g->bitmap_top + int(row);
                if (v <= 0.f || !scratch.Inside(x, y))
                    continue;
                scratch.At(x, y) = std::max(scratch.At(x, y), v);
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        pen += int((g->advance.x + 32) >> 6) + tracking;
    }
    Mask out(std::max(x1 - x0 + 1, 0), std::max(y1 - y0 + 1, 0));
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.Put(x, y, scratch.Get(x + x0, y + y0));
    return out;
}

Mask Lettering(const char* file, const std::string& text, int w, int h, int tracking) {
    const std::string path = std::string("/usr/share/fonts/truetype/dejavu/") + file;
    FT_Library lib;
    FT_Face face;
    if (FT_Init_FreeType(&lib) || FT_New_Face(lib, path.c_str(), 0, &face))
        Die("cannot open font " + path);
    long height = 64 * 4;
    for (long s = height; s <= 64 * 200 && Render(face, text, s, s, tracking).Height() <= h; s += 16)
        height = s;
    long width = 64;
    for (long s = width; s <= 64 * 200 && Render(face, text, s, height, tracking).Width() <= w; s += 8)
        width = s;
    Mask m = Render(face, text, width, height, tracking);
    FT_Done_FreeType(lib);
    if (m.Width() > w || m.Height() > h)
        Die(text + " does not fit its place");
    return m;
}

}  // namespace skin
