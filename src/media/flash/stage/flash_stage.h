#pragma once
// The native Flash runtime on the desktop: the movie's background colour, and the picture of
// its video engine over the stage while a Flash video or an embedded video stream plays. The
// stage is fitted into the widget by the component's ScaleMode (0 show all, 1 no border,
// 2 exact fit, 3 no scale), as the plug-in fits a movie into its window.

#include <QPointer>
#include <QWidget>

#include "platform/event.h"

namespace kv::media {

class FlashRuntime;

class FlashStage final : public QWidget {
 public:
  FlashStage(FlashRuntime& flash, QWidget* parent = nullptr);

  // The picture of the runtime's video engine (the stage takes it).
  void setVideo(QWidget* picture);
  QWidget* video() const { return video_; }
  // Where the movie's stage lies in the widget.
  QRect stageRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void refresh();

  FlashRuntime& flash_;
  ScopedConnection display_;
  QPointer<QWidget> video_;
  int scaleMode_ = -1;
};

// The stage (movieWidth x movieHeight) fitted into a widget of the given size by ScaleMode.
// A movie without a size fills the widget.
QRect fitStage(const QSize& widget, const QSize& movie, int scaleMode);

}  // namespace kv::media
