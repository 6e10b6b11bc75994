#pragma once
// tVate: the player's own slider control (the seek bar and the volume bar). It keeps an integer
// value between 0 and Max, draws itself from a skin picture or from colour gradients into its
// own raster surface, lets the user drag its thumb, and reports to its container through events.
// All geometry is in twips, 15 to the pixel.

#include <QImage>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/forms/control.h"
#include "platform/forms/picture.h"
#include "platform/forms/timer.h"
#include "platform/services.h"
#include "slider/geometry.h"

namespace kv::slider {

// Index of a thumb image in the skin's thumb strip; GetMouseState returns one of these.
enum ThumbState : int {
  kThumbNormal = 0,
  kThumbHover = 1,
  kThumbPressed = 2,
  kThumbDisabled = 3,
};

// Values of Style; any other value draws colour gradients.
enum StyleValue : int {
  kStyleSkin = 2,          // caps and tiles of the skin, stretched
  kStyleFullPictures = 3,  // played and remaining pictures copied unscaled
};

// One entry of the design-time property bag written by WriteProperties.
using PropertyValue = std::variant<int, bool, std::uint32_t, std::string, forms::PictureRef>;
struct SavedProperty {
  std::string key;
  PropertyValue value;
};

class tVate : public forms::Control {
 public:
  static constexpr int kHoverIntervalMs = 10;
  static constexpr std::uint32_t kTransparentColour = 0xFF00FF;  // blue-green-red: magenta

  // The hover timer runs on clock; cursor tells it when the pointer has left the control.
  tVate(std::string name, forms::Control* parent, Clock& clock, CursorService& cursor);
  ~tVate() override;

  // --- Properties. Setters of Style, CanMove, IsShowCmd, the four colours, Max and BkPicture
  // repaint; Caption does not. ---

