#pragma once
// Where the Flash page is shown: a native window of its own (a Qt Quick window with the web
// engine's view item) embedded in this widget, as the video is. The rest of the main window
// stays on the raster backing store; a web view among its widgets would make Qt compose the
// whole window through OpenGL on every repaint of the seek bar and labels. Widgets stacked
// above the surface are cut out of the native window.

#include <QRegion>
#include <QTimer>
#include <QWidget>

class QQuickItem;
class QQuickWindow;

namespace kv::media {
class EmbeddedWindowKeeper;
}

namespace kv::media::ruffle {

class FlashSurface final : public QWidget {
  Q_OBJECT

 public:
  explicit FlashSurface(QWidget* parent = nullptr);
  ~FlashSurface() override;

  QQuickWindow& window() const { return *window_; }
  // Shows item (the page's view) filling the surface, in place of the one shown before.
  void setItem(QQuickItem* item);

 protected:
  void resizeEvent(QResizeEvent*) override;
  void showEvent(QShowEvent*) override;
  void hideEvent(QHideEvent*) override;
  void paintEvent(QPaintEvent*) override;

 private:
  void fitItem();

  QQuickWindow* window_;
  EmbeddedWindowKeeper* keeper_;
  QQuickItem* item_ = nullptr;
};

}  // namespace kv::media::ruffle
