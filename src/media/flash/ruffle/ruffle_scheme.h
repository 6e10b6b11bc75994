#pragma once
// The private URL scheme the Flash page lives on ("kvflash://app/..."): the page and its
// scripts, the engine's files, and the movie bytes the player hands over; besides those only
// media files in the open movie's own folder (not below it, no symbolic links), which old
// movies load by plain relative names. Nothing else reaches the page: every request to another
// scheme is blocked.

#include <QByteArray>
#include <QString>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>
#include <cstdint>
#include <memory>
#include <vector>

namespace kv::media::ruffle {

inline constexpr char kScheme[] = "kvflash";
// The page's address.
inline constexpr char kPageUrl[] = "kvflash://app/page.html";

// Call in main before the QApplication exists (the web engine reads its schemes once, when it
// starts). Calling it twice does no harm.
void registerRuffleScheme();
bool ruffleSchemeRegistered();

// The movie on offer: its generation, the file name it is served under, its bytes, and the
// folder its relative loads (sibling movies, text, XML, pictures, sound) are served from.
struct ServedMovie {
  std::uint64_t generation = 0;
  QString fileName;
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;
  QString folder;
};

class RuffleSchemeHandler final : public QWebEngineUrlSchemeHandler {
 public:
  // Files of the engine are served from ruffleDir, the page from the program's resources.
  explicit RuffleSchemeHandler(QString ruffleDir, QObject* parent = nullptr);

  void setMovie(ServedMovie movie) { movie_ = std::move(movie); }
  void clearMovie() { movie_ = {}; }
  // "kvflash://app/movie/<generation>/<file name>": what the page asks for. The engine is told
  // the same address without the generation ("kvflash://app/movie/<file name>", prelude.js),
  // the same at every start, which names the movie's shared objects; files asked for under it
  // are served as under the generation.
  static QString movieUrl(std::uint64_t generation, const QString& fileName);

  void requestStarted(QWebEngineUrlRequestJob* job) override;
  // Requests refused so far.
  int refused() const { return refused_; }

 private:
  bool serve(QWebEngineUrlRequestJob* job);
  bool serveSibling(QWebEngineUrlRequestJob* job, const QString& name);
  QString ruffleDir_;
  ServedMovie movie_;
  int refused_ = 0;
};

// Lets only the page's own scheme through.
class LocalOnlyInterceptor final : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
  int blocked() const { return blocked_; }

 private:
  int blocked_ = 0;
};

}  // namespace kv::media::ruffle
