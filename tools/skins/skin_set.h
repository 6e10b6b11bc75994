#pragma once
// Every file kv_make_skins draws, with its path under resources/ (the same path under the
// application folder once staged).

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace kv::skins {

struct SkinFile {
  QString path;
  QImage image;     // a picture, saved as PNG
  QByteArray text;  // or a text file (the SVG icon)
};

std::vector<SkinFile> drawSkinFiles();

}  // namespace kv::skins
