#pragma once
// A form of the runtime shown by the desktop view on a private X server, and mouse input as
// the window system delivers it.

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>
#include <QWidget>

#include "doubles/fake_services.h"
#include "platform/forms/form.h"
#include "platform/qt/component_place.h"
#include "platform/qt/desktop_view.h"
#include "platform/qt/form_window.h"

namespace kv::test {

struct ViewRig {
  FakeScreen screen;
  view::ComponentRegistry components;
  view::DesktopView view{components};
  forms::Form form{"Form1", &screen, &view};

  ViewRig() { form.design(1500, 1500, 6000, 4500); }

  view::FormWindow* window() const { return view.windowOf(form); }
  QWidget* widget(const forms::Control& c) const {
    return window() ? window()->widgetOf(c) : nullptr;
  }
  // Lets the event loop apply what the runtime changed and the X server answer.
  static void settle() {
    settleUntil([] { return true; });
  }
  // As settle, but first waits (up to 10 s, for a loaded machine) until `done` holds, so a slow
  // X server's late answers are not taken for the view's own doing.
  template <typename Done>
  static bool settleUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(2);
    }
    const bool held = done();
    timer.restart();
    while (timer.elapsed() < 60) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
      // Widgets let go of are deleted by the loop they were let go in: here, this one.
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QThread::msleep(2);
    }
    return held;
  }
};

// One mouse event at a point of the widget, sent the way the window system's events arrive.
inline void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::NoButton,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) held |= button;
  QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, mods);
  QApplication::sendEvent(w, &event);
}

inline void click(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  mouse(w, QEvent::MouseButtonPress, at, button);
  mouse(w, QEvent::MouseButtonRelease, at, button);
}

}  // namespace kv::test
