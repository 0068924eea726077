#include "art.h"

#include "formats.h"
#include "text.h"

#include "../../res/layout.h"
#include "../../res/version.h"

namespace skin {

const char* const Serif = "DejaVuSerif-Bold.ttf";
const char* const Sans = "DejaVuSans-Bold.ttf";

// The skin's colours, by the picture they belong to.
const Rgb White{255, 255, 255};
// The frame: navy above, sky below, a glow and a line round the opening,
// a light line along its sides, a rim, and the lettering.
const Rgb NavyTop{17, 62, 96}, NavyDeep{3, 21, 44};
const Rgb SkyTop{42, 155, 248}, SkyLow{63, 175, 248};
const Rgb GlowBlue{125, 190, 240}, EdgeLine{108, 136, 164}, Border{170, 215, 250};
const Rgb RimTeal{98, 134, 140}, RimPale{176, 214, 246};
const Rgb TitleLetters{8, 28, 56}, TitleGlow{95, 195, 255};
// The panel: steel strokes, ink splatter, the emblem's navy rings.
const Rgb SteelLight{196, 209, 218}, SteelDark{184, 199, 211};
const Rgb Ink{12, 45, 80}, EmblemNavy{10, 63, 105};
// The title buttons, in the order of TitleButton: each face's light and
// dark corner; the glyphs' shadow, and the close glyph's foot.
struct TitleLook {
    Rgb light, dark;
};
const TitleLook TitleLooks[] = {{{220, 18, 18}, {151, 4, 1}}, {{73, 189, 232}, {17, 81, 140}}, {{187, 65, 227}, {71, 14, 132}}};
const Rgb GlyphShadow{24, 10, 30}, CloseGlyphFoot{190, 190, 190};
// The switch faces and their lettering: the calculator's, the converter's.
const Rgb CalculatorFace{141, 192, 220}, ConverterFace{136, 162, 184};
const Rgb CalculatorLetters{13, 59, 82}, ConverterLetters{173, 227, 255};
// The icon: glow and base, bezel metal, blue face, the plus's glow, lettering.
const Rgb BaseGlow{150, 205, 255}, BaseTop{150, 165, 192}, BaseLow{92, 108, 140}, BaseRim{170, 220, 255};
const Rgb MetalTop{246, 248, 252}, MetalLow{192, 200, 216}, MetalEdge{170, 178, 196};
const Rgb FaceTop{90, 145, 225}, FaceLow{140, 190, 246}, FaceEdge{52, 98, 176};
const Rgb PlusGlow{80, 150, 255}, IconLetters{18, 32, 64};
// The cursors: outlines, shadow, the drag arrow's fill and the pointer's.
const Rgb DragEdge{96, 116, 150}, PointerEdge{128, 128, 128}, Shadow{64, 64, 64};
const Rgb DragTop{237, 255, 254}, DragLow{190, 220, 250}, PointerTop{214, 214, 214}, PointerLow{189, 189, 189};

static float Hash01(uint32_t a, uint32_t b) {
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0xC2B2AE3Du;
    h ^= h >> 13;
    return float(h >> 8) / 16777216.f;
}

// Lettering on a soft glow: the glow is the ink thickened and blurred.
static void GlowingText(Image& img, const Mask& ink, int x0, int y0, Rgb glow, Rgb letters) {
    const int pad = 3;
    Mask halo = ink.Padded(pad).Dilated(1).Blurred(1).Amplified(1.8f);
    Paint(img, halo, x0 - pad, y0 - pad, glow, 0.95f);
    Paint(img, ink.Amplified(1.5f), x0, y0, letters);
}

// Whether panel pixel (x, y) lies in the rounded region that the program
// gives every panel. The platform builds its corners from a circle of half
// the corner's size whose octants are rounded to whole pixels and mirrored,
// and leaves out the last column; the frame's opening must match it to the
// pixel, so the same rule is written out here.
static bool PanelRegion(int x, int y) {
    const int right = REGION_RIGHT - 2;
    const int radius = REGION_CORNER / 2;
    if (x < REGION_LEFT || x > right || y < REGION_TOP || y > FRAME_SIZE - 1)
        return false;
    const int folded = x <= right / 2 ? x : right - x;
    const int u = radius - folded;  // pixels outwards from the straight part
    const int v = REGION_TOP + radius - y;
    if (u <= 0 || v <= 0)
        return true;
    auto reach = [&](int t) { return int(std::floor(std::sqrt(double(radius) * radius - double(t) * t) + 0.5)); };
    return u <= v ? v <= reach(u) : u <= reach(v);
}

// The centres and radius of the opening's rounded corners, in frame pixels.
const int Corner = REGION_CORNER / 2;
const struct {
    float left, right, top, radius;
} Round = {PANEL_X + Corner + 0.5f, PANEL_X + REGION_RIGHT - 2 - Corner + 0.5f, PANEL_Y + REGION_TOP + Corner + 0.5f,
           Corner + 0.5f};

// The frame's pixel (X, Y), before the lettering and the opening.
static void PaintFramePixel(Image& img, int X, int Y) {
    const int n = FRAME_SIZE;
    const float px = X + 0.5f, py = Y + 0.5f;
    const Rgb navy = Mix(NavyTop, NavyDeep, Clamp01(py / 82.f));
    const Rgb sky = Mix(SkyTop, SkyLow, Clamp01((py - 92.f) / 238.f));
    const float toSky = SmoothStep(86.f, 98.f, py);
    Rgb base = Mix(navy, sky, toSky);
    if ((X + Y) % 3 == 0)
        base = Scale(base, 1.f - 0.16f * (1.f - toSky));
    img.Set(X, Y, base);

    // Around the opening's rounded top: a soft glow into the navy and
    // a thin line a few pixels out, both following the curve.
    if (py < Round.top) {
        const float d = std::hypot(px - std::clamp(px, Round.left, Round.right), py - Round.top) - Round.radius;
        if (d > -1.f)
            img.Over(X, Y, GlowBlue, 0.55f * std::exp(-std::max(d, 0.f) / 2.2f));
        img.Over(X, Y, EdgeLine, 0.8f * Clamp01(1.f - std::fabs(d - 4.5f) / 0.8f));
    }

    // The light line along the opening's sides and bottom.
    const bool inner = (X == 17 || X == 317) && Y >= 86 && Y <= 320;
    const bool outer = (X == 16 || X == 318) && Y >= 86 && Y <= 321;
    const bool bottom = Y == 320 && X >= 16 && X <= 318;
    const bool below = Y == 321 && X >= 16 && X <= 318;
    if (inner || bottom)
        img.Over(X, Y, Border, 0.9f);
    else if (outer || below)
        img.Over(X, Y, Border, 0.45f);

    // A lighter rim round the whole picture.
    const int e = std::min({X, Y, n - 1 - X, n - 1 - Y});
    if (e < 3) {
        const float a = Y == 0 ? 0.9f : (e == 0 ? 0.8f : (e == 1 ? 0.5f : 0.25f));
        img.Over(X, Y, Mix(RimTeal, RimPale, toSky), a);
    }
}

Image Frame() {
    const int n = FRAME_SIZE;
    Image img(n, n);
    for (int Y = 0; Y < n; ++Y)
        for (int X = 0; X < n; ++X)
            PaintFramePixel(img, X, Y);

    Mask title = Lettering(Serif, "OmbeX+", 104, 13, 1);
    GlowingText(img, title, 164 - title.Width() / 2, 18 - title.Height(), TitleGlow, TitleLetters);
    // "V.2.0.3.F": the version and the first letter of its tag.
    Mask version = Lettering(Sans, "V." OMBEX_VERSION "." + std::string(1, OMBEX_VERSION_TAG[0]), 34, 8);
    GlowingText(img, version, 12, 18 - version.Height(), TitleGlow, TitleLetters);

    // The opening last, so that nothing above bleeds into it.
    for (int Y = 0; Y < n; ++Y)
        for (int X = 0; X < n; ++X)
            if (PanelRegion(X - PANEL_X, Y - PANEL_Y))
                img.Set(X, Y, White);
    return img;
}

// A dry-brush stroke from the left edge towards xEnd, ragged along both
// edges; each bristle row stops at its own place near the end. Rows wrap,
// because the panel repeats the picture downwards.
static void BrushStroke(Image& img, uint32_t seed, float yMid, float thick, float xEnd, float opacity, float rampRight) {
    const Rgb steel = Mix(SteelLight, SteelDark, Hash01(seed, 1));
    Noise1 upper(seed * 4 + 1, 64), lower(seed * 4 + 2, 64), fineUp(seed * 4 + 3, 220), fineDown(seed * 4 + 4, 220);
    const int h = img.Height();
    for (int x = 0; x < img.Width() && x < int(xEnd) + 2; ++x) {
        const float taper = Clamp01((xEnd - x) / 45.f);
        const float half = thick * 0.5f * (0.35f + 0.65f * taper);
        const float top = yMid - half + 2.2f * upper.At(x / 9.f) + 0.9f * fineUp.At(x / 2.5f);
        const float bot = yMid + half + 2.2f * lower.At(x / 9.f) + 0.9f * fineDown.At(x / 2.5f);
        const float ramp = 1.f - rampRight + rampRight * Clamp01(x / 300.f);
        for (int y = int(std::floor(top)); y <= int(std::ceil(bot)); ++y) {
            const float cover = Clamp01(std::min(float(y + 1), bot) - std::max(float(y), top));
            if (cover <= 0.f)
                continue;
            const uint32_t row = uint32_t(y + 1000);
            const float bristle = 0.72f + 0.28f * Hash01(seed, row);
            const float rowEnd = xEnd - 55.f * Hash01(seed + 7, row);
            if (float(x) > rowEnd)
                continue;
            img.Over(x, ((y % h) + h) % h, steel, opacity * ramp * cover * bristle);
        }
    }
}

static void Disc(Image& img, float cx, float cy, float r, Rgb c) {
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            img.Over(x, y, c, Clamp01(r + 0.5f - d));
        }
}

