// The committed skin against what kv_make_skins draws today, and nothing else in its folders.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <set>

#include "skin_set.h"
#include "window/skin_pictures.h"

namespace {

QString resource(const QString& path) {
  return QDir(QStringLiteral(KV_RESOURCES_DIR)).filePath(path);
}

// Largest difference of one colour channel or alpha between two pictures of the same size.
int largestDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  int worst = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  return worst;
}

TEST(SkinResources, CommittedFilesAreWhatThePaintersDrawNow) {
  // Anti-aliasing may round one level differently on another processor's drawing path; a
  // changed drawing moves pixels much further.
  constexpr int kRounding = 2;
  for (const kv::skins::SkinFile& file : kv::skins::drawSkinFiles()) {
    SCOPED_TRACE(file.path.toStdString());
    if (file.image.isNull()) {
      QFile committed(resource(file.path));
      ASSERT_TRUE(committed.open(QIODevice::ReadOnly));
      EXPECT_EQ(committed.readAll(), file.text);
      continue;
    }
    const QImage committed(resource(file.path));
    ASSERT_FALSE(committed.isNull());
    ASSERT_EQ(committed.size(), file.image.size());
    EXPECT_LE(largestDifference(committed, file.image), kRounding);
  }
}

TEST(SkinResources, EveryFileOfTheSkinAndIconFoldersComesFromThePainters) {
  std::set<QString> drawn;
  for (const kv::skins::SkinFile& file : kv::skins::drawSkinFiles()) drawn.insert(file.path);
  const QDir root(QStringLiteral(KV_RESOURCES_DIR));
  for (const char* folder : {"skins", "icons"}) {
    QDirIterator it(root.filePath(QString::fromLatin1(folder)), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
      EXPECT_TRUE(drawn.count(root.relativeFilePath(it.next()))) << it.filePath().toStdString();
  }
  for (const kv::window::SkinPicture& p : kv::window::kWindowSkin)
    EXPECT_TRUE(drawn.count(QString::fromLatin1(p.file))) << p.file;
}

TEST(SkinResources, WindowPicturesHaveTheirTableSizes) {
  for (const kv::window::SkinPicture& p : kv::window::kWindowSkin) {
    const QImage image(resource(QString::fromLatin1(p.file)));
    EXPECT_EQ(image.size(), QSize(p.width, p.height)) << p.file;
  }
}

TEST(SkinResources, TheIconThemeHasEverySizeAndAScalableIcon) {
  for (int size : kv::window::kIconSizes) {
    const QImage icon(resource(QString::fromStdString(kv::window::iconFile(size))));
    ASSERT_EQ(icon.size(), QSize(size, size)) << size;
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "rounded corner, size " << size;
    EXPECT_EQ(icon.pixel(size / 2, size / 2) | 0xFF000000, 0xFFFFFFFF) << "play symbol, " << size;
  }
  QFile svg(resource(QString::fromStdString(kv::window::iconFile(0))));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray text = svg.readAll();
  EXPECT_TRUE(text.startsWith("<svg xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_TRUE(text.trimmed().endsWith("</svg>"));
}

}  // namespace
