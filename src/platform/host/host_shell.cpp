#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/host/host_services.h"
#include "platform/language.h"

namespace kv::host {

bool HostShell::openUrl(const std::string& url) {
  const QUrl u(QString::fromStdString(url), QUrl::StrictMode);
  const QString scheme = u.scheme().toLower();
  // Only addresses the program means to hand out: web pages, mail, and local pages of ours.
  // Anything else (a script, a scheme handler of another program) is refused.
  if (!u.isValid() || u.isEmpty()) return false;
  if (scheme == "file") {
    if (!QFileInfo(u.toLocalFile()).isFile()) return false;
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdString(shownLocalPage(u.toLocalFile().toStdString()))));
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