Image Panel() {
    Image img(480, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 480; ++x)
            img.Set(x, y, White);

    struct Stroke {
        float y, thick, xEnd, opacity, rampRight;
    };
    // Heavier in the upper right (strokes that reach across and darken
    // towards the right) and along the bottom; thin, short ones between.
    const Stroke strokes[] = {
        {36, 12, 470, 0.95f, 0.5f}, {52, 9, 400, 0.9f, 0.6f},   {68, 15, 470, 0.95f, 0.55f}, {88, 8, 360, 0.85f, 0.6f},
        {104, 6, 250, 0.7f, 0.4f},  {131, 5, 150, 0.6f, 0.f},   {162, 4, 110, 0.55f, 0.f},   {188, 5, 200, 0.6f, 0.f},
        {224, 16, 430, 0.9f, 0.2f}, {246, 9, 300, 0.85f, 0.1f}, {268, 18, 470, 0.95f, 0.1f}, {297, 14, 470, 0.9f, 0.1f},
        {312, 8, 260, 0.8f, 0.1f},
    };
    uint32_t seed = 11;
    for (const Stroke& s : strokes)
        BrushStroke(img, seed++, s.y, s.thick, s.xEnd, s.opacity, s.rampRight);

    // Splatter near the lower left; each drop's size is drawn before its
    // place, as when the drops were first made.
    Random random(2024);
    for (int i = 0; i < 14; ++i) {
        const float r = random.Range(0.5f, 2.0f);
        const float y = random.Range(256.f, 289.f);
        const float x = random.Range(2.f, 44.f);
        Disc(img, x, y, r, Ink);
    }
    // Two strays, then the emblem's rings, beyond what any panel shows.
    const struct {
        float x, y, r;
        Rgb c;
    } discs[] = {{184.5f, 259.5f, 0.9f, Ink}, {280.5f, 257.5f, 0.7f, Ink}, {562, 165, 127, White},
                 {562, 165, 94, EmblemNavy},  {562, 165, 91, White},       {562, 165, 88, EmblemNavy}};
    for (const auto& d : discs)
        Disc(img, d.x, d.y, d.r, d.c);
    return img;
}

