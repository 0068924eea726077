// The resources that OmbeX+.exe carries, read back from the built
// executable through the platform's own resource functions: numbers, types,
// language, sizes, the layouts the loaders rely on, the manifest and the
// version block; and the art, by what each picture must show where.
#include "harness.h"

#include <math.h>
#include <string.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

const WORD EnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const WORD CursorType = 1, BitmapType = 2, IconType = 3, CursorGroupType = 12, IconGroupType = 14,
           VersionType = 16, ManifestType = 24;

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite()
    {
        if (module_)
            FreeLibrary(module_);
        module_ = NULL;
    }
    void SetUp() override { ASSERT_TRUE(module_ != NULL) << "cannot load " << ProgramPath(); }

    // A resource's bytes in US English, or an empty string if it is absent.
    static std::string Data(WORD type, int id)
    {
        HRSRC found = FindResourceExA(module_, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), EnglishUS);
        HGLOBAL loaded = found ? LoadResource(module_, found) : NULL;
        const char *p = loaded ? (const char *)LockResource(loaded) : NULL;
        return p ? std::string(p, SizeofResource(module_, found)) : std::string();
    }
    // A bitmap, an icon image or a cursor image as the picture it shows.
    static Picture Dib(const std::string &d, size_t at, int rows)
    {
        return d.size() < at + 40 ? Picture() : PictureOfDib((const BITMAPINFOHEADER *)(d.data() + at), rows);
    }
    static Picture Bitmap(int id, int rows) { return Dib(Data(BitmapType, id), 0, rows); }
    static Picture Icon(int image, int size) { return Dib(Data(IconType, image), 0, size); }
    static Picture Cursor(int image) { return Dib(Data(CursorType, image), 4, 32); }

    static HMODULE module_;
};
HMODULE ResourcesTest::module_ = NULL;

template <class T> T Read(const std::string &d, size_t at)
{
    T v = {};
    memcpy(&v, d.data() + at, std::min(sizeof v, d.size() - std::min(at, d.size())));
    return v;
}
uint32_t U32(const std::string &d, size_t at) { return Read<uint32_t>(d, at); }
uint16_t U16(const std::string &d, size_t at) { return Read<uint16_t>(d, at); }

// A header's fields that the loaders read, as one line to compare.
std::string Fields(const BITMAPINFOHEADER *h)
{
    char line[240];
    snprintf(line, sizeof line, "size %lu, %ld x %ld, %d plane(s), %d bits, compression %lu, %lu bytes, %ld x %ld per metre, "
             "%lu + %lu colours", (unsigned long)h->biSize, (long)h->biWidth, (long)h->biHeight, h->biPlanes, h->biBitCount,
             (unsigned long)h->biCompression, (unsigned long)h->biSizeImage, (long)h->biXPelsPerMeter,
             (long)h->biYPelsPerMeter, (unsigned long)h->biClrUsed, (unsigned long)h->biClrImportant);
    return line;
}
std::string Fields(int width, int height, DWORD bytes, int perMetre)
{
    BITMAPINFOHEADER h = { 40, width, height, 1, 32, BI_RGB, bytes, perMetre, perMetre, 0, 0 };
    return Fields(&h);
}
std::string Fields(const std::string &d, size_t at = 0)
{
    BITMAPINFOHEADER h = Read<BITMAPINFOHEADER>(d, at);
    return Fields(&h);
}

struct Expected {
    WORD type;
    int id;
    DWORD bytes;
};
// The resources the program loads or the platform reads, and the images
// the icon and cursor directories point at.
const Expected All[] = {
    { BitmapType, FrameBitmap, 435642 },      { BitmapType, CloseBitmap, 942 },
    { BitmapType, MinimizeBitmap, 942 },      { BitmapType, AboutBitmap, 942 },
    { BitmapType, CalculatorSwitchBitmap, 6378 }, { BitmapType, ConverterSwitchBitmap, 6378 },
    { BitmapType, PanelBitmap, 576042 },      { IconGroupType, IconGroup, 6 + 6 * 14 },
    { CursorGroupType, DragCursor, 20 },      { CursorGroupType, PointerCursor, 20 },
    { ManifestType, ManifestNumber, 680 },    { VersionType, VersionNumber, 760 },
    { IconType, FirstIconImage, 1128 },       { IconType, FirstIconImage + 1, 4264 },
    { IconType, FirstIconImage + 2, 9640 },   { IconType, FirstIconImage + 3, 16936 },
    { IconType, FirstIconImage + 4, 67624 },  { IconType, FirstIconImage + 5, 270376 },
    { CursorType, DragCursorImage, 4268 },    { CursorType, PointerCursorImage, 4268 },
};

