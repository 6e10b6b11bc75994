// The wheel and dropped files on a form's window come back as the form's events (keys: the
// main window's test).

#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

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
  systemWheel(rig.window(), 120);
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