// How much of pixel column x a band two pixels wide from left covers.
static float Band(int x, float left) {
    return Clamp01(std::min(float(x + 1), left + 2.f) - std::max(float(x), left));
}

// Whether point (px, py) lies within the close glyph's stroke from a to b.
static bool OnStroke(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float t = Clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(px - ax - t * dx, py - ay - t * dy) < 0.95f;
}

// How much of pixel (x, y) the button's glyph covers, confined to its box.
static float Glyph(TitleButton which, int x, int y) {
    switch (which) {
        case TitleButton::Close:
            if (x < 4 || x > 10 || y < 3 || y > 10)
                return 0.f;
            return Coverage(x, y, [](float px, float py) {
                return OnStroke(px, py, 4.5f, 3.5f, 10.5f, 10.5f) || OnStroke(px, py, 10.5f, 3.5f, 4.5f, 10.5f);
            });
        case TitleButton::Minimize:
            return x >= 5 && x <= 10 && y >= 6 && y <= 8 ? 1.f : 0.f;
        case TitleButton::About:
            return y >= 2 && y <= 11 ? Band(x, 8.f - 2.f * (y - 2) / 9.f) : 0.f;
    }
    return 0.f;
}

Image TitleFace(TitleButton which) {
    const TitleLook& look = TitleLooks[int(which)];
    const int n = TITLE_BUTTON_SIZE;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            img.Set(x, y, Mix(look.light, look.dark, (x + y) / float(2 * (n - 1))));
            img.Over(x, y, GlyphShadow, 0.6f * Glyph(which, x - 1, y - 1));
            // The close glyph greys towards its foot.
            const Rgb c = which == TitleButton::Close ? Mix(White, CloseGlyphFoot, Clamp01((y - 3) / 7.f)) : White;
            img.Over(x, y, c, Glyph(which, x, y));
        }
    return img;
}

