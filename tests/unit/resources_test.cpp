// The resources of the built OmbeX+.exe, read back through the platform's own resource functions;
// and the art, by what each picture shows where.
#include "harness.h"

#include <math.h>
#include <string.h>

#include <algorithm>
#include <regex>
#include <set>
#include <tuple>

namespace {

const WORD EnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const WORD CursorType = 1, BitmapType = 2, IconType = 3, CursorGroupType = 12, IconGroupType = 14,
           VersionType = 16, ManifestType = 24;

const HMODULE Program = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
// A resource's bytes in US English, or an empty string if it is absent.
std::string Data(WORD type, int id)
{
    HRSRC found = Program ? FindResourceExA(Program, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), EnglishUS) : NULL;
    const char *p = found ? (const char *)LockResource(LoadResource(Program, found)) : NULL;
    return p ? std::string(p, SizeofResource(Program, found)) : std::string();
}
// A bitmap, an icon or a cursor image as the picture it shows, if it holds as many pixels as its header says.
Picture Dib(WORD type, int id, int rows)
{
    const std::string d = Data(type, id);
    const size_t at = type == CursorType ? 4 : 0;   // after the hot spot
    const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)(d.data() + at);
    return d.size() < at + 40 || d.size() < at + 40 + h->biWidth * rows * 4u ? Picture() : PictureOfDib(h, rows);
}

typedef std::vector<uint32_t> Words;
// Little-endian fields of these widths in bytes, one after another from at.
Words Unpack(const std::string &d, size_t at, const std::vector<int> &widths)
{
    Words fields;
    for (int width : widths) {
        fields.push_back(0);
        memcpy(&fields.back(), d.data() + std::min(at, d.size()), at + width <= d.size() ? width : 0);
        at += width;
    }
    return fields;
}
// A DIB header's fields: its size, width, height, planes, bits, compression, bytes, pixels per
// metre across and down, colours used and important.
Words Header(const std::string &d, size_t at = 0) { return Unpack(d, at, { 4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 4 }); }
Words Header(uint32_t w, uint32_t h, uint32_t bytes, uint32_t ppm) { return { 40, w, h, 1, 32, BI_RGB, bytes, ppm, ppm, 0, 0 }; }

// Every resource the module holds, by type, name and language.
typedef std::set<std::tuple<int, int, int>> ResourceSet;
BOOL CALLBACK OnLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR all)
{
    auto number = [](LPCSTR n) { return IS_INTRESOURCE(n) ? (int)(ULONG_PTR)n : -1; };
    ((ResourceSet *)all)->insert({ number(type), number(name), language });
    return TRUE;
}
BOOL CALLBACK OnName(HMODULE m, LPCSTR type, LPSTR name, LONG_PTR all)
{
    return EnumResourceLanguagesA(m, type, name, OnLanguage, all);
}
BOOL CALLBACK OnType(HMODULE m, LPSTR type, LONG_PTR all) { return EnumResourceNamesA(m, type, OnName, all); }

// The art: each picture by what it shows where; a pixel outside a picture reads (-1, -1, -1).
struct Px {
    int r, g, b, a = 255;
    int Lum() const { return (r * 3 + g * 6 + b) / 10; }
    int Max() const { return std::max({ r, g, b }); }
    int Min() const { return std::min({ r, g, b }); }
    bool Near(Px o, int by) const { return abs(r - o.r) <= by && abs(g - o.g) <= by && abs(b - o.b) <= by; }
    bool White() const { return r == 255 && g == 255 && b == 255; }
};
Px At(const Picture &p, int x, int y)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height)
        return { -1, -1, -1, -1 };
    COLORREF c = p.At(x, y);
    return { GetRValue(c), GetGValue(c), GetBValue(c), p.alpha.empty() ? 255 : p.Alpha(x, y) };
}
// A pixel of one of the skin's hues.
template <Hue hue> bool Is(Px p) { return Hues[hue].is(p.r, p.g, p.b); }
// A test of each pixel, or of each place (x, y), in a rectangle (inclusive) summed: how many pass,
// or a total; and the pixels' mean.
template <class Test> long Sum(const Picture &p, int x0, int y0, int x1, int y1, Test test)
{
    long n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if constexpr (std::is_invocable_v<Test, Px>)
                n += test(At(p, x, y));
            else
                n += test(x, y);
    return n;
}
template <class Test> long Sum(const Picture &p, Test test) { return Sum(p, 0, 0, p.width - 1, p.height - 1, test); }
Px Mean(const Picture &p, int x0, int y0, int x1, int y1)
{
    long r = 0, g = 0, b = 0, n = (x1 - x0 + 1) * (y1 - y0 + 1);
    Sum(p, x0, y0, x1, y1, [&](Px q) { return r += q.r, g += q.g, b += q.b, 0; });
    return { int(r / n), int(g / n), int(b / n) };
}
// How many pixels pass a test, and the least rectangle (inclusive) holding them.
struct Spread { int n, x0, y0, x1, y1; };
template <class Test> Spread Find(const Picture &p, Test test)
{
    Spread s = { 0, p.width, p.height, -1, -1 };
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (test(At(p, x, y)))
                s = { s.n + 1, std::min(s.x0, x), std::min(s.y0, y), std::max(s.x1, x), std::max(s.y1, y) };
    return s;
}

}  // namespace

