#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "platform/errors.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/qt/component_place.h"
#include "platform/qt/convert.h"
#include "platform/qt/name_lists.h"
#include "platform/qt/painted_control.h"
#include "platform/qt/shown_text.h"
#include "platform/window_host.h"

namespace kv::view {

using forms::Control;
using forms::Form;
using forms::Kind;

bool ViewWidget::attached() const {
  return !released_ && owner_.attached();
}

namespace {
constexpr unsigned kEverything = 0x7FFFFFFFu;

bool framed(const Form& form) {
  return (form.windowStyle() & forms::kStyleCaption) == forms::kStyleCaption;
}

Qt::WindowStates qtState(int state) {
  switch (state) {
    case forms::kMinimized:
      return Qt::WindowMinimized;
    case forms::kMaximized:
      return Qt::WindowMaximized;
    default:
      return Qt::WindowNoState;
  }
}

int formState(Qt::WindowStates states) {
  if (states & Qt::WindowMinimized) return forms::kMinimized;
  if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) return forms::kMaximized;
  return forms::kNormal;
}

QRect availableArea(const QWidget& widget) {
  const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

void setPointer(QWidget* widget, const Control& control) {
  if (const auto shape = pointerShape(control))
    widget->setCursor(*shape);
  else
    widget->unsetCursor();
}

bool holdsComponent(const Control& control) {
  for (const Control* child : control.children())
    if (child->kind() == Kind::Component || holdsComponent(*child)) return true;
  return false;
}

bool isMouseEvent(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}
}  // namespace

FormWindow::FormWindow(Form& form, const ComponentRegistry& components)
    : QWidget(nullptr), form_(&form), components_(components) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  installEventFilter(this);
  applyFlags();
  setWindowTitle(shownText(form.Caption(), form.LiteralText(), TextPlace::Title));
  for (Control* child : form.children()) create(*child, this);
  restack(form);
  setEnabled(form.Enabled());
  setPointer(this, form);
  setAcceptDrops(form.acceptsDrops());
  // Keys reach the window itself when no control has the focus.
  setFocusPolicy(Qt::StrongFocus);
  takeContextMenuKeys();
  placeWindow();
  changes_ = form.ControlChanged.connect(
      [this](Control& control, forms::Changes changes) { onChanged(control, changes); });
}

FormWindow::~FormWindow() {
  detach();
}

void FormWindow::detach() {
  if (!form_) return;
  changes_.disconnect();
  form_ = nullptr;
  pending_.clear();
  pendingOrder_.clear();
  for (ViewWidget* view : views_) view->release();
  widgets_.clear();
  controls_.clear();
  routedTo_.clear();
  views_.clear();
  lists_.clear();
  waiting_.clear();
  if (manualMove_) releaseMouse();
  manualMove_ = false;
  hide();
}

QWidget* FormWindow::widgetOf(const Control& control) const {
  if (&control == form_) return const_cast<FormWindow*>(this);
  const auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

Control* FormWindow::controlOf(const QWidget* widget) const {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (w == this) return form_;
    const QWidget* target = routedTo_.value(w, nullptr);
    if (Control* c = controls_.value(target ? target : w, nullptr)) return c;
    if (w->isWindow()) break;
  }
  return nullptr;
}

// ---- Building ----------------------------------------------------------------------------

QWidget* FormWindow::create(Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  ViewWidget* view = nullptr;
  switch (control.kind()) {
    case Kind::FileList:
    case Kind::DirList: {
      auto* list = new NameListView(*this, static_cast<forms::NameList&>(control), parent);
      routedTo_.insert(list->viewport(), list);
      list->viewport()->installEventFilter(this);
      lists_.insert(list, list);
      widget = list;
      view = list;
      break;
    }
    case Kind::DriveList: {
      auto* combo = new DriveCombo(*this, static_cast<forms::NameList&>(control), parent);
      widget = combo;
      view = combo;
      break;
    }
    case Kind::Component: {
      auto* place = new ComponentPlace(*this, control, parent);
      widget = place;
      view = place;
      break;
    }
    default: {
      auto* painted = new PaintedControl(*this, control, parent);
      widget = painted;
      view = painted;
      break;
    }
  }
  widgets_[&control] = widget;
  controls_.insert(widget, &control);
  views_.insert(widget, view);
  widget->installEventFilter(this);
  applyTo(control, widget, kEverything & ~forms::kChangeZOrder);
  // A start does not pay for the panels nobody has opened yet (the file panel's lists above
  // all). A component's place is made at once: the engine behind it needs it.
  if (!control.Visible() && !control.children().empty() && !holdsComponent(control)) {
    waiting_.insert(&control);
  } else {
    for (Control* child : control.children()) create(*child, widget);
    restack(control);
  }
  if (control.kind() == Kind::Component)
    components_.fill(control, static_cast<ComponentPlace&>(*widget));
  return widget;
}