Image SwitchFace(Switch which) {
    const bool calc = which == Switch::Calculator;
    const Rgb face = calc ? CalculatorFace : ConverterFace;
    const Rgb letters = calc ? CalculatorLetters : ConverterLetters;
    const int w = 88, h = 18;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Glass: a bright upper half that breaks at the middle, a face
            // that darkens a little towards the bottom.
            Rgb c = y < 9 ? Mix(Mix(face, White, 0.45f), Mix(face, White, 0.18f), y / 8.f)
                          : Mix(face, Scale(face, 0.86f), (y - 9) / 8.f);
            img.Set(x, y, c);
            // Highlight streaks slanting up to the right near both ends.
            for (float s : {3.f, 8.f, 70.f, 76.f})
                img.Over(x, y, White, 0.45f * Band(x, s + (h - 1 - y) * 0.5f));
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                img.Set(x, y, Mix(face, White, 0.7f));
        }
    Mask word = Lettering(Serif, "SWITCH", 47, 11);
    Paint(img, word, 20, 14 - word.Height(), letters);
    return img;
}

// The icon's ovals in fractions of its size, and how far out a point lies
// (1 on the rim).
struct Oval {
    float cx, cy, rx, ry;
    float Rho(float u, float v) const { return std::hypot((u - cx) / rx, (v - cy) / ry); }
};
const Oval Base{0.5f, 0.525f, 0.44f, 0.305f}, Bezel{0.5f, 0.475f, 0.44f, 0.325f};
const Oval Face{0.5f, 0.47f, 0.355f, 0.245f}, Gloss{0.5f, 0.36f, 0.27f, 0.085f};