typedef std::set<std::tuple<int, int, int>> ResourceSet;   // type, id, language

// Every resource the module holds, by type, name and language.
BOOL CALLBACK OnLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR all)
{
    auto number = [](LPCSTR n) { return IS_INTRESOURCE(n) ? (int)(ULONG_PTR)n : -1; };
    ((ResourceSet *)all)->insert(std::make_tuple(number(type), number(name), (int)language));
    return TRUE;
}
BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR all)
{
    return EnumResourceLanguagesA(module, type, name, OnLanguage, all);
}
BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR all)
{
    return EnumResourceNamesA(module, type, OnName, all);
}

}  // namespace

TEST_F(ResourcesTest, EveryResourceHasItsNumberTypeLanguageAndSizeAndNothingElse)
{
    ResourceSet all, expected;
    for (const Expected &e : All) {
        SCOPED_TRACE(testing::Message() << "type " << e.type << ", number " << e.id);
        HRSRC found = FindResourceExA(module_, MAKEINTRESOURCEA(e.type), MAKEINTRESOURCEA(e.id), EnglishUS);
        ASSERT_TRUE(found != NULL);
        EXPECT_EQ(e.bytes, SizeofResource(module_, found));
        expected.insert(std::make_tuple((int)e.type, e.id, (int)EnglishUS));
    }
    EnumResourceTypesA(module_, OnType, (LONG_PTR)&all);
    EXPECT_EQ(expected, all);
}

TEST_F(ResourcesTest, BitmapsArePacked32BitDibsWithTwoTrailingBytes)
{
    for (const BitmapFact &b : Bitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << b.number);
        std::string d = Data(BitmapType, b.number);
        const DWORD bytes = b.width * b.height * 4 + 2;
        ASSERT_EQ(40 + bytes, d.size());
        EXPECT_EQ(Fields(b.width, b.height, bytes, 2834), Fields(d));
        int fourthBytes = 0;
        for (size_t at = 40 + 3; at < d.size() - 2; at += 4)
            fourthBytes += d[at] != 0;
        EXPECT_EQ(0, fourthBytes) << "pixels whose fourth byte is not 0";
        EXPECT_EQ(std::string(2, '\0'), d.substr(d.size() - 2));
        // Two pictures of one size could swap numbers: each must show its role.
        EXPECT_TRUE(ShowsItsRole(b.number, Bitmap(b.number, b.height)));
        // What the program does with it: the platform must take it as a bitmap.
        HBITMAP loaded = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(b.number));
        ASSERT_TRUE(loaded != NULL) << "the test executable carries the same resources";
        BITMAP info;
        GetObjectA(loaded, sizeof info, &info);
        EXPECT_EQ(b.width * 1000 + b.height, info.bmWidth * 1000 + info.bmHeight);
        DeleteObject(loaded);
    }
}

TEST_F(ResourcesTest, IconGroupListsSixImagesInOrder)
{
    std::string dir = Data(IconGroupType, IconGroup);
    ASSERT_EQ(90u, dir.size());
    EXPECT_EQ(0, U16(dir, 0));
    EXPECT_EQ(1, U16(dir, 2));   // icons
    ASSERT_EQ(6, U16(dir, 4));
    for (int i = 0; i < 6; ++i) {
        const int size = IconSizes[i];
        SCOPED_TRACE(testing::Message() << "icon " << size);
        size_t at = 6 + 14 * i;
        EXPECT_EQ(size % 256, (unsigned char)dir[at]);   // 256 is written 0
        EXPECT_EQ(size % 256, (unsigned char)dir[at + 1]);
        EXPECT_EQ(0, U16(dir, at + 2));                   // colour count
        EXPECT_EQ(1, U16(dir, at + 4));
        EXPECT_EQ(32, U16(dir, at + 6));
        EXPECT_EQ(FirstIconImage + i, U16(dir, at + 12));
        std::string d = Data(IconType, FirstIconImage + i);
        int mask = ((size + 31) / 32) * 4 * size;
        EXPECT_EQ(d.size(), U32(dir, at + 8));
        ASSERT_EQ((size_t)(40 + size * size * 4 + mask), d.size());
        EXPECT_EQ(Fields(size, 2 * size, d.size() - 40, 0), Fields(d));
        EXPECT_EQ(std::string(mask, '\0'), d.substr(d.size() - mask)) << "the mask is all 0";
    }
    EXPECT_TRUE(LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IconGroup)) != NULL);
}

