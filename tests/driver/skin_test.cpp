// The running program on the virtual display, pixel by pixel against the
// pictures it carries: the frame, the panel and its labels behind the
// controls, the faces of the title and switch buttons; and each picture
// showing what it is for. Resource numbers are the fixed ones, written out.
#include "program.h"

static const int Tolerance = 3;
static const RECT FrameArea = { 0, 0, 330, 330 };

// Which picture each main-frame pixel shows, and where in it (first rule
// that applies); no picture where a control or a title button decides
// instead.
struct Source { const Picture *picture; int x, y; };

// The panel as it must look around its controls: its picture repeated from
// the corner, with its labels drawn on it as a panel draws them.
static Picture PanelCanvas(const Picture &panelPicture, const std::vector<PanelText> &labels)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 330;
    info.bmiHeader.biHeight = -330;   // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD *bits = NULL;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void **)&bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    for (int y = 0; y < 330; y++)
        for (int x = 0; x < 330; x++) {
            COLORREF c = panelPicture.At(x, y % 300);
            bits[y * 330 + x] = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
        }
    DrawTexts(dc, labels);
    SelectObject(dc, old);
    Picture painted = PictureOfBitmap(canvas);
    DeleteObject(canvas);
    DeleteDC(dc);
    return painted;
}

static std::vector<Source> Composition(HWND frame, HWND panel, const Picture &framePicture,
                                       const Picture &canvas)
{
    // Controls with a margin, in panel coordinates.
    std::vector<RECT> panelCovers;
    for (HWND control : Children(panel)) {
        RECT r = ChildRect(control);
        InflateRect(&r, 2, 2);
        panelCovers.push_back(r);
    }
    std::vector<RECT> frameCovers;
    for (HWND child : Children(frame))
        if (ClassName(child) == "Button")
            frameCovers.push_back(ChildRect(child));

    HRGN region = CreateRoundRectRgn(0, 30, 300, 500, 147, 147);
    std::vector<Source> sources(330 * 330, Source{ NULL, 0, 0 });
    for (int Y = 0; Y < 330; Y++)
        for (int X = 0; X < 330; X++) {
            POINT at = { X, Y }, inPanel = { X - 18, Y + 10 };
            Source &s = sources[Y * 330 + X];
            bool covered = false;
            for (const RECT &r : frameCovers)
                covered |= !!PtInRect(&r, at);
            if (covered)
                continue;
            // The region reaches below the panel, which ends at its row 329.
            if (inPanel.y < 330 && PtInRegion(region, inPanel.x, inPanel.y)) {
                for (const RECT &r : panelCovers)
                    covered |= !!PtInRect(&r, inPanel);
                if (!covered)
                    s = { &canvas, inPanel.x, inPanel.y };
            } else {
                s = { &framePicture, X, Y };
            }
        }
    DeleteObject(region);
    return sources;
}

// Every pixel of the frame against the rule, once the screen has settled.
static void ExpectComposited(Program &program)
{
    static const Picture framePicture = LoadPicture(111), panelPicture = LoadPicture(133);
    ASSERT_EQ(330, framePicture.width);
    ASSERT_EQ(480, panelPicture.width);
    const std::vector<PanelText> &labels = FixedLabels(ClassName(program.Panel()));
    Picture canvas = PanelCanvas(panelPicture, labels);
    std::vector<Source> sources = Composition(program.Frame(), program.Panel(), framePicture, canvas);
    auto mismatches = [&](std::string *first) {
        std::vector<COLORREF> screen = Screenshot(FrameArea);
        int bad = 0;
        for (size_t i = 0; i < sources.size(); i++) {
            const Source &s = sources[i];
            if (!s.picture)
                continue;
            COLORREF want = s.picture->At(s.x, s.y), seen = screen[i];
            if (ColourNear(want, seen, Tolerance) || bad++ > 0 || !first)
                continue;
            int X = i % 330, Y = i / 330;
            std::string label = s.picture == &canvas ? TextAt(labels, POINT{ X - 18, Y + 10 }) : "";
            *first = "main frame (" + std::to_string(X) + "," + std::to_string(Y) + ") shows " +
                     Rgb(seen) + ", " + (label.empty() ? "its picture " : "the label " + label + ": ") +
                     Rgb(want);
        }
        return bad;
    };
    bool settled = WaitFor([&] { return mismatches(NULL) == 0; });
    std::string first;
    EXPECT_TRUE(settled) << mismatches(&first) << " pixels differ, first " << first;
    // What the screen shows is what each picture is for, so that pictures
    // carried under each other's numbers fail here too.
    Picture screen = PictureOfScreen(NULL, FrameArea);
    EXPECT_TRUE(ShowsItsRole(111, screen));
    EXPECT_TRUE(ShowsItsRole(133, screen, POINT{ 18, -10 }));
}

