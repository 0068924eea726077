#include "formats.h"

#include <cstdio>
#include <cstdlib>

#include "../../res/version.h"

namespace skin {

static void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

static void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

static uint8_t Byte(float v) {
    return uint8_t(std::lround(std::clamp(v, 0.f, 255.f)));
}

static void InfoHeader(Bytes& b, int w, int h, uint32_t sizeImage, uint32_t ppm) {
    Put32(b, 40);  // the header's size
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h));
    Put16(b, 1);   // planes
    Put16(b, 32);  // bits per pixel
    for (uint32_t v : {0u, sizeImage, ppm, ppm, 0u, 0u})  // BI_RGB, size, resolution, no palette
        Put32(b, v);
}

// Bottom-up BGRA rows; opaque pictures get a zero fourth byte, since the
// bitmap loaders take it as padding, not transparency.
static void Pixels(Bytes& b, const Image& img, bool withAlpha) {
    for (int y = img.Height() - 1; y >= 0; --y)
        for (int x = 0; x < img.Width(); ++x) {
            const Pixel& p = img.At(x, y);
            for (float v : {p.b, p.g, p.r})
                b.push_back(p.a > 0.f ? Byte(v / p.a) : 0);
            b.push_back(withAlpha ? Byte(p.a * 255.f) : 0);
        }
}

static Bytes Wide(const std::string& s) {
    Bytes b;
    for (unsigned char c : s)
        Put16(b, c);
    Put16(b, 0);
    return b;
}

static void Align4(Bytes& b) {
    while (b.size() % 4)
        b.push_back(0);
}

// One node of a version resource: length, value length, type (1 for text),
// key, value, children, each part starting on a 4-byte boundary.
static Bytes Node(const std::string& key, uint16_t type, size_t valueLength, const Bytes& value,
                  const std::vector<Bytes>& children) {
    Bytes b;
    Put16(b, 0);  // the length, filled in below
    Put16(b, uint32_t(valueLength));
    Put16(b, type);
    const Bytes wideKey = Wide(key);
    b.insert(b.end(), wideKey.begin(), wideKey.end());
    Align4(b);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        Align4(b);
        b.insert(b.end(), child.begin(), child.end());
    }
    b[0] = uint8_t(b.size());
    b[1] = uint8_t(b.size() >> 8);
    return b;
}

Bytes PackedDib(const Image& img) {
    Bytes b;
    InfoHeader(b, img.Width(), img.Height(), uint32_t(img.Width() * img.Height() * 4 + 2), 2834);
    Pixels(b, img, false);
    Put16(b, 0);
    return b;
}

Bytes IconImage(const Image& img, bool cursor) {
    const int stride = (img.Width() + 31) / 32 * 4;
    Bytes b;
    if (cursor)
        Put32(b, 0);  // the hot spot: the arrow's tip, top left
    InfoHeader(b, img.Width(), img.Height() * 2, uint32_t((img.Width() * 4 + stride) * img.Height()), 0);
    Pixels(b, img, true);
    for (int y = img.Height() - 1; y >= 0; --y) {
        Bytes row(size_t(stride), 0);
        for (int x = 0; cursor && x < img.Width(); ++x)
            if (Byte(img.At(x, y).a * 255.f) == 0)
                row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// The entries of icon and cursor groups differ only in how they give the
// image's size.
Bytes GroupDirectory(const std::vector<GroupEntry>& entries, bool cursor) {
    Bytes b;
    Put16(b, 0);
    Put16(b, cursor ? 2 : 1);
    Put16(b, uint32_t(entries.size()));
    for (const GroupEntry& e : entries) {
        if (cursor) {
            Put16(b, uint32_t(e.width));
            Put16(b, uint32_t(e.height));
        } else {
            b.push_back(uint8_t(e.width >= 256 ? 0 : e.width));
            b.push_back(uint8_t(e.height >= 256 ? 0 : e.height));
            Put16(b, 0);  // colour count, reserved
        }
        Put16(b, 1);   // planes
        Put16(b, 32);  // bits per pixel
        Put32(b, e.bytes);
        Put16(b, e.id);
    }
    return b;
}

Bytes VersionBlock() {
    const std::pair<const char*, const char*> strings[] = {
        {"CompanyName", "OmbeX+ Developers"},
        {"FileDescription", "Calculator & unit converter"},
        {"FileVersion", OMBEX_VERSION_TEXT},
        {"InternalName", "OmbeX+"},
        {"LegalCopyright", "Copyright (C) OmbeX+ Developers"},
        {"OriginalFilename", "OmbeX+.exe"},
        {"ProductName", "OmbeX+"},
        {"ProductVersion", OMBEX_VERSION_TEXT},
    };
    unsigned major, minor, patch;
    char rest;
    if (std::sscanf(OMBEX_VERSION, "%u.%u.%u%c", &major, &minor, &patch, &rest) != 3 || major > 0xFFFF ||
        minor > 0xFFFF || patch > 0xFFFF)
        Die("version " OMBEX_VERSION " is not three numbers below 65536");
    const uint32_t high = major << 16 | minor, low = patch << 16;
    const uint32_t fixed[] = {
        0xFEEF04BD, 0x00010000,  // signature, structure version
        high, low, high, low,    // file and product versions
        0x3F, 0,                 // flags mask, flags
        0x00040004, 1, 0,        // VOS_NT_WINDOWS32, VFT_APP, subtype
        0, 0,                    // date
    };
    Bytes value;
    for (uint32_t v : fixed)
        Put32(value, v);
    std::vector<Bytes> texts;
    for (const auto& [key, text] : strings)
        texts.push_back(Node(key, 1, std::string(text).size() + 1, Wide(text), {}));  // in characters
    const Bytes table = Node("040904b0", 1, 0, {}, texts);
    const Bytes translation = Node("Translation", 0, 4, {0x09, 0x04, 0xB0, 0x04}, {});
    return Node("VS_VERSION_INFO", 0, value.size(), value,
                {Node("StringFileInfo", 1, 0, {}, {table}), Node("VarFileInfo", 1, 0, {}, {translation})});
}

// Only the two things the program needs: no elevation, and the themed
// version 6 controls.
Bytes Manifest() {
    const std::string xml = "\xEF\xBB\xBF" R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32"
          name="Microsoft.Windows.Common-Controls"
          version="6.0.0.0"
          processorArchitecture="*"
          publicKeyToken="6595b64144ccf1df"
          language="*"
      />
    </dependentAssembly>
  </dependency>
</assembly>)";
    return Bytes(xml.begin(), xml.end());
}

void WriteFile(const std::string& path, const Bytes& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0)
        Die("cannot write " + path);
}

void Die(const std::string& what) {
    std::fprintf(stderr, "skin: %s\n", what.c_str());
    std::exit(1);
}

}  // namespace skin
