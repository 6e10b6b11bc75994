#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/host/host_services.h"
#include "platform/language.h"

namespace kv::host {

QString shownLocalPage(const QString& path) {
  if (shownLanguage() != Language::English) return path;
  // Our English pages are kept in an "en" folder beside the Chinese ones (help/en), the news
  // page's with the help's.
  const QFileInfo page(path);
  for (const QString& folder : {QStringLiteral("/en/"), QStringLiteral("/help/en/")}) {
    const QString english = page.absolutePath() + folder + page.fileName();
    if (QFileInfo(english).isFile()) return english;
  }
  return path;
}

bool HostShell::openUrl(const std::string& url) {
  const QUrl u(QString::fromStdString(url), QUrl::StrictMode);
  const QString scheme = u.scheme().toLower();
  // Only addresses the program means to hand out: web pages, mail, and local pages of ours.
  // Anything else (a script, a scheme handler of another program) is refused.
  if (!u.isValid() || u.isEmpty()) return false;
  if (scheme == "file") {
    if (!QFileInfo(u.toLocalFile()).isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(shownLocalPage(u.toLocalFile())));
  } else if (scheme != "http" && scheme != "https" && scheme != "mailto") {
    return false;
  }
  return QDesktopServices::openUrl(u);
}

bool HostShell::startProgram(const std::string& path) {
  const QFileInfo program(QString::fromStdString(path));
  if (!program.isFile() || !program.isExecutable()) return false;
  return QProcess::startDetached(program.absoluteFilePath(), {});
}

}  // namespace kv::host
