#pragma once
// The help window: shows a topic of a compiled help file, follows the links between its
// pages, and explains in the window itself when the file cannot be read.

#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <string>

class QToolButton;

namespace kv {
class ShellService;
}

namespace kv::help {

class ChmArchive;

// A text browser whose pages, pictures and style sheets come from the archive ("chm:" URLs).
class ChmBrowser : public QTextBrowser {
 public:
  explicit ChmBrowser(QWidget* parent = nullptr);
  void setArchive(std::shared_ptr<const ChmArchive> archive) { archive_ = std::move(archive); }
  const ChmArchive* archive() const { return archive_.get(); }
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  std::shared_ptr<const ChmArchive> archive_;
};

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(ShellService& shell, QWidget* parent = nullptr);
  ~HelpWindow() override;

  // Opens the file at topic; false (with the reason shown in the window) when it cannot.
  bool showTopic(const std::string& chmPath, const std::string& topic);
  // Follows a link of the page shown, as a click on it does.
  void followLink(const QUrl& link);
  // The title and the buttons in the language now shown.
  void retranslate();
  ChmBrowser& browser() { return *browser_; }

  static QUrl topicUrl(const std::string& topic);

 private:
  void showMessage(const QString& title, const QString& text);
  void updateTitle();

  ShellService& shell_;
  ChmBrowser* browser_;
  QToolButton* back_;
  QToolButton* forward_;
  QToolButton* home_;
  QUrl homeUrl_;
};

}  // namespace kv::help