TEST_F(ResourcesTest, CursorGroupsEachPointAtOneArrowWithHotSpotTopLeft)
{
    static const struct { int group, image; } cursors[] = {
        { DragCursor, DragCursorImage }, { PointerCursor, PointerCursorImage },
    };
    for (auto &c : cursors) {
        SCOPED_TRACE(testing::Message() << "cursor group " << c.group);
        std::string dir = Data(CursorGroupType, c.group);
        ASSERT_EQ(20u, dir.size());
        // Reserved, cursors, one image: 32 wide, 64 high counted twice, one
        // plane, 32 bits, its size and number.
        const uint32_t fields[] = { 0, 2, 1, 32, 64, 1, 32 };
        for (int i = 0; i < 7; i++)
            EXPECT_EQ(fields[i], U16(dir, 2 * i)) << "directory word " << i;
        EXPECT_EQ(4268u, U32(dir, 14));
        EXPECT_EQ(c.image, U16(dir, 18));

        std::string d = Data(CursorType, c.image);
        ASSERT_EQ(4268u, d.size());
        EXPECT_EQ(0u, U32(d, 0)) << "hot spot (0, 0)";
        EXPECT_EQ(Fields(32, 64, 4224, 0), Fields(d, 4));
        EXPECT_TRUE(ShowsItsRole(c.group, Cursor(c.image)));

        HCURSOR loaded = LoadCursorA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(c.group));
        ASSERT_TRUE(loaded != NULL);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(loaded, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(0u, info.xHotspot + info.yHotspot);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
}

TEST_F(ResourcesTest, ManifestAsksForAsInvokerAndCommonControls6AndNothingElse)
{
    std::string m = Data(ManifestType, ManifestNumber);
    ASSERT_EQ(680u, m.size());
    EXPECT_EQ("\xEF\xBB\xBF", m.substr(0, 3)) << "UTF-8 byte-order mark";
    EXPECT_EQ(0u, m.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 3) - 3);

    std::multiset<std::string> elements;
    for (size_t at = m.find('<'); at != std::string::npos; at = m.find('<', at + 1)) {
        if (m[at + 1] == '/' || m[at + 1] == '?')
            continue;
        size_t end = m.find_first_of(" \t\r\n/>", at + 1);
        elements.insert(m.substr(at + 1, end - at - 1));
    }
    const std::multiset<std::string> expected = {
        "assembly",   "trustInfo",         "security",         "requestedPrivileges", "requestedExecutionLevel",
        "dependency", "dependentAssembly", "assemblyIdentity",
    };
    EXPECT_EQ(expected, elements);

    // Attributes of an element, read as name="value" pairs.
    auto attributes = [&](const std::string &element) {
        std::set<std::string> found;
        size_t at = m.find("<" + element);
        std::string body = m.substr(at, m.find('>', at) - at);
        for (size_t eq = body.find("=\""); eq != std::string::npos; eq = body.find("=\"", eq + 2)) {
            size_t name = body.find_last_of(" \t\r\n", eq) + 1;
            found.insert(body.substr(name, body.find('"', eq + 2) + 1 - name));
        }
        return found;
    };
    EXPECT_EQ((std::set<std::string>{ "xmlns=\"urn:schemas-microsoft-com:asm.v1\"", "manifestVersion=\"1.0\"" }),
              attributes("assembly"));
    EXPECT_EQ((std::set<std::string>{ "level=\"asInvoker\"", "uiAccess=\"false\"" }), attributes("requestedExecutionLevel"));
    EXPECT_EQ((std::set<std::string>{ "type=\"win32\"", "name=\"Microsoft.Windows.Common-Controls\"",
                                      "version=\"6.0.0.0\"", "processorArchitecture=\"*\"",
                                      "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\"" }),
              attributes("assemblyIdentity"));
}

