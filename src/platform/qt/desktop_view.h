#pragma once
// The desktop view: the window host of the forms runtime on Qt Widgets. Every form that is
// shown gets a window (FormWindow) for as long as it is loaded; the context menu, the Open
// dialog and the message box are Qt's. The view decides no behaviour: it shows the runtime's
// state and hands the user's input back as the runtime's events.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/window_host.h"

class QWidget;

namespace kv::view {

class ComponentRegistry;
class FormWindow;

class DesktopView final : public QObject, public WindowHost {
  Q_OBJECT

 public:
  explicit DesktopView(const ComponentRegistry& components, QObject* parent = nullptr);
  ~DesktopView() override;

  // WindowHost.
  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void formDestroyed(forms::Form& form) override;
  void startSystemMove(forms::Form& form) override;
  void startSystemResize(forms::Form& form, std::uint32_t edges) override;
  void popupMenu(forms::Form& owner, forms::MenuItem& menu) override;
  void popupMenuAt(forms::Form& owner, forms::MenuItem& menu, float x, float y) override;
  std::string showOpen(forms::Form& owner, const std::string& filter,
                       const std::string& previousPath) override;
  void messageBox(forms::Form* owner, const std::string& text, const std::string& title) override;
  void literalMessageBox(forms::Form* owner, const std::string& text) override;
  void askText(forms::Form& owner, const std::string& title, const std::string& prompt,
               std::function<void(const std::string&)> done) override;
  Language language() const override;
  // Shows the texts in the language from now on (the windows open are shown again) and hands
  // the choice to the keeper set below.
  void chooseLanguage(Language language) override;
  void setLanguageKeeper(std::function<void(Language)> keep) { keepLanguage_ = std::move(keep); }

  // The program's main window: the secondary windows without a position of their own open
  // centred over it.
  void setMainForm(const forms::Form& form) { mainForm_ = &form; }
  QWidget* mainWindow() const;

  // The window of a form, while it has one.
  FormWindow* windowOf(const forms::Form& form) const;
  // The control under a point of the screen (logical pixels), or nullptr.
  const forms::Control* controlAt(Point screen) const;
  // Applies every form's gathered changes now.
  void flush();

 signals:
  // A form's window was painted for the first time.
  void firstPainted(forms::Form* form);

 private:
  void showMessageBox(forms::Form* owner, const QString& text, const QString& title);
  FormWindow* ensureWindow(forms::Form& form);
  void dropWindow(forms::Form& form);

  void placeCentred(forms::Form& form, FormWindow& window);

  const ComponentRegistry& components_;
  const forms::Form* mainForm_ = nullptr;
  std::map<const forms::Form*, QPointer<FormWindow>> windows_;
  // Windows let go of and waiting for the event loop to delete them; whatever is left when the
  // view goes (the loop has ended) goes with it.
  std::vector<QPointer<FormWindow>> retired_;
  std::function<void(Language)> keepLanguage_;
};

// The program's "description|patterns|description|patterns..." filter as Qt's file dialog
// takes it: "description (pattern pattern)" entries, ";" between patterns becoming spaces and
// "*.*" matching every file.
QStringList dialogFilters(const std::string& filter);

}  // namespace kv::view
