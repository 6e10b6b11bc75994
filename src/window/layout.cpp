// The main window's layout: every control that depends on the window's size follows the right
// or bottom edge by a fixed offset. It runs after every change of size or window state.

#include <optional>

#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {
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

void Presentation::Form_Resize() {
  host_.noteSelectedEntry();
  // A cursor service that fails must not keep the window from being laid out.
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  host_.closeMenuWindow();

  const float W = s_.form.Width(), H = s_.form.Height();
  // The component area, the browser above it, and the file panel closed.
  place(s_.ShockwaveFlash1, 645, 120, W - 248, H - 1635);
  place(s_.WindowsMediaPlayer1, 645, 120, W - 248, H - 1635);
  place(s_.WebBrowser1, 600, 120, W - 248, H - 1390);
  step([&] { s_.Frame1.setVisible(false); });

  // Control bar: end pieces at their design widths, the middle piece under the right one.
  place(s_.Picture4, H - 983, 0, W - 8, 975);
  place(s_.Image34, 0, 0);
  place(s_.Image41, 0, s_.Image34.Width(), s_.Picture4.Width());
  place(s_.Image40, 0, s_.Picture4.Width() - s_.Image40.Width());

  place(s_.Picture5, 460, W - 128, 120, H - 975);
  place(s_.Image36, 0, 0, 120, s_.Picture5.Height());

  // The seek bar spans the bar; the volume bar, its icon and the times are a right-aligned
  // chain, each placed from the one before.
  place(s_.tVate1, 45, 110, W - 220);
  place(s_.volume, keep, W - s_.volume.Width() - 500);
  place(s_.Image37, keep, s_.volume.Left() - 475);
  place(s_.Label2, keep, s_.Image37.Left() - 1345);
  place(s_.Label1, keep, s_.Label2.Left() - 480);

  // Title buttons at fixed distances from the right side.
  place(s_.Image18, keep, W - 745);
  place(s_.Image16, keep, W - 1135);
  place(s_.Image19, keep, W - 1135);
  place(s_.Image17, keep, W - 1510);
  place(s_.Image21, keep, W - 1885);

  place(s_.Picture2, 0, 0, W - 8, 645);
  place(s_.Image33, 0, 0);
  place(s_.Image38, 0, s_.Image33.Width(), s_.Picture2.Width());
  place(s_.Image39, 0, s_.Picture2.Width() - s_.Image39.Width());

  place(s_.Picture3, 460, 0, 120, H - 975);
  place(s_.Image35, 0, 0, 120, s_.Picture3.Height());

  // The file panel keeps its place under the title bar, hidden until asked for.
  place(s_.Frame1, 645, 120, 1935, H - 1620);
  place(s_.File1, s_.Dir1.Height() + 675, 0, s_.Frame1.Width(),
        s_.Frame1.Height() - s_.Dir1.Height() - 645);

  place(s_.Picture7, H - s_.Picture7.Height(), W - s_.Picture7.Width());

  raiseSliders();
}

// Always in this order, whichever group is shown.
void Presentation::showButtonLayout(bool picture) {
  for (forms::Image* b : {&s_.Image2, &s_.Image5, &s_.Image7})
    step([&] { b->setVisible(picture); });
  for (forms::Image* b : {&s_.Image3, &s_.Image6, &s_.Image8})
    step([&] { b->setVisible(!picture); });
}

bool Presentation::pictureLayoutShown() const {
  return s_.Image5.Visible();
}

void Presentation::raiseSliders() {
  step([&] { s_.Picture7.Refresh(); });
  step([&] { s_.tVate1.ZOrder(0); });
  step([&] { s_.volume.ZOrder(0); });
}

}  // namespace kv::window