TEST_F(ResourcesTest, VersionBlockDescribesTheFile)
{
    const std::string path = ProgramPath();
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &block[0]));

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", (LPVOID *)&fixed, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    const DWORD high = MAKELONG(VersionParts[1], VersionParts[0]), low = MAKELONG(VersionParts[3], VersionParts[2]);
    const struct { const char *field; DWORD actual, expected; } fields[] = {
        { "signature", fixed->dwSignature, 0xFEEF04BD },
        { "structure version", fixed->dwStrucVersion, 0x00010000 },
        { "file version high", fixed->dwFileVersionMS, high },
        { "file version low", fixed->dwFileVersionLS, low },
        { "product version high", fixed->dwProductVersionMS, high },
        { "product version low", fixed->dwProductVersionLS, low },
        { "flags mask", fixed->dwFileFlagsMask, 0x3F },
        { "flags", fixed->dwFileFlags, 0 },
        { "OS", fixed->dwFileOS, 0x00040004 },
        { "type", fixed->dwFileType, 1 },
        { "subtype", fixed->dwFileSubtype, 0 },
        { "date high", fixed->dwFileDateMS, 0 },
        { "date low", fixed->dwFileDateLS, 0 },
    };
    for (auto &f : fields)
        EXPECT_EQ(f.expected, f.actual) << f.field;

    const struct { const char *key, *value; } strings[] = {
        { "CompanyName", NULL },          { "FileDescription", NULL },
        { "FileVersion", VersionText },   { "InternalName", "OmbeX+" },
        { "LegalCopyright", NULL },       { "OriginalFilename", "OmbeX+.exe" },
        { "ProductName", "OmbeX+" },      { "ProductVersion", VersionText },
    };
    // The raw block's keys, in order: the root, StringFileInfo with its one
    // table and these strings, then VarFileInfo with the translation.
    std::vector<std::string> keys = { "VS_VERSION_INFO", "StringFileInfo", "040904b0" };
    for (auto &s : strings) {
        char *text = NULL;
        std::string key = std::string("\\StringFileInfo\\040904b0\\") + s.key;
        ASSERT_TRUE(VerQueryValueA(block.data(), key.c_str(), (LPVOID *)&text, &length)) << s.key;
        if (s.value)
            EXPECT_STREQ(s.value, text) << s.key;
        else
            EXPECT_GT(strlen(text), 0u) << s.key;
        keys.push_back(s.key);
    }
    keys.insert(keys.end(), { "VarFileInfo", "Translation" });
    WORD *translation = NULL;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (LPVOID *)&translation, &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x04B00409u, translation[0] | (DWORD)translation[1] << 16);

    std::string raw = Data(VersionType, VersionNumber);
    EXPECT_EQ(760u, U16(raw, 0));
    EXPECT_EQ(52u, U16(raw, 2)) << "the fixed part's length";
    size_t at = 0;
    for (const std::string &key : keys) {
        std::string wide;
        for (char c : key + '\0')
            wide += std::string{ c, '\0' };
        size_t found = raw.find(wide, at);
        EXPECT_NE(std::string::npos, found) << key << " after the one before";
        at = found == std::string::npos ? at : found + wide.size();
    }
}

// The art: each picture by what it shows where.
struct Px {
    int r, g, b, a;
    int Lum() const { return (r * 3 + g * 6 + b) / 10; }
    int Max() const { return std::max(r, std::max(g, b)); }
    int Min() const { return std::min(r, std::min(g, b)); }
    bool Near(int R, int G, int B, int tolerance) const
    {
        return abs(r - R) <= tolerance && abs(g - G) <= tolerance && abs(b - B) <= tolerance;
    }
    bool White() const { return r == 255 && g == 255 && b == 255; }
};
static Px At(const Picture &p, int x, int y)
{
    COLORREF c = p.At(x, y);
    return { GetRValue(c), GetGValue(c), GetBValue(c), p.alpha.empty() ? 255 : p.Alpha(x, y) };
}
// Pixels in a rectangle (inclusive) that pass a test, and their mean.
template <class Test> static int Count(const Picture &p, int x0, int y0, int x1, int y1, Test test)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += test(At(p, x, y));
    return n;
}
static Px Mean(const Picture &p, int x0, int y0, int x1, int y1)
{
    long r = 0, g = 0, b = 0, n = (x1 - x0 + 1) * (y1 - y0 + 1);
    Count(p, x0, y0, x1, y1, [&](Px q) { return r += q.r, g += q.g, b += q.b, true; });
    return { int(r / n), int(g / n), int(b / n), 255 };
}

