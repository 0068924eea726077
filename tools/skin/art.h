// The skin's pictures, painted from code.
#ifndef SKIN_ART_H
#define SKIN_ART_H

#include "image.h"
#include "text.h"

namespace skin {

struct Fonts {
    Font serifBold{FontPath("DejaVuSerif-Bold.ttf")};
    Font sansBold{FontPath("DejaVuSans-Bold.ttf")};
};

// Whether panel pixel (x, y) lies in the rounded region that the program
// gives every panel.
bool PanelRegion(int x, int y);

// The pictures; main.cpp tells which resource each one is.
Image Frame(const Fonts& f);
Image Panel();
enum class TitleButton { Close, Minimize, About };
Image TitleFace(TitleButton which);
enum class Switch { Calculator, Converter };
Image SwitchFace(const Fonts& f, Switch which);
Image Icon(const Fonts& f, int size);
enum class Arrow { Pointer, Drag };
Image Cursor(Arrow which);

}  // namespace skin

#endif
