// The resources that OmbeX+.exe carries, read back through the platform's
// own resource functions from the built executable: numbers, types,
// language, sizes, the layouts the loaders rely on, the manifest, the
// version block, and that the frame's opening is the panel's region.
#include "harness.h"

#include <cstring>
#include <set>
#include <tuple>
#include <vector>
#include <algorithm>

namespace {

const WORD kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// OmbeX+.exe sits beside the test executable in the build directory.
std::string ProgramPath()
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, self, sizeof self);
    std::string path(self, n);
    return path.substr(0, path.find_last_of("\\/") + 1) + "OmbeX+.exe";
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module_ = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (module_) FreeLibrary(module_);
        module_ = NULL;
    }
    void SetUp() override { ASSERT_TRUE(module_ != NULL) << "cannot load " << ProgramPath(); }

    // A resource's bytes in US English, or an empty string if it is absent.
    static std::string Data(WORD type, WORD id)
    {
        HRSRC found = FindResourceExA(module_, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), kEnglishUS);
        if (!found) return std::string();
        HGLOBAL loaded = LoadResource(module_, found);
        const char *p = loaded ? static_cast<const char *>(LockResource(loaded)) : NULL;
        return p ? std::string(p, SizeofResource(module_, found)) : std::string();
    }

    static HMODULE module_;
};
HMODULE ResourcesTest::module_ = NULL;

const WORD kCursor = 1, kBitmap = 2, kIcon = 3, kGroupCursor = 12, kGroupIcon = 14, kVersion = 16, kManifest = 24;

uint32_t U32(const std::string &d, size_t at)
{
    uint32_t v;
    memcpy(&v, d.data() + at, 4);
    return v;
}
uint16_t U16(const std::string &d, size_t at)
{
    uint16_t v;
    memcpy(&v, d.data() + at, 2);
    return v;
}

struct Expected {
    WORD type, id;
    DWORD bytes;
};
// The twelve resources the program loads or the platform reads, and the
// eight images the icon and cursor directories point at. The numbers are
// the fixed ones, written out here rather than taken from the program's
// header, so that a number changed in both the code and the script fails.
const Expected kAll[] = {
    { kBitmap, 111, 435642 },          { kBitmap, 112, 942 },
    { kBitmap, 115, 942 },          { kBitmap, 117, 942 },
    { kBitmap, 122, 6378 }, { kBitmap, 123, 6378 },
    { kBitmap, 133, 576042 },          { kGroupIcon, 103, 6 + 6 * 14 },
    { kGroupCursor, 105, 20 },          { kGroupCursor, 107, 20 },
    { kManifest, 1, 680 },        { kVersion, 1, 760 },
    { kIcon, 1, 1128 },           { kIcon, 2, 4264 },
    { kIcon, 3, 9640 },           { kIcon, 4, 16936 },
    { kIcon, 5, 67624 },         { kIcon, 6, 270376 },
    { kCursor, 7, 4268 },       { kCursor, 8, 4268 },
};

template <class F> F Function(HMODULE module, const char *name)
{
    return reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

// One node of a version block: length, value length, type, key, value,
// then children, each on a 4-byte boundary.
struct VersionNode {
    size_t length = 0;
    int valueLength = 0;
    std::string key;
    std::vector<VersionNode> children;
};

VersionNode ReadVersionNode(const std::string &d, size_t at)
{
    VersionNode n;
    if (at + 6 > d.size()) return n;
    n.length = U16(d, at);
    n.valueLength = U16(d, at + 2);
    const bool text = U16(d, at + 4) == 1;
    size_t p = at + 6;
    for (; p + 1 < d.size() && U16(d, p) != 0; p += 2) n.key += (char)U16(d, p);
    p = (p + 2 + 3) & ~size_t(3);
    p += text ? n.valueLength * 2 : n.valueLength;
    const size_t end = std::min(d.size(), at + n.length);
    for (p = (p + 3) & ~size_t(3); p + 6 <= end; p = (p + 3) & ~size_t(3)) {
        VersionNode child = ReadVersionNode(d, p);
        if (child.length == 0) break;
        p += child.length;
        n.children.push_back(child);
    }
    return n;
}

typedef std::set<std::tuple<int, int, int>> ResourceSet;  // type, id, language

BOOL CALLBACK OnLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR all)
{
    int t = IS_INTRESOURCE(type) ? (int)(ULONG_PTR)type : -1;
    int n = IS_INTRESOURCE(name) ? (int)(ULONG_PTR)name : -1;
    reinterpret_cast<ResourceSet *>(all)->insert(std::make_tuple(t, n, (int)language));
    return TRUE;
}
BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR all)
{
    EnumResourceLanguagesA(module, type, name, OnLanguage, all);
    return TRUE;
}
BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR all)
{
    EnumResourceNamesA(module, type, OnName, all);
    return TRUE;
}

}  // namespace

