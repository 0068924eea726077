// Paints the skin and writes every resource file that res/ombex.rc embeds.
//
//   skin OUTPUT_DIR
//
// The output is the same bytes on every run, so the files in res/ are
// committed and a fresh run can be compared with them. Needs FreeType and
// the DejaVu faces (Debian: libfreetype-dev, pkg-config, fonts-dejavu-core).
#include <cstdio>
#include <string>

#include "art.h"
#include "formats.h"
#include "../../res/version.h"

using namespace skin;

namespace {

std::string dir;

void write(const char* name, const Bytes& data, size_t expected) {
    if (expected && data.size() != expected) {
        std::fprintf(stderr, "skin: %s is %zu bytes, wants %zu\n", name, data.size(), expected);
        std::exit(1);
    }
    writeFile(dir + "/" + name, data);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin OUTPUT_DIR\n");
        return 2;
    }
    dir = argv[1];
    Fonts fonts;

    write("frame.dib", packedDib(frame(fonts)), 435642);
    write("close.dib", packedDib(titleButton(TitleButton::Close)), 942);
    write("minimize.dib", packedDib(titleButton(TitleButton::Minimize)), 942);
    write("about.dib", packedDib(titleButton(TitleButton::About)), 942);
    write("switch_calculator.dib", packedDib(switchFace(fonts, Switch::Calculator)), 6378);
    write("switch_converter.dib", packedDib(switchFace(fonts, Switch::Converter)), 6378);
    write("panel.dib", packedDib(panel()), 576042);

    const int sizes[6] = {16, 32, 48, 64, 128, 256};
    const size_t iconBytes[6] = {1128, 4264, 9640, 16936, 67624, 270376};
    std::vector<GroupEntry> icons;
    for (int i = 0; i < 6; ++i) {
        const Bytes image = iconImage(icon(fonts, sizes[i]));
        const std::string name = "icon_" + std::to_string(sizes[i]) + ".icon";
        write(name.c_str(), image, iconBytes[i]);
        icons.push_back({sizes[i], sizes[i], uint32_t(image.size()), uint16_t(i + 1)});
    }
    write("icon.group", iconDirectory(icons), 6 + 6 * 14);

    const Bytes drag = cursorImage(cursor(Arrow::Drag), 0, 0);
    const Bytes pointer = cursorImage(cursor(Arrow::Pointer), 0, 0);
    write("drag.cursor", drag, 4268);
    write("pointer.cursor", pointer, 4268);
    write("drag.group", cursorDirectory({{32, 64, uint32_t(drag.size()), 7}}), 20);
    write("pointer.group", cursorDirectory({{32, 64, uint32_t(pointer.size()), 8}}), 20);

    write("ombex.manifest", manifest(), 680);

    VersionStrings strings;
    strings.entries = {
        {"CompanyName", "OmbeX+ Developers"},
        {"FileDescription", "Calculator & unit converter"},
        {"FileVersion", OMBEX_VERSION_TEXT},
        {"InternalName", "OmbeX+"},
        {"LegalCopyright", "Copyright (C) OmbeX+ Developers"},
        {"OriginalFilename", "OmbeX+.exe"},
        {"ProductName", "OmbeX+"},
        {"ProductVersion", OMBEX_VERSION_TEXT},
    };
    write("version.bin", versionBlock(strings), 760);
    return 0;
}
