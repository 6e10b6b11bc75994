#pragma once
// The player on the session bus as org.mpris.MediaPlayer2.korvelin: the two MPRIS interfaces
// translated to and from MediaControls. The state is read a few times a second and every change
// is announced (PropertiesChanged, Seeked).

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <string>

#include "app/mpris/media_controls.h"

namespace kv::app::mpris {

class MprisService : public QObject {
  Q_OBJECT
 public:
  // coverFolder: where the cover picture of the file on show is kept for clients to read.
  MprisService(MediaControls& controls, std::string coverFolder, QObject* parent = nullptr);
  ~MprisService() override;
  // Puts the player on the session bus; false, and nothing more, when there is no bus.
  bool start();

  MediaControls& controls() { return controls_; }
  const MediaState& last() const { return last_; }
  QVariantMap metadata() const;
  QString trackId() const;
  // Reads the state now and announces what changed since the last reading.
  void refresh();
  // Something changed in playback: the state is read once the engine has settled (changes
  // that come together are announced together).
  void changed();
  // A seek made through the bus: announced at once with the target.
  void seeked(double seconds);

 private:
  void changedFile();
  void emitChanged(const QVariantMap& values);

  MediaControls& controls_;
  std::string coverFolder_;
  QString cover_;  // the file holding the current cover picture, "" when none
  MediaState last_;
  qint64 lastRead_ = 0;
  unsigned track_ = 0;
  QTimer settle_;
  bool registered_ = false;
};

class RootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ yes)
  Q_PROPERTY(bool CanRaise READ yes)
  Q_PROPERTY(bool HasTrackList READ no)
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)
 public:
  explicit RootAdaptor(MprisService* service);
  bool yes() const { return true; }
  bool no() const { return false; }
  QString identity() const { return QStringLiteral("Korvelin"); }
  QString desktopEntry() const { return QStringLiteral("korvelin"); }
  QStringList uriSchemes() const { return {QStringLiteral("file")}; }
  QStringList mimeTypes() const;
 public Q_SLOTS:
  void Raise();
  void Quit();

 private:
  MprisService* service_;
};

class PlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
  Q_PROPERTY(double Rate READ one WRITE setRate)
  Q_PROPERTY(double MinimumRate READ one)
  Q_PROPERTY(double MaximumRate READ one)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(double Volume READ volume WRITE setVolume)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(bool CanGoNext READ canGoNext)
  Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
  Q_PROPERTY(bool CanPlay READ yes)
  Q_PROPERTY(bool CanPause READ yes)
  Q_PROPERTY(bool CanSeek READ canSeek)
  Q_PROPERTY(bool CanControl READ yes)
 public:
  explicit PlayerAdaptor(MprisService* service);
  QString playbackStatus() const;
  double one() const { return 1.0; }
  void setRate(double) {}  // playback runs at its own speed only
  QVariantMap metadata() const { return service_->metadata(); }
  double volume() const;
  void setVolume(double volume);
  qlonglong position() const;
  bool canGoNext() const;
  bool canGoPrevious() const;
  bool canSeek() const;
  bool yes() const { return true; }
 public Q_SLOTS:
  void Next();
  void Previous();
  void Pause();
  void PlayPause();
  void Stop();
  void Play();
  void Seek(qlonglong offset);
  void SetPosition(const QDBusObjectPath& trackId, qlonglong position);
  void OpenUri(const QString& uri);
 Q_SIGNALS:
  void Seeked(qlonglong position);

 private:
  MprisService* service_;
};

}  // namespace kv::app::mpris