TEST_F(ResourcesTest, EveryResourceHasItsNumberTypeLanguageAndSize)
{
    for (const Expected &e : kAll) {
        SCOPED_TRACE(testing::Message() << "type " << e.type << ", number " << e.id);
        HRSRC found = FindResourceExA(module_, MAKEINTRESOURCEA(e.type), MAKEINTRESOURCEA(e.id), kEnglishUS);
        ASSERT_TRUE(found != NULL);
        EXPECT_EQ(e.bytes, SizeofResource(module_, found));
    }
}

TEST_F(ResourcesTest, TheExecutableCarriesNothingElse)
{
    ResourceSet all, expected;
    EnumResourceTypesA(module_, OnType, reinterpret_cast<LONG_PTR>(&all));
    for (const Expected &e : kAll) expected.insert(std::make_tuple((int)e.type, (int)e.id, (int)kEnglishUS));
    EXPECT_EQ(expected, all);
}

TEST_F(ResourcesTest, BitmapsArePacked32BitDibsWithTwoTrailingBytes)
{
    static const struct { WORD id; int width, height; } bitmaps[] = {
        { 111, 330, 330 },  { 112, 15, 15 },           { 115, 15, 15 },
        { 117, 15, 15 },    { 122, 88, 18 }, { 123, 88, 18 },
        { 133, 480, 300 },
    };
    for (auto &b : bitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << b.id);
        std::string d = Data(kBitmap, b.id);
        ASSERT_GE(d.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER h;
        memcpy(&h, d.data(), sizeof h);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(b.width, h.biWidth);
        EXPECT_EQ(b.height, h.biHeight);
        EXPECT_EQ(1, h.biPlanes);
        EXPECT_EQ(32, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ((DWORD)(b.width * b.height * 4 + 2), h.biSizeImage);
        EXPECT_EQ(2834, h.biXPelsPerMeter);
        EXPECT_EQ(2834, h.biYPelsPerMeter);
        EXPECT_EQ(0u, h.biClrUsed);
        EXPECT_EQ(0u, h.biClrImportant);
        ASSERT_EQ(40 + h.biSizeImage, d.size());
        int fourthBytes = 0;
        for (size_t at = 40 + 3; at < d.size() - 2; at += 4) fourthBytes += d[at] != 0;
        EXPECT_EQ(0, fourthBytes) << "pixels whose fourth byte is not 0";
        EXPECT_EQ(std::string(2, '\0'), d.substr(d.size() - 2));
        // Two pictures of one size could swap numbers: each must show its role.
        EXPECT_TRUE(ShowsItsRole(b.id, PictureOfDib((const BITMAPINFOHEADER *)d.data(), b.height)));
        // What the program does with it: the platform must take it as a bitmap.
        HBITMAP loaded = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(b.id));
        ASSERT_TRUE(loaded != NULL) << "the test executable carries the same resources";
        BITMAP info;
        GetObjectA(loaded, sizeof info, &info);
        EXPECT_EQ(b.width, info.bmWidth);
        EXPECT_EQ(b.height, info.bmHeight);
        DeleteObject(loaded);
    }
}

