// The running program on the virtual display, pixel by pixel against the
// pictures it carries: the frame, the panel and its labels behind the
// controls, the faces of the title and switch buttons; and each picture
// showing what it is for.
#include "program.h"

static const int Tolerance = 3;
static const RECT FrameArea = { 0, 0, FrameSize, FrameSize };

// The panel as it must look around its controls: its picture repeated from
// the corner, with its labels drawn on it as a panel draws them.
static Picture PanelCanvas(const Picture &panelPicture, const std::vector<PanelText> &labels)
{
    BITMAPINFO info = TopDownHeader(FrameSize, FrameSize);
    DWORD *bits = NULL;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void **)&bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    for (int y = 0; y < FrameSize; y++)
        for (int x = 0; x < FrameSize; x++) {
            COLORREF c = panelPicture.At(x, y % panelPicture.height);
            bits[y * FrameSize + x] = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
        }
    DrawTexts(dc, labels);
    SelectObject(dc, old);
    Picture painted = PictureOfBitmap(canvas);
    DeleteObject(canvas);
    DeleteDC(dc);
    return painted;
}

// Which picture each main-frame pixel shows, and where in it; no picture
// where a control (with a margin) or a title button decides instead.
struct Source { const Picture *picture; int x, y; };
static std::vector<Source> Composition(HWND frame, HWND panel, const Picture &framePicture, const Picture &canvas)
{
    std::vector<RECT> panelCovers, frameCovers;
    for (HWND control : Children(panel)) {
        RECT r = ChildRect(control);
        InflateRect(&r, 2, 2);
        panelCovers.push_back(r);
    }
    for (const TitleButton &t : TitleButtons)
        frameCovers.push_back(ChildRect(FindControl(frame, t.control)));
    HRGN region = PanelRegionInFrame();
    std::vector<Source> sources(FrameSize * FrameSize, Source{ NULL, 0, 0 });
    for (int Y = 0; Y < FrameSize; Y++)
        for (int X = 0; X < FrameSize; X++) {
            POINT at = { X, Y }, inPanel = { X - PanelX, Y - PanelY };
            bool covered = false;
            for (const RECT &r : frameCovers)
                covered |= !!PtInRect(&r, at);
            for (const RECT &r : panelCovers)
                covered |= PtInRegion(region, X, Y) && PtInRect(&r, inPanel);
            if (!covered)
                sources[Y * FrameSize + X] = PtInRegion(region, X, Y) ? Source{ &canvas, inPanel.x, inPanel.y }
                                                                       : Source{ &framePicture, X, Y };
        }
    DeleteObject(region);
    return sources;
}

// Every pixel of the frame against the rule, once the screen has settled;
// where the frame shows, its white opening never does.
static void ExpectComposited(Program &program)
{
    static const Picture framePicture = LoadPicture(FrameBitmap), panelPicture = LoadPicture(PanelBitmap);
    ASSERT_EQ(FrameSize, framePicture.width);
    ASSERT_EQ(480, panelPicture.width);
    const std::vector<PanelText> &labels = FixedLabels(ClassName(program.Panel()));
    Picture canvas = PanelCanvas(panelPicture, labels);
    std::vector<Source> sources = Composition(program.Frame(), program.Panel(), framePicture, canvas);
    auto mismatches = [&](std::string *first) {
        std::vector<COLORREF> screen = Capture(NULL, FrameArea);
        int bad = 0;
        for (size_t i = 0; i < sources.size(); i++) {
            const Source &s = sources[i];
            if (!s.picture)
                continue;
            COLORREF want = s.picture->At(s.x, s.y), seen = screen[i];
            bool whiteOpening = s.picture == &framePicture && seen == RGB(255, 255, 255);
            if ((ColourNear(want, seen, Tolerance) && !whiteOpening) || bad++ > 0 || !first)
                continue;
            std::string label = s.picture == &canvas ? TextAt(labels, POINT{ s.x, s.y }) : "";
            *first = "main frame (" + std::to_string(i % FrameSize) + "," + std::to_string(i / FrameSize) + ") shows " +
                     Rgb(seen) + ", " + (label.empty() ? "its picture " : "the label " + label + ": ") + Rgb(want);
        }
        return bad;
    };
    bool settled = WaitFor([&] { return mismatches(NULL) == 0; });
    std::string first;
    EXPECT_TRUE(settled) << mismatches(&first) << " pixels differ, first " << first;
    // What the screen shows is what each picture is for, so that pictures
    // carried under each other's numbers fail here too.
    Picture screen = PictureOfScreen(NULL, FrameArea);
    EXPECT_TRUE(ShowsItsRole(FrameBitmap, screen));
    EXPECT_TRUE(ShowsItsRole(PanelBitmap, screen, POINT{ PanelX, PanelY }));
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
        std::vector<COLORREF> screen = Capture(NULL, inner);
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
    for (const TitleButton &t : TitleButtons)
        ExpectFace(program.TitleButton(t.control), t.image);
    // Right of the wedge that the rounded corner cuts off the switch.
    HWND swap = program.Control(SwitchButton);
    ExpectFace(swap, CalculatorSwitchBitmap, 30);

    POINT p = CentreOf(swap);
    MouseClick(p.x, p.y);
    ASSERT_WAIT(ClassName(program.Panel()) == ConverterClass, "the converter");
    EXPECT_NO_FATAL_FAILURE(ExpectComposited(program));
    ExpectFace(program.Control(SwitchButton), ConverterSwitchBitmap, 30);
}