TEST(ResourcesTest, EveryResourceHasItsNumberTypeAndLanguageAndNothingElse)
{
    // What the program loads or the platform reads, and the images its directories point at.
    ResourceSet all, expected = {
        { IconGroupType, IconGroup, EnglishUS },      { CursorGroupType, DragCursor, EnglishUS },
        { CursorGroupType, PointerCursor, EnglishUS }, { ManifestType, ManifestNumber, EnglishUS },
        { VersionType, VersionNumber, EnglishUS },    { CursorType, DragCursorImage, EnglishUS },
        { CursorType, PointerCursorImage, EnglishUS },
    };
    for (const BitmapFact &b : Bitmaps)
        expected.insert({ BitmapType, b.number, EnglishUS });
    for (int i = 0; i < 6; ++i)
        expected.insert({ IconType, FirstIconImage + i, EnglishUS });
    ASSERT_TRUE(Program != NULL) << "cannot load " << ProgramPath();
    EnumResourceTypesA(Program, OnType, (LONG_PTR)&all);
    for (auto &e : expected)
        EXPECT_EQ(1u, all.count(e)) << "no resource of type " << std::get<0>(e) << ", number " << std::get<1>(e);
    EXPECT_EQ(expected, all) << "resources besides these";
}

TEST(ResourcesTest, BitmapsArePacked32BitDibsWithTwoTrailingBytes)
{
    for (const BitmapFact &b : Bitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << b.number);
        std::string d = Data(BitmapType, b.number);
        const uint32_t bytes = b.width * b.height * 4 + 2;
        ASSERT_EQ(40 + bytes, d.size());
        EXPECT_EQ(Header(b.width, b.height, bytes, 2834), Header(d));
        const Picture p = Dib(BitmapType, b.number, b.height);
        EXPECT_EQ(0, Sum(p, [](Px q) { return q.a != 0; })) << "pixels whose fourth byte is not 0";
        EXPECT_EQ(std::string(2, '\0'), d.substr(d.size() - 2));
        // Two pictures of one size could swap numbers: each must show its role.
        EXPECT_TRUE(ShowsItsRole(b.number, p));
        // The platform loads it as a bitmap (from the test executable, which carries the same).
        HBITMAP loaded = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(b.number));
        const Picture shown = PictureOfBitmap(loaded);
        EXPECT_TRUE(shown.width == b.width && shown.height == b.height) << "loaded as a bitmap of its size";
        DeleteObject(loaded);
    }
}

TEST(ResourcesTest, ManifestAsksForAsInvokerAndCommonControls6AndNothingElse)
{
    const std::string m = Data(ManifestType, ManifestNumber);
    ASSERT_EQ(680u, m.size());
    // Its text with each run of white space as one space, and none after a tag.
    const std::string text = std::regex_replace(std::regex_replace(m, std::regex("\\s+"), " "), std::regex("> "), ">");
    EXPECT_EQ("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
              "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"
              "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security><requestedPrivileges>"
              "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/></requestedPrivileges></security></trustInfo>"
              "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
              "version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />"
              "</dependentAssembly></dependency></assembly>", text);
}