TEST_F(ResourcesTest, IconGroupListsSixImagesInOrder)
{
    std::string dir = Data(kGroupIcon, 103);
    ASSERT_EQ(90u, dir.size());
    EXPECT_EQ(0, U16(dir, 0));
    EXPECT_EQ(1, U16(dir, 2));  // icons
    ASSERT_EQ(6, U16(dir, 4));
    static const struct { int size, directoryByte; WORD id; } images[] = {
        { 16, 16, 1 }, { 32, 32, 2 },   { 48, 48, 3 },
        { 64, 64, 4 }, { 128, 128, 5 }, { 256, 0, 6 },
    };
    for (int i = 0; i < 6; ++i) {
        const auto &image = images[i];
        SCOPED_TRACE(testing::Message() << "icon " << image.size);
        size_t at = 6 + 14 * i;
        EXPECT_EQ(image.directoryByte, (unsigned char)dir[at]);
        EXPECT_EQ(image.directoryByte, (unsigned char)dir[at + 1]);
        EXPECT_EQ(0, dir[at + 2]);  // colour count
        EXPECT_EQ(0, dir[at + 3]);
        EXPECT_EQ(1, U16(dir, at + 4));
        EXPECT_EQ(32, U16(dir, at + 6));
        EXPECT_EQ(image.id, U16(dir, at + 12));
        std::string d = Data(kIcon, image.id);
        int mask = ((image.size + 31) / 32) * 4 * image.size;
        EXPECT_EQ(d.size(), U32(dir, at + 8));
        ASSERT_EQ((size_t)(40 + image.size * image.size * 4 + mask), d.size());
        BITMAPINFOHEADER h;
        memcpy(&h, d.data(), sizeof h);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(image.size, h.biWidth);
        EXPECT_EQ(2 * image.size, h.biHeight);
        EXPECT_EQ(32, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ(d.size() - 40, h.biSizeImage);
        EXPECT_EQ(0, h.biXPelsPerMeter);
        EXPECT_EQ(0, h.biYPelsPerMeter);
        EXPECT_EQ(std::string(mask, '\0'), d.substr(d.size() - mask)) << "the mask is all 0";
    }
    EXPECT_TRUE(LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(103)) != NULL);
}

