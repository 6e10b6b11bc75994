// Draws the skin pictures, the slider cursor and the program icon and writes them under a
// resources folder (skins/..., icons/hicolor/...):
//   kv_make_skins [resources folder]   (default: the repository's resources)

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

#include "skin_set.h"

namespace {

bool write(const kv::skins::SkinFile& file, const QString& root) {
  const QString path = QDir(root).filePath(file.path);
  QDir().mkpath(QFileInfo(path).path());
  QSaveFile out(path);
  bool ok = out.open(QIODevice::WriteOnly);
  if (ok && !file.image.isNull())
    ok = file.image.save(&out, "PNG");
  else if (ok)
    ok = out.write(file.text) == file.text.size();
  ok = ok && out.commit();
  if (ok)
    std::printf("wrote %s\n", qPrintable(path));
  else
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString root =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KV_RESOURCES_DIR);
  bool ok = true;
  for (const kv::skins::SkinFile& file : kv::skins::drawSkinFiles()) ok = write(file, root) && ok;
  return ok ? 0 : 1;
}
