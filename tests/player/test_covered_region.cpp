// What widgets stacked above the video cover of it, through nested parents.

#include <gtest/gtest.h>

#include <QWidget>

#include "media/player/covered_region.h"

namespace kv::test {
namespace {

QWidget* child(QWidget* parent, QRect geometry, bool shown = true) {
  auto* w = new QWidget(parent);
  w->setGeometry(geometry);
  w->setVisible(shown);
  return w;
}

TEST(CoveredRegion, CountsWidgetsAboveTheVideoAndItsParents) {
  QWidget window;
  window.resize(300, 300);
  child(&window, {0, 0, 300, 300});  // under everything: covers nothing
  QWidget* place = child(&window, {100, 100, 150, 150});
  child(place, {0, 0, 40, 40});  // under the video in the place
  QWidget* video = child(place, {10, 10, 100, 100});
  child(place, {60, 60, 20, 20});             // above, inside the place
  child(&window, {90, 90, 30, 30});           // above the place, over the video's corner
  child(&window, {200, 150, 10, 10}, false);  // above but hidden
  child(&window, {0, 0, 50, 50});             // above but elsewhere
  window.show();

  const QRegion expected = QRegion(50, 50, 20, 20) + QRegion(0, 0, 10, 10);
  EXPECT_EQ(media::coveredByWidgetsAbove(*video), expected);

  video->raise();  // on top in its place; the window's panel is still above the place
  EXPECT_EQ(media::coveredByWidgetsAbove(*video), QRegion(0, 0, 10, 10));
  place->raise();
  EXPECT_TRUE(media::coveredByWidgetsAbove(*video).isEmpty());
}

}  // namespace
}  // namespace kv::test