TEST_F(ResourcesTest, CursorGroupsEachPointAtOneArrowWithHotSpotTopLeft)
{
    static const struct { WORD group, image; } cursors[] = {
        { 105, 7 }, { 107, 8 },
    };
    for (auto &c : cursors) {
        SCOPED_TRACE(testing::Message() << "cursor group " << c.group);
        std::string dir = Data(kGroupCursor, c.group);
        ASSERT_EQ(20u, dir.size());
        EXPECT_EQ(0, U16(dir, 0));
        EXPECT_EQ(2, U16(dir, 2));  // cursors
        EXPECT_EQ(1, U16(dir, 4));
        EXPECT_EQ(32, U16(dir, 6));   // width
        EXPECT_EQ(64, U16(dir, 8));   // height, counted twice
        EXPECT_EQ(1, U16(dir, 10));   // planes
        EXPECT_EQ(32, U16(dir, 12));  // bits
        EXPECT_EQ(4268u, U32(dir, 14));
        EXPECT_EQ(c.image, U16(dir, 18));

        std::string d = Data(kCursor, c.image);
        ASSERT_EQ(4268u, d.size());
        EXPECT_EQ(0, U16(d, 0));  // hot spot x
        EXPECT_EQ(0, U16(d, 2));  // hot spot y
        BITMAPINFOHEADER h;
        memcpy(&h, d.data() + 4, sizeof h);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(32, h.biWidth);
        EXPECT_EQ(64, h.biHeight);
        EXPECT_EQ(32, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ(4224u, h.biSizeImage);
        // The tip pixel is opaque and in the mask's cut-out; the far corner
        // is transparent and masked.
        const size_t colour = 44, maskAt = 44 + 32 * 32 * 4;
        EXPECT_EQ(255, (unsigned char)d[colour + (31 * 32 + 0) * 4 + 3]) << "tip (0, 0) opaque";
        EXPECT_EQ(0, (unsigned char)d[maskAt + 31 * 4] & 0x80) << "mask 0 at the tip";
        EXPECT_EQ(0, (unsigned char)d[colour + 31 * 4 + 3]) << "corner (31, 31) transparent";
        EXPECT_EQ(1, (unsigned char)d[maskAt + 3] & 1) << "mask 1 at the corner";
        EXPECT_TRUE(ShowsItsRole(c.group, PictureOfDib((const BITMAPINFOHEADER *)(d.data() + 4), 32)));

        HCURSOR loaded = LoadCursorA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(c.group));
        ASSERT_TRUE(loaded != NULL);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(loaded, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(0u, info.xHotspot);
        EXPECT_EQ(0u, info.yHotspot);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
}

TEST_F(ResourcesTest, ManifestAsksForAsInvokerAndCommonControls6AndNothingElse)
{
    std::string m = Data(kManifest, 1);
    ASSERT_EQ(680u, m.size());
    EXPECT_EQ("\xEF\xBB\xBF", m.substr(0, 3)) << "UTF-8 byte-order mark";
    EXPECT_EQ(0u, m.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 3) - 3);

    std::multiset<std::string> elements;
    for (size_t at = m.find('<'); at != std::string::npos; at = m.find('<', at + 1)) {
        if (m[at + 1] == '/' || m[at + 1] == '?') continue;
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
        size_t end = m.find('>', at);
        std::string body = m.substr(at, end - at);
        for (size_t eq = body.find("=\""); eq != std::string::npos; eq = body.find("=\"", eq + 2)) {
            size_t name = body.find_last_of(" \t\r\n", eq) + 1;
            size_t close = body.find('"', eq + 2);
            found.insert(body.substr(name, close + 1 - name));
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
    // The version functions live in version.dll; loaded here, so that the
    // test executable needs no extra import library.
    HMODULE version = LoadLibraryA("version.dll");
    ASSERT_TRUE(version != NULL);
    auto getSize = Function<DWORD(WINAPI *)(LPCSTR, LPDWORD)>(version, "GetFileVersionInfoSizeA");
    auto getInfo = Function<BOOL(WINAPI *)(LPCSTR, DWORD, DWORD, LPVOID)>(version, "GetFileVersionInfoA");
    auto query = Function<BOOL(WINAPI *)(LPCVOID, LPCSTR, LPVOID *, PUINT)>(version, "VerQueryValueA");
    ASSERT_TRUE(getSize && getInfo && query);

    const std::string path = ProgramPath();
    DWORD ignored = 0, size = getSize(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(getInfo(path.c_str(), 0, size, &block[0]));

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(query(block.data(), "\\", (LPVOID *)&fixed, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    const struct { const char *field; DWORD actual, expected; } fields[] = {
        { "signature", fixed->dwSignature, 0xFEEF04BD },
        { "structure version", fixed->dwStrucVersion, 0x00010000 },
        { "file version high", fixed->dwFileVersionMS, 0x00020000 },
        { "file version low", fixed->dwFileVersionLS, 0x00030000 },
        { "product version high", fixed->dwProductVersionMS, 0x00020000 },
        { "product version low", fixed->dwProductVersionLS, 0x00030000 },
        { "flags mask", fixed->dwFileFlagsMask, 0x3F },
        { "flags", fixed->dwFileFlags, 0 },
        { "OS", fixed->dwFileOS, 0x00040004 },
        { "type", fixed->dwFileType, 1 },
        { "subtype", fixed->dwFileSubtype, 0 },
        { "date high", fixed->dwFileDateMS, 0 },
        { "date low", fixed->dwFileDateLS, 0 },
    };
    for (auto &f : fields) EXPECT_EQ(f.expected, f.actual) << f.field;

    const struct { const char *key, *value; } strings[] = {
        { "CompanyName", NULL },           { "FileDescription", NULL },
        { "FileVersion", "2.0.3.FINAL" },  { "InternalName", "OmbeX+" },
        { "LegalCopyright", NULL },        { "OriginalFilename", "OmbeX+.exe" },
        { "ProductName", "OmbeX+" },       { "ProductVersion", "2.0.3.FINAL" },
    };
    for (auto &s : strings) {
        char *text = NULL;
        std::string key = std::string("\\StringFileInfo\\040904b0\\") + s.key;
        ASSERT_TRUE(query(block.data(), key.c_str(), (LPVOID *)&text, &length)) << s.key;
        if (s.value) EXPECT_STREQ(s.value, text) << s.key;
        else EXPECT_GT(strlen(text), 0u) << s.key;
    }

    WORD *translation = NULL;
    ASSERT_TRUE(query(block.data(), "\\VarFileInfo\\Translation", (LPVOID *)&translation, &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);
    FreeLibrary(version);

    // The raw block's layout: the root, then StringFileInfo with one table
    // whose keys come in this order, then VarFileInfo.
    VersionNode root = ReadVersionNode(Data(kVersion, 1), 0);
    EXPECT_EQ(760u, root.length);
    EXPECT_EQ("VS_VERSION_INFO", root.key);
    EXPECT_EQ(52, root.valueLength);
    ASSERT_EQ(2u, root.children.size());
    EXPECT_EQ("StringFileInfo", root.children[0].key);
    EXPECT_EQ("VarFileInfo", root.children[1].key);
    ASSERT_EQ(1u, root.children[0].children.size());
    const VersionNode &table = root.children[0].children[0];
    EXPECT_EQ("040904b0", table.key);
    std::vector<std::string> keys;
    for (const VersionNode &n : table.children) keys.push_back(n.key);
    std::vector<std::string> expectedKeys;
    for (auto &s : strings) expectedKeys.push_back(s.key);
    EXPECT_EQ(expectedKeys, keys);
}

TEST_F(ResourcesTest, FrameOpeningIsExactlyThePanelRegion)
{
    std::string d = Data(kBitmap, 111);
    ASSERT_EQ(435642u, d.size());
    // The panel's region as the platform makes it, moved to where the panel
    // sits on the frame and cut to the panel's 330 x 330 window.
    HRGN region = CreateRoundRectRgn(0, 30, 300, 500, 147, 147);
    OffsetRgn(region, 18, -10);
    HRGN window = CreateRectRgn(18, -10, 18 + 330, -10 + 330);
    CombineRgn(region, region, window, RGN_AND);
    int whiteOutside = 0, colouredInside = 0;
    for (int y = 0; y < 330; ++y)
        for (int x = 0; x < 330; ++x) {
            const unsigned char *p = (const unsigned char *)d.data() + 40 + ((329 - y) * 330 + x) * 4;
            bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
            bool covered = PtInRegion(region, x, y) != 0;
            whiteOutside += white && !covered;
            colouredInside += !white && covered;
        }
    EXPECT_EQ(0, whiteOutside) << "white pixels that the panel leaves showing";
    EXPECT_EQ(0, colouredInside) << "opening pixels that are not white";

    // The title buttons lie outside the panel, on the frame's navy.
    static const RECT buttons[] = { { 292, 7, 307, 22 }, { 309, 7, 324, 22 }, { 309, 23, 324, 38 } };
    for (const RECT &b : buttons) {
        EXPECT_FALSE(RectInRegion(region, &b)) << "button at " << b.left << ", " << b.top;
        int notNavy = 0;
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x) {
                const unsigned char *p = (const unsigned char *)d.data() + 40 + ((329 - y) * 330 + x) * 4;
                notNavy += !(p[0] > p[2] && p[0] < 120 && p[1] < 120 && p[2] < 120);
            }
        EXPECT_EQ(0, notNavy) << "button at " << b.left << ", " << b.top;
    }
    DeleteObject(window);
    DeleteObject(region);
}
