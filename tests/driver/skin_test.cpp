// The running program on the virtual display, pixel by pixel against the
// pictures it carries: the frame, the panel and its labels behind the
// controls, the faces of the title and switch buttons; and each picture
// showing what it is for.
#include "program.h"

static const int Tolerance = 3;
static const RECT FrameArea = { 0, 0, FrameSize, FrameSize };

// Every pixel of the frame against what it must show, once the screen has
// settled: the frame's picture, and within the panel's region the panel's
// picture repeated from its corner with its labels drawn as a panel draws
// them. Where the frame shows, its white opening never does.
static void ExpectComposited(Program &program)
{
    static const Picture frame = LoadPicture(FrameBitmap), panel = LoadPicture(PanelBitmap);
    ASSERT_EQ(FrameSize, frame.width);
    ASSERT_EQ(480, panel.width);
    const std::vector<PanelText> &labels = FixedLabels(ClassName(program.Panel()));
    // What decides instead of a picture: the title buttons anywhere, and
    // within the panel's region its controls with a margin.
    std::vector<RECT> covers[2];
    for (const TitleButton &t : TitleButtons)
        covers[0].push_back(ChildRect(program.TitleButton(t.control)));
    for (HWND control : Children(program.Panel())) {
        RECT r = ChildRect(control);
        InflateRect(&r, 2, 2);
        OffsetRect(&r, PanelX, PanelY);
        covers[1].push_back(r);
    }
    // Which picture each pixel shows ('f', 'p', or 0 for none), and its colour.
    HRGN region = PanelRegionInFrame();
    std::vector<char> from(FrameSize * FrameSize);
    BITMAPINFO info = TopDownHeader(FrameSize, FrameSize);
    DWORD *bits = NULL;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void **)&bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    for (int i = 0; i < FrameSize * FrameSize; i++) {
        POINT at = { i % FrameSize, i / FrameSize };
        bool inPanel = PtInRegion(region, at.x, at.y);
        COLORREF c = inPanel ? panel.At(at.x - PanelX, (at.y - PanelY) % panel.height) : frame.At(at.x, at.y);
        bits[i] = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
        from[i] = inPanel ? 'p' : 'f';
        for (int k = 0; k <= inPanel; k++)
            for (const RECT &r : covers[k])
                from[i] = PtInRect(&r, at) ? 0 : from[i];
    }
    SelectClipRgn(dc, region);
    SetViewportOrgEx(dc, PanelX, PanelY, NULL);
    DrawTexts(dc, labels);
    SelectObject(dc, old);
    Picture want = PictureOfBitmap(canvas);
    DeleteObject(canvas);
    DeleteDC(dc);
    DeleteObject(region);

    std::vector<COLORREF> screen;
    std::vector<size_t> bad;
    bool settled = WaitFor([&] {
        screen = Capture(NULL, FrameArea);
        bad.clear();
        for (size_t i = 0; i < screen.size(); i++)
            if (from[i] && (!ColourNear(want.pixels[i], screen[i], Tolerance) ||
                            (from[i] == 'f' && screen[i] == RGB(255, 255, 255))))
                bad.push_back(i);
        return bad.empty();
    });
    if (!settled) {
        int x = bad[0] % FrameSize, y = bad[0] / FrameSize;
        std::string label = from[bad[0]] == 'p' ? TextAt(labels, POINT{ x - PanelX, y - PanelY }) : "";
        ADD_FAILURE() << bad.size() << " pixels differ, first main frame (" << x << "," << y << ") shows "
                      << Rgb(screen[bad[0]]) << ", " << (label.empty() ? "its picture " : "the label " + label + ": ")
                      << Rgb(want.pixels[bad[0]]);
    }
    // What the screen shows is what each picture is for, so that pictures
    // carried under each other's numbers fail here too.
    Picture shown = PictureOfScreen(NULL, FrameArea);
    EXPECT_TRUE(ShowsItsRole(FrameBitmap, shown));
    EXPECT_TRUE(ShowsItsRole(PanelBitmap, shown, POINT{ PanelX, PanelY }));
}

// A bitmap button shows its image centred; its rim may belong to the button.
static void ExpectFace(HWND button, int image, int firstColumn = 2)
{
    Picture face = LoadPicture(image);
    RECT r;
    GetWindowRect(button, &r);
    ASSERT_EQ(face.width, r.right - r.left);
    ASSERT_EQ(face.height, r.bottom - r.top);
    bool shown = WaitFor([&] {
        Picture seen = PictureOfScreen(NULL, r);
        for (int y = 2; y < face.height - 2; y++)
            for (int x = firstColumn; x < face.width - 2; x++)
                if (!ColourNear(seen.At(x, y), face.At(x, y), Tolerance))
                    return false;
        return true;
    });
    EXPECT_TRUE(shown) << "button face " << image;
    EXPECT_TRUE(ShowsItsRole(image, PictureOfScreen(NULL, r)));
}

// Each panel's controls and the title buttons as they are pinned, their
// extended style too: a sunken client edge would frame them on the skin.
TEST(SkinTest, CalculatorAndConverterShowTheirPictures)
{
    Program program;
    EXPECT_NO_FATAL_FAILURE(ExpectComposited(program));
    for (const TitleButton &t : TitleButtons) {
        EXPECT_TRUE(MadeAs(program.TitleButton(t.control), t.control));
        ExpectFace(program.TitleButton(t.control), t.image);
    }
    for (const ControlRow &row : CalculatorControls)
        EXPECT_TRUE(MadeAs(program.Control(row), row));
    // Right of the wedge that the rounded corner cuts off the switch.
    ExpectFace(program.Control(SwitchButton), CalculatorSwitchBitmap, 30);

    MouseClick(CentreOf(program.Control(SwitchButton)));
    ASSERT_WAIT(ClassName(program.Panel()) == ConverterClass, "the converter");
    EXPECT_NO_FATAL_FAILURE(ExpectComposited(program));
    for (const ControlRow &row : ConverterControls)
        EXPECT_TRUE(MadeAs(program.Control(row), row));
    ExpectFace(program.Control(SwitchButton), ConverterSwitchBitmap, 30);
}