void FormWindow::restack(const Control& container) {
  // Children are held back to front: raising each in turn leaves the last in front.
  for (const Control* child : container.children())
    if (QWidget* w = widgetOf(*child)) w->raise();
}

void FormWindow::addMissingChildren(Control& container) {
  QWidget* parent = widgetOf(container);
  if (!parent || waiting_.count(&container)) return;
  for (Control* child : container.children())
    if (!widgetOf(*child)) create(*child, parent);
}

void FormWindow::makeWaitingChildren(Control& container) {
  if (!waiting_.erase(&container)) return;
  addMissingChildren(container);
  restack(container);
}

void FormWindow::dropVanishedChildren(const Control& container) {
  QWidget* parent = widgetOf(container);
  if (!parent) return;
  const auto& present = container.children();
  std::vector<QWidget*> gone;
  for (QObject* object : parent->children()) {
    auto* w = qobject_cast<QWidget*>(object);
    const Control* c = w ? controls_.value(w, nullptr) : nullptr;
    // Compared by address only: the control may already be destroyed.
    if (c && std::find(present.begin(), present.end(), c) == present.end()) gone.push_back(w);
  }
  for (QWidget* w : gone) {
    forget(w);
    w->hide();
    w->deleteLater();  // it may be the widget whose event is being handled
  }
}

void FormWindow::forget(QWidget* widget) {
  QList<QWidget*> all = widget->findChildren<QWidget*>();
  all.prepend(widget);
  for (QWidget* w : all) {
    if (ViewWidget* view = views_.take(w)) view->release();
    if (Control* c = controls_.take(w)) {
      widgets_.erase(c);
      pending_.erase(c);
      waiting_.erase(c);
    }
    routedTo_.remove(w);
    lists_.remove(w);
  }
}

void FormWindow::retranslate() {
  if (!attached()) return;
  setWindowTitle(shownText(form_->Caption(), form_->LiteralText(), TextPlace::Title));
  setToolTip(shownText(form_->ToolTipText(), form_->LiteralText(), TextPlace::ToolTip));
  for (const auto& [control, widget] : widgets_) {
    widget->setToolTip(
        shownText(control->ToolTipText(), control->LiteralText(), TextPlace::ToolTip));
    widget->update();
  }
  update();
}

// ---- Changes -----------------------------------------------------------------------------

void FormWindow::onChanged(Control& control, forms::Changes changes) {
  if (changes & forms::kChangeChildren) dropVanishedChildren(control);
  if (changes & forms::kChangeFromDesktop)  // the window already shows it
    changes &= ~(forms::kChangeGeometry | forms::kChangeWindowState);
  changes &= ~forms::kChangeFromDesktop;
  if (!changes) return;
  auto [it, added] = pending_.try_emplace(&control, 0u);
  if (added) pendingOrder_.push_back(&control);
  it->second |= changes;
  if (!flushQueued_) {
    flushQueued_ = true;
    QMetaObject::invokeMethod(this, &FormWindow::flush, Qt::QueuedConnection);
  }
}

void FormWindow::flush() {
  flushQueued_ = false;
  if (!attached() || pendingOrder_.empty()) return;
  ++flushes_;
  const std::vector<Control*> order = std::move(pendingOrder_);
  pendingOrder_.clear();
  for (Control* control : order) {
    const auto it = pending_.find(control);
    if (it == pending_.end()) continue;  // applied already, or the control has gone
    const unsigned changes = it->second;
    pending_.erase(it);
    if (changes & forms::kChangeChildren) {
      addMissingChildren(*control);
      restack(*control);
    }
    if (control == form_)
      applyToWindow(changes);
    else if (QWidget* widget = widgetOf(*control))
      applyTo(*control, widget, changes);
  }
}

