// The byte layouts of the resources as the program's module carries them.
#ifndef SKIN_FORMATS_H
#define SKIN_FORMATS_H

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace skin {

using Bytes = std::vector<uint8_t>;

// RT_BITMAP: a packed DIB, BITMAPINFOHEADER then bottom-up rows of
// blue, green, red, 0, then two zero bytes that biSizeImage counts.
Bytes PackedDib(const Image& img);

// RT_ICON: header of doubled height, colour with alpha, all-zero AND mask.
// RT_CURSOR: hot spot, then the same but with an AND mask that is 0 where
// the picture has any alpha and 1 elsewhere.
Bytes IconImage(const Image& img, bool cursor);

struct GroupEntry {
    int width, height;  // as the directory counts them
    uint32_t bytes;
    uint16_t id;
};
// RT_GROUP_ICON, or RT_GROUP_CURSOR for cursors.
Bytes GroupDirectory(const std::vector<GroupEntry>& entries, bool cursor);

// RT_VERSION: VS_VERSIONINFO with the fixed part for the version of
// res/version.h (its fourth number 0), one string table "040904b0" and the
// matching translation.
Bytes VersionBlock();

// RT_MANIFEST: UTF-8 with a byte-order mark.
Bytes Manifest();

void WriteFile(const std::string& path, const Bytes& data);

// Says what went wrong and stops the painter.
[[noreturn]] void Die(const std::string& what);

}  // namespace skin

#endif
