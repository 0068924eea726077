#include "formats.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "../../res/version.h"

namespace skin {

namespace {

void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void Set16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

uint8_t Byte(float v) {
    if (v <= 0.f) return 0;
    if (v >= 255.f) return 255;
    return uint8_t(std::lround(v));
}

void InfoHeader(Bytes& b, int w, int h, uint32_t sizeImage, int32_t ppm) {
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h));
    Put16(b, 1);   // planes
    Put16(b, 32);  // bits per pixel
    Put32(b, 0);   // BI_RGB
    Put32(b, sizeImage);
    Put32(b, uint32_t(ppm));
    Put32(b, uint32_t(ppm));
    Put32(b, 0);  // colours used
    Put32(b, 0);  // colours important
}

// Bottom-up BGRA rows; opaque pictures get a zero fourth byte, since the
// bitmap loaders take it as padding, not transparency.
void Pixels(Bytes& b, const Image& img, bool withAlpha) {
    for (int y = img.Height() - 1; y >= 0; --y)
        for (int x = 0; x < img.Width(); ++x) {
            const Pixel& p = img.At(x, y);
            float a = p.a;
            Rgb c = a > 0.f ? Rgb{p.r / a, p.g / a, p.b / a} : Rgb{0, 0, 0};
            b.push_back(Byte(c.b));
            b.push_back(Byte(c.g));
            b.push_back(Byte(c.r));
            b.push_back(withAlpha ? Byte(a * 255.f) : 0);
        }
}

int MaskStride(int w) { return ((w + 31) / 32) * 4; }

void AndMask(Bytes& b, const Image& img, bool opaqueIsZero) {
    const int stride = MaskStride(img.Width());
    for (int y = img.Height() - 1; y >= 0; --y) {
        Bytes row(size_t(stride), 0);
        if (opaqueIsZero)
            for (int x = 0; x < img.Width(); ++x)
                if (Byte(img.At(x, y).a * 255.f) == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
}

// One node of a version resource: length, value length, type, key, value,
// children, each part starting on a 4-byte boundary of the block.
struct VersionNode {
    std::string key;
    Bytes value;
    uint16_t valueLength = 0;
    uint16_t type = 0;  // 1 for text
    std::vector<VersionNode> children;
};

void Align4(Bytes& b) {
    while (b.size() % 4) b.push_back(0);
}

void Wide(Bytes& b, const std::string& s) {
    for (unsigned char c : s) Put16(b, c);
    Put16(b, 0);
}

Bytes Serialise(const VersionNode& n) {
    Bytes b;
    Put16(b, 0);  // length, filled in below
    Put16(b, n.valueLength);
    Put16(b, n.type);
    Wide(b, n.key);
    Align4(b);
    b.insert(b.end(), n.value.begin(), n.value.end());
    for (const VersionNode& child : n.children) {
        Align4(b);
        Bytes c = Serialise(child);
        b.insert(b.end(), c.begin(), c.end());
    }
    Set16(b, 0, uint32_t(b.size()));
    return b;
}

VersionNode Text(const std::string& key, const std::string& value) {
    VersionNode n;
    n.key = key;
    n.type = 1;
    Wide(n.value, value);
    n.valueLength = uint16_t(value.size() + 1);  // in characters, with the terminator
    return n;
}

}  // namespace

Bytes PackedDib(const Image& img) {
    const uint32_t rows = uint32_t(img.Width()) * uint32_t(img.Height()) * 4u;
    Bytes b;
    InfoHeader(b, img.Width(), img.Height(), rows + 2, 2834);
    Pixels(b, img, false);
    Put16(b, 0);
    return b;
}

Bytes IconImage(const Image& img) {
    const uint32_t size = uint32_t(img.Width() * img.Height() * 4 + MaskStride(img.Width()) * img.Height());
    Bytes b;
    InfoHeader(b, img.Width(), img.Height() * 2, size, 0);
    Pixels(b, img, true);
    AndMask(b, img, false);
    return b;
}

Bytes CursorImage(const Image& img, int hotX, int hotY) {
    const uint32_t size = uint32_t(img.Width() * img.Height() * 4 + MaskStride(img.Width()) * img.Height());
    Bytes b;
    Put16(b, uint32_t(hotX));
    Put16(b, uint32_t(hotY));
    InfoHeader(b, img.Width(), img.Height() * 2, size, 0);
    Pixels(b, img, true);
    AndMask(b, img, true);
    return b;
}

// The directory of an icon group (type 1) or a cursor group (type 2): their
// entries differ only in how they give the image's size.
static Bytes GroupDirectory(const std::vector<GroupEntry>& entries, uint32_t type) {
    Bytes b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, uint32_t(entries.size()));
    for (const GroupEntry& e : entries) {
        if (type == 1) {
            b.push_back(uint8_t(e.width >= 256 ? 0 : e.width));
            b.push_back(uint8_t(e.height >= 256 ? 0 : e.height));
            b.push_back(0);  // colour count
            b.push_back(0);  // reserved
        } else {
            Put16(b, uint32_t(e.width));
            Put16(b, uint32_t(e.height));
        }
        Put16(b, 1);   // planes
        Put16(b, 32);  // bits per pixel
        Put32(b, e.bytes);
        Put16(b, e.id);
    }
    return b;
}