// The panel's opening in the frame picture: white wherever the panel covers
// the frame, and no light pixel where the frame shows; the title buttons
// lie outside it, on navy.
TEST_F(ResourcesTest, FrameOpeningIsExactlyThePanelRegion)
{
    Picture f = Bitmap(FrameBitmap, FrameSize);
    ASSERT_EQ(FrameSize, f.width);
    HRGN region = PanelRegionInFrame();
    int lightOutside = 0, colouredInside = 0;
    for (int y = 0; y < FrameSize; ++y)
        for (int x = 0; x < FrameSize; ++x) {
            bool covered = PtInRegion(region, x, y) != 0;
            lightOutside += At(f, x, y).Min() > 235 && !covered;
            colouredInside += !At(f, x, y).White() && covered;
        }
    EXPECT_EQ(0, lightOutside) << "white or nearly white pixels that the panel leaves showing";
    EXPECT_EQ(0, colouredInside) << "opening pixels that are not white";
    for (const TitleButton &t : TitleButtons) {
        const ControlRow &b = t.control;
        RECT r = { b.x, b.y, b.x + b.width, b.y + b.height };
        EXPECT_FALSE(RectInRegion(region, &r)) << "button at " << b.x << ", " << b.y;
        EXPECT_EQ(0, Count(f, b.x, b.y, r.right - 1, r.bottom - 1, [](Px p) { return !(p.b > p.r && p.Max() < 120); }))
            << "pixels not navy under the button at " << b.x << ", " << b.y;
    }
    DeleteObject(region);
}

TEST_F(ResourcesTest, FrameIsNavyAboveSkyBlueWithALightRingAndGlowingLettering)
{
    Picture f = Bitmap(FrameBitmap, FrameSize);
    ASSERT_EQ(FrameSize, f.width);
    const auto navy = [](Px p) { return p.b > p.r && p.Max() < 120; };
    const auto sky = [](Px p) { return p.b > 200 && p.g > 130 && p.r < 110; };
    const auto inner = [](Px p) { return p.Near(158, 210, 250, 12); };
    const auto outer = [](Px p) { return p.Near(105, 187, 249, 12); };
    // The light ring round the opening shows beside the panel: a pale inner
    // line and a softer outer one, down the sides below the navy and along
    // the bottom. Column 317 may lie under the panel.
    static const struct { const char *what; int x0, y0, x1, y1; bool (*test)(Px); } areas[] = {
        { "navy top between the inscriptions", 52, 3, 104, 12, navy },
        { "navy top right of the title", 224, 3, 290, 12, navy },
        { "navy upper side strips", 3, 24, 8, 80, navy },
        { "sky-blue left strip", 3, 110, 15, 316, sky },
        { "sky-blue right strip", 319, 110, 326, 316, sky },
        { "sky-blue bottom strip", 20, 322, 310, 326, sky },
        { "ring's inner line in column 17", 17, 98, 17, 319, inner },
        { "ring's outer line in column 16", 16, 98, 16, 319, outer },
        { "ring's outer line in column 318", 318, 98, 318, 319, outer },
        { "ring's inner line in row 320", 16, 320, 318, 320, inner },
        { "ring's outer line in row 321", 16, 321, 318, 321, outer },
    };
    for (auto &a : areas)
        EXPECT_EQ((a.x1 - a.x0 + 1) * (a.y1 - a.y0 + 1), Count(f, a.x0, a.y0, a.x1, a.y1, a.test)) << a.what;
    EXPECT_TRUE(Mean(f, 3, 3, 15, 8).Near(17, 62, 96, 22)) << "navy near the top is about (17, 62, 96)";
    EXPECT_TRUE(Mean(f, 3, 80, 8, 85).Near(3, 21, 44, 15)) << "navy at rows 80-85 is about (3, 21, 44)";
    EXPECT_TRUE(Mean(f, 3, 100, 15, 110).Near(42, 155, 248, 20)) << "blue below row 98 is about (42, 155, 248)";
    EXPECT_GT(Mean(f, 10, 0, 320, 0).Lum(), Mean(f, 10, 5, 320, 5).Lum() + 20) << "row 0 is a lighter line";
    int hatch = 0;
    for (int x = 60; x < 100; ++x)
        hatch += At(f, x, 10).Lum() < At(f, x + 1, 10).Lum();
    EXPECT_GE(hatch, 10) << "the navy is hatched";

    // Lettering: bright glow with dark letters on it, inside its box.
    const auto glow = [](Px p) { return p.g > 150 && p.b > 200 && p.r < 170; };
    static const struct { const char *what; int x0, y0, x1, y1, letters; } letterings[] = {
        { "title", 108, 0, 220, 19, 80 }, { "version", 8, 6, 49, 19, 25 },
    };
    for (auto &l : letterings) {
        int letters = 0;
        for (int y = l.y0; y <= l.y1; ++y)
            for (int x = l.x0; x <= l.x1; ++x)
                letters += At(f, x, y).Max() < 75 && Count(f, x - 2, std::max(0, y - 2), x + 2, y + 2, glow) > 0;
        EXPECT_GE(letters, l.letters) << "the " << l.what << " lettering: dark letters on a glow";
        EXPECT_GE(Count(f, l.x0, l.y0, l.x1, l.y1, glow), 60) << "the " << l.what << " lettering glows";
    }
    EXPECT_EQ(0, Count(f, 50, 0, 105, 19, glow) + Count(f, 223, 0, 329, 40, glow)) << "lettering outside its boxes";
}

