#pragma once
// The desktop window of one form: a top-level widget with a widget for every control under the
// form, kept in step with the runtime's change notices. Changes are gathered and applied once
// per turn of the event loop, so a handler that writes twenty properties costs one repaint.
// Mouse input on any of the widgets goes back to the runtime as the control's events, with
// coordinates in twips relative to the control; the window decides nothing itself. Moves,
// sizes and state changes made by the window system go back through the form's desktop entry
// points.

#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/event.h"
#include "platform/forms/control.h"

namespace kv::forms {
class Form;
}

namespace kv::view {

class ComponentRegistry;
class ViewWidget;
class NameListView;

class FormWindow final : public QWidget {
  Q_OBJECT

 public:
  FormWindow(forms::Form& form, const ComponentRegistry& components);
  ~FormWindow() override;

  // The form shown, or nullptr once the window has let go of it.
  forms::Form* form() const { return form_; }
  bool attached() const { return form_ != nullptr; }
  // Stops following the form: no widget touches a control after this (the controls may be
  // about to go). The window hides; the caller deletes it later.
  void detach();

  // The widget showing a control (nullptr for none), and the control a widget shows (the
  // nearest ancestor's that shows one).
  QWidget* widgetOf(const forms::Control& control) const;
  forms::Control* controlOf(const QWidget* widget) const;

  // Shows the texts again in the language now shown (titles, tool tips, captions).
  void retranslate();

  // Applies the gathered changes now (the event loop does it on its own).
  void flush();
  bool flushPending() const { return flushQueued_; }
  int flushCount() const { return flushes_; }

  // The window system's interactive move or resize, while the mouse button is held.
  void startSystemMove();
  void startSystemResize(std::uint32_t edges);
  // Lays out the captions of the shown controls, while the window system maps a window just
  // shown, so that its first paint finds them ready.
  void prepareCaptions();

 signals:
  // The window was painted for the first time.
  void firstPainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Keys no control took, the wheel and dropped files (form_window_input.cpp).
  void keyPressEvent(QKeyEvent* event) override;
  // The context-menu keys reach the form even when an engine inside the window has the focus.
  void takeContextMenuKeys();
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void onChanged(forms::Control& control, forms::Changes changes);
  QWidget* create(forms::Control& control, QWidget* parent);
  void applyTo(forms::Control& control, QWidget* widget, unsigned changes);
  void applyToWindow(unsigned changes);
  void placeWindow();
  void applyFlags();
  void restack(const forms::Control& container);
  void addMissingChildren(forms::Control& container);
  void makeWaitingChildren(forms::Control& container);
  void dropVanishedChildren(const forms::Control& container);
  void forget(QWidget* widget);
  bool route(QWidget* widget, forms::Control& control, QEvent* event, QPoint offset);
  bool routeWheel(QWidget* widget, QEvent* event);
  bool manualMoveEvent(QEvent* event);
  void reportGeometry();

  forms::Form* form_;
  const ComponentRegistry& components_;
  ScopedConnection changes_;
  std::unordered_map<const forms::Control*, QWidget*> widgets_;
  QHash<const QWidget*, forms::Control*> controls_;
  // Widgets whose events belong to another widget's control (a list's viewport).
  QHash<const QWidget*, QWidget*> routedTo_;
  QHash<const QWidget*, ViewWidget*> views_;
  QHash<const QWidget*, NameListView*> lists_;
  // Hidden containers whose children get their widgets when the container is first shown.
  std::unordered_set<const forms::Control*> waiting_;
  std::unordered_map<forms::Control*, unsigned> pending_;
  std::vector<forms::Control*> pendingOrder_;
  bool flushQueued_ = false;
  int flushes_ = 0;
  bool painted_ = false;
  bool placing_ = false;
  QPointer<QWidget> pressed_;
  bool doubleClicked_ = false;
  // The move by hand where the window system offers none.
  bool manualMove_ = false;
  QPoint manualMoveOffset_;
};

}  // namespace kv::view
