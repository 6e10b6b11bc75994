#pragma once
// A picture of a window of the forms runtime as the desktop view would show it at 15 twips
// per pixel: back colours, pictures, captions, the sliders' surfaces. Used to look at the skin
// without a display and by the tests of the skin.

#include <QImage>

#include "platform/forms/control.h"

namespace kv::test {

// video: drawn into visible media components (letterboxed); null leaves them black.
QImage renderWindowMock(const forms::Control& window, const QImage& video = {});

}  // namespace kv::test
