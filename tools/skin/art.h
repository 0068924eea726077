// The skin's pictures, painted from code.
#ifndef SKIN_ART_H
#define SKIN_ART_H

#include "image.h"
#include "text.h"

namespace skin {

struct Fonts {
    Font serifBold{fontPath("DejaVuSerif-Bold.ttf")};
    Font sansBold{fontPath("DejaVuSans-Bold.ttf")};
};

// Whether panel pixel (x, y) lies in the rounded region that the program
// gives every panel.
bool panelRegion(int x, int y);

Image frame(const Fonts& f);               // 111
Image panel();                             // 133
enum class TitleButton { Close, Minimize, About };
Image titleButton(TitleButton which);      // 112, 115, 117
enum class Switch { Calculator, Converter };
Image switchFace(const Fonts& f, Switch which);  // 122, 123
Image icon(const Fonts& f, int size);      // images 1..6
enum class Arrow { Pointer, Drag };
Image cursor(Arrow which);                 // images 8 and 7

}  // namespace skin

#endif
