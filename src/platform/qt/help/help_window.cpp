#include "platform/qt/help/help_window.h"

#include <QHBoxLayout>
#include <QPalette>
#include <QStringDecoder>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/help/chm_archive.h"
#include "platform/qt/shown_text.h"
#include "platform/shell.h"

namespace kv::help {
namespace {

const QString kScheme = QStringLiteral("chm");
QString helpTitle() {
  return view::shownText(QStringLiteral("Korvelin 帮助"));
}

QString shown(const char* text) {
  return view::shownText(QString::fromUtf8(text));
}

QString decodePage(const std::string& bytes) {
  const QByteArrayView data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // The page's own charset declaration decides; our pages are UTF-8.
  QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  return decoder.decode(data);
}

}  // namespace

ChmBrowser::ChmBrowser(QWidget* parent) : QTextBrowser(parent) {
  // The pages are written for dark text on white, whatever look the application has.
  QPalette page = palette();
  page.setColor(QPalette::Base, Qt::white);
  page.setColor(QPalette::Text, QColor(30, 31, 36));
  page.setColor(QPalette::Link, QColor(22, 105, 188));
  page.setColor(QPalette::LinkVisited, QColor(22, 105, 188));
  setPalette(page);
  // Links are followed by the window: inside the file, or out to the desktop's browser.
  setOpenLinks(false);
  setOpenExternalLinks(false);
}

QVariant ChmBrowser::loadResource(int type, const QUrl& name) {
  if (name.scheme() != kScheme || !archive_) return {};
  const auto data = archive_->read(name.path().toStdString());
  if (!data) return {};
  if (type == QTextDocument::HtmlResource) return decodePage(*data);
  if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(*data);
  return QByteArray(data->data(), static_cast<qsizetype>(data->size()));
}

HelpWindow::HelpWindow(ShellService& shell, QWidget* parent)
    : QWidget(parent, Qt::Window), shell_(shell) {
  resize(780, 580);

  browser_ = new ChmBrowser(this);
  back_ = new QToolButton(this);
  forward_ = new QToolButton(this);
  home_ = new QToolButton(this);
  retranslate();
  back_->setEnabled(false);
  forward_->setEnabled(false);
  home_->setEnabled(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(home_);
  bar->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(bar);
  layout->addWidget(browser_);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this, [this] { followLink(homeUrl_); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });
}

HelpWindow::~HelpWindow() = default;

QUrl HelpWindow::topicUrl(const std::string& topic) {
  QUrl url;
  url.setScheme(kScheme);
  const QString path = QString::fromStdString(topic);
  url.setPath(path.startsWith('/') ? path : '/' + path);
  return url;
}

void HelpWindow::retranslate() {
  setWindowTitle(helpTitle());
  back_->setText(shown("后退"));
  forward_->setText(shown("前进"));
  home_->setText(shown("目录"));
}

bool HelpWindow::showTopic(const std::string& chmPath, const std::string& topic) {
  retranslate();
  auto archive = std::make_shared<const ChmArchive>(chmPath);
  const QString file = QString::fromStdString(chmPath).toHtmlEscaped();
  switch (archive->status()) {
    case ChmArchive::Status::Missing:
      showMessage(shown("找不到帮助文件"), shown("帮助文件 %1 不存在。<br>请把 pemra.chm "
                                                 "放回播放器所在的文件夹，或重新安装播放器。")
                                               .arg(file));
      return false;
    case ChmArchive::Status::Empty:
      showMessage(shown("帮助文件是空的"),
                  shown("帮助文件 %1 是空文件（0 字节），里面没有可以显示的"
                        "内容。<br>请重新安装播放器。")
                      .arg(file));
      return false;
    case ChmArchive::Status::NotChm:
      showMessage(shown("无法读取帮助文件"),
                  shown("文件 %1 不是有效的帮助文件（CHM），可能已经损坏。"
                        "<br>请重新安装播放器。")
                      .arg(file));
      return false;
    case ChmArchive::Status::Ok:
      break;
  }
  if (!archive->contains(topic)) {
    showMessage(shown("找不到帮助主题"),
                shown("帮助文件 %1 里没有主题“%2”。")
                    .arg(file, QString::fromStdString(topic).toHtmlEscaped()));
    return false;
  }
  browser_->setArchive(archive);
  browser_->clearHistory();
  homeUrl_ = topicUrl(topic);
  home_->setEnabled(true);
  browser_->setSource(homeUrl_, QTextDocument::HtmlResource);
  return true;
}

void HelpWindow::followLink(const QUrl& link) {
  const QUrl target = browser_->source().resolved(link);
  const QString scheme = target.scheme().toLower();
  if (scheme == "http" || scheme == "https" || scheme == "mailto") {
    shell_.openUrl(target.toString(QUrl::FullyEncoded).toStdString());
    return;
  }
  if (scheme != kScheme || !browser_->archive()) return;
  if (!browser_->archive()->contains(target.path().toStdString())) {
    // The file itself is fine: the message replaces the page, and "目录" leads back.
    browser_->setHtml(shown("<h2>找不到帮助主题</h2><p>帮助文件里没有这一页：%1</p>")
                          .arg(target.path().toHtmlEscaped()));
    return;
  }
  browser_->setSource(target, QTextDocument::HtmlResource);
}

void HelpWindow::showMessage(const QString& title, const QString& text) {
  browser_->setArchive(nullptr);
  browser_->setHtml(QStringLiteral("<h2>%1</h2><p>%2</p>").arg(title.toHtmlEscaped(), text));
  browser_->clearHistory();
  homeUrl_ = QUrl();
  home_->setEnabled(false);
  setWindowTitle(helpTitle() + QStringLiteral(" - ") + title);
}

void HelpWindow::updateTitle() {
  const QString page = browser_->documentTitle();
  // The contents page is titled as the window is: its name once.
  const bool same = page.isEmpty() || page == helpTitle();
  setWindowTitle(same ? helpTitle() : helpTitle() + QStringLiteral(" - ") + page);
}

}  // namespace kv::help
