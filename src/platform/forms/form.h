#pragma once
// A top-level window of the forms runtime.

#include <cstdint>
#include <string>

#include "platform/forms/control.h"

namespace kv {
class ScreenService;
class WindowHost;
}  // namespace kv

namespace kv::forms {

enum WindowStateValue : int { kNormal = 0, kMinimized = 1, kMaximized = 2 };

// Window style bits kept by a form; the view draws a system frame only with a caption.
enum WindowStyleBits : std::uint32_t {
  kStyleMaximizeBox = 0x00010000,
  kStyleMinimizeBox = 0x00020000,
  kStyleThickFrame = 0x00040000,
  kStyleSysMenu = 0x00080000,
  kStyleCaption = 0x00C00000,
};

class Form : public Control {
 public:
  // host learns of Show, Hide and Unload (may be null: a window nobody shows).
  Form(std::string name, ScreenService* screen, WindowHost* host = nullptr);
  ~Form() override;

  // Size and position changes are refused (CantMoveMaximised) unless the window is normal;
  // a size change raises Resize before the setter returns.
  void setLeft(float v) override;
  void setTop(float v) override;
  void setWidth(float v) override;
  void setHeight(float v) override;

  int WindowState() const { return windowState_; }
  // Raises Resize before returning. Maximised fills the screen; normal restores the last
  // normal bounds.
  void setWindowState(int state);
  float ScaleWidth() const { return Width(); }
  float ScaleHeight() const { return Height(); }

  std::uint32_t windowStyle() const { return style_; }
  void setWindowStyle(std::uint32_t style);
  bool topmost() const { return topmost_; }
  void setTopmost(bool v);
  // Where the window opens: at its Left and Top, or centred over the program's main window
  // (over the screen while that is not shown), which the desktop decides when it shows it.
  enum StartUpPositionValue : int { kStartManual = 0, kStartCenterOwner = 1 };
  int StartUpPosition() const { return startUpPosition_; }
  void setStartUpPosition(int v) { startUpPosition_ = v; }

  float CurrentX() const { return currentX_; }
  float CurrentY() const { return currentY_; }
  void setCurrentX(float v) { currentX_ = v; }
  void setCurrentY(float v) { currentY_ = v; }

  // Modeless show; runs Load the first time.
  void Show();
  void Hide();
  // Raises Unload; the window is gone afterwards until shown again.
  void Unload();
  bool loaded() const { return loaded_; }
  bool unloaded() const { return unloadCount_ > 0 && !loaded_; }
  bool hasFocus() const { return focusCount_ > 0; }
  void SetFocus() {
    ++focusCount_;
    changed(kChangeFocus);
  }

  // The window system moved, sized, minimised or maximised the window. The form follows
  // without the refusals meant for code, raises Resize once when the size or state changed,
  // and flags its change notice so that the view does not apply it back.
  void desktopMoved(float left, float top);
  void desktopResized(float width, float height);
  void desktopStateChanged(int state, float left, float top, float width, float height);
  WindowHost* host() const { return host_; }

  Event<> Load;
  Event<> Unload_;
  Event<> Resize;

  // Keyboard, wheel and drops, as the desktop delivers them. Keys arrive here when no control
  // of the window took them (a list keeps its own arrows): key code and shift bits. The wheel
  // names the control under the pointer and the delta (120 a notch, positive away from the
  // user). A window that accepts drops gets every dropped local file, one path at a time.
  Event<int, int> KeyDown;
  Event<Control&, int> MouseWheel;
  Event<std::string> FileDropped;
  void inputKeyDown(int keyCode, int shift) { KeyDown.raise(keyCode, shift); }
  void inputMouseWheel(Control& over, int delta) { MouseWheel.raise(over, delta); }
  void inputFileDropped(const std::string& path) { FileDropped.raise(path); }
  bool acceptsDrops() const { return acceptsDrops_; }
  void setAcceptsDrops(bool v) {
    acceptsDrops_ = v;
    changed(kChangeStyle);
  }

 private:
  void resizeTo(float width, float height);

  ScreenService* screen_;
  WindowHost* host_;
  int windowState_ = kNormal;
  float normalLeft_ = 0, normalTop_ = 0, normalWidth_ = 0, normalHeight_ = 0;
  std::uint32_t style_ =
      kStyleCaption | kStyleSysMenu | kStyleThickFrame | kStyleMinimizeBox | kStyleMaximizeBox;
  bool topmost_ = false;
  int startUpPosition_ = kStartManual;
  float currentX_ = 0, currentY_ = 0;
  bool acceptsDrops_ = false;
  bool loaded_ = false;
  int unloadCount_ = 0;
  int focusCount_ = 0;
};

}  // namespace kv::forms