void FormWindow::applyTo(Control& control, QWidget* widget, unsigned changes) {
  if (changes & forms::kChangeGeometry) widget->setGeometry(pixelRect(control));
  if (changes & forms::kChangeVisible) {
    if (control.Visible()) makeWaitingChildren(control);
    widget->setVisible(control.Visible());
  }
  if (changes & forms::kChangeEnabled) widget->setEnabled(control.Enabled());
  if (changes & forms::kChangeToolTip)
    widget->setToolTip(shownText(control.ToolTipText(), control.LiteralText(), TextPlace::ToolTip));
  if (changes & forms::kChangePointer) setPointer(widget, control);
  if ((changes & forms::kChangeZOrder) && control.parent()) restack(*control.parent());
  if (ViewWidget* view = views_.value(widget, nullptr)) view->apply(changes);
}

void FormWindow::applyToWindow(unsigned changes) {
  const Form& form = *form_;
  if (changes & forms::kChangeStyle) {
    applyFlags();
    setAcceptDrops(form.acceptsDrops());
  }
  if (changes & (forms::kChangeGeometry | forms::kChangeWindowState | forms::kChangeStyle))
    placeWindow();
  if (changes & forms::kChangeCaption)
    setWindowTitle(shownText(form.Caption(), form.LiteralText(), TextPlace::Title));
  if (changes & forms::kChangeEnabled) setEnabled(form.Enabled());
  if (changes & forms::kChangePointer) setPointer(this, form);
  if (changes & forms::kChangeToolTip)
    setToolTip(shownText(form.ToolTipText(), form.LiteralText(), TextPlace::ToolTip));
  if (changes & (forms::kChangeColours | forms::kChangePicture | forms::kChangeRefresh)) update();
  if (changes & (forms::kChangeVisible | forms::kChangeStyle)) setVisible(form.Visible());
  if ((changes & forms::kChangeFocus) && isVisible()) {
    raise();
    activateWindow();
  }
}

void FormWindow::applyFlags() {
  Qt::WindowFlags flags = Qt::Window;
  if (!framed(*form_)) flags |= Qt::FramelessWindowHint;
  if (form_->topmost()) flags |= Qt::WindowStaysOnTopHint;
  if (flags == windowFlags()) return;
  const bool shown = isVisible();
  setWindowFlags(flags);  // hides the window
  if (shown) show();
}

void FormWindow::placeWindow() {
  const Form& form = *form_;
  placing_ = true;
  const int state = form.WindowState();
  if (state != forms::kMinimized) {
    QRect target(pixels(form.Left()), pixels(form.Top()), std::max(1, pixels(form.Width())),
                 std::max(1, pixels(form.Height())));
    // A maximised form sits at the origin of the screen's free area (beside any panel).
    if (state == forms::kMaximized) target.translate(availableArea(*this).topLeft());
    move(target.topLeft());
    // A dialog frame that does not resize says so to the window manager, which then draws no
    // resize handle (a light bar along the bottom) and no maximise button.
    if (framed(form) && !(form.windowStyle() & forms::kStyleThickFrame))
      setFixedSize(target.size());
    else
      resize(target.size());
  }
  if (formState(windowState()) != state) setWindowState(qtState(state));
  placing_ = false;
}

// ---- The window system's side ------------------------------------------------------------

void FormWindow::reportGeometry() {
  if (placing_ || !attached() || !isVisible()) return;
  Form& form = *form_;
  const int state = formState(windowState());
  QPoint at = pos();
  if (state == forms::kMaximized) at -= availableArea(*this).topLeft();
  const float left = twips(at.x()), top = twips(at.y());
  const float w = twips(width()), h = twips(height());
  if (state != form.WindowState()) {
    if (state == forms::kMinimized)
      step([&] {
        form.desktopStateChanged(state, form.Left(), form.Top(), form.Width(), form.Height());
      });
    else
      step([&] { form.desktopStateChanged(state, left, top, w, h); });
    return;
  }
  if (state == forms::kMinimized) return;
  if (state == forms::kNormal && (at.x() != pixels(form.Left()) || at.y() != pixels(form.Top())))
    step([&] { form.desktopMoved(left, top); });
  if (!attached()) return;
  if (width() != pixels(form.Width()) || height() != pixels(form.Height()))
    step([&] { form.desktopResized(w, h); });
}

void FormWindow::moveEvent(QMoveEvent*) {
  reportGeometry();
}

void FormWindow::resizeEvent(QResizeEvent*) {
  reportGeometry();
}

void FormWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) reportGeometry();
  QWidget::changeEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The window manager's close button: the form unloads as its own close would.
  event->ignore();
  if (attached()) step([&] { form_->Unload(); });
}

void FormWindow::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (attached()) {
    p.fillRect(event->rect(), shownBackColour(*form_));
    if (const forms::PictureRef& picture = form_->Picture())
      drawPicture(p, picture->image(), rect(), false);
  } else {
    p.fillRect(event->rect(), Qt::black);
  }
  if (!painted_) {
    painted_ = true;
    emit firstPainted();
  }
}

void FormWindow::prepareCaptions() {
  for (auto it = views_.cbegin(); it != views_.cend(); ++it)
    if (auto* painted = dynamic_cast<PaintedControl*>(it.value()); painted && painted->isVisible())
      painted->captionLayout();
}

// ---- Moving and sizing -------------------------------------------------------------------

void FormWindow::startSystemMove() {
  if (!isVisible()) return;
  if (QWindow* window = windowHandle(); window && window->startSystemMove()) return;
  // No move loop of the window system's: the window follows the pointer until the release.
  manualMove_ = true;
  manualMoveOffset_ = QCursor::pos() - pos();
  grabMouse();
}

void FormWindow::startSystemResize(std::uint32_t edges) {
  if (!isVisible()) return;
  Qt::Edges qtEdges;
  if (edges & kEdgeLeft) qtEdges |= Qt::LeftEdge;
  if (edges & kEdgeTop) qtEdges |= Qt::TopEdge;
  if (edges & kEdgeRight) qtEdges |= Qt::RightEdge;
  if (edges & kEdgeBottom) qtEdges |= Qt::BottomEdge;
  if (QWindow* window = windowHandle(); window && qtEdges) window->startSystemResize(qtEdges);
}

bool FormWindow::manualMoveEvent(QEvent* event) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
    move(mouse->globalPosition().toPoint() - manualMoveOffset_);
  } else if (event->type() == QEvent::MouseButtonRelease || !(mouse->buttons() & Qt::LeftButton)) {
    manualMove_ = false;
    releaseMouse();
  }
  return true;
}

// ---- Input -------------------------------------------------------------------------------

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) return routeWheel(qobject_cast<QWidget*>(watched), event);
  if (!isMouseEvent(event->type())) return QWidget::eventFilter(watched, event);
  if (manualMove_) return manualMoveEvent(event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!attached() || !widget) return false;
  QWidget* target = routedTo_.value(widget, widget);
  Control* control = target == this ? form_ : controls_.value(target, nullptr);
  if (!control) return false;
  const QPoint offset = target == widget ? QPoint() : widget->mapTo(target, QPoint(0, 0));
  return route(target, *control, event, offset);
}

bool FormWindow::route(QWidget* target, Control& control, QEvent* event, QPoint offset) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPointF at = mouse->position() + QPointF(offset);
  const float x = twips(at.x()), y = twips(at.y());
  const int shift = shiftCode(mouse->modifiers());
  NameListView* list = lists_.value(target, nullptr);
  const bool combo = control.kind() == Kind::DriveList;
  const QPoint inViewport = mouse->position().toPoint();

  switch (event->type()) {
    case QEvent::MouseButtonPress:
      pressed_ = target;
      doubleClicked_ = false;
      step([&] { control.inputMouseDown(buttonCode(mouse->button()), shift, x, y); });
      if (list && attached() && mouse->button() == Qt::LeftButton)
        list->pressRow(list->indexAt(inViewport).row());
      break;
    case QEvent::MouseButtonDblClick:
      pressed_ = target;
      doubleClicked_ = true;
      if (mouse->button() != Qt::LeftButton) break;
      if (list)
        list->openRow(list->indexAt(inViewport).row());
      else if (!combo)
        step([&] { control.inputDblClick(); });
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = pressed_ == target && !doubleClicked_ && !list && !combo &&
                         mouse->button() == Qt::LeftButton && target->rect().contains(at.toPoint());
      pressed_ = nullptr;
      step([&] { control.inputMouseUp(buttonCode(mouse->button()), shift, x, y); });
      if (click && attached()) step([&] { control.inputClick(); });
      break;
    }
    case QEvent::MouseMove:
      step([&] { control.inputMouseMove(buttonsCode(mouse->buttons()), shift, x, y); });
      break;
    default:
      return false;
  }
  // The drop-down list opens itself; everything else is the runtime's to decide.
  return !combo;
}

}  // namespace kv::view
