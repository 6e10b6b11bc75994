// The skin decoded ahead: a preloaded file's picture is the one the forms get (even if the file
// changed since), anything not preloaded is read as always, and a file that does not decode
// fails exactly as it would without the preload.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QThread>
#include <filesystem>
#include <string>

#include "platform/forms/picture.h"
#include "platform/forms/picture_preload.h"
#include "temp_dir.h"

namespace kv::test {
namespace {

using forms::Picture;
using forms::PicturePreload;

void writePicture(const std::string& path, QColor colour, const char* format = "png") {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(QString::fromStdString(path), format));
}

QColor colourOf(const forms::PictureRef& picture) {
  return picture ? picture->image().pixelColor(0, 0) : QColor();
}

TEST(PicturePreload, TheFormsGetThePreloadedPicturesAndReadEverythingElse) {
  QThread::currentThread();  // this thread is Qt's main thread, not the preload's
  TempDir dir;
  writePicture(dir.path() + "/a.png", Qt::red);
  writePicture(dir.path() + "/c.jpg", Qt::red, "jpg");
  writePicture(dir.path() + "/sub/d.png", Qt::red);
  dir.file("b.png", "not a picture");
  dir.file("skin.png/e.png");  // a folder named like a picture

  PicturePreload preload(dir.path());
  struct Case {
    std::string path;
    bool preloaded;
  };
  for (const Case& c : {Case{dir.path() + "/a.png", true}, Case{dir.path() + "//./a.png", true},
                        Case{dir.path() + "/b.png", false},  // did not decode: caller reads it
                        Case{dir.path() + "/c.jpg", false}, Case{dir.path() + "/sub/d.png", false},
                        Case{dir.path() + "/missing.png", false}}) {
    const auto got = PicturePreload::take(c.path);
    EXPECT_EQ(got.has_value(), c.preloaded) << c.path;
    if (got) {
      EXPECT_EQ(got->pixelColor(0, 0), QColor(Qt::red)) << c.path;
    }
  }

  // Changed on disk after the preload: the forms still get what was decoded at the start...
  writePicture(dir.path() + "/a.png", Qt::blue);
  writePicture(dir.path() + "/c.jpg", Qt::blue, "jpg");
  EXPECT_EQ(colourOf(Picture::fromFile(dir.path() + "/a.png")), QColor(Qt::red));
  EXPECT_NE(colourOf(Picture::fromFile(dir.path() + "/c.jpg")), QColor(Qt::red));
  EXPECT_EQ(Picture::fromFile(dir.path() + "/b.png"), nullptr);
  // ...until the start is over.
  preload.forget();
  EXPECT_FALSE(PicturePreload::take(dir.path() + "/a.png"));
  EXPECT_EQ(colourOf(Picture::fromFile(dir.path() + "/a.png")), QColor(Qt::blue));
}

TEST(PicturePreload, AnUnreadableFolderPreloadsNothing) {
  PicturePreload preload("/nonexistent/skins");
  EXPECT_FALSE(PicturePreload::take("/nonexistent/skins/seekbar.png"));
}

}  // namespace
}  // namespace kv::test