TEST_F(ResourcesTest, PanelIsHalfWhiteWithStrokesAndASplatterAndTilesDownwards)
{
    Picture p = Bitmap(PanelBitmap, 300);
    ASSERT_EQ(480, p.width);
    const int white = Count(p, 0, 0, 299, 299, [](Px q) { return q.White(); });
    EXPECT_TRUE(white > 300 * 300 * 3 / 10 && white < 300 * 300 * 7 / 10) << "about half pure white: " << white;
    int darkElsewhere = 0, dots = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            bool splatter = (x <= 47 && y >= 252 && y <= 293) || hypot(x - 184, y - 259) < 4 || hypot(x - 280, y - 257) < 4;
            (splatter ? dots : darkElsewhere) += At(p, x, y).Min() < 150;
        }
    EXPECT_EQ(0, darkElsewhere) << "dark pixels where only the splatter may be";
    EXPECT_GE(dots, 10) << "navy splatter near the lower left";
    const auto stroke = [](Px q) { return !q.White(); };
    EXPECT_GT(Count(p, 150, 30, 299, 119, stroke), 2 * Count(p, 150, 120, 299, 199, stroke))
        << "the strokes are heavier in the upper right";
    long seam = 0, worst = 0;
    for (int y = 0; y < 300; ++y) {
        long diff = 0;
        for (int x = 0; x < 300; ++x)
            diff += abs(At(p, x, y).Lum() - At(p, x, (y + 1) % 300).Lum());
        if (y == 299)
            seam = diff;
        else
            worst = std::max(worst, diff);
    }
    EXPECT_LE(seam, worst) << "row 299 joins row 0 like any two rows";
    const Px emblem = At(p, 479, 165);
    EXPECT_TRUE(emblem.b > emblem.r + 40 && emblem.Max() < 140) << "the emblem is navy at its right edge";
    EXPECT_EQ(0, Count(p, 300, 0, 434, 299, [](Px q) { return q.Max() < 140; })) << "the emblem starts near x 435";
}

// Each title face: a tile shading from light at the top left to dark at
// the bottom right, a white glyph in its columns and rows with a shadow.
TEST_F(ResourcesTest, TitleFacesAreShadedTilesWithAWhiteGlyph)
{
    static const struct {
        int number;
        Px light, dark;
        RECT glyph;                            // inclusive
        std::vector<POINT> through;            // where the glyph runs
    } faces[] = {
        { CloseBitmap, { 220, 18, 18, 0 }, { 151, 4, 1, 0 }, { 4, 3, 10, 10 }, { { 7, 6 }, { 7, 7 }, { 5, 4 }, { 9, 4 } } },
        { MinimizeBitmap, { 73, 189, 232, 0 }, { 17, 81, 140, 0 }, { 5, 6, 10, 8 },
          { { 5, 6 }, { 10, 6 }, { 5, 8 }, { 10, 8 }, { 7, 7 } } },
        { AboutBitmap, { 187, 65, 227, 0 }, { 71, 14, 132, 0 }, { 6, 2, 9, 11 }, { { 8, 2 }, { 9, 2 }, { 6, 11 }, { 7, 11 } } },
    };
    const auto glyph = [](Px q) { return q.Min() >= 170 && q.Max() - q.Min() <= 40; };
    for (auto &f : faces) {
        SCOPED_TRACE(testing::Message() << "title face " << f.number);
        Picture p = Bitmap(f.number, 15);
        ASSERT_EQ(15, p.width);
        EXPECT_TRUE(At(p, 0, 0).Near(f.light.r, f.light.g, f.light.b, 20)) << "light at the top left";
        EXPECT_TRUE(At(p, 14, 14).Near(f.dark.r, f.dark.g, f.dark.b, 20)) << "dark at the bottom right";
        EXPECT_TRUE(At(p, 1, 0).Lum() >= At(p, 2, 1).Lum() && At(p, 13, 13).Lum() >= At(p, 14, 14).Lum())
            << "darkens along the diagonal";
        EXPECT_EQ(Count(p, 0, 0, 14, 14, glyph), Count(p, f.glyph.left, f.glyph.top, f.glyph.right, f.glyph.bottom, glyph))
            << "glyph pixels outside its columns and rows";
        for (POINT at : f.through)
            EXPECT_TRUE(glyph(At(p, at.x, at.y))) << "the glyph is white at (" << at.x << ", " << at.y << ")";
        int shadow = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                const Px below = At(p, x + 1, y + 1);
                const int tile = (f.light.Lum() * (28 - (x + y + 2)) + f.dark.Lum() * (x + y + 2)) / 28;
                shadow += glyph(At(p, x, y)) && !glyph(below) && below.Lum() < tile - 15;
            }
        EXPECT_GE(shadow, 2) << "a dark shadow under the glyph";
    }
}

