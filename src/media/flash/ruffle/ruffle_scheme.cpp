#include "media/flash/ruffle/ruffle_scheme.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <cstdio>
#include <cstdlib>

namespace kv::media::ruffle {

namespace {

// Files beside a movie larger than this are not served (the reader's own file limit).
constexpr qint64 kMaxServedFile = 128 << 20;

// What a Flash movie loads from beside itself: movies, video, sound, pictures, text and XML.
constexpr const char* kSiblingExtensions[] = {".swf", ".flv", ".mp3", ".jpg", ".jpeg",
                                              ".png", ".gif", ".txt", ".xml"};

QByteArray mimeOf(const QString& path) {
  const QString p = path.toLower();
  if (p.endsWith(".html")) return "text/html";
  if (p.endsWith(".js")) return "text/javascript";
  if (p.endsWith(".wasm")) return "application/wasm";
  if (p.endsWith(".swf")) return "application/x-shockwave-flash";
  if (p.endsWith(".flv")) return "video/x-flv";
  if (p.endsWith(".mp3")) return "audio/mpeg";
  if (p.endsWith(".jpg") || p.endsWith(".jpeg")) return "image/jpeg";
  if (p.endsWith(".png")) return "image/png";
  if (p.endsWith(".gif")) return "image/gif";
  if (p.endsWith(".txt")) return "text/plain";
  if (p.endsWith(".xml")) return "text/xml";
  return "application/octet-stream";
}

// A plain name of a file that a movie may load from beside itself: no separator of either
// kind, no dot file, one of the media extensions.
bool siblingName(const QString& name) {
  if (name.isEmpty() || name.size() > 255 || name.startsWith('.') || name.contains('/') ||
      name.contains('\\'))
    return false;
  for (const QChar c : name)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  const QString lower = name.toLower();
  for (const char* ext : kSiblingExtensions)
    if (lower.endsWith(QLatin1String(ext))) return true;
  return false;
}

bool replyFile(QWebEngineUrlRequestJob* job, const QString& path) {
  auto* file = new QFile(path, job);
  if (!file->open(QIODevice::ReadOnly)) return false;
  job->reply(mimeOf(path), file);
  return true;
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
  // The page's own content security policy applies to it.
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
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
  if (!serve(job)) {
    ++refused_;
    const char* debug = std::getenv("KORVELIN_FLASH_DEBUG");
    if (debug && *debug && *debug != '0')
      std::fprintf(stderr, "flash page: refused %s\n",
                   job->requestUrl().toString().toLocal8Bit().constData());
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
  }
}

bool RuffleSchemeHandler::serve(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (url.host() != "app" || job->requestMethod() != "GET") return false;
  const QString path = url.path(QUrl::FullyDecoded);
  if (path == "/qwebchannel.js") return replyFile(job, ":/qtwebchannel/qwebchannel.js");
  if (path == "/page.html" || path == "/page.js" || path == "/prelude.js")
    return replyFile(job, ":/kvflash" + path);
  if (path.startsWith("/ruffle/")) {
    const QString name = path.mid(8);
    if (name.startsWith('.') || name.contains('/') ||
        !(name.endsWith(".js") || name.endsWith(".wasm")))
      return false;
    return replyFile(job, ruffleDir_ + "/" + name);
  }
  if (!path.startsWith("/movie/") || !movie_.bytes) return false;
  const QString rest = path.mid(7);
  const int slash = rest.indexOf('/');
  bool ok = slash < 0;  // the address the engine knows the movie by, without the generation
  const std::uint64_t generation = ok ? movie_.generation : rest.left(slash).toULongLong(&ok);
  if (!ok || generation != movie_.generation) return false;
  const QString name = rest.mid(slash + 1);
  if (name == movie_.fileName) {
    const auto& b = *movie_.bytes;
    replyBytes(
        job, mimeOf(name),
        QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size())));
    return true;
  }
  return serveSibling(job, name);
}

// A file the movie loads by a plain relative name: only from the movie's own folder (not
// below it), only a media file, never through a symbolic link.
bool RuffleSchemeHandler::serveSibling(QWebEngineUrlRequestJob* job, const QString& name) {
  if (movie_.folder.isEmpty() || !siblingName(name)) return false;
  const QString folder = QFileInfo(movie_.folder).canonicalFilePath();
  const QFileInfo file(QDir(movie_.folder).filePath(name));
  if (folder.isEmpty() || file.isSymLink() || file.canonicalPath() != folder) return false;
  const int fd = ::open(QFile::encodeName(file.absoluteFilePath()).constData(),
                        O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxServedFile) {
    ::close(fd);
    return false;
  }
  auto* device = new QFile(job);
  if (!device->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  job->reply(mimeOf(name), device);
  return true;
}

void LocalOnlyInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  const QString scheme = info.requestUrl().scheme();
  if (scheme == kScheme) return;
  ++blocked_;
  info.block(true);
}

}  // namespace kv::media::ruffle