// A bitmap button shows its image centred; its rim may belong to the button.
static void ExpectFace(HWND button, int image, int firstColumn = 2)
{
    Picture face = LoadPicture(image);
    RECT r;
    GetWindowRect(button, &r);
    ASSERT_EQ(face.width, r.right - r.left);
    ASSERT_EQ(face.height, r.bottom - r.top);
    RECT inner = { r.left + firstColumn, r.top + 2, r.right - 2, r.bottom - 2 };
    bool shown = WaitFor([&] {
        std::vector<COLORREF> screen = Screenshot(inner);
        int w = inner.right - inner.left;
        for (size_t i = 0; i < screen.size(); i++)
            if (!ColourNear(screen[i], face.At(firstColumn + i % w, 2 + i / w), Tolerance))
                return false;
        return true;
    });
    EXPECT_TRUE(shown) << "button face " << image;
    EXPECT_TRUE(ShowsItsRole(image, PictureOfScreen(NULL, r)));
}

TEST(Screen, CalculatorAndConverterShowTheirPictures)
{
    Program program;
    EXPECT_NO_FATAL_FAILURE(ExpectComposited(program));
    static const struct { int x, y, image; } titles[] = {
        { 292, 7, 115 }, { 309, 7, 112 }, { 309, 23, 117 },
    };
    for (auto &t : titles)
        ExpectFace(program.Control(program.Frame(), "Button", t.x, t.y), t.image);
    // Right of the wedge that the rounded corner cuts off the switch.
    HWND swap = program.Control(program.Panel(), "Button", 17, 35);
    ExpectFace(swap, 122, 30);

    POINT p = CentreOf(swap);
    MouseClick(p.x, p.y);
    ASSERT_WAIT(ClassName(program.Panel()) == "Ombex", "the converter");
    EXPECT_NO_FATAL_FAILURE(ExpectComposited(program));
    ExpectFace(program.Control(program.Panel(), "Button", 17, 35), 123, 30);

    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
}

// The frame picture's white opening lies wholly under the panel: outside
// the panel and the title buttons (whose glyphs are white) nothing is white.
TEST(Screen, WhiteOpeningNeverShows)
{
    Program program;
    ASSERT_NO_FATAL_FAILURE(ExpectComposited(program));
    std::vector<RECT> buttons;
    for (HWND child : Children(program.Frame()))
        if (ClassName(child) == "Button")
            buttons.push_back(ChildRect(child));
    ASSERT_EQ(3u, buttons.size());
    HRGN region = CreateRoundRectRgn(0, 30, 300, 500, 147, 147);
    std::vector<COLORREF> screen = Screenshot(FrameArea);
    int white = 0;
    for (int Y = 0; Y < 330; Y++)
        for (int X = 0; X < 330; X++) {
            POINT at = { X, Y };
            bool onButton = false;
            for (const RECT &r : buttons)
                onButton |= !!PtInRect(&r, at);
            if (!onButton && !PtInRegion(region, X - 18, Y + 10) && screen[Y * 330 + X] == RGB(255, 255, 255))
                white++;
        }
    EXPECT_EQ(0, white);
    DeleteObject(region);
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
}
