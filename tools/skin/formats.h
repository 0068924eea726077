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
Bytes IconImage(const Image& img);

// RT_CURSOR: hot spot, then an icon-style image whose AND mask is 0 where
// the picture has any alpha and 1 elsewhere.
Bytes CursorImage(const Image& img, int hotX, int hotY);

struct GroupEntry {
    int width, height;  // as the directory counts them
    uint32_t bytes;
    uint16_t id;
};
// RT_GROUP_ICON (type 1) and RT_GROUP_CURSOR (type 2) directories.
Bytes IconDirectory(const std::vector<GroupEntry>& entries);
Bytes CursorDirectory(const std::vector<GroupEntry>& entries);

struct VersionStrings {
    std::vector<std::pair<std::string, std::string>> entries;  // in order
};
// RT_VERSION: VS_VERSIONINFO with the fixed part for the version of
// res/version.h (its fourth number 0), one string table "040904b0" and the
// matching translation.
Bytes VersionBlock(const VersionStrings& strings);

// RT_MANIFEST: UTF-8 with a byte-order mark.
Bytes Manifest();

void WriteFile(const std::string& path, const Bytes& data);

// Says what went wrong and stops the painter.
[[noreturn]] void Die(const std::string& what);

}  // namespace skin

#endif
