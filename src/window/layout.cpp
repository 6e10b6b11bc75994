// The main window's layout: every control that depends on the window's size follows the right
// or bottom edge by a fixed offset. It runs after every change of size or window state.

#include <optional>

#include "app/form1.h"
#include "dialogs/form3.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {
namespace {

using Value = std::optional<float>;
constexpr std::nullopt_t keep = std::nullopt;

// One placement: each given property is set on its own, so a value the control refuses (a
// negative size in a window smaller than the margins) keeps that property and the rest apply.
void place(forms::Control& c, Value top, Value left, Value width = keep, Value height = keep) {
  if (top) step([&] { c.setTop(*top); });
  if (left) step([&] { c.setLeft(*left); });
  if (width) step([&] { c.setWidth(*width); });
  if (height) step([&] { c.setHeight(*height); });
}

}  // namespace

void Form1::Form_Resize() {
  currentIndex = File1.ListIndex();
  // A cursor service that fails must not keep the window from being laid out.
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  unloadForm3();

  const float W = Width(), H = Height();
  // The component area, the browser above it, and the file panel closed.
  place(ShockwaveFlash1, 645, 120, W - 248, H - 1635);
  place(WindowsMediaPlayer1, 645, 120, W - 248, H - 1635);
  place(WebBrowser1, 600, 120, W - 248, H - 1390);
  step([&] { Frame1.setVisible(false); });

  // Control bar: end pieces at their design widths, the middle piece under the right one.
  place(Picture4, H - 983, 0, W - 8, 975);
  place(Image34, 0, 0);
  place(Image41, 0, Image34.Width(), Picture4.Width());
  place(Image40, 0, Picture4.Width() - Image40.Width());

  place(Picture5, 460, W - 128, 120, H - 975);
  place(Image36, 0, 0, 120, Picture5.Height());

  // The seek bar spans the bar; the volume bar, its icon and the times are a right-aligned
  // chain, each placed from the one before.
  place(tVate1, 45, 110, W - 220);
  place(volume, keep, W - volume.Width() - 500);
  place(Image37, keep, volume.Left() - 475);
  place(Label2, keep, Image37.Left() - 1345);
  place(Label1, keep, Label2.Left() - 480);

  // Title buttons at fixed distances from the right side.
  place(Image18, keep, W - 745);
  place(Image16, keep, W - 1135);
  place(Image19, keep, W - 1135);
  place(Image17, keep, W - 1510);
  place(Image21, keep, W - 1885);

  place(Picture2, 0, 0, W - 8, 645);
  place(Image33, 0, 0);
  place(Image38, 0, Image33.Width(), Picture2.Width());
  place(Image39, 0, Picture2.Width() - Image39.Width());

  place(Picture3, 460, 0, 120, H - 975);
  place(Image35, 0, 0, 120, Picture3.Height());

  // The file panel keeps its place under the title bar, hidden until asked for.
  place(Frame1, 645, 120, 1935, H - 1620);
  place(File1, Dir1.Height() + 675, 0, Frame1.Width(), Frame1.Height() - Dir1.Height() - 645);

  place(Picture7, H - Picture7.Height(), W - Picture7.Width());

  raiseSliders();
}

void Form1::raiseSliders() {
  step([&] { Picture7.Refresh(); });
  step([&] { tVate1.ZOrder(0); });
  step([&] { volume.ZOrder(0); });
}

}  // namespace kv::app
