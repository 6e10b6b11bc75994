#pragma once
// The window host: what the forms runtime and the handlers ask of the desktop's window system.
// The desktop view implements it (src/platform/qt); tests use a recording double.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/language.h"

namespace kv::forms {
class Form;
class MenuItem;
}  // namespace kv::forms

namespace kv {

// Edges of a window taken by an interactive resize (bits).
enum WindowEdge : std::uint32_t {
  kEdgeLeft = 1u << 0,
  kEdgeTop = 1u << 1,
  kEdgeRight = 1u << 2,
  kEdgeBottom = 1u << 3,
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // Lifecycle of every form: shown (modeless), hidden, unloaded (its window goes away), and
  // destroyed (the object itself is going; the host must let go of it).
  virtual void formShown(forms::Form& form) = 0;
  virtual void formHidden(forms::Form& form) = 0;
  virtual void formUnloaded(forms::Form& form) = 0;
  virtual void formDestroyed(forms::Form& form) = 0;

  // The window system's own interactive move or resize, as if the caption or a frame edge had
  // been grabbed, until the mouse button is released.
  virtual void startSystemMove(forms::Form& form) = 0;
  virtual void startSystemResize(forms::Form& form, std::uint32_t edges) = 0;

  // Pops the menu up at the mouse pointer (modal); the chosen item's Click is raised after the
  // menu has closed. Nothing happens when the user dismisses it.
  virtual void popupMenu(forms::Form& owner, forms::MenuItem& menu) = 0;
  // The same, opened from the keyboard at a point of the owner (twips from its top left), with
  // its first item selected.
  virtual void popupMenuAt(forms::Form& owner, forms::MenuItem& menu, float, float) {
    popupMenu(owner, menu);
  }

  // The common Open dialog (modal). filter is the program's "description|patterns|..." string;
  // the result is the chosen full path, or "" when the user cancelled.
  virtual std::string showOpen(forms::Form& owner, const std::string& filter,
                               const std::string& previousPath) = 0;

  // A modal message box with an OK button; title "" means the application's default title.
  virtual void messageBox(forms::Form* owner, const std::string& text,
                          const std::string& title) = 0;
  // The same for a text that is not a caption of the design (a command's text, a file name):
  // shown as it is, never translated, under the default title.
  virtual void literalMessageBox(forms::Form* owner, const std::string& text) {
    messageBox(owner, text, "");
  }

  // A window that asks for one line of text (an address) and does not block: this returns at
  // once, and `done` gets the text when the person confirms it (never when they cancel). Title
  // and prompt are captions; the text typed is the person's own.
  virtual void askText(forms::Form& owner, const std::string& title, const std::string& prompt,
                       std::function<void(const std::string&)> done) = 0;

  // The language the texts are shown in, and the person's choice of it: shown from the next
  // window on and kept for the next start.
  virtual Language language() const = 0;
  virtual void chooseLanguage(Language language) = 0;
};

}  // namespace kv
