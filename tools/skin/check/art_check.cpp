// Measures the committed skin pictures: where the frame's opening, colours
// and lettering are, the title and switch faces' gradients and glyph
// places, the icon's layout and the cursors' shape and hot spot. It reads
// the files with its own small parser, independent of the painter.
//
//   art_check RES_DIR
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

int passed = 0, failed = 0;

void expect(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

struct Px {
    int r, g, b, a;
    int lum() const { return (r * 3 + g * 6 + b) / 10; }
    int maxc() const { return std::max(r, std::max(g, b)); }
    int minc() const { return std::min(r, std::min(g, b)); }
};

bool near(Px p, int r, int g, int b, int tol) {
    return std::abs(p.r - r) <= tol && std::abs(p.g - g) <= tol && std::abs(p.b - b) <= tol;
}

std::vector<uint8_t> slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

uint32_t u32(const std::vector<uint8_t>& d, size_t o) {
    return d[o] | d[o + 1] << 8 | d[o + 2] << 16 | uint32_t(d[o + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& d, size_t o) { return uint16_t(d[o] | d[o + 1] << 8); }

// A picture from a BITMAPINFOHEADER at offset `at`, top row first; icon and
// cursor images count the mask in their height, so they pass halve.
struct Picture {
    int w = 0, h = 0;
    std::vector<Px> px;
    std::vector<bool> maskBit;
    Px at(int x, int y) const { return px[size_t(y) * w + x]; }
    bool mask(int x, int y) const { return maskBit[size_t(y) * w + x]; }
};

Picture read(const std::vector<uint8_t>& d, size_t at, bool halve) {
    Picture p;
    if (d.size() < at + 40) return p;
    p.w = int(u32(d, at + 4));
    p.h = int(u32(d, at + 8)) / (halve ? 2 : 1);
    const size_t base = at + 40, stride = size_t((p.w + 31) / 32) * 4;
    if (d.size() < base + size_t(p.w) * p.h * 4 + (halve ? stride * p.h : 0)) return Picture();
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            size_t o = base + (size_t(p.h - 1 - y) * p.w + x) * 4;
            p.px.push_back({d[o + 2], d[o + 1], d[o], d[o + 3]});
        }
    if (halve) {
        const size_t mbase = base + size_t(p.w) * p.h * 4;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                p.maskBit.push_back(d[mbase + size_t(p.h - 1 - y) * stride + size_t(x / 8)] & (0x80 >> (x % 8)));
    }
    return p;
}

// Counts pixels in a rectangle (inclusive) that pass a test.
int count(const Picture& p, int x0, int y0, int x1, int y1, const std::function<bool(Px)>& test) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += test(p.at(x, y));
    return n;
}

Px mean(const Picture& p, int x0, int y0, int x1, int y1) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x, ++n) {
            r += p.at(x, y).r;
            g += p.at(x, y).g;
            b += p.at(x, y).b;
        }
    return {int(r / n), int(g / n), int(b / n), 255};
}

bool isWhite(Px p) { return p.r == 255 && p.g == 255 && p.b == 255; }

