// `korvelin --probe` as a user runs it: one JSON object per file, whatever the file holds.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "probe/probe_run.h"

namespace fs = std::filesystem;

namespace {

class Probe : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string(
        (fs::temp_directory_path() / ("korvelin-probe-" + std::to_string(::getpid()))).string());
    fs::create_directories(*dir_);
    auto ffmpeg = [](const std::string& args) {
      ASSERT_EQ(std::system(("ffmpeg -loglevel error -y " + args).c_str()), 0) << args;
    };
    ffmpeg(
        "-f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=frequency=440 -t 3 "
        "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest '" +
        *dir_ + "/my clip 片段.mp4'");
    ffmpeg("-f lavfi -i sine=frequency=440 -t 1 '" + *dir_ + "/tone.wav'");
    ffmpeg("-f lavfi -i testsrc=size=160x120:rate=25 -t 2 -c:v flv1 '" + *dir_ + "/x.flv'");
    ffmpeg("-f lavfi -i smptebars=size=64x48 -frames:v 1 '" + *dir_ + "/bars.png'");
    std::ofstream(*dir_ + "/notes.mp4") << "this is text, not video\n";
    std::ofstream(*dir_ + "/empty.avi");
    std::ofstream(*dir_ + "/fake.flv") << "FLV? no";
    fs::copy_file(std::string(KORVELIN_STAGE) + "/power.dll", *dir_ + "/player.swf",
                  fs::copy_options::overwrite_existing);
    std::ofstream(*dir_ + "/broken.swf") << "CWS\x0a\xff\xff\xff\x7fnot zlib at all";
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }

  // Runs the probe on the files and returns the objects by file name, in order.
  static std::vector<QJsonObject> probe(const std::vector<std::string>& names, int* exitCode) {
    QStringList args{"--probe"};
    for (const auto& n : names) args << QString::fromStdString(*dir_ + "/" + n);
    return kv::test::runKorvelin(args, *dir_, 60000, exitCode);
  }

  static std::string* dir_;
};
std::string* Probe::dir_ = nullptr;

}  // namespace

TEST_F(Probe, MediaFilesReportTheirKindLengthAndPicture) {
  int code = -1;
  const auto r = probe({"my clip 片段.mp4", "tone.wav", "x.flv", "bars.png"}, &code);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(r[0]["kind"].toString(), "PlayerMedia");
  EXPECT_TRUE(r[0]["path"].toString().endsWith("my clip 片段.mp4"));
  EXPECT_NEAR(r[0]["duration"].toDouble(), 3.0, 0.2);
  EXPECT_TRUE(r[0]["video"].toBool());
  EXPECT_NEAR(r[1]["duration"].toDouble(), 1.0, 0.1);
  EXPECT_FALSE(r[1]["video"].toBool());
  EXPECT_EQ(r[2]["kind"].toString(), "FlashVideo");
  EXPECT_NEAR(r[2]["duration"].toDouble(), 2.0, 0.2);
  EXPECT_EQ(r[3]["kind"].toString(), "Picture");
  EXPECT_TRUE(r[3]["video"].toBool());
  for (const auto& o : r) EXPECT_FALSE(o.contains("error")) << o["path"].toString().toStdString();
}

TEST_F(Probe, FlashMoviesAreReadByTheSwfReader) {
  const auto r = probe({"player.swf"}, nullptr);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]["kind"].toString(), "FlashMovie");
  const QJsonObject swf = r[0]["swf"].toObject();
  EXPECT_EQ(swf["compression"].toString().size(), 3);
  EXPECT_GT(swf["width"].toInt(), 0);
  EXPECT_GT(swf["frameRate"].toDouble(), 0);
  EXPECT_GE(swf["frameCount"].toInt(), 1);
  EXPECT_TRUE(swf["playerMovie"].toBool());
  EXPECT_TRUE(swf["fscommands"].isArray());
}

TEST_F(Probe, UnreadableFilesGetAnErrorAndTheRestStillAnswers) {
  int code = -1;
  const auto r =
      probe({"notes.mp4", "empty.avi", "fake.flv", "broken.swf", "missing.mkv", "x.flv"}, &code);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_NE(code, 0);
  for (int i = 0; i < 5; ++i)
    EXPECT_FALSE(r[i]["error"].toString().isEmpty()) << r[i]["path"].toString().toStdString();
  EXPECT_EQ(r[3]["kind"].toString(), "FlashMovie");
  EXPECT_EQ(r[3]["swf"].toObject()["compression"].toString(), "CWS");
  EXPECT_FALSE(r[5].contains("error"));
}
