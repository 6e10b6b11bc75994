#pragma once
// A native window embedded in a widget (QWidget::createWindowContainer) that survives the
// re-creation of the top-level window around it.
//
// Qt re-creates a top-level's native window when a widget that draws through OpenGL (the web
// engine's view) first joins it. The embedded window is a child of the old native window and
// would be deleted with it, leaving its container holding nothing. The keeper takes the window
// out just before the old native window goes and, once the new one exists, embeds it again in a
// fresh container (a container lets go of a window taken out of it for good). It also cuts
// what widgets stacked above the host cover out of the window, which would otherwise hide them.

#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace kv::media {

class EmbeddedWindowKeeper final : public QObject {
 public:
  // Embeds `window` (taking ownership) in a container inside `host`. `prepare` sets up each
  // container made, the first one included, before it is shown.
  EmbeddedWindowKeeper(QWindow& window, QWidget& host, std::function<void(QWidget&)> prepare);

  QWidget& container() const { return *container_; }
  // Looks again at which top-level holds the host (it may have been moved to another); cheap
  // when nothing changed.
  void follow();
  // For the host's own events: the container keeps its size, and the cut-out is looked at
  // again (ten times a second while the host is shown: panels may move over it at any time).
  void hostResized();
  void hostShown();
  void hostHidden();
  // Whether the window is to be shown at all (it is by default); one not wanted is hidden with
  // its container, whatever covers it.
  void setWindowWanted(bool wanted);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void watchTopLevel(QWidget* topLevel);
  void watchNativeWindow();
  void embedAgain();
  void updateCover();

  QPointer<QWindow> window_;
  QWidget& host_;
  std::function<void(QWidget&)> prepare_;
  QPointer<QWidget> container_;
  QPointer<QWidget> topLevel_;
  QPointer<QWindow> native_;
  bool waiting_ = false;
  bool wanted_ = true;
  QTimer coverTimer_;
  QRegion covered_;
  const QWidget* coveredContainer_ = nullptr;  // the container covered_ was applied to
};

}  // namespace kv::media