void checkFrame(const Picture& f) {
    if (f.w != 330 || f.h != 330) return expect(false, "frame is 330 x 330");
    // The opening against the panel's region at offset (18, -10): the
    // rounded rectangle with 73.5-pixel corners. Pixels within a pixel of
    // the edge, and the last column that the platform may leave out, are
    // left to the in-process test against the real region.
    int wrongInside = 0, wrongOutside = 0;
    for (int Y = 0; Y < 330; ++Y)
        for (int X = 0; X < 330; ++X) {
            const double x = X - 18 + 0.5, y = Y + 10 + 0.5;
            double d;  // signed distance to the region's edge, negative inside
            const double cx = x < 73.5 ? 73.5 : (x > 226.5 ? 226.5 : x);
            if (y < 103.5 && cx != x)
                d = std::hypot(x - cx, y - 103.5) - 73.5;
            else
                d = std::max(std::max(-x, x - 300.0), std::max(30.0 - y, y - 330.0));
            const bool lastColumn = X - 18 == 299;
            if (d < -1.0 && !lastColumn && !isWhite(f.at(X, Y))) ++wrongInside;
            if ((d > 1.0 || lastColumn) && f.at(X, Y).minc() > 235) ++wrongOutside;
        }
    expect(wrongInside == 0, "frame opening is white wherever the panel covers (" + std::to_string(wrongInside) + " not)");
    expect(wrongOutside == 0, "frame is not white outside the panel (" + std::to_string(wrongOutside) + " are)");

    const auto navy = [](Px p) { return p.b > p.r && p.maxc() < 120; };
    const auto sky = [](Px p) { return p.b > 200 && p.g > 130 && p.r < 110; };
    struct Area {
        const char* what;
        int x0, y0, x1, y1;
        std::function<bool(Px)> test;
    };
    const Area areas[] = {
        {"navy top between the inscriptions", 52, 3, 104, 12, navy},
        {"navy top right of the title", 224, 3, 290, 12, navy},
        {"navy upper side strips", 3, 24, 8, 80, navy},
        {"navy under the minimize button", 292, 7, 306, 21, navy},
        {"navy under the close button", 309, 7, 323, 21, navy},
        {"navy under the About button", 309, 23, 323, 37, navy},
        {"sky-blue left strip", 3, 110, 15, 316, sky},
        {"sky-blue right strip", 319, 110, 326, 316, sky},
        {"sky-blue bottom strip", 20, 322, 310, 326, sky},
    };
    for (const Area& a : areas) {
        const int all = (a.x1 - a.x0 + 1) * (a.y1 - a.y0 + 1);
        expect(count(f, a.x0, a.y0, a.x1, a.y1, a.test) == all, std::string("frame: ") + a.what);
    }
    expect(near(mean(f, 3, 3, 15, 8), 17, 62, 96, 22), "frame navy near the top is about (17, 62, 96)");
    expect(near(mean(f, 3, 80, 8, 85), 3, 21, 44, 15), "frame navy at rows 80-85 is about (3, 21, 44)");
    expect(near(mean(f, 3, 100, 15, 110), 42, 155, 248, 20), "frame blue below row 98 is about (42, 155, 248)");
    // The light ring round the opening where it shows beside the panel:
    // a pale inner line, about (158, 210, 250), and a softer outer one,
    // about (105, 187, 249), down the sides below the navy and along the
    // bottom. Column 317 may lie under the panel.
    const auto ring = [&](const char* what, int x0, int y0, int x1, int y1, int r, int g, int b) {
        const int all = (x1 - x0 + 1) * (y1 - y0 + 1);
        expect(count(f, x0, y0, x1, y1, [&](Px p) { return near(p, r, g, b, 12); }) == all,
               std::string("frame ring: ") + what);
    };
    ring("inner line in column 17", 17, 98, 17, 319, 158, 210, 250);
    ring("outer line in column 16", 16, 98, 16, 319, 105, 187, 249);
    ring("outer line in column 318", 318, 98, 318, 319, 105, 187, 249);
    ring("inner line in row 320", 16, 320, 318, 320, 158, 210, 250);
    ring("outer line in row 321", 16, 321, 318, 321, 105, 187, 249);
    expect(mean(f, 10, 0, 320, 0).lum() > mean(f, 10, 5, 320, 5).lum() + 20, "frame row 0 is a lighter line");
    int hatch = 0;
    for (int X = 60; X < 100; ++X) hatch += f.at(X, 10).lum() < f.at(X + 1, 10).lum() ? 1 : 0;
    expect(hatch >= 10, "frame navy is hatched");

    // Lettering: bright glow with dark letters on it, inside its box.
    const auto glow = [](Px p) { return p.g > 150 && p.b > 200 && p.r < 170; };
    const auto dark = [](Px p) { return p.maxc() < 75; };
    struct Lettering {
        const char* what;
        int x0, y0, x1, y1, letters;
    };
    const Lettering letterings[] = {{"title", 108, 0, 220, 19, 80}, {"version", 8, 6, 49, 19, 25}};
    for (const Lettering& l : letterings) {
        int letters = 0;
        for (int Y = l.y0; Y <= l.y1; ++Y)
            for (int X = l.x0; X <= l.x1; ++X) {
                if (!dark(f.at(X, Y))) continue;
                bool onGlow = false;
                for (int j = -2; j <= 2; ++j)
                    for (int i = -2; i <= 2; ++i)
                        if (Y + j >= 0 && Y + j < 330) onGlow = onGlow || glow(f.at(X + i, Y + j));
                letters += onGlow;
            }
        expect(letters >= l.letters, std::string("frame ") + l.what + " lettering: dark letters on a glow (" + std::to_string(letters) + ")");
        expect(count(f, l.x0, l.y0, l.x1, l.y1, glow) >= 60, std::string("frame ") + l.what + " lettering glows");
    }
    int strayGlow = count(f, 50, 0, 105, 19, glow) + count(f, 223, 0, 329, 40, glow);
    expect(strayGlow == 0, "frame lettering stays in its boxes");
}

