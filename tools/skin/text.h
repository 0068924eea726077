// Lettering: a TrueType face rasterised with FreeType into coverage masks
// cropped to their ink.
#ifndef SKIN_TEXT_H
#define SKIN_TEXT_H

#include <string>

#include "image.h"

namespace skin {

// The largest lettering of text in a face of Debian's fonts-dejavu-core
// whose ink fits in w x h pixels, with extra pixels between its letters:
// the height is chosen first, then the glyphs are narrowed or widened.
Mask Lettering(const char* face, const std::string& text, int w, int h, int tracking = 0);

}  // namespace skin

#endif