// The icon at one point (u, v) of its square, before any lettering.
static Pixel IconSample(float u, float v) {
    Image sample(1, 1);
    // Pale glow round the base.
    const float rb = Base.Rho(u, v);
    if (rb >= 1.f) {
        sample.Over(0, 0, BaseGlow, 0.85f * std::exp(-(rb - 1.f) * 60.f));
    } else {
        sample.Set(0, 0, Mix(BaseTop, BaseLow, Clamp01((v - 0.6f) / 0.23f)));
        sample.Over(0, 0, BaseRim, Clamp01((rb - 0.93f) / 0.07f) * 0.8f);
    }
    const float rz = Bezel.Rho(u, v);
    if (rz < 1.f) {
        Rgb metal = Mix(MetalTop, MetalLow, Clamp01((v - 0.15f) / 0.65f));
        metal = Mix(metal, MetalEdge, SmoothStep(0.85f, 1.f, rz) * 0.6f);
        sample.Set(0, 0, metal);
    }
    const float rf = Face.Rho(u, v);
    if (rf < 1.f) {
        Rgb blue = Mix(FaceTop, FaceLow, SmoothStep(0.f, 1.f, (v - Face.cy) / Face.ry));
        blue = Mix(blue, FaceEdge, SmoothStep(0.75f, 1.f, rf) * 0.7f);
        sample.Set(0, 0, blue);
        const float rg = Gloss.Rho(u, v);
        if (rg < 1.f)
            sample.Over(0, 0, White, 0.5f * (1.f - rg * rg));
    }
    // The plus sign on the bezel, upper right, in a blue glow.
    const float dx = std::fabs(u - 0.80f), dy = std::fabs(v - 0.265f);
    const float arm = 0.048f, thick = 0.016f;
    const bool plus = (dx < arm && dy < thick) || (dy < arm && dx < thick);
    const float near = std::max(std::max(dx, dy) - arm, std::min(dx, dy) - thick);
    if (!plus && near < 0.04f)
        sample.Over(0, 0, PlusGlow, 0.6f * (1.f - near / 0.04f));
    if (plus)
        sample.Set(0, 0, White);
    return sample.At(0, 0);
}

// The name across the face; at 16 pixels, too small for letters, a dark
// band where they would be.
static void IconLettering(Image& img, int size) {
    const float s = float(size);
    if (size <= 16) {
        for (int y = 7; y <= 8; ++y)
            for (int x = 5; x <= 10; ++x)
                img.Over(x, y, IconLetters, 0.85f);
    } else {
        Mask word = Lettering(Sans, "OmbeX+", int(s * 0.52f), std::max(5, int(s * 0.15f)));
        // Small letters come out as mid-tones; darken them so they read.
        if (size < 64)
            word = word.Amplified(1.6f);
        Paint(img, word, (size - word.Width()) / 2, int(s * 0.47f) - word.Height() / 2, IconLetters);
    }
}

Image Icon(int size) {
    Image img(size, size);
    const float s = float(size);
    const int ss = size <= 64 ? 6 : 3;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Pixel& p = img.At(x, y);
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    const Pixel q = IconSample((x + (i + 0.5f) / ss) / s, (y + (j + 0.5f) / ss) / s);
                    p = {p.r + q.r, p.g + q.g, p.b + q.b, p.a + q.a};
                }
            const float k = 1.f / float(ss * ss);
            p = {p.r * k, p.g * k, p.b * k, p.a * k};
        }
    IconLettering(img, size);

    // Empty places stay white with the least alpha, so that no pixel is
    // wholly transparent black.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (img.At(x, y).a * 255.f < 1.f)
                img.Set(x, y, White, 1.f / 255.f);
    return img;
}

static bool InArrow(int x, int y) {
    if (x < 0 || y < 0 || y > 16)
        return false;
    return y <= 12 ? x <= std::min(y, 11) : x <= 16 - y;
}

Image Cursor(Arrow which) {
    Image img(32, 32);
    Mask offset(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            offset.Put(x, y, InArrow(x - 2, y - 2) ? 1.f : 0.f);
    const Mask shadow = offset.Blurred(1);

    const bool drag = which == Arrow::Drag;
    const Rgb edge = drag ? DragEdge : PointerEdge;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!InArrow(x, y)) {
                img.Over(x, y, Shadow, 0.5f * shadow.Get(x, y));
                continue;
            }
            const bool rim = !InArrow(x - 1, y) || !InArrow(x + 1, y) || !InArrow(x, y - 1) || !InArrow(x, y + 1);
            const Rgb fill = drag ? Mix(DragTop, DragLow, SmoothStep(6.f, 14.f, float(y)))
                                  : Mix(PointerTop, PointerLow, y / 15.f);
            img.Set(x, y, rim ? edge : fill);
        }
    return img;
}

}  // namespace skin