void checkPanel(const Picture& p) {
    if (p.w != 480 || p.h != 300) return expect(false, "panel is 480 x 300");
    const int visible = 300 * 300;
    const int white = count(p, 0, 0, 299, 299, isWhite);
    expect(white > visible * 30 / 100 && white < visible * 70 / 100, "panel is about half pure white");
    const auto splatter = [](int x, int y) {
        return (x <= 47 && y >= 252 && y <= 293) || std::hypot(x - 184, y - 259) < 4 || std::hypot(x - 280, y - 257) < 4;
    };
    int darkElsewhere = 0, dots = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool darkPx = p.at(x, y).minc() < 150;
            if (splatter(x, y)) dots += darkPx;
            else darkElsewhere += darkPx;
        }
    expect(darkElsewhere == 0, "panel is light wherever it shows, but for the splatter");
    expect(dots >= 10, "panel has navy splatter near the lower left");
    const auto stroke = [](Px q) { return !isWhite(q); };
    expect(count(p, 150, 30, 299, 119, stroke) > 2 * count(p, 150, 120, 299, 199, stroke),
           "panel strokes are heavier in the upper right");
    long seam = 0, worst = 0;
    for (int y = 0; y < 300; ++y) {
        long diff = 0;
        for (int x = 0; x < 300; ++x) diff += std::abs(p.at(x, y).lum() - p.at(x, (y + 1) % 300).lum());
        if (y == 299) seam = diff;
        else worst = std::max(worst, diff);
    }
    expect(seam <= worst, "panel row 299 joins row 0 like any two rows");
    const Px emblem = p.at(479, 165);
    expect(emblem.b > emblem.r + 40 && emblem.maxc() < 140, "panel emblem is navy at its right edge");
    expect(count(p, 300, 0, 434, 299, [](Px q) { return q.maxc() < 140; }) == 0, "panel emblem starts near x 435");
}

void checkTitleButton(const std::string& name, const Picture& p, Px light, Px dark, int gx0, int gy0, int gx1, int gy1,
                      std::vector<std::pair<int, int>> mustBeGlyph) {
    if (p.w != 15 || p.h != 15) return expect(false, name + " is 15 x 15");
    expect(near(p.at(0, 0), light.r, light.g, light.b, 20), name + " tile is light at the top left");
    expect(near(p.at(14, 14), dark.r, dark.g, dark.b, 20), name + " tile is dark at the bottom right");
    expect(p.at(1, 0).lum() >= p.at(2, 1).lum() && p.at(13, 13).lum() >= p.at(14, 14).lum(),
           name + " tile darkens along the diagonal");
    const auto glyph = [](Px q) { return q.minc() >= 170 && q.maxc() - q.minc() <= 40; };
    int outside = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            if (glyph(p.at(x, y)) && (x < gx0 || x > gx1 || y < gy0 || y > gy1)) ++outside;
    expect(outside == 0, name + " glyph stays in its columns and rows");
    bool all = true;
    for (auto xy : mustBeGlyph) all = all && glyph(p.at(xy.first, xy.second));
    expect(all, name + " glyph is white where it runs");
    int shadow = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
            const Px below = p.at(x + 1, y + 1);
            const int tile = (light.lum() * (28 - (x + y + 2)) + dark.lum() * (x + y + 2)) / 28;
            shadow += glyph(p.at(x, y)) && !glyph(below) && below.lum() < tile - 15;
        }
    expect(shadow >= 2, name + " glyph has a dark shadow under it");
}