TEST_F(ResourcesTest, SwitchFacesAreLetteredWithALightBorderAndStreaks)
{
    static const struct { int number; Px face, letters; } switches[] = {
        { CalculatorSwitchBitmap, { 141, 192, 220, 0 }, { 13, 59, 82, 0 } },
        { ConverterSwitchBitmap, { 136, 162, 184, 0 }, { 173, 227, 255, 0 } },
    };
    for (auto &s : switches) {
        SCOPED_TRACE(testing::Message() << "switch face " << s.number);
        Picture p = Bitmap(s.number, 18);
        ASSERT_EQ(88, p.width);
        int x0 = 99, y0 = 99, x1 = -1, y1 = -1, n = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 88; ++x)
                if (At(p, x, y).Near(s.letters.r, s.letters.g, s.letters.b, 30))
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y), ++n;
        EXPECT_TRUE(n >= 60 && x0 >= 20 && x0 <= 22 && x1 >= 64 && x1 <= 66 && y0 >= 3 && y0 <= 4 && y1 >= 12 && y1 <= 13)
            << "lettering fills columns 20-66 and rows 3-13: " << n << " pixels in " << x0 << "-" << x1 << ", " << y0 << "-" << y1;
        EXPECT_TRUE(Mean(p, 22, 14, 64, 15).Near(s.face.r, s.face.g, s.face.b, 30)) << "face colour";
        const auto lighter = [&](Px q) { return q.Lum() > s.face.Lum(); };
        EXPECT_EQ(2 * 88 + 2 * 18, Count(p, 0, 0, 87, 0, lighter) + Count(p, 0, 17, 87, 17, lighter) +
                                       Count(p, 0, 0, 0, 17, lighter) + Count(p, 87, 0, 87, 17, lighter)) << "a light border";
        const auto streak = [](Px q) { return q.Min() > 200; };
        EXPECT_TRUE(Count(p, 1, 1, 18, 16, streak) >= 6 && Count(p, 68, 1, 86, 16, streak) >= 6) << "white streaks near both ends";
    }
}

// Row by row the opaque pixels are the arrow, a run from column 0, with a
// darker outline, a fill of its own and a soft grey shadow, all masked.
TEST_F(ResourcesTest, CursorsAreOutlinedArrowsWithASoftShadow)
{
    // The fill at (2, 5) and (2, 12), each within its tolerance.
    static const struct { int image; const char *fill; Px top, low; } cursors[] = {
        { DragCursorImage, "pale blue-white to light blue", { 237, 255, 254, 20 }, { 190, 220, 250, 25 } },
        { PointerCursorImage, "light grey, shading down", { 210, 210, 210, 12 }, { 192, 192, 192, 12 } },
    };
    for (auto &c : cursors) {
        SCOPED_TRACE(testing::Message() << "cursor image " << c.image);
        Picture p = Cursor(c.image);
        ASSERT_EQ(32, p.width);
        std::vector<int> width(33, 0);
        bool runs = true;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (At(p, x, y).a == 255) {
                    runs = runs && x == width[y];
                    ++width[y];
                }
        EXPECT_TRUE(runs && width[0] == 1) << "the tip is on the hot spot and the left edge is column 0";
        bool right = true, lower = width[13] <= 5 && width[16] == 1;
        for (int y = 1; y <= 12; ++y)
            right = right && (width[y] == width[y - 1] || width[y] == width[y - 1] + 1);
        EXPECT_TRUE(right && width[12] >= 11 && width[12] <= 13) << "the right edge runs diagonally to about (11, 12)";
        for (int y = 13; y <= 16; ++y)
            lower = lower && width[y] < width[y - 1];
        for (int y = 17; y < 32; ++y)
            lower = lower && width[y] == 0;
        EXPECT_TRUE(lower) << "the lower edge slants from column 4 down to the left edge at row 16";
        long edge = 0, edgeN = 0, fill = 0, fillN = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < width[y]; ++x) {
                const bool rim = x == 0 || x == width[y] - 1 || y == 0 || x >= width[y - 1] || x >= width[y + 1];
                (rim ? edge : fill) += At(p, x, y).Lum();
                ++(rim ? edgeN : fillN);
            }
        EXPECT_TRUE(fillN > 0 && edge / edgeN < fill / fillN - 30) << "a darker outline";
        const Px top = At(p, 2, 5), low = At(p, 2, 12);
        EXPECT_TRUE(top.Near(c.top.r, c.top.g, c.top.b, c.top.a) && low.Near(c.low.r, c.low.g, c.low.b, c.low.a) &&
                    (c.image == DragCursorImage || top.Max() - top.Min() < 6)) << "the fill is " << c.fill;
        // The mask follows the colour rows, one bit a pixel, bottom row first.
        std::string d = Data(CursorType, c.image);
        int maxX = 0, maxY = 0, shadowN = 0, maskWrong = 0;
        bool grey = true;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const Px q = At(p, x, y);
                maskWrong += ((d[44 + 32 * 32 * 4 + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1) != (q.a == 0);
                if (q.a == 0 || q.a == 255)
                    continue;
                ++shadowN;
                grey = grey && q.Near(64, 64, 64, 0);
                maxX = std::max(maxX, x), maxY = std::max(maxY, y);
            }
        EXPECT_EQ(0, maskWrong) << "mask bits not 0 exactly over the arrow and its shadow";
        EXPECT_TRUE(shadowN >= 10 && grey && maxX >= 13 && maxX <= 15 && maxY >= 18 && maxY <= 20)
            << "a soft (64, 64, 64) shadow reaching column 14 and row 19";
    }
}

