// The renderer's hooks filled with this layer's drawing.
#include "text/painters.h"

#include "preview/renderer.h"
#include "text/imageref.h"
#include "text/pointmarker.h"
#include "text/textdraw.h"

void InstallTextPainters() {
  SetEntityPainters(
      {DrawImageRef, DrawTextEntity, DrawPointEntity, DrawCodedPointEntity, TextEntityBox});
}