void checkSwitch(const std::string& name, const Picture& p, Px face, Px letters) {
    if (p.w != 88 || p.h != 18) return expect(false, name + " is 88 x 18");
    int x0 = 99, y0 = 99, x1 = -1, y1 = -1, n = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 88; ++x)
            if (near(p.at(x, y), letters.r, letters.g, letters.b, 30)) {
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y), ++n;
            }
    expect(n >= 60 && x0 >= 20 && x0 <= 22 && x1 >= 64 && x1 <= 66 && y0 >= 3 && y0 <= 4 && y1 >= 12 && y1 <= 13,
           name + " lettering fills columns 20-66 and rows 3-13");
    expect(near(mean(p, 22, 14, 64, 15), face.r, face.g, face.b, 30), name + " face colour");
    bool border = true;
    for (int x = 0; x < 88; ++x) border = border && p.at(x, 0).lum() > face.lum() && p.at(x, 17).lum() > face.lum();
    for (int y = 0; y < 18; ++y) border = border && p.at(0, y).lum() > face.lum() && p.at(87, y).lum() > face.lum();
    expect(border, name + " has a light border");
    const auto streak = [](Px q) { return q.minc() > 200; };
    expect(count(p, 1, 1, 18, 16, streak) >= 6 && count(p, 68, 1, 86, 16, streak) >= 6,
           name + " has white streaks near both ends");
}

void checkCursor(const std::string& name, const std::vector<uint8_t>& d, bool drag) {
    if (d.size() != 4268) return expect(false, name + " is 4268 bytes");
    expect(u16(d, 0) == 0 && u16(d, 2) == 0, name + " hot spot is (0, 0)");
    expect(u32(d, 4) == 40 && u32(d, 8) == 32 && u32(d, 12) == 64 && u16(d, 18) == 32 && u32(d, 20) == 0 &&
               u32(d, 24) == 4224,
           name + " header is 32 x 64, 32 bits, BI_RGB, 4224 bytes of image");
    const Picture p = read(d, 4, true);
    // Row by row the opaque pixels are the arrow: a run from column 0.
    std::vector<int> width(32, 0);
    bool runs = true;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            if (p.at(x, y).a == 255) {
                runs = runs && x == width[y];
                ++width[y];
            }
    }
    expect(runs && width[0] == 1, name + " arrow's tip is on the hot spot and its left edge is column 0");
    bool right = true;
    for (int y = 1; y <= 12; ++y) right = right && (width[y] == width[y - 1] || width[y] == width[y - 1] + 1);
    expect(right && width[12] >= 11 && width[12] <= 13, name + " right edge runs diagonally to about (11, 12)");
    bool lower = width[13] <= 5 && width[16] == 1;
    for (int y = 13; y <= 16; ++y) lower = lower && width[y] < width[y - 1];
    for (int y = 17; y < 32; ++y) lower = lower && width[y] == 0;
    expect(lower, name + " lower edge slants from column 4 down to the left edge at row 16");
    long edge = 0, edgeN = 0, fill = 0, fillN = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < width[y]; ++x) {
            const bool rim = x == 0 || x == width[y] - 1 || y == 0 || x >= width[y - 1] || y == 31 || x >= width[y + 1];
            (rim ? edge : fill) += p.at(x, y).lum();
            ++(rim ? edgeN : fillN);
        }
    expect(fillN > 0 && edge / edgeN < fill / fillN - 30, name + " has a darker outline");
    const Px top = p.at(2, 5), low = p.at(2, 12);
    if (drag)
        expect(near(top, 237, 255, 254, 20) && near(low, 190, 220, 250, 25), name + " fill is pale blue-white to light blue");
    else
        expect(near(top, 210, 210, 210, 12) && near(low, 192, 192, 192, 12) && top.maxc() - top.minc() < 6,
               name + " fill is light grey, shading down");
    int maxX = 0, maxY = 0, shadowN = 0;
    bool grey = true, maskOk = true;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Px q = p.at(x, y);
            maskOk = maskOk && p.mask(x, y) == (q.a == 0);
            if (q.a == 0 || q.a == 255) continue;
            ++shadowN;
            grey = grey && q.r == 64 && q.g == 64 && q.b == 64;
            maxX = std::max(maxX, x), maxY = std::max(maxY, y);
        }
    expect(maskOk, name + " mask is 0 exactly over the arrow and its shadow");
    expect(shadowN >= 10 && grey && maxX >= 13 && maxX <= 15 && maxY >= 18 && maxY <= 20,
           name + " has a soft (64, 64, 64) shadow reaching column 14 and row 19");
}

