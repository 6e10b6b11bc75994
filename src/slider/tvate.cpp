#include "slider/tvate.h"

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "platform/input_codes.h"
#include "slider/drawing.h"
#include "slider/geometry.h"

namespace kv::slider {
namespace {

// HIMETRIC units per pixel as the control has always divided them.
constexpr double kHimetricPerPixel = 26.45836;

short picturePixels(double himetric) {
  return toInt16(std::floor(himetric / kHimetricPerPixel + 0.5));
}

}  // namespace

tVate::tVate(std::string name, forms::Control* parent, Clock& clock, CursorService& cursor)
    : Control(forms::Kind::Slider, std::move(name), parent),
      cursor_(cursor),
      hoverTimer_("Timer1", clock) {
  hoverTimer_.setInterval(kHoverIntervalMs);
  hoverTimer_.Tick.connect([this] { hoverTick(); });
  setMax(100);
  setValue(1);
  setStyle(kStyleSkin);
  setIsShowCmd(true);
}

tVate::~tVate() = default;

// --- Properties ---

void tVate::setValue(int v) {
  // The user's drag owns the value until the release. The position display sets the value 20
  // times a second: an unchanged value neither repaints nor raises Changed.
  if (dragging_ || v == value_) return;
  value_ = v;
  Repaint();
  Changed.raise(value_, max_);
}

void tVate::setMax(int v) {
  max_ = v;
  Repaint();
}

void tVate::setStyle(int v) {
  style_ = v;
  Repaint();
}

void tVate::setCanMove(bool v) {
  canMove_ = v;
  Repaint();
}

void tVate::setIsShowCmd(bool v) {
  isShowCmd_ = v;
  Repaint();
}

short tVate::Bite_LP() const {
  return toInt16(biteLeft_ / 15.0);
}
short tVate::Bite_RP() const {
  return toInt16(biteRight_ / 15.0);
}
void tVate::setBite_LP(int pixels) {
  setBite(biteLeft_, pixels);
}
void tVate::setBite_RP(int pixels) {
  setBite(biteRight_, pixels);
}

void tVate::setBite(short& field, int pixels) {
  // toInt16 throws Overflow before anything is stored.
  field = toInt16(static_cast<double>(pixels) * forms::kTwipsPerPixel);
}

void tVate::setTopColor(std::uint32_t bgr) {
  topColor_ = bgr;
  Repaint();
}

void tVate::setBottomColor(std::uint32_t bgr) {
  bottomColor_ = bgr;
  Repaint();
}

void tVate::setGotTopColor(std::uint32_t bgr) {
  gotTopColor_ = bgr;
  Repaint();
}

void tVate::setGotBottomColor(std::uint32_t bgr) {
  gotBottomColor_ = bgr;
  Repaint();
}

void tVate::setBkPicture(forms::PictureRef picture) {
  Control::setPicture(std::move(picture));
  Repaint();
}

// The border belongs to the window: changing it changes the inner area, hence the repaint.
void tVate::setAppearance(int v) {
  appearance_ = toInt16(v);
  Repaint();
}

void tVate::setBorderStyle(int v) {
  borderStyle_ = toInt16(v);
  Repaint();
}

// --- Methods ---

short tVate::GetPictureWidth(const forms::PictureRef& picture) {
  return picture ? picturePixels(picture->widthHimetric()) : 0;
}

short tVate::GetPictureHeight(const forms::PictureRef& picture) {
  return picture ? picturePixels(picture->heightHimetric()) : 0;
}

int tVate::GetMouseState() {
  if (!Enabled()) return kThumbDisabled;
  if (!canMove_) return kThumbNormal;
  int state = kThumbNormal;
  if (dragging_) {
    state = kThumbPressed;
  } else if (hovering_ && lastMouseX_ > thumbLeft_ && lastMouseX_ < thumbLeft_ + thumbWidth_) {
    state = kThumbHover;
  }
  if (state != kThumbNormal)
    MouseOverCmd.raise();
  else
    MouseOutCmd.raise();
  return state;
}

void tVate::setPicture(forms::PictureRef newPicture, int lP_Width, int rP_Width, int lmP_Width,
                       int rmP_Width, int cP_Width, int cmp_Height, int cmp_Top) {
  const short height = GetPictureHeight(newPicture);
  if (height == 0) return;
  // Every argument is a 16-bit pixel count; a bad one fails the call before anything changes.
  const int widths[] = {toInt16(lP_Width), toInt16(rP_Width), toInt16(lmP_Width),
                        toInt16(rmP_Width), 4 * toInt16(cP_Width)};
  const short thumbHeight = cmp_Height != 0 ? toInt16(cmp_Height) : height;
  const short thumbTop = toInt16(cmp_Top);

  forms::PictureRef pieces[5];
  int x = 0;
  for (int i = 0; i < 5; ++i) {
    if (widths[i] != 0) pieces[i] = PicToPic(newPicture, x, 0, widths[i], height);
    x += widths[i];
  }
  const short thumbWidth = toInt16(GetPictureWidth(pieces[4]) * forms::kTwipsPerPixel / 4);
  const short capLeft = toInt16(GetPictureWidth(pieces[0]) * forms::kTwipsPerPixel);
  const short capRight = toInt16(GetPictureWidth(pieces[1]) * forms::kTwipsPerPixel);

  leftCapPicture_ = std::move(pieces[0]);
  rightCapPicture_ = std::move(pieces[1]);
  playedPicture_ = std::move(pieces[2]);
  remainingPicture_ = std::move(pieces[3]);
  thumbStrip_ = std::move(pieces[4]);
  thumbHeight_ = thumbHeight;
  thumbTop_ = thumbTop;
  thumbWidth_ = thumbWidth;
  capLeftWidth_ = capLeft;
  capRightWidth_ = capRight;
  Repaint();
}

forms::PictureRef tVate::PicToPic(const forms::PictureRef& thePicture, int LeftSrc, int TopSrc,
                                  int WidthSrc, int HeightSrc) const {
  if (!thePicture) return nullptr;
  return CopyAreaToPicture(thePicture->image(), LeftSrc, TopSrc, WidthSrc, HeightSrc);
}

std::vector<SavedProperty> tVate::WriteProperties() const {
  std::vector<SavedProperty> bag;
  auto put = [&bag](const char* key, PropertyValue value, const PropertyValue& def) {
    if (value != def) bag.push_back({key, std::move(value)});
  };
  put("Style", style_, kStyleSkin);
  put("Value", value_, 1);
  put("Max", max_, 100);
  put("BKPicture", BkPicture(), forms::PictureRef{});
  put("Appearance", int{appearance_}, 0);
  put("BorderStyle", int{borderStyle_}, 0);
  put("Bite_LP", int{biteLeft_}, 0);
  put("Bite_RP", int{biteRight_}, 0);
  put("IsShowCmd", isShowCmd_, true);
  put("TopColor", topColor_, BackColor());
  put("BottomColor", bottomColor_, BackColor());
  put("GotTopColor", gotTopColor_, std::uint32_t{0xFF0000});
  put("GotBottomColor", gotBottomColor_, std::uint32_t{0xFF0000});
  put("Caption", caption_, std::string{});
  put("CanMove", canMove_, true);
  return bag;
}

// --- Mouse ---

void tVate::inputMouseDown(int button, int shift, float x, float y) {
  auto b = static_cast<short>(button);
  auto s = static_cast<short>(shift);
  MouseDown.raise(b, s, x, y);
  if (b == 1) {
    dragging_ = true;
    // A press moves the thumb to the pointer at once.
    mouseMoveStep(b, s, x, y);
  }
}

void tVate::inputMouseMove(int button, int shift, float x, float y) {
  auto b = static_cast<short>(button);
  auto s = static_cast<short>(shift);
  mouseMoveStep(b, s, x, y);
}

void tVate::mouseMoveStep(short& button, short& shift, float& x, float& y) {
  MouseMove.raise(button, shift, x, y);
  hovering_ = true;
  hoverTimer_.setEnabled(true);
  lastMouseX_ = x;
  if (!canMove_) return;
  if (button == input::kLeftButton) valueFromMouse(x);
  Repaint();
}

void tVate::valueFromMouse(float x) {
  int v = value_;
  // A track without length (or an absurd result) leaves the value where it was.
  step([&] { v = valueAtMouse(trackGeometry(), x, max_); });
  value_ = dragClamp(v, max_);
  Changed.raise(value_, max_);
}

void tVate::inputMouseUp(int button, int shift, float x, float y) {
  auto b = static_cast<short>(button);
  auto s = static_cast<short>(shift);
  MouseUp.raise(b, s, x, y);
  dragging_ = false;
  Repaint();
}

void tVate::inputClick() {
  Click.raise();
}
void tVate::inputDblClick() {
  DBClick.raise();
}
void tVate::inputResize() {
  Repaint();
}

// The pointer can leave without a last mouse move over the control; the timer notices.
double tVate::shareAt(float x) const {
  const TrackGeometry g = trackGeometry();
  const float track = trackLength(g);
  if (!(track > 0)) return 0;
  return std::clamp((x - g.thumbSpan / 2 - g.capLeft + g.biteLeft) / track, 0.0f, 1.0f);
}

void tVate::hoverTick() {
  if (cursor_.WindowFromPoint(cursor_.GetCursorPos()) == Hwnd()) return;
  hoverTimer_.setEnabled(false);
  hovering_ = false;
  Repaint();
}

void tVate::setEnabled(bool v) {
  const bool changed = v != Enabled();
  Control::setEnabled(v);
  if (changed) Repaint();
}

}  // namespace kv::slider
