#include "media/flash/ruffle/ruffle_scheme.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace kv::media::ruffle {

namespace {

// Files of a movie's folder larger than this are not served (the reader's own file limit).
constexpr qint64 kMaxServedFile = 128 << 20;

QByteArray mimeOf(const QString& path) {
  if (path.endsWith(".html")) return "text/html";
  if (path.endsWith(".js")) return "text/javascript";
  if (path.endsWith(".wasm")) return "application/wasm";
  if (path.endsWith(".swf")) return "application/x-shockwave-flash";
  return "application/octet-stream";
}

void replyFile(QWebEngineUrlRequestJob* job, const QString& path) {
  auto* file = new QFile(path, job);
  if (!file->open(QIODevice::ReadOnly)) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  job->reply(mimeOf(path), file);
}

void replyBytes(QWebEngineUrlRequestJob* job, const QByteArray& mime, QByteArray bytes) {
  auto* buffer = new QBuffer(job);
  buffer->setData(std::move(bytes));
  buffer->open(QIODevice::ReadOnly);
  job->reply(mime, buffer);
}

}  // namespace

void registerRuffleScheme() {
  if (ruffleSchemeRegistered()) return;
  QWebEngineUrlScheme scheme(kScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  // Secure (WebAssembly and audio need a secure context); requests from the page to its own
  // scheme are same-origin.
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                  QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
  QWebEngineUrlScheme::registerScheme(scheme);
}

bool ruffleSchemeRegistered() {
  return QWebEngineUrlScheme::schemeByName(kScheme).name() == kScheme;
}

RuffleSchemeHandler::RuffleSchemeHandler(QString ruffleDir, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), ruffleDir_(std::move(ruffleDir)) {}

QString RuffleSchemeHandler::movieUrl(std::uint64_t generation, const QString& fileName) {
  return QStringLiteral("kvflash://app/movie/%1/%2")
      .arg(generation)
      .arg(QString::fromUtf8(QUrl::toPercentEncoding(fileName)));
}

void RuffleSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (url.host() != "app" || job->requestMethod() != "GET") {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const QString path = url.path(QUrl::FullyDecoded);
  if (path == "/qwebchannel.js") return replyFile(job, ":/qtwebchannel/qwebchannel.js");
  if (path == "/page.html" || path == "/page.js" || path == "/prelude.js")
    return replyFile(job, ":/kvflash" + path);
  if (path.startsWith("/ruffle/")) {
    const QString name = path.mid(8);
    if (name.contains('/') || !(name.endsWith(".js") || name.endsWith(".wasm")))
      return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return replyFile(job, ruffleDir_ + "/" + name);
  }
  if (path.startsWith("/movie/")) {
    const QString rest = path.mid(7);
    const int slash = rest.indexOf('/');
    bool ok = false;
    const std::uint64_t generation = rest.left(slash).toULongLong(&ok);
    if (slash < 0 || !ok || generation != movie_.generation || !movie_.bytes)
      return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    const QString relative = rest.mid(slash + 1);
    if (relative == movie_.fileName) {
      const auto& b = *movie_.bytes;
      return replyBytes(
          job, mimeOf(relative),
          QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size())));
    }
    return serveMovieFolder(job, relative);
  }
  job->fail(QWebEngineUrlRequestJob::UrlNotFound);
}

// A file the movie loads by a relative address, from its own folder or below it only.
void RuffleSchemeHandler::serveMovieFolder(QWebEngineUrlRequestJob* job, const QString& relative) {
  if (movie_.folder.isEmpty() || relative.isEmpty())
    return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
  const QString folder = QFileInfo(movie_.folder).canonicalFilePath();
  const QFileInfo file(QDir(folder).filePath(relative));
  const QString real = file.canonicalFilePath();
  if (folder.isEmpty() || real.isEmpty() || !real.startsWith(folder + "/") || !file.isFile() ||
      file.size() > kMaxServedFile)
    return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
  replyFile(job, real);
}

void LocalOnlyInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  const QString scheme = info.requestUrl().scheme();
  if (scheme == kScheme || scheme == "data" || scheme == "blob") return;
  ++blocked_;
  info.block(true);
}

}  // namespace kv::media::ruffle
