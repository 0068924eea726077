// Lettering: a TrueType face rasterised with FreeType into coverage masks
// cropped to their ink.
#ifndef SKIN_TEXT_H
#define SKIN_TEXT_H

#include <string>

#include "image.h"

namespace skin {

class Font {
public:
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // The string drawn with glyphs of the given pixel width and height (in
    // 1/64 pixel) and extra space between letters, cropped to its ink.
    Mask Render(const std::string& text, long width64, long height64, int tracking = 0) const;

    // The largest lettering whose ink fits in w x h pixels: the height is
    // chosen first, then the glyphs are narrowed or widened to the width.
    Mask Fit(const std::string& text, int w, int h, int tracking = 0) const;

private:
    void* library_;
    void* face_;
};

// Faces from Debian's fonts-dejavu-core.
std::string FontPath(const char* file);

}  // namespace skin

#endif
