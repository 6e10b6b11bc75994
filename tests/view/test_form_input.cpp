// Keys, the wheel and dropped files on a form's window come back as the form's events; the
// main window's key map runs its handlers through the desktop view.

#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "view_rig.h"

using namespace kv;
using namespace kv::forms;
using test::ViewRig;

namespace {

void key(QWidget* w, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, qtKey, mods);
  QApplication::sendEvent(w, &press);
}

void wheel(QWidget* w, int delta) {
  const QPointF at(5, 5);
  QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &event);
}

// A wheel turn as the window system delivers it (spontaneous, so that Qt hands it on to the
// parents of a widget that ignores it).
void systemWheel(QWidget* w, int delta) {
  const QPointF at(5, 5);
  QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&event);
  QApplication::instance()->notify(w, &event);  // sendEvent would make it non-spontaneous
}

// A drag that enters the window and is dropped; whether the window took it.
bool drop(QWidget* w, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &dropped);
  return dropped.isAccepted();
}

}  // namespace

TEST(FormInput, KeysNoControlTookReachTheFormWithTheirCodes) {
  ViewRig rig;
  Image image("Image3", &rig.form);
  image.design(300, 300, 600, 600);
  std::vector<std::string> keys;
  rig.form.KeyDown.connect([&](int code, int shift) {
    keys.push_back(std::to_string(code) + "/" + std::to_string(shift));
  });
  rig.form.Show();
  ViewRig::settle();
  QWidget* window = rig.window();
  ASSERT_NE(window, nullptr);
  key(window, Qt::Key_Space);
  key(window, Qt::Key_F, Qt::ShiftModifier);
  key(window, Qt::Key_Return);
  key(window, Qt::Key_Enter);
  key(window, Qt::Key_Escape, Qt::ControlModifier);
  key(window, Qt::Key_PageDown);
  key(window, Qt::Key_Left);
  key(window, Qt::Key_F5);            // no code: not delivered
  key(rig.widget(image), Qt::Key_M);  // a control that takes no keys passes them on
  EXPECT_EQ(keys, (std::vector<std::string>{"32/0", "70/1", "13/0", "13/0", "27/2", "34/0", "37/0",
                                            "77/0"}));
}

TEST(FormInput, TheWheelNamesTheControlUnderThePointerOnce) {
  ViewRig rig;
  PictureBox bar("Picture4", &rig.form);
  bar.design(0, 3000, 6000, 975);
  Image icon("Image37", &bar);
  icon.design(100, 100, 300, 300);
  Control video(Kind::Component, "WindowsMediaPlayer1", &rig.form);
  video.design(120, 645, 3000, 2000);
  QPointer<QWidget> content;
  rig.components.add(video, [&](view::ComponentPlace& place) {
    content = new QWidget;
    place.setContent(content);
  });
  std::vector<std::string> seen;
  rig.form.MouseWheel.connect(
      [&](Control& over, int delta) { seen.push_back(over.name() + " " + std::to_string(delta)); });
  rig.form.Show();
  ViewRig::settle();
  ASSERT_NE(content, nullptr);
  systemWheel(content, 120);
  systemWheel(rig.widget(icon), -240);
  wheel(rig.window(), 120);
  EXPECT_EQ(seen,
            (std::vector<std::string>{"WindowsMediaPlayer1 120", "Image37 -240", "Form1 120"}));
}

TEST(FormInput, ADroppedLocalFileReachesAFormThatTakesDrops) {
  ViewRig rig;
  std::vector<std::string> dropped;
  rig.form.FileDropped.connect([&](const std::string& path) { dropped.push_back(path); });
  rig.form.Show();
  ViewRig::settle();
  const QUrl file = QUrl::fromLocalFile("/tmp/聆听 a.mp4");
  EXPECT_FALSE(drop(rig.window(), {file})) << "the form does not take drops";
  rig.form.setAcceptsDrops(true);
  ViewRig::settle();
  EXPECT_FALSE(drop(rig.window(), {QUrl("https://example.org/a.mp4")}));
  EXPECT_TRUE(drop(rig.window(),
                   {QUrl("https://example.org/b.mp4"), file, QUrl::fromLocalFile("/tmp/c.mp4")}));
  EXPECT_EQ(dropped, std::vector<std::string>{"/tmp/聆听 a.mp4"});
}