// Every icon image shows a rounded button on white: a silver-white bezel
// round a mid-blue face, dark lettering across the middle of the face (a
// dark band where 16 pixels leave no room for letters), and from 48 pixels
// up a plus sign on the bezel. The face is an ellipse centred at 50% and
// 47% of the size, 71% of it wide and 49% high; the lettering keeps to the
// inner four fifths of it, clear of the face's rim and the bezel.
TEST_F(ResourcesTest, IconsShowABezelledBlueFaceWithTheLetteringInside)
{
    static const struct { int size, letters; bool plus; } icons[] = {
        { 16, 5, false }, { 32, 10, false }, { 48, 16, true }, { 64, 21, true }, { 128, 42, true }, { 256, 85, true },
    };
    for (int n = 0; n < 6; n++) {
        auto &i = icons[n];
        SCOPED_TRACE(testing::Message() << "icon " << i.size);
        const Picture p = Icon(FirstIconImage + n, i.size);
        ASSERT_EQ(i.size, p.width);
        const double s = i.size;
        const Px corner = At(p, 0, 0);
        EXPECT_TRUE(corner.White() && corner.a == 1) << "the background is white, alpha 1";
        int x0 = i.size, x1 = -1, y0 = i.size, y1 = -1, letters = 0, offFace = 0;
        for (int y = 0; y < i.size; ++y)
            for (int x = 0; x < i.size; ++x) {
                const Px q = At(p, x, y);
                if (q.a >= 128)
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                if (q.a < 128 || q.Max() >= 90)
                    continue;
                letters += x >= i.size / 4 && x <= i.size * 3 / 4 && y >= int(s * 0.38) && y <= int(s * 0.56);
                offFace += hypot(((x + 0.5) / s - 0.5) / 0.355, ((y + 0.5) / s - 0.47) / 0.245) > 0.8;
            }
        EXPECT_TRUE(fabs((x1 + 1 - x0) / s - 0.88) < 0.08 && fabs(y0 / s - 0.15) < 0.06 && fabs((y1 + 1) / s - 0.84) < 0.06)
            << "the button spans 88% of the width and 15% to 84% of the height";
        const Px face = At(p, i.size / 2, int(s * 0.66)), bezel = At(p, i.size / 2, int(s * 0.18));
        EXPECT_TRUE(face.b > face.r + 50 && face.b > 180) << "the face is mid blue";
        EXPECT_GT(bezel.Min(), 190) << "the bezel is silver-white";
        if (i.plus) {
            EXPECT_GT(At(p, int(s * 0.80), int(s * 0.265)).Min(), 230) << "a plus sign on the bezel's upper right";
        }
        EXPECT_GE(letters, i.letters) << "dark lettering across the face";
        EXPECT_EQ(0, offFace) << "dark lettering pixels off the middle of the face, on its rim or the bezel";
    }
}
