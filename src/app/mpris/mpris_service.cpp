#include "app/mpris/mpris_service.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "app/mpris/cover_art.h"
#include "platform/desktop/desktop_state.h"
#include "platform/host/atomic_file.h"

namespace kv::app::mpris {
namespace {

const QString kBusName = QStringLiteral("org.mpris.MediaPlayer2.korvelin");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// An engine answers a seek or a new file within this; a burst of changes is read once.
constexpr int kSettleMs = 100;
constexpr double kMicro = 1e6;

qlonglong micros(double seconds) {
  return static_cast<qlonglong>(std::llround(seconds * kMicro));
}

QString statusName(Status status) {
  switch (status) {
    case Status::Playing:
      return QStringLiteral("Playing");
    case Status::Paused:
      return QStringLiteral("Paused");
    case Status::Stopped:
      break;
  }
  return QStringLiteral("Stopped");
}

QVariant propertyValue(const QString& name, const MediaState& s, const QVariantMap& metadata) {
  if (name == "PlaybackStatus") return statusName(s.status);
  if (name == "Metadata") return metadata;
  if (name == "Volume") return s.volume / 100.0;
  if (name == "CanGoNext") return s.canGoNext;
  if (name == "CanGoPrevious") return s.canGoPrevious;
  if (name == "CanSeek") return s.canSeek;
  return {};
}

// The cover picture of a local file, read piece by piece.
std::optional<CoverArt> coverOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return embeddedCover([&file](std::uint64_t offset, std::size_t size) -> std::string {
    if (offset > static_cast<std::uint64_t>(file.size()) || !file.seek(qint64(offset))) return {};
    const QByteArray bytes = file.read(static_cast<qint64>(std::min(size, kMaxCoverBytes + 64)));
    return bytes.toStdString();
  });
}

}  // namespace

MprisService::MprisService(MediaControls& controls, std::string coverFolder, QObject* parent)
    : QObject(parent), controls_(controls), coverFolder_(std::move(coverFolder)) {
  new RootAdaptor(this);
  new PlayerAdaptor(this);
  settle_.setInterval(kSettleMs);
  settle_.setSingleShot(true);
  connect(&settle_, &QTimer::timeout, this, &MprisService::refresh);
}

MprisService::~MprisService() {
  if (!cover_.isEmpty()) QFile::remove(cover_);
  if (registered_) QDBusConnection::sessionBus().unregisterService(kBusName);
}

bool MprisService::start() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
  registered_ = bus.registerService(kBusName);
  if (!registered_) {
    bus.unregisterObject(kObjectPath);
    return false;
  }
  last_ = controls_.state();
  lastRead_ = QDateTime::currentMSecsSinceEpoch();
  changedFile();
  return true;
}

QString MprisService::trackId() const {
  if (last_.file.empty()) return QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
  return QStringLiteral("/org/korvelin/track/%1").arg(track_);
}

QVariantMap MprisService::metadata() const {
  QVariantMap m;
  m["mpris:trackid"] = QVariant::fromValue(QDBusObjectPath(trackId()));
  if (last_.file.empty()) return m;
  const QString path = QString::fromStdString(last_.file);
  // The tags' title, else the file's name.
  m["xesam:title"] =
      last_.title.empty() ? QFileInfo(path).fileName() : QString::fromStdString(last_.title);
  if (!last_.artists.empty()) {
    QStringList artists;
    for (const std::string& artist : last_.artists) artists << QString::fromStdString(artist);
    m["xesam:artist"] = artists;
  }
  if (!last_.album.empty()) m["xesam:album"] = QString::fromStdString(last_.album);
  m["xesam:url"] = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
  if (last_.length > 0) m["mpris:length"] = micros(last_.length);
  if (!cover_.isEmpty()) m["mpris:artUrl"] = QUrl::fromLocalFile(cover_).toString();
  return m;
}

void MprisService::changedFile() {
  ++track_;
  if (!cover_.isEmpty()) QFile::remove(cover_);
  cover_.clear();
  if (last_.file.empty() || coverFolder_.empty()) return;
  const auto cover = coverOf(QString::fromStdString(last_.file));
  if (!cover) return;
  // A new name for every file, so that clients never show a picture they cached for another.
  const std::string path = coverFolder_ + "/cover-" + std::to_string(track_) +
                           (cover->mimeType == "image/png" ? ".png" : ".jpg");
  if (host::writeFileAtomically(path, cover->data)) cover_ = QString::fromStdString(path);
}

