// Draws the slider skins and the slider cursor and writes them as PNG files:
//   kv_make_skins [output folder]   (default: the repository's resources/skins)

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "skin_painter.h"
#include "slider/bar_setup.h"

namespace {

QColor fromBgr(unsigned bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

bool save(const QImage& image, const QString& folder, const char* name) {
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  if (image.save(path, "PNG")) {
    std::printf("wrote %s (%d x %d)\n", qPrintable(path), image.width(), image.height());
    return true;
  }
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KV_SKINS_DIR);
  QDir().mkpath(folder);

  using kv::skins::Palette;
  using kv::skins::ThumbLook;
  const QColor blue(51, 153, 255);  // the player's highlight blue
  const QColor none(Qt::transparent);
  const Palette palette{fromBgr(kv::slider::kSkinBackgroundBgr), blue, QColor(128, 192, 255),
                        QColor(70, 73, 82), QColor(92, 96, 106)};

  // normal, under the mouse, pressed, disabled
  const ThumbLook seekThumbs[4] = {
      {7, QColor(236, 239, 243), none, 0, none, 0},
      {9, Qt::white, blue, 1.6, none, 0},
      {9, blue, none, 0, Qt::white, 3},
      {7, QColor(104, 107, 116), none, 0, none, 0},
  };
  const ThumbLook volumeThumbs[4] = {
      {9, QColor(236, 239, 243), none, 0, none, 0},
      {11, Qt::white, blue, 1.8, none, 0},
      {11, blue, none, 0, Qt::white, 4},
      {9, QColor(104, 107, 116), none, 0, none, 0},
  };

  bool ok = save(kv::skins::paintSkin(kv::slider::kSeekBarSkin, palette, 3, seekThumbs), folder,
                 "seekbar.png");
  ok = save(kv::skins::paintSkin(kv::slider::kVolumeBarSkin, palette, 3, volumeThumbs), folder,
            "volume.png") &&
       ok;
  ok = save(kv::skins::paintCursor(), folder, "slider_cursor.png") && ok;
  return ok ? 0 : 1;
}
