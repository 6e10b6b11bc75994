// The layout runs on every mouse move while the user drags an edge of the main window. This
// measures one layout pass with all its placements on the test doubles (the width alternating
// by one pixel, so every pass really moves the controls), and one resize step end to end
// through the desktop view: the window resized as the window system would, the layout, and
// the widgets brought in step. Both are set against an empty turn of the Qt event loop
// measured in the same run. Goals: the layout pass under 20 us; a resize step well inside the
// 16.7 ms of a 60 Hz mouse.
//
// Usage: bench_layout [passes = 20000] [view steps = 2000]

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/form1_rig.h"
#include "common/latency.h"
#include "platform/qt/component_place.h"
#include "platform/qt/desktop_view.h"
#include "platform/qt/form_window.h"

namespace {

using kv::bench::printRow;
using kv::bench::Stats;
using kv::bench::stats;
using kv::bench::timedUs;

Stats emptyTurns(int n) {
  std::vector<double> us;
  us.reserve(n);
  for (int i = 0; i < n; ++i) us.push_back(timedUs([] { QApplication::processEvents(); }));
  return stats(us);
}

void onDoubles(int passes) {
  kv::test::Form1Rig rig;
  auto& form = rig.start();
  std::vector<double> layout, resize;
  layout.reserve(passes);
  resize.reserve(passes);
  for (int i = 0; i < passes; ++i) {
    const float width = 9600 + static_cast<float>(i % 2) * 15;
    // The size change raises Resize, which runs the layout before the setter returns.
    resize.push_back(timedUs([&] { form.setWidth(width); }));
    layout.push_back(timedUs([&] { form.Form_Resize(); }));
  }
  const Stats empty = emptyTurns(passes);
  std::printf("1. the layout on the test doubles (%d passes)\n", passes);
  printRow("empty event-loop turn (reference)", empty, empty);
  printRow("layout pass, same size (Form_Resize)", stats(layout), empty);
  printRow("width changed by 1 px (Resize + layout)", stats(resize), empty);
}

// The same window shown by the desktop view: each step resizes the top-level widget as the
// window manager does and lets the event loop bring every widget in step.
void throughTheView(int steps) {
  kv::test::Form1Rig rig;
  kv::view::ComponentRegistry components;
  kv::view::DesktopView view{components};
  kv::Services services{rig.clock, rig.cursor,  rig.screen,      rig.profile,
                        rig.files, rig.folders, rig.screenSaver, rig.instance,
                        view,      rig.shell,   rig.help,        rig.registry};
  kv::app::Form1 form(services, rig.components);
  form.Show();
  form.Picture7.setVisible(true);
  form.WindowsMediaPlayer1.setVisible(true);
  QApplication::processEvents();
  kv::view::FormWindow* window = view.windowOf(form);
  if (!window) {
    std::printf("2. no window from the desktop view; skipped\n");
    return;
  }
  const QSize base = window->size();
  std::vector<double> step;
  step.reserve(steps);
  for (int i = 0; i < steps; ++i) {
    const QSize size = base + QSize(i % 2, i % 2);
    step.push_back(timedUs([&] {
      window->resize(size);
      QApplication::processEvents();
    }));
  }
  const Stats empty = emptyTurns(steps);
  std::printf("2. one resize step through the desktop view, %s (%d steps)\n",
              qPrintable(QGuiApplication::platformName()), steps);
  printRow("empty event-loop turn (reference)", empty, empty);
  printRow("resize step (window, layout, widgets)", stats(step), empty);
  std::printf("  the form followed: %.0f x %.0f twips\n", form.Width(), form.Height());
  form.Unload();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  const int steps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
  onDoubles(passes);
  throughTheView(steps);
  return 0;
}