void MprisService::changed() {
  if (registered_ && !settle_.isActive()) settle_.start();
}

void MprisService::refresh() {
  const MediaState now = controls_.state();
  const qint64 at = QDateTime::currentMSecsSinceEpoch();
  const MediaState before = last_;
  const bool seekedHere = jumped(before, now, (at - lastRead_) / 1000.0);
  last_ = now;
  lastRead_ = at;
  if (before.file != now.file) changedFile();
  QVariantMap changed;
  const QVariantMap meta = metadata();
  for (const std::string& name : changedProperties(before, now)) {
    const QString key = QString::fromStdString(name);
    changed[key] = propertyValue(key, now, meta);
  }
  if (!changed.isEmpty()) emitChanged(changed);
  if (seekedHere) seeked(now.position);
}

void MprisService::seeked(double seconds) {
  last_.position = seconds;
  lastRead_ = QDateTime::currentMSecsSinceEpoch();
  for (auto* adaptor : findChildren<PlayerAdaptor*>()) emit adaptor->Seeked(micros(seconds));
}

void MprisService::emitChanged(const QVariantMap& values) {
  if (!registered_) return;
  QDBusMessage signal =
      QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"));
  signal << kPlayerInterface << values << QStringList();
  QDBusConnection::sessionBus().send(signal);
}

RootAdaptor::RootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

QStringList RootAdaptor::mimeTypes() const {
  QStringList types;
  for (const auto& type : desktop::associableMimeTypes()) types << QString::fromStdString(type);
  return types;
}

void RootAdaptor::Raise() {
  service_->controls().raise();
}

void RootAdaptor::Quit() {
  // After the reply has gone out.
  QTimer::singleShot(0, service_, [service = service_] { service->controls().quit(); });
}

PlayerAdaptor::PlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

QString PlayerAdaptor::playbackStatus() const {
  return statusName(service_->controls().state().status);
}

double PlayerAdaptor::volume() const {
  return service_->controls().state().volume / 100.0;
}

void PlayerAdaptor::setVolume(double volume) {
  if (!std::isfinite(volume)) return;
  service_->controls().setVolume(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
  service_->refresh();
}

qlonglong PlayerAdaptor::position() const {
  return micros(service_->controls().state().position);
}

bool PlayerAdaptor::canGoNext() const {
  return service_->controls().state().canGoNext;
}

bool PlayerAdaptor::canGoPrevious() const {
  return service_->controls().state().canGoPrevious;
}

bool PlayerAdaptor::canSeek() const {
  return service_->controls().state().canSeek;
}

void PlayerAdaptor::Next() {
  service_->controls().next();
  service_->refresh();
}

void PlayerAdaptor::Previous() {
  service_->controls().previous();
  service_->refresh();
}

void PlayerAdaptor::Pause() {
  service_->controls().pause();
  service_->refresh();
}

void PlayerAdaptor::PlayPause() {
  service_->controls().playPause();
  service_->refresh();
}

void PlayerAdaptor::Stop() {
  service_->controls().stop();
  service_->refresh();
}

void PlayerAdaptor::Play() {
  service_->controls().play();
  service_->refresh();
}

void PlayerAdaptor::Seek(qlonglong offset) {
  const MediaState s = service_->controls().state();
  if (!s.canSeek) return;
  const double target = s.position + offset / kMicro;
  if (target >= s.length) {  // past the end: the next entry
    Next();
    return;
  }
  service_->controls().seekTo(std::max(target, 0.0));
  service_->refresh();
  service_->seeked(std::max(target, 0.0));
}

void PlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position) {
  const MediaState s = service_->controls().state();
  if (trackId.path() != service_->trackId() || !s.canSeek || position < 0 ||
      position / kMicro > s.length)
    return;
  service_->controls().seekTo(position / kMicro);
  service_->refresh();
  service_->seeked(position / kMicro);
}

void PlayerAdaptor::OpenUri(const QString& uri) {
  const QUrl url(uri);
  if (!url.isLocalFile()) return;  // local files only
  service_->controls().openFile(url.toLocalFile().toStdString());
  service_->refresh();
}

}  // namespace kv::app::mpris
