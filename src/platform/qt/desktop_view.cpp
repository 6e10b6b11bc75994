#include "platform/qt/desktop_view.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <algorithm>

#include "platform/errors.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/menu.h"
#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"
#include "platform/qt/language.h"
#include "platform/qt/menu_popup.h"
#include "platform/qt/placement.h"
#include "platform/qt/shown_text.h"

namespace kv::view {

DesktopView::DesktopView(const ComponentRegistry& components, QObject* parent)
    : QObject(parent), components_(components) {}

DesktopView::~DesktopView() {
  for (auto& [form, window] : windows_) retired_.push_back(window);
  for (auto& window : retired_)
    if (window) {
      window->detach();
      delete window.data();
    }
}

FormWindow* DesktopView::windowOf(const forms::Form& form) const {
  const auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.data();
}

FormWindow* DesktopView::ensureWindow(forms::Form& form) {
  if (FormWindow* window = windowOf(form); window && window->attached()) return window;
  auto* window = new FormWindow(form, components_);
  connect(window, &FormWindow::firstPainted, this, [this, &form, window] {
    if (!window->attached()) return;
    // Windows shown while the main window loaded (the first run's association dialog) stay
    // above it.
    if (&form == mainForm_)
      for (auto& [other, shown] : windows_)
        if (shown && shown != window && shown->isVisible()) shown->raise();
    emit firstPainted(&form);
  });
  windows_[&form] = window;
  return window;
}

void DesktopView::dropWindow(forms::Form& form) {
  const auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  if (FormWindow* window = it->second) {
    window->detach();
    // This may run inside one of the window's own event handlers.
    window->deleteLater();
    std::erase_if(retired_, [](const QPointer<FormWindow>& w) { return w.isNull(); });
    retired_.push_back(window);
  }
  windows_.erase(it);
}

QWidget* DesktopView::mainWindow() const {
  return mainForm_ ? windowOf(*mainForm_) : nullptr;
}

void DesktopView::placeCentred(forms::Form& form, FormWindow& window) {
  // The frame the window system adds is not known before the window is shown; the usual
  // title bar is counted in so the whole window is centred.
  constexpr int kTitleBar = 24;
  const QSize size = window.size() + QSize(0, kTitleBar);
  const QPoint at = centredOver(size, mainWindow());
  window.move(at);
  step([&] { form.desktopMoved(twips(at.x()), twips(at.y())); });
}

void DesktopView::formShown(forms::Form& form) {
  const bool opening = !windowOf(form) || !windowOf(form)->attached();
  FormWindow* window = ensureWindow(form);
  if (opening && &form != mainForm_ && form.StartUpPosition() == forms::Form::kStartCenterOwner)
    placeCentred(form, *window);
  // A folder the load pointed a list at was read while the window was being made.
  if (opening) forms::completeFileLists(form);
  window->show();
  if (opening) window->prepareCaptions();
  window->raise();
  window->activateWindow();
}

void DesktopView::formHidden(forms::Form& form) {
  if (FormWindow* window = windowOf(form)) window->hide();
}

void DesktopView::formUnloaded(forms::Form& form) {
  dropWindow(form);
}

void DesktopView::formDestroyed(forms::Form& form) {
  dropWindow(form);
}

void DesktopView::startSystemMove(forms::Form& form) {
  if (FormWindow* window = windowOf(form)) window->startSystemMove();
}

void DesktopView::startSystemResize(forms::Form& form, std::uint32_t edges) {
  if (FormWindow* window = windowOf(form)) window->startSystemResize(edges);
}

void DesktopView::popupMenu(forms::Form& owner, forms::MenuItem& menu) {
  step([&] { menu.Opening.raise(); });
  forms::MenuItem* chosen = runPopupMenu(menu, windowOf(owner));
  if (chosen) step([&] { chosen->Click.raise(); });
}

void DesktopView::popupMenuAt(forms::Form& owner, forms::MenuItem& menu, float x, float y) {
  FormWindow* window = windowOf(owner);
  if (!window) return popupMenu(owner, menu);
  step([&] { menu.Opening.raise(); });
  const QPoint at = window->mapToGlobal(QPoint(pixels(x), pixels(y)));
  forms::MenuItem* chosen = runPopupMenu(menu, window, at);
  if (chosen) step([&] { chosen->Click.raise(); });
}

std::string DesktopView::showOpen(forms::Form& owner, const std::string& filter,
                                  const std::string& previousPath) {
  QString folder;
  if (!previousPath.empty())
    folder = QFileInfo(QString::fromStdString(previousPath)).absolutePath();
  if (folder.isEmpty() || !QFileInfo(folder).isDir())
    folder = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  // Qt's own dialog (not the desktop's), in the program's look and language.
  QFileDialog dialog(windowOf(owner), QString(), folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const QStringList filters = dialogFilters(filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().first().toStdString();
}

void DesktopView::messageBox(forms::Form* owner, const std::string& text,
                             const std::string& title) {
  showMessageBox(owner, shownText(text),
                 title.empty() ? QApplication::applicationName() : shownText(title));
}

void DesktopView::literalMessageBox(forms::Form* owner, const std::string& text) {
  showMessageBox(owner, QString::fromStdString(text), QApplication::applicationName());
}

void DesktopView::showMessageBox(forms::Form* owner, const QString& text, const QString& title) {
  // On the heap: the owner's window may unload while the box is open (the player shutting
  // down) and takes the box with it.
  QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                                              owner ? windowOf(*owner) : nullptr);
  // A message may name a file or a title: nothing in it is read as markup.
  box->setTextFormat(Qt::PlainText);
  // A short text makes a narrow box whose frame would cut its title: room for the title and
  // the frame's buttons beside it.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
    grid->addItem(new QSpacerItem(box->fontMetrics().horizontalAdvance(box->windowTitle()) + 160, 0,
                                  QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  box->exec();
  delete box.data();
}

void DesktopView::askText(forms::Form& owner, const std::string& title, const std::string& prompt,
                          std::function<void(const std::string&)> done) {
  // Modeless and on the heap: the player goes on while it is open, and it goes when closed or
  // with its owner's window.
  auto* dialog = new QInputDialog(windowOf(owner));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setModal(false);
  dialog->setInputMode(QInputDialog::TextInput);
  dialog->setWindowTitle(shownText(title));
  dialog->setLabelText(shownText(prompt));
  dialog->resize(std::max(dialog->sizeHint().width(), 480), dialog->sizeHint().height());
  connect(
      dialog, &QInputDialog::textValueSelected, this,
      [done = std::move(done)](const QString& text) { step([&] { done(text.toStdString()); }); });
  dialog->show();
  // Typing goes to it at once, as in the person's Open dialog.
  dialog->raise();
  dialog->activateWindow();
  if (const forms::Form* main = mainForm_; main && windowOf(*main)) {
    const QRect over = windowOf(*main)->frameGeometry();
    dialog->move(over.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
  }
}

Language DesktopView::language() const {
  return shownLanguage();
}

void DesktopView::chooseLanguage(Language language) {
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
    loadProgramTranslations(*application, language);
  else
    setShownLanguage(language);
  for (auto& [form, window] : windows_)
    if (window) window->retranslate();
  if (keepLanguage_) keepLanguage_(language);
}

const forms::Control* DesktopView::controlAt(Point screen) const {
  const QWidget* widget = QApplication::widgetAt(QPoint(screen.x, screen.y));
  if (!widget) return nullptr;
  for (const auto& [form, window] : windows_)
    if (window && window->attached() && (widget == window || window->isAncestorOf(widget)))
      return window->controlOf(widget);
  return nullptr;
}

void DesktopView::flush() {
  for (auto& [form, window] : windows_)
    if (window) window->flush();
}

QStringList dialogFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString pattern = p.trimmed();
      // "*.*" means every file, also one without a dot.
      patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    if (patterns.isEmpty()) continue;
    out << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
               QLatin1Char(')');
  }
  return out;
}

}  // namespace kv::view
