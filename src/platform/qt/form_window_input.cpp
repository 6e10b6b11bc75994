// The keyboard, the wheel and dropped files on a form's window, handed to the form as its
// events. The window decides nothing: which key does what is the program's business.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>
#include <QWheelEvent>

#include "platform/errors.h"
#include "platform/forms/form.h"
#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"

namespace kv::view {
namespace {

// The first local file among the dropped items ("" when there is none): the player plays one
// file at a time.
QString droppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) return url.toLocalFile();
  return {};
}

}  // namespace

void FormWindow::keyPressEvent(QKeyEvent* event) {
  const int code = keyCode(event->key());
  if (!attached() || code == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  step([&] { form_->inputKeyDown(code, shiftCode(event->modifiers())); });
  event->accept();
}

void FormWindow::takeContextMenuKeys() {
  // The browser would open a menu of its own for them.
  for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10}) {
    auto* shortcut = new QShortcut(QKeySequence(keys), this);
    connect(shortcut, &QShortcut::activated, this, [this, keys] {
      if (attached())
        step(
            [&] { form_->inputKeyDown(keyCode(keys.key()), shiftCode(keys.keyboardModifiers())); });
    });
  }
}

bool FormWindow::routeWheel(QWidget* widget, QEvent* event) {
  if (!attached() || !widget) return false;
  QWidget* target = routedTo_.value(widget, widget);
  // A list scrolls itself.
  if (lists_.contains(target)) return false;
  forms::Control* control = controlOf(target);
  if (!control) return false;
  const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
  if (delta == 0) return false;
  step([&] { form_->inputMouseWheel(*control, delta); });
  // Taken: the parents that a real wheel event is handed on to do not see it again.
  event->accept();
  return true;
}

void FormWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (attached() && form_->acceptsDrops() && !droppedFile(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void FormWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (attached() && form_->acceptsDrops() && !droppedFile(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* event) {
  const QString path = droppedFile(event->mimeData());
  if (!attached() || !form_->acceptsDrops() || path.isEmpty()) return;
  event->acceptProposedAction();
  step([&] { form_->inputFileDropped(path.toStdString()); });
}

}  // namespace kv::view