void checkIcon(const std::string& name, const std::vector<uint8_t>& d, int size) {
    const Picture p = read(d, 0, true);
    if (p.w != size || p.h != size) return expect(false, name + " has the right size");
    expect(u32(d, 24) == 0 && u32(d, 28) == 0, name + " has 0 pixels per metre");
    bool maskZero = true;
    for (size_t o = 40 + size_t(size) * size * 4; o < d.size(); ++o) maskZero = maskZero && d[o] == 0;
    expect(maskZero, name + " mask is all 0");
    const Px corner = p.at(0, 0);
    expect(corner.r == 255 && corner.g == 255 && corner.b == 255 && corner.a == 1, name + " background is white, alpha 1");
    int x0 = size, x1 = -1, y0 = size, y1 = -1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (p.at(x, y).a >= 128) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    const double s = size;
    expect(std::fabs((x1 + 1 - x0) / s - 0.88) < 0.08 && std::fabs(y0 / s - 0.15) < 0.06 && std::fabs((y1 + 1) / s - 0.84) < 0.06,
           name + " button spans 88% of the width and 15% to 84% of the height");
    const Px face = p.at(size / 2, int(s * 0.66));
    expect(face.b > face.r + 50 && face.b > 180, name + " face is mid blue");
    const Px bezel = p.at(size / 2, int(s * 0.18));
    expect(bezel.minc() > 190, name + " bezel is silver-white");
    if (size >= 48) {
        const Px plus = p.at(int(s * 0.80), int(s * 0.265));
        expect(plus.minc() > 230, name + " plus sign on the bezel's upper right");
    }
    const int darkLetters = count(p, size / 4, int(s * 0.38), size * 3 / 4, int(s * 0.56), [](Px q) { return q.maxc() < 90; });
    expect(darkLetters >= std::max(4, size / 3), name + " dark lettering across the face");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art_check RES_DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    auto dib = [&](const char* f) { return read(slurp(dir + f), 0, false); };

    checkFrame(dib("frame.dib"));
    checkPanel(dib("panel.dib"));
    checkTitleButton("close", dib("close.dib"), {220, 18, 18, 0}, {151, 4, 1, 0}, 4, 3, 10, 10, {{7, 6}, {7, 7}, {5, 4}, {9, 4}});
    checkTitleButton("minimize", dib("minimize.dib"), {73, 189, 232, 0}, {17, 81, 140, 0}, 5, 6, 10, 8,
                     {{5, 6}, {10, 6}, {5, 8}, {10, 8}, {7, 7}});
    checkTitleButton("about", dib("about.dib"), {187, 65, 227, 0}, {71, 14, 132, 0}, 6, 2, 9, 11,
                     {{8, 2}, {9, 2}, {6, 11}, {7, 11}});
    checkSwitch("calculator switch", dib("switch_calculator.dib"), {141, 192, 220, 0}, {13, 59, 82, 0});
    checkSwitch("converter switch", dib("switch_converter.dib"), {136, 162, 184, 0}, {173, 227, 255, 0});
    checkCursor("pointer cursor", slurp(dir + "pointer.cursor"), false);
    checkCursor("drag cursor", slurp(dir + "drag.cursor"), true);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string f = "icon_" + std::to_string(size) + ".icon";
        checkIcon(f, slurp(dir + f), size);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