TEST(ResourcesTest, VersionBlockDescribesTheFile)
{
    std::string block(GetFileVersionInfoSizeA(ProgramPath().c_str(), NULL), '\0');
    ASSERT_TRUE(GetFileVersionInfoA(ProgramPath().c_str(), 0, block.size(), &block[0])) << "no version block";

    UINT length = 0;
    const auto query = [&](const std::string &name) {
        void *value = NULL;
        return VerQueryValueA(block.data(), name.c_str(), &value, &length) ? value : NULL;
    };
    const DWORD *fixed = (const DWORD *)query("\\");
    ASSERT_TRUE(fixed && length == sizeof(VS_FIXEDFILEINFO));
    const DWORD high = MAKELONG(VersionParts[1], VersionParts[0]), low = MAKELONG(VersionParts[3], VersionParts[2]);
    // Signature, structure version, file and product version (high, low), flags mask, flags, OS, type, subtype, date.
    EXPECT_EQ((Words{ 0xFEEF04BD, 0x00010000, high, low, high, low, 0x3F, 0, 0x00040004, 1, 0, 0, 0 }),
              Words(fixed, fixed + 13));

    const DWORD *translation = (const DWORD *)query("\\VarFileInfo\\Translation");
    EXPECT_TRUE(translation && length == 4 && *translation == 0x04B00409) << "one translation: US English, Unicode";

    std::string raw = Data(VersionType, VersionNumber);
    EXPECT_EQ(760u, raw.size());
    EXPECT_EQ((Words{ 760, 52 }), Unpack(raw, 0, { 2, 2 })) << "the block's length and its fixed part's";
    // The raw block's keys in order, and each string's text ("" where any will do).
    static const struct { const char *key, *text; } keys[] = {
        { "VS_VERSION_INFO", NULL },     { "StringFileInfo", NULL },       { "040904b0", NULL },
        { "CompanyName", "" },           { "FileDescription", "" },        { "FileVersion", VersionText },
        { "InternalName", "OmbeX+" },    { "LegalCopyright", "" },         { "OriginalFilename", "OmbeX+.exe" },
        { "ProductName", "OmbeX+" },     { "ProductVersion", VersionText }, { "VarFileInfo", NULL },
        { "Translation", NULL },
    };
    size_t at = 0;
    for (auto &k : keys) {
        const std::wstring wide(k.key, k.key + strlen(k.key) + 1);   // with its 0
        ASSERT_NE(std::string::npos, at = raw.find(std::string((const char *)wide.data(), 2 * wide.size()), at))
            << k.key << " after the one before";
        at += 2 * wide.size();
        if (!k.text)
            continue;
        const char *text = (const char *)query(std::string("\\StringFileInfo\\040904b0\\") + k.key);
        ASSERT_TRUE(text) << k.key;
        EXPECT_TRUE(*k.text ? strcmp(k.text, text) == 0 : *text != 0) << k.key << " is \"" << text << "\"";
    }
}