  int Value() const { return value_; }
  // Ignored while the thumb is dragged or when it equals the value; otherwise stored unclamped,
  // repainted, Changed raised.
  void setValue(int v);
  int Max() const { return max_; }
  void setMax(int v);
  int Style() const { return style_; }
  void setStyle(int v);
  bool CanMove() const { return canMove_; }
  void setCanMove(bool v);
  bool IsShowCmd() const { return isShowCmd_; }
  void setIsShowCmd(bool v);
  // Bites in pixels, held in twips in a 16-bit field: -2184..2184 accepted, anything else
  // throws RuntimeError(Overflow) and keeps the old bite.
  short Bite_LP() const;
  void setBite_LP(int pixels);
  short Bite_RP() const;
  void setBite_RP(int pixels);
  // Colours are blue-green-red; a value with the high bit set is a system colour.
  std::uint32_t TopColor() const { return topColor_; }
  void setTopColor(std::uint32_t bgr);
  std::uint32_t BottomColor() const { return bottomColor_; }
  void setBottomColor(std::uint32_t bgr);
  std::uint32_t GotTopColor() const { return gotTopColor_; }
  void setGotTopColor(std::uint32_t bgr);
  std::uint32_t GotBottomColor() const { return gotBottomColor_; }
  void setGotBottomColor(std::uint32_t bgr);
  // Printed centred over the bar at the next repaint (hides the base Caption).
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& text) { caption_ = text; }
  // Background picture of the control's window (the base Picture), drawn under the bar.
  const forms::PictureRef& BkPicture() const { return Picture(); }
  void setBkPicture(forms::PictureRef picture);
  // 0 flat, 1 3-D; 0 no border, 1 fixed single. The border takes room from the inner area.
  short Appearance() const { return appearance_; }
  void setAppearance(int v);
  short BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int v);
  // Mouse cursor of the control: the Control's MouseIcon and MousePointer.
  const forms::PictureRef& cMouseIcon() const { return MouseIcon(); }
  void setcMouseIcon(forms::PictureRef icon) { setMouseIcon(std::move(icon)); }
  short cMousePointer() const { return static_cast<short>(MousePointer()); }
  void setcMousePointer(int shape) { setMousePointer(shape); }
  // The control's window is the control itself in this runtime (what WindowFromPoint returns).
  const forms::Control* Hwnd() const { return this; }

  // --- Methods ---

  // Size of a picture in pixels from its HIMETRIC size; 0 for no picture.
  static short GetPictureWidth(const forms::PictureRef& picture);
  static short GetPictureHeight(const forms::PictureRef& picture);
  // Thumb state (ThumbState); with CanMove raises MouseOverCmd (non-zero) or MouseOutCmd (0).
  int GetMouseState();
  // Cuts the skin: left cap, right cap, played tile, remaining tile and a strip of four thumb
  // images, side by side from x = 0, all as high as the picture; widths in pixels. A picture
  // of height 0 (or none) changes nothing. cmp_Height (0: picture height) and cmp_Top place
  // the thumb vertically, in pixels.
  void setPicture(forms::PictureRef newPicture, int lP_Width, int rP_Width, int lmP_Width,
                  int rmP_Width, int cP_Width, int cmp_Height = 0, int cmp_Top = 0);
  // A new picture holding the given rectangle (pixels) of thePicture; none for no picture.
  forms::PictureRef PicToPic(const forms::PictureRef& thePicture, int LeftSrc, int TopSrc,
                             int WidthSrc, int HeightSrc) const;
  // Clears the surface and draws the whole control again.
  void Repaint();
  // Design-time save: the keys whose values differ from their defaults.
  std::vector<SavedProperty> WriteProperties() const;

  // The control's raster surface (Width/15 x Height/15 pixels) for the desktop view.
  const QImage& surface() const { return surface_; }
  const QImage* surfaceImage() const override { return &surface_; }

  // --- Events, in declaration order ---

  Event<> MouseOverCmd;
  Event<> MouseOutCmd;
  Event<int&, int&> Changed;  // tValue, tMax: the stored Value and Max
  Event<> Done;               // declared for containers; never raised
  // Button, Shift, X, Y (twips). Raised before the control moves Value or its drag state; a
  // handler that changes an argument changes what the control goes on with.
  Event<short&, short&, float&, float&> MouseMove;
  Event<short&, short&, float&, float&> MouseUp;
  Event<short&, short&, float&, float&> MouseDown;
  Event<> Click;
  Event<> DBClick;

  // --- Input from the desktop view (or a test) ---

  void inputMouseDown(int button, int shift, float x, float y) override;
  void inputMouseMove(int button, int shift, float x, float y) override;
  void inputMouseUp(int button, int shift, float x, float y) override;
  void inputClick() override;
  void inputDblClick() override;
  void inputResize() override;
  // A size change resizes the surface and repaints, like the window's Resize.
  // A disabled bar shows its disabled thumb at once.
  void setEnabled(bool v) override;
  void setWidth(float v) override;
  void setHeight(float v) override;

  // Drag and hover state, for the view and tests.
  bool dragging() const { return dragging_; }
  bool hovering() const { return hovering_; }
  bool hoverTimerRunning() const { return hoverTimer_.Enabled(); }
  float thumbLeft() const { return thumbLeft_; }
  // How far along the track (0..1) the mouse at x points, for what is shown about that place; 0
  // for a track without length. It moves nothing.
  double shareAt(float x) const;

 private:
  void mouseMoveStep(short& button, short& shift, float& x, float& y);
  void valueFromMouse(float x);
  void hoverTick();
  void setBite(short& field, int pixels);
  void sizeChanged(int oldWidthPixels, int oldHeightPixels);
  // Painting (paint.cpp).
  TrackGeometry trackGeometry() const;
  int borderPixels() const;
  QSize innerPixels() const;
  void paintBar(QImage& canvas, float thumbCentre);
  void paintCaption(QImage& canvas);

  CursorService& cursor_;
  forms::Timer hoverTimer_;

  int value_ = 0;
  int max_ = 0;
  int style_ = 0;
  bool canMove_ = false;
  bool isShowCmd_ = false;
  short biteLeft_ = 0;   // twips
  short biteRight_ = 0;  // twips
  std::uint32_t topColor_ = 0;
  std::uint32_t bottomColor_ = 0;
  std::uint32_t gotTopColor_ = 0;
  std::uint32_t gotBottomColor_ = 0;
  std::string caption_;
  short appearance_ = 1;
  short borderStyle_ = 0;

  // Skin pieces and geometry.
  forms::PictureRef leftCapPicture_;
  forms::PictureRef rightCapPicture_;
  forms::PictureRef playedPicture_;
  forms::PictureRef remainingPicture_;
  forms::PictureRef thumbStrip_;
  short capLeftWidth_ = 0;   // twips
  short capRightWidth_ = 0;  // twips
  short thumbWidth_ = 0;     // twips
  short thumbHeight_ = 0;    // pixels
  short thumbTop_ = 0;       // pixels

  bool dragging_ = false;
  bool hovering_ = false;
  float thumbLeft_ = 0;   // twips
  float lastMouseX_ = 0;  // twips

  QImage surface_;
  unsigned paintGeneration_ = 0;  // lets a repaint notice one nested in its event handlers
};

}  // namespace kv::slider
