// skin RESOURCE_SCRIPT OUTPUT_DIR writes every file that the resource
// script embeds, each by the painter of its resource number. The bytes are
// the same on every run, so res/ holds them and a fresh run is compared with
// it. Needs FreeType and the DejaVu faces (Debian: libfreetype-dev,
// pkg-config, fonts-dejavu-core).
#include <fstream>
#include <sstream>
#include <string>

#include "art.h"
#include "formats.h"
#include "../../res/resource.h"

using namespace skin;

const int IconSizes[] = {16, 32, 48, 64, 128, 256};

static Bytes IconFile(int number) {
    return IconImage(Icon(IconSizes[number - IDI_OMBEX_16]), false);
}

static Bytes IconGroup(int) {
    std::vector<GroupEntry> icons;
    for (int number = IDI_OMBEX_16; number <= IDI_OMBEX_256; ++number) {
        const int size = IconSizes[number - IDI_OMBEX_16];
        icons.push_back({size, size, uint32_t(IconFile(number).size()), uint16_t(number)});
    }
    return GroupDirectory(icons, false);
}

static Bytes CursorFile(Arrow which) {
    return IconImage(Cursor(which), true);
}

// A cursor group names its one image, whose height counts the AND mask too.
static Bytes CursorGroup(Arrow which, int image) {
    const Image cursor = Cursor(which);
    const GroupEntry entry{cursor.Width(), 2 * cursor.Height(), uint32_t(CursorFile(which).size()), uint16_t(image)};
    return GroupDirectory({entry}, true);
}

struct Painter {
    const char* name;
    int number;
    Bytes (*paint)(int number);
};

#define PAINTER(number, paint) \
    { #number, number, paint }

// What each resource of the script is painted by.
const Painter Painters[] = {
    PAINTER(IDB_FRAME, [](int) { return PackedDib(Frame()); }),
    PAINTER(IDB_CLOSE, [](int) { return PackedDib(TitleFace(TitleButton::Close)); }),
    PAINTER(IDB_MINIMIZE, [](int) { return PackedDib(TitleFace(TitleButton::Minimize)); }),
    PAINTER(IDB_ABOUT, [](int) { return PackedDib(TitleFace(TitleButton::About)); }),
    PAINTER(IDB_CALCULATOR_SWITCH, [](int) { return PackedDib(SwitchFace(Switch::Calculator)); }),
    PAINTER(IDB_CONVERTER_SWITCH, [](int) { return PackedDib(SwitchFace(Switch::Converter)); }),
    PAINTER(IDB_PANEL, [](int) { return PackedDib(Panel()); }),
    PAINTER(IDI_OMBEX_16, IconFile),
    PAINTER(IDI_OMBEX_32, IconFile),
    PAINTER(IDI_OMBEX_48, IconFile),
    PAINTER(IDI_OMBEX_64, IconFile),
    PAINTER(IDI_OMBEX_128, IconFile),
    PAINTER(IDI_OMBEX_256, IconFile),
    PAINTER(IDI_OMBEX, IconGroup),
    PAINTER(IDC_DRAG_IMAGE, [](int) { return CursorFile(Arrow::Drag); }),
    PAINTER(IDC_POINTER_IMAGE, [](int) { return CursorFile(Arrow::Pointer); }),
    PAINTER(IDC_DRAG, [](int) { return CursorGroup(Arrow::Drag, IDC_DRAG_IMAGE); }),
    PAINTER(IDC_POINTER, [](int) { return CursorGroup(Arrow::Pointer, IDC_POINTER_IMAGE); }),
    PAINTER(IDR_MANIFEST, [](int) { return Manifest(); }),
    PAINTER(IDR_VERSION, [](int) { return VersionBlock(); }),
};

static const Painter& PainterOf(const std::string& name) {
    for (const Painter& p : Painters)
        if (name == p.name)
            return p;
    Die("no painter for " + name + " of the resource script");
}

int main(int argc, char** argv) {
    if (argc != 3)
        Die("usage: skin RESOURCE_SCRIPT OUTPUT_DIR");
    std::ifstream script(argv[1]);
    if (!script)
        Die(std::string("cannot read ") + argv[1]);
    std::string line;
    // A resource's line: its name, its type, the quoted file.
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string name, type, file;
        words >> name >> type >> file;
        if (type.rfind("RES_", 0) != 0 || file.size() < 3 || file.front() != '"')
            continue;
        const Painter& p = PainterOf(name);
        WriteFile(std::string(argv[2]) + "/" + file.substr(1, file.size() - 2), p.paint(p.number));
    }
    return 0;
}