TEST(ResourcesTest, FrameIsNavyAboveSkyBlueWithALightRingGlowingLetteringAndThePanelsOpening)
{
    const Picture f = Dib(BitmapType, FrameBitmap, FrameSize);
    HRGN region = PanelRegionInFrame();
    EXPECT_EQ(0, Sum(f, [&](int x, int y) { return PtInRegion(region, x, y) ? !At(f, x, y).White() : At(f, x, y).Min() > 235; }))
        << "pixels not white in the opening, or nearly white where the panel leaves the frame showing";
    DeleteObject(region);

    const auto inner = [](Px p) { return p.Near({ 158, 210, 250 }, 12); };
    const auto outer = [](Px p) { return p.Near({ 105, 187, 249 }, 12); };
    // The ring's inner line on the right, column 317, may lie under the panel.
    struct Area { const char *what; int x0, y0, x1, y1; bool (*test)(Px); };
    std::vector<Area> areas = {
        { "navy top between the inscriptions", 52, 3, 104, 12, Is<Navy> },
        { "navy top right of the title", 224, 3, 290, 12, Is<Navy> },
        { "navy upper side strips", 3, 24, 8, 80, Is<Navy> },
        { "sky-blue left strip", 3, 110, 15, 316, Is<Sky> },
        { "sky-blue right strip", 319, 110, 326, 316, Is<Sky> },
        { "sky-blue bottom strip", 20, 322, 310, 326, Is<Sky> },
        { "ring's inner line in column 17", 17, 98, 17, 319, inner },
        { "ring's outer line in column 16", 16, 98, 16, 319, outer },
        { "ring's outer line in column 318", 318, 98, 318, 319, outer },
        { "ring's inner line in row 320", 16, 320, 318, 320, inner },
        { "ring's outer line in row 321", 16, 321, 318, 321, outer },
    };
    // The title buttons lie on navy, so off the opening.
    for (auto &[b, image] : TitleButtons)
        areas.push_back({ "navy under a title button", b.x, b.y, b.x + b.width - 1, b.y + b.height - 1, Is<Navy> });
    for (auto &a : areas)
        EXPECT_EQ((a.x1 - a.x0 + 1) * (a.y1 - a.y0 + 1), Sum(f, a.x0, a.y0, a.x1, a.y1, a.test))
            << a.what << " from (" << a.x0 << ", " << a.y0 << ")";
    EXPECT_TRUE(Mean(f, 3, 3, 15, 8).Near({ 17, 62, 96 }, 22)) << "navy near the top is about (17, 62, 96)";
    EXPECT_TRUE(Mean(f, 3, 80, 8, 85).Near({ 3, 21, 44 }, 15)) << "navy at rows 80-85 is about (3, 21, 44)";
    EXPECT_TRUE(Mean(f, 3, 100, 15, 110).Near({ 42, 155, 248 }, 20)) << "blue below row 98 is about (42, 155, 248)";
    EXPECT_GT(Mean(f, 10, 0, 320, 0).Lum(), Mean(f, 10, 5, 320, 5).Lum() + 20) << "row 0 is a lighter line";
    EXPECT_GE(Sum(f, 60, 10, 99, 10, [&](int x, int y) { return At(f, x, y).Lum() < At(f, x + 1, y).Lum(); }), 10)
        << "the navy is hatched";

    const auto glow = [](Px p) { return p.g > 150 && p.b > 200 && p.r < 170; };
    static const struct { const char *what; int x0, y0, x1, y1, letters; } letterings[] = {
        { "title", 108, 0, 220, 19, 80 }, { "version", 8, 6, 49, 19, 25 },
    };
    const auto letter = [&](int x, int y) { return At(f, x, y).Max() < 75 && Sum(f, x - 2, y - 2, x + 2, y + 2, glow) > 0; };
    for (auto &l : letterings) {
        EXPECT_GE(Sum(f, l.x0, l.y0, l.x1, l.y1, letter), l.letters) << "the " << l.what << " lettering: dark letters on a glow";
        EXPECT_GE(Sum(f, l.x0, l.y0, l.x1, l.y1, glow), 60) << "the " << l.what << " lettering glows";
    }
    EXPECT_EQ(0, Sum(f, 50, 0, 105, 19, glow) + Sum(f, 223, 0, 329, 40, glow)) << "lettering outside its boxes";
}

TEST(ResourcesTest, PanelIsHalfWhiteWithStrokesAndASplatterAndTilesDownwards)
{
    const Picture p = Dib(BitmapType, PanelBitmap, 300);
    const long white = Sum(p, 0, 0, 299, 299, [](Px q) { return q.White(); });
    EXPECT_TRUE(white > 300 * 300 * 3 / 10 && white < 300 * 300 * 7 / 10) << "about half pure white: " << white;
    const auto dark = [&](int x, int y, bool splatter) {
        return At(p, x, y).Min() < 150 &&
               splatter == ((x <= 47 && y >= 252 && y <= 293) || hypot(x - 184, y - 259) < 4 || hypot(x - 280, y - 257) < 4);
    };
    EXPECT_EQ(0, Sum(p, 0, 0, 299, 299, [&](int x, int y) { return dark(x, y, false); }))
        << "dark pixels where only the splatter may be";
    EXPECT_GE(Sum(p, 0, 0, 299, 299, [&](int x, int y) { return dark(x, y, true); }), 10) << "navy splatter near the lower left";
    const auto stroke = [](Px q) { return !q.White(); };
    EXPECT_GT(Sum(p, 150, 30, 299, 119, stroke), 2 * Sum(p, 150, 120, 299, 199, stroke))
        << "the strokes are heavier in the upper right";
    // Ink in the upper band, by thirds from the left: each third darker than the one before.
    const auto ink = [&](int x0) { return Sum(p, x0, 30, x0 + 99, 100, [](Px q) { return 255 - q.Lum(); }); };
    EXPECT_TRUE(ink(0) < ink(100) && ink(100) < ink(200))
        << "the upper strokes darken towards the right: " << ink(0) << ", " << ink(100) << ", " << ink(200);
    // How much a row differs from the next, the last from the first.
    const auto seam = [&](int row) {
        return Sum(p, 0, row, 299, row, [&](int x, int y) { return abs(At(p, x, y).Lum() - At(p, x, (y + 1) % 300).Lum()); });
    };
    long worst = 0;
    for (int y = 0; y < 299; ++y)
        worst = std::max(worst, seam(y));
    EXPECT_LE(seam(299), worst) << "row 299 joins row 0 like any two rows";
    const Px emblem = At(p, 479, 165);
    EXPECT_TRUE(emblem.b > emblem.r + 40 && emblem.Max() < 140) << "the emblem is navy at its right edge";
    EXPECT_EQ(0, Sum(p, 300, 0, 434, 299, [](Px q) { return q.Max() < 140; })) << "the emblem starts near x 435";
}

