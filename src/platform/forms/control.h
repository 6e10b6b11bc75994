#pragma once
// The forms runtime: a toolkit-free model of windows and their controls. Geometry is in twips
// (15 per pixel), held as float like the original controls. The desktop view observes it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/event.h"
#include "platform/forms/picture.h"

namespace kv::forms {

constexpr float kTwipsPerPixel = 15.0f;

enum class Kind {
  Form,
  Label,
  Image,
  PictureBox,
  Frame,
  OptionButton,
  CheckBox,
  CommandButton,
  Line,
  DriveList,
  DirList,
  FileList,
  Slider,
  Component,
};

// Mouse pointer shapes of MousePointer.
enum MousePointerShape : int {
  kDefault = 0,
  kArrow = 1,
  kCross = 2,
  kIBeam = 3,
  kSizeAll = 5,
  kSizeNESW = 6,
  kSizeNS = 7,
  kSizeNWSE = 8,
  kSizeWE = 9,
  kUpArrow = 10,
  kHourglass = 11,
  kNoDrop = 12,
  kHand = 99,  // the control's own MouseIcon
};

// What changed in a control, as the desktop view learns it (bits, several at once).
enum Change : std::uint32_t {
  kChangeGeometry = 1u << 0,
  kChangeVisible = 1u << 1,
  kChangeCaption = 1u << 2,
  kChangeColours = 1u << 3,
  kChangePicture = 1u << 4,
  kChangeZOrder = 1u << 5,
  kChangeStyle = 1u << 6,  // window style bits, top-most flag
  kChangeWindowState = 1u << 7,
  kChangeChildren = 1u << 8,  // a child control was added or removed
  kChangeEnabled = 1u << 9,
  kChangePointer = 1u << 10,  // MousePointer or MouseIcon
  kChangeToolTip = 1u << 11,
  kChangeValue = 1u << 12,      // option button or check box value
  kChangeItems = 1u << 13,      // the names of a list
  kChangeSelection = 1u << 14,  // the selected entry of a list
  kChangeRefresh = 1u << 15,    // repaint asked for (the slider's raster surface)
  kChangeFocus = 1u << 16,
  kChangeFont = 1u << 17,
  // The change came from the desktop (the window manager moved or sized the window): the view
  // already shows it and must not apply it back.
  kChangeFromDesktop = 1u << 31,
};
using Changes = std::uint32_t;

class Control {
 public:
  Control(Kind kind, std::string name, Control* parent);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  // Children in z-order: back first, front last.
  const std::vector<Control*>& children() const { return children_; }

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  virtual void setLeft(float v);
  virtual void setTop(float v);
  // Negative sizes are refused with InvalidPropertyValue and change nothing.
  virtual void setWidth(float v);
  virtual void setHeight(float v);
  void Move(float left, float top);
  void Move(float left, float top, float width, float height);
  // Design geometry, in one call: left, top, width, height.
  Control& design(float left, float top, float width, float height);

  bool Visible() const { return visible_; }
  void setVisible(bool v);
  bool Enabled() const { return enabled_; }
  virtual void setEnabled(bool v);
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& v);
  const std::string& ToolTipText() const { return toolTip_; }
  void setToolTipText(const std::string& v);
  // Caption and tool tip are texts of their own (a title, a file name), not described captions:
  // shown as they are, with no access key, markup or translation.
  bool LiteralText() const { return literalText_; }
  void setLiteralText(bool v);
  std::uint32_t ForeColor() const { return foreColor_; }
  void setForeColor(std::uint32_t bgr);
  std::uint32_t BackColor() const { return backColor_; }
  void setBackColor(std::uint32_t bgr);
  const PictureRef& Picture() const { return picture_; }
  void setPicture(PictureRef p);
  const std::string& Tag() const { return tag_; }
  void setTag(const std::string& v) { tag_ = v; }
  int MousePointer() const { return mousePointer_; }
  void setMousePointer(int shape);
  const PictureRef& MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(PictureRef p);
  int Value() const { return value_; }  // option buttons and check boxes
  // Setting an option button also clears the other option buttons of its container.
  void setValue(int v);
  // 0 transparent (the container shows through), 1 opaque in BackColor.
  int BackStyle() const { return backStyle_; }
  void setBackStyle(int style);
  // An image scales its picture to its size; otherwise the picture keeps its own size.
  bool Stretch() const { return stretch_; }
  void setStretch(bool v);
  // The caption's font: family ("" is the desktop's), size in points, bold.
  const std::string& FontName() const { return fontName_; }
  void setFontName(const std::string& v);
  float FontSize() const { return fontSize_; }
  void setFontSize(float points);
  bool FontBold() const { return fontBold_; }
  void setFontBold(bool v);