Bytes IconDirectory(const std::vector<GroupEntry>& entries) { return GroupDirectory(entries, 1); }

Bytes CursorDirectory(const std::vector<GroupEntry>& entries) { return GroupDirectory(entries, 2); }

Bytes VersionBlock(const VersionStrings& strings) {
    VersionNode root;
    root.key = "VS_VERSION_INFO";
    root.valueLength = 52;
    unsigned major, minor, patch;
    char rest;
    if (std::sscanf(OMBEX_VERSION, "%u.%u.%u%c", &major, &minor, &patch, &rest) != 3 ||
        major > 0xFFFF || minor > 0xFFFF || patch > 0xFFFF) {
        std::fprintf(stderr, "skin: version \"%s\" is not three numbers below 65536\n", OMBEX_VERSION);
        std::exit(1);
    }
    const uint32_t high = major << 16 | minor, low = patch << 16;
    const uint32_t fixed[13] = {
        0xFEEF04BD,  // signature
        0x00010000,  // structure version
        high, low,   // file version
        high, low,   // product version
        0x0000003F,  // flags mask
        0,           // flags
        0x00040004,  // VOS_NT_WINDOWS32
        1,           // VFT_APP
        0,           // subtype
        0, 0,        // date
    };
    for (uint32_t v : fixed) Put32(root.value, v);

    VersionNode table;
    table.key = "040904b0";
    table.type = 1;
    for (const auto& kv : strings.entries) table.children.push_back(Text(kv.first, kv.second));
    VersionNode stringInfo;
    stringInfo.key = "StringFileInfo";
    stringInfo.type = 1;
    stringInfo.children.push_back(table);

    VersionNode translation;
    translation.key = "Translation";
    translation.valueLength = 4;
    Put16(translation.value, 0x0409);
    Put16(translation.value, 0x04B0);
    VersionNode varInfo;
    varInfo.key = "VarFileInfo";
    varInfo.type = 1;
    varInfo.children.push_back(translation);

    root.children.push_back(stringInfo);
    root.children.push_back(varInfo);
    return Serialise(root);
}

Bytes Manifest() {
    // Only the two things the program needs: no elevation, and the themed
    // version 6 controls.
    const char* xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
        "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n"
        "    <security>\n"
        "      <requestedPrivileges>\n"
        "        <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>\n"
        "      </requestedPrivileges>\n"
        "    </security>\n"
        "  </trustInfo>\n"
        "  <dependency>\n"
        "    <dependentAssembly>\n"
        "      <assemblyIdentity type=\"win32\"\n"
        "          name=\"Microsoft.Windows.Common-Controls\"\n"
        "          version=\"6.0.0.0\"\n"
        "          processorArchitecture=\"*\"\n"
        "          publicKeyToken=\"6595b64144ccf1df\"\n"
        "          language=\"*\"\n"
        "      />\n"
        "    </dependentAssembly>\n"
        "  </dependency>\n"
        "</assembly>";
    Bytes b = {0xEF, 0xBB, 0xBF};
    for (const char* p = xml; *p; ++p) b.push_back(uint8_t(*p));
    return b;
}

void WriteFile(const std::string& path, const Bytes& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0)
        Die("cannot write " + path);
}

void Die(const std::string& what)
{
    std::fprintf(stderr, "skin: %s\n", what.c_str());
    std::exit(1);
}

}  // namespace skin