TEST(ResourcesTest, TitleFacesAreShadedTilesWithAWhiteGlyph)
{
    // The glyph's light pixels lie in its columns and rows; its role says where they must be.
    static const struct { int number; Px light, dark; RECT glyph; } faces[] = {
        { CloseBitmap, { 220, 18, 18 }, { 151, 4, 1 }, { 4, 3, 10, 10 } },
        { MinimizeBitmap, { 73, 189, 232 }, { 17, 81, 140 }, { 5, 6, 10, 8 } },
        { AboutBitmap, { 187, 65, 227 }, { 71, 14, 132 }, { 6, 2, 9, 11 } },
    };
    for (auto &f : faces) {
        SCOPED_TRACE(testing::Message() << "title face " << f.number);
        const Picture p = Dib(BitmapType, f.number, 15);
        EXPECT_TRUE(At(p, 0, 0).Near(f.light, 20) && At(p, 14, 14).Near(f.dark, 20))
            << "light at the top left, dark at the bottom right";
        EXPECT_TRUE(At(p, 1, 0).Lum() >= At(p, 2, 1).Lum() && At(p, 13, 13).Lum() >= At(p, 14, 14).Lum())
            << "darkens along the diagonal";
        const Spread g = Find(p, Is<Light>);
        EXPECT_TRUE(g.x0 >= f.glyph.left && g.y0 >= f.glyph.top && g.x1 <= f.glyph.right && g.y1 <= f.glyph.bottom)
            << "glyph pixels outside its columns and rows";
        // Below and right of a glyph pixel, darker than the tile there.
        EXPECT_GE(Sum(p, 0, 0, 13, 13, [&](int x, int y) {
                      const int tile = (f.light.Lum() * (26 - x - y) + f.dark.Lum() * (x + y + 2)) / 28;
                      return Is<Light>(At(p, x, y)) && !Is<Light>(At(p, x + 1, y + 1)) && At(p, x + 1, y + 1).Lum() < tile - 15;
                  }), 2) << "a dark shadow under the glyph";
    }
}

TEST(ResourcesTest, SwitchFacesAreLetteredWithALightBorderAndStreaks)
{
    static const struct { int number; Px face, letters; } switches[] = {
        { CalculatorSwitchBitmap, { 141, 192, 220 }, { 13, 59, 82 } },
        { ConverterSwitchBitmap, { 136, 162, 184 }, { 173, 227, 255 } },
    };
    for (auto &s : switches) {
        SCOPED_TRACE(testing::Message() << "switch face " << s.number);
        const Picture p = Dib(BitmapType, s.number, 18);
        const Spread l = Find(p, [&](Px q) { return q.Near(s.letters, 30); });
        EXPECT_TRUE(l.n >= 60 && l.x0 >= 20 && l.x0 <= 22 && l.x1 >= 64 && l.x1 <= 66 && l.y0 >= 3 && l.y0 <= 4 &&
                    l.y1 >= 12 && l.y1 <= 13)
            << "lettering in columns 20-66, rows 3-13: " << l.n << " in " << l.x0 << "-" << l.x1 << ", " << l.y0 << "-" << l.y1;
        EXPECT_TRUE(Mean(p, 22, 14, 64, 15).Near(s.face, 30)) << "face colour";
        const auto lighter = [&](Px q) { return q.Lum() > s.face.Lum(); };
        EXPECT_EQ(2 * 88 + 2 * 16, Sum(p, lighter) - Sum(p, 1, 1, 86, 16, lighter)) << "a light border";
        const auto streak = [](Px q) { return q.Min() > 200; };
        EXPECT_TRUE(Sum(p, 1, 1, 18, 16, streak) >= 6 && Sum(p, 68, 1, 86, 16, streak) >= 6) << "white streaks near both ends";
    }
}