  // 0 brings the control to the front of its container, 1 sends it to the back.
  void ZOrder(int position = 0);
  // Asks the view to repaint the control.
  void Refresh();

  Event<> Click;
  Event<> DblClick;
  Event<int, int, float, float> MouseDown;  // button, shift, x, y (twips)
  Event<int, int, float, float> MouseMove;
  Event<int, int, float, float> MouseUp;

  // Input delivered by the desktop view (or a test). The default raises the matching event;
  // controls with behaviour of their own (the slider) override these.
  //
  // Event order: a control raises MouseDown and MouseMove before its own value follows the
  // mouse, and Click after the button is released. A handler of MouseDown or MouseMove thus
  // reads the value of the previous move (a volume set there trails the thumb by one move)
  // and Click settles the final one. This is the order the handlers were designed against;
  // do not move the value ahead of the events.
  virtual void inputMouseDown(int button, int shift, float x, float y) {
    MouseDown.raise(button, shift, x, y);
  }
  virtual void inputMouseMove(int button, int shift, float x, float y) {
    MouseMove.raise(button, shift, x, y);
  }
  virtual void inputMouseUp(int button, int shift, float x, float y) {
    MouseUp.raise(button, shift, x, y);
  }
  // Option buttons select themselves and check boxes toggle before Click, as the user sees them.
  virtual void inputClick();
  virtual void inputDblClick() { DblClick.raise(); }
  virtual void inputResize() {}

  // A control that draws itself (the slider) shows this raster surface, one pixel per 15 twips.
  virtual const QImage* surfaceImage() const { return nullptr; }

  // The topmost container (normally a form).
  Control& root();
  int refreshCount() const { return refreshCount_; }

  // Raised on the root (the form) after a property of it or of any control under it changed:
  // the control and what changed. The desktop view keeps its widgets in step with this.
  Event<Control&, Changes> ControlChanged;

 protected:
  void changed(Changes what);
  void setGeometry(float left, float top, float width, float height);
  // Stores the geometry without the checks and without a change notice.
  void storeGeometry(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }

 private:
  Kind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string toolTip_;
  bool literalText_ = false;
  std::uint32_t foreColor_ = 0x000000;
  std::uint32_t backColor_ = 0xFFFFFF;
  PictureRef picture_;
  std::string tag_;
  int mousePointer_ = 0;
  PictureRef mouseIcon_;
  int value_ = 0;
  int backStyle_ = 1;
  bool stretch_ = false;
  std::string fontName_;
  float fontSize_ = 9;
  bool fontBold_ = false;
  int refreshCount_ = 0;
};

// Controls that differ from the base only in what the view draws.
#define KV_SIMPLE_CONTROL(Type)                                                               \
  class Type : public Control {                                                               \
   public:                                                                                    \
    Type(std::string name, Control* parent) : Control(Kind::Type, std::move(name), parent) {} \
  };
KV_SIMPLE_CONTROL(Label)
KV_SIMPLE_CONTROL(Image)
KV_SIMPLE_CONTROL(PictureBox)
KV_SIMPLE_CONTROL(Frame)
KV_SIMPLE_CONTROL(OptionButton)
KV_SIMPLE_CONTROL(CheckBox)
KV_SIMPLE_CONTROL(CommandButton)
KV_SIMPLE_CONTROL(Line)
#undef KV_SIMPLE_CONTROL

}  // namespace kv::forms
