// The skin's pictures, painted from code.
#ifndef SKIN_ART_H
#define SKIN_ART_H

#include "image.h"

namespace skin {

// The pictures; main.cpp tells which resource each one is.
Image Frame();
Image Panel();
enum class TitleButton { Close, Minimize, About };
Image TitleFace(TitleButton which);
enum class Switch { Calculator, Converter };
Image SwitchFace(Switch which);
Image Icon(int size);
enum class Arrow { Pointer, Drag };
Image Cursor(Arrow which);

}  // namespace skin

#endif