TEST(ResourcesTest, CursorsAreOutlinedArrowsWithASoftShadowAndTheHotSpotOnTheTip)
{
    // The fill at (2, 5) and (2, 12), each within its tolerance; its role gives its hue; the outline's hue.
    static const struct { int group, image; const char *fill; Px top; int topBy; Px low; int lowBy; Px edge; } cursors[] = {
        { DragCursor, DragCursorImage, "pale blue-white to light blue", { 237, 255, 254 }, 20, { 190, 220, 250 }, 25,
          { 96, 116, 150 } },
        { PointerCursor, PointerCursorImage, "light grey, shading down", { 210, 210, 210 }, 12, { 192, 192, 192 }, 12,
          { 128, 128, 128 } },
    };
    const auto opaque = [](Px q) { return q.a == 255; };
    for (auto &c : cursors) {
        SCOPED_TRACE(testing::Message() << "cursor group " << c.group << ", image " << c.image);
        const std::string dir = Data(CursorGroupType, c.group), d = Data(CursorType, c.image);
        ASSERT_TRUE(dir.size() == 20 && d.size() == 4268) << "sizes " << dir.size() << ", " << d.size();
        // Reserved, cursors, one image: 32 wide, 64 high counted twice, one plane, 32 bits, its bytes and number.
        EXPECT_EQ((Words{ 0, 2, 1, 32, 64, 1, 32, 4268, uint32_t(c.image) }), Unpack(dir, 0, { 2, 2, 2, 2, 2, 2, 2, 4, 2 }));
        EXPECT_EQ(Header(32, 64, 4224, 0), Header(d, 4));
        const Picture p = Dib(CursorType, c.image, 32);
        EXPECT_TRUE(ShowsItsRole(c.group, p));
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(LoadCursorA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(c.group)), &info));
        EXPECT_TRUE(d.compare(0, 4, std::string(4, '\0')) == 0 && !info.fIcon && info.xHotspot == 0 && info.yHotspot == 0)
            << "a cursor with its hot spot at (0, 0), as written and as loaded";
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        std::vector<int> width(33, 0);
        bool runs = true, right = true, lower = true;
        for (int y = 0; y < 32; ++y) {
            width[y] = Sum(p, 0, y, 31, y, opaque);
            runs = runs && Sum(p, 0, y, width[y] - 1, y, opaque) == width[y];
            const int step = y ? width[y] - width[y - 1] : 1;
            right = right && (y > 12 || step == 0 || step == 1);
            lower = lower && (y <= 12 || (y <= 16 ? step < 0 : width[y] == 0));
        }
        EXPECT_TRUE(runs && width[0] == 1) << "the tip is on the hot spot and the left edge is column 0";
        EXPECT_TRUE(right && width[12] >= 11 && width[12] <= 13) << "the right edge runs diagonally to about (11, 12)";
        EXPECT_TRUE(lower && width[13] <= 5 && width[16] == 1)
            << "the lower edge slants from column 4 down to the left edge at row 16";
        long edge = 0, edgeN = 0, fill = 0, fillN = 0, offHue = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < width[y]; ++x) {
                const bool rim = x == 0 || x == width[y] - 1 || y == 0 || x >= width[y - 1] || x >= width[y + 1];
                (rim ? edge : fill) += At(p, x, y).Lum();
                ++(rim ? edgeN : fillN);
                offHue += rim && !At(p, x, y).Near(c.edge, 0);
            }
        EXPECT_EQ(0, offHue) << "outline pixels not of the hue " << c.edge.r << ", " << c.edge.g << ", " << c.edge.b;
        EXPECT_TRUE(fillN > 0 && edge / edgeN < fill / fillN - 30) << "a darker outline";
        EXPECT_TRUE(At(p, 2, 5).Near(c.top, c.topBy) && At(p, 2, 12).Near(c.low, c.lowBy)) << "the fill is " << c.fill;
        // The mask follows the colour rows, one bit a pixel, bottom row first.
        EXPECT_EQ(0, Sum(p, [&](int x, int y) {
                      return ((d[44 + 32 * 32 * 4 + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1) != (At(p, x, y).a == 0);
                  })) << "mask bits not 0 exactly over the arrow and its shadow";
        const auto shadow = [](Px q) { return q.a != 0 && q.a != 255; };
        const Spread s = Find(p, shadow);
        const long notGrey = Sum(p, [&](Px q) { return shadow(q) && !q.Near({ 64, 64, 64 }, 0); });
        EXPECT_TRUE(s.n >= 10 && notGrey == 0 && s.x1 >= 13 && s.x1 <= 15 && s.y1 >= 18 && s.y1 <= 20)
            << "a soft (64, 64, 64) shadow reaching column 14 and row 19";
    }
}

// The face is an ellipse centred at 50% and 47% of the size, 71% of it wide and 49% high; the
// lettering keeps to the inner four fifths of it. At 16 pixels it is only a dark band.
TEST(ResourcesTest, IconsAreListedInOrderAndShowABezelledBlueFaceWithTheLetteringInside)
{
    const std::string dir = Data(IconGroupType, IconGroup);
    ASSERT_EQ(90u, dir.size());
    EXPECT_EQ((Words{ 0, 1, 6 }), Unpack(dir, 0, { 2, 2, 2 })) << "reserved, icons, six images";
    // Each size's least count of dark pixels across the face.
    static const int letters[] = { 5, 10, 16, 21, 42, 85 };
    const auto dark = [](Px q) { return q.a >= 128 && q.Max() < 90; };
    for (int i = 0; i < 6; ++i) {
        const uint32_t size = IconSizes[i], mask = (size + 31) / 32 * 4 * size, bytes = 40 + size * size * 4 + mask;
        const double s = size;
        SCOPED_TRACE(testing::Message() << "icon " << size);
        // Its width and height (256 is written 0), colour count, planes, bits, bytes and number.
        EXPECT_EQ((Words{ size % 256, size % 256, 0, 1, 32, bytes, uint32_t(FirstIconImage + i) }),
                  Unpack(dir, 6 + 14 * i, { 1, 1, 2, 2, 2, 4, 2 }));
        const std::string d = Data(IconType, FirstIconImage + i);
        ASSERT_EQ(bytes, d.size());
        EXPECT_EQ(Header(size, 2 * size, bytes - 40, 0), Header(d));
        EXPECT_EQ(std::string(mask, '\0'), d.substr(d.size() - mask)) << "the mask is all 0";

        const Picture p = Dib(IconType, FirstIconImage + i, size);
        EXPECT_TRUE(At(p, 0, 0).White() && At(p, 0, 0).a == 1) << "the background is white, alpha 1";
        const Spread b = Find(p, [](Px q) { return q.a >= 128; });
        EXPECT_TRUE(fabs((b.x1 + 1 - b.x0) / s - 0.88) < 0.08 && fabs(b.y0 / s - 0.15) < 0.06 &&
                    fabs((b.y1 + 1) / s - 0.84) < 0.06) << "the button spans 88% of the width and 15% to 84% of the height";
        const Px face = At(p, size / 2, int(s * 0.66));
        EXPECT_TRUE(face.b > face.r + 50 && face.b > 180) << "the face is mid blue";
        EXPECT_GT(At(p, size / 2, int(s * 0.18)).Min(), 190) << "the bezel is silver-white";
        EXPECT_TRUE(size < 48 || At(p, int(s * 0.80), int(s * 0.265)).Min() > 230) << "a plus on the bezel's upper right";
        EXPECT_GE(Sum(p, size / 4, int(s * 0.38), size * 3 / 4, int(s * 0.56), dark), letters[i])
            << "dark lettering across the face";
        EXPECT_EQ(0, Sum(p, [&](int x, int y) {
                      return dark(At(p, x, y)) && hypot(((x + 0.5) / s - 0.5) / 0.355, ((y + 0.5) / s - 0.47) / 0.245) > 0.8;
                  })) << "dark lettering pixels off the middle of the face, on its rim or the bezel";
    }
    EXPECT_TRUE(LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IconGroup)) != NULL);
}
