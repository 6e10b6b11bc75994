// Watching a film on the real engine through the main window: the submenu of its tracks, the
// keys switching them, a still, and the offer to go on where it was left, kept in the
// per-user file across a close and a reopen.

#include <gtest/gtest.h>
#include <mpv/client.h>

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/form1.h"
#include "comfort/comfort.h"
#include "doubles/fake_components.h"
#include "doubles/service_doubles.h"
#include "media/player/mpv_player.h"
#include "platform/host/host_services.h"
#include "platform/input_codes.h"
#include "player_fixture.h"

using namespace kv;
using namespace kv::input;

namespace {

QGuiApplication& application() {
  static int argc = 1;
  static char name[] = "test_comfort_engine";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  media::useCNumericLocale();
  return *app;
}

// Light pixels in the lower third of a grey picture: a subtitle there.
int lightPixelsBelow(const QImage& image) {
  int light = 0;
  for (int y = image.height() * 2 / 3; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) light += qGray(image.pixel(x, y)) > 200;
  return light;
}

// The frame as shown, with its subtitles.
QImage frameAsShown(media::MpvPlayer& p, const std::string& path) {
  const char* argv[] = {"screenshot-to-file", path.c_str(), "subtitles", nullptr};
  return mpv_command(p.core(), argv) < 0 ? QImage() : QImage(QString::fromStdString(path));
}

}  // namespace

TEST(ComfortOnTheEngine, AFilmsTracksAreChosenAndItIsTakenBackWhereItWasLeft) {
  application();
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) ::unsetenv(name);
  test::TestMedia media;
  const std::string film = media.film();
  media.grey("short.mp4", 5);
  QTemporaryDir appDir, state;
  const std::string app = appDir.path().toStdString();
  std::filesystem::create_directory(app + "/datinf");
  for (const char* movie : {"0.dll", "power.dll"})
    std::filesystem::copy_file(std::string(KORVELIN_STAGE) + "/" + movie, app + "/" + movie);
  const std::string positions = state.path().toStdString() + "/korvelin/positions";
  std::filesystem::create_directories(state.path().toStdString() + "/korvelin");
  std::ofstream(positions) << "not a list of ours\n\x01";

  test::ServiceDoubles doubles;
  host::HostFiles files;
  host::HostClock clock;
  Services real{clock,           doubles.cursor,  doubles.screen,      doubles.profile,
                files,           doubles.folders, doubles.screenSaver, doubles.instance,
                doubles.windows, doubles.shell,   doubles.help,        doubles.registry};
  doubles.folders.application = app;
  doubles.folders.documents = media.dir();
  media::MpvPlayer player1, player2;
  test::FakeFlashPlayer flash;
  test::FakeWebPage web;
  media::Components components{player1, player2, flash, web};
  app::Form1 form(real, components);
  form.comfort().usePlaces(std::make_unique<comfort::FilePositions>(positions),
                           state.path().toStdString() + "/Pictures/Korvelin");
  form.Show();
  ASSERT_EQ(form.File1.List(0), "film.mkv");

  auto openFilm = [&] {
    form.File1.setListIndex(1);
    form.File1.setListIndex(0);
    return test::pumpUntil(
        [&] { return player1.URL() == film && player1.playState() == media::kPlaying; }, 30000);
  };
  ASSERT_TRUE(openFilm());
  auto shown = [&] {
    std::vector<std::string> out;
    for (forms::MenuItem* item : form.comfort().menu().items())
      if (item->Visible()) out.push_back((item->Checked() ? "* " : "") + item->Caption());
    return out;
  };
  EXPECT_EQ(shown(), (std::vector<std::string>{"* 音轨 1：汉语 · 国语", "音轨 2：英语 · Commentary",
                                               "-", "字幕 1：汉语", "字幕 2：英语", "* 关闭字幕"}));

  struct Step {
    int key, shift;
    const char *property, *value;
  };
  for (const Step& s : {Step{kKeyNumberSign, kShiftKey, "aid", "2"},
                        {kKeyJ, kShiftKey, "sid", "1"},
                        {kKeyJ, kShiftKey, "sid", "2"},
                        {kKeyJ, kShiftKey, "sid", "no"},
                        {kKeyBracketRight, kShiftKey, "speed", "1.100000"},
                        {kKeyBackspace, kShiftKey, "speed", "1.000000"},
                        {kKeyX, 0, "sub-delay", "0.100000"},
                        {kKeyPlus, kCtrlKey, "audio-delay", "0.100000"},
                        {kKeyD, 0, "deinterlace", "yes"},
                        {'2', 0, "vf",
                         "@picture:lavfi=graph=%63%eq=contrast=1.010:brightness=0.000:"
                         "gamma=1.000:saturation=1.000"},
                        {kKeyA, kShiftKey, "video-aspect-override", "1.333333"}}) {
    form.inputKeyDown(s.key, s.shift);
    EXPECT_EQ(test::engineText(player1, s.property), s.value) << s.key;
  }
  // Hardware decoding by default; on this machine without a decoder, software, named so.
  EXPECT_EQ(test::engineText(player1, "hwdec"), "auto-safe");
  std::vector<std::string> decoders;
  player1.DecoderReported.connect([&](const std::string& d) { decoders.push_back(d); });
  for (int off = 1; off >= 0; --off) form.comfort().pictureMenu().items().end()[-2]->Click.raise();
  EXPECT_TRUE(test::pumpUntil([&] { return decoders == std::vector<std::string>{"", ""}; }, 5000));
  EXPECT_TRUE(form.comfort().lasting().hardwareDecoding);
  for (int item : {3, 5}) form.comfort().pictureMenu().items()[item]->Click.raise();
  EXPECT_EQ(test::engineText(player1, "sub-scale"), "1.100000");
  EXPECT_EQ(test::engineText(player1, "sub-pos"), "95");
  form.comfort().pictureMenu().items().end()[-3]->Click.raise();  // normalised, balance kept
  form.BUT13A.Click.raise();
  EXPECT_NE(player1.audioFilter().find("@balance"), std::string::npos);
  EXPECT_NE(player1.audioFilter().find("@normalise"), std::string::npos);
  EXPECT_EQ(shown().front(), "音轨 1：汉语 · 国语");
  // The subtitle chosen is in the frame; hidden by V, it is not.
  const std::string frame = media.dir() + "/frame.png";
  for (const auto& [key, light] : {std::pair{kKeyJ, true}, {kKeyV, false}, {kKeyV, true}}) {
    form.inputKeyDown(key, 0);
    EXPECT_TRUE(test::pumpUntil(
        [&] { return (lightPixelsBelow(frameAsShown(player1, frame)) > 50) == light; }, 5000))
        << key;
  }
  EXPECT_EQ(test::engineText(player1, "sub-text"), "中文字幕");

  form.inputKeyDown(kKeyS, 0);
  const auto stills = state.path().toStdString() + "/Pictures/Korvelin";
  ASSERT_TRUE(test::pumpUntil(
      [&] {
        return std::filesystem::exists(stills) && !std::filesystem::is_empty(stills) &&
               !QImage(QString::fromStdString(
                           std::filesystem::directory_iterator(stills)->path().string()))
                    .isNull();
      },
      5000));
  const auto still = std::filesystem::directory_iterator(stills)->path();
  EXPECT_TRUE(still.filename().string().starts_with("film-00."));
  const QImage picture(QString::fromStdString(still.string()));
  EXPECT_EQ(picture.size(), QSize(320, 240));
  EXPECT_EQ(lightPixelsBelow(picture), 0);  // the video alone, without its subtitle
  form.inputKeyDown(kKeyS, kCtrlKey);       // as shown: with it
  ASSERT_TRUE(test::pumpUntil(
      [&] {
        for (const auto& f : std::filesystem::directory_iterator(stills))
          if (f.path() != still &&
              lightPixelsBelow(QImage(QString::fromStdString(f.path().string()))) > 50)
            return true;
        return false;
      },
      5000));

  // Subtitle files dropped on the film, read again in the encoding chosen.
  struct Dropped {
    const char *name, *bytes, *text;
    int encoding;
  };
  for (const Dropped& d : {Dropped{"big5.srt", "\xc1\x63\xc5\xe9", "繁體", 3},
                           {"gb.srt", "\xbc\xf2\xcc\xe5", "简体", 2}}) {
    const std::string path = media.dir() + "/" + d.name;
    std::ofstream(path) << "1\n00:00:00,000 --> 00:20:00,000\n" << d.bytes << "\n";
    form.inputFileDropped(path);
    form.comfort().pictureMenu().items()[1]->items()[d.encoding]->Click.raise();
    EXPECT_TRUE(
        test::pumpUntil([&] { return test::engineText(player1, "sub-text") == d.text; }, 5000))
        << d.name << ": " << test::engineText(player1, "sub-text");
  }

  // A second subtitle, and the picture turned a quarter: for this file only.
  form.comfort().pictureMenu().items()[10]->Click.raise();
  form.comfort().pictureMenu().items()[8]->items()[2]->Click.raise();
  EXPECT_EQ(test::engineText(player1, "video-rotate"), "90");
  EXPECT_EQ(test::engineText(player1, "secondary-sid"), "2");

  // Left part-way by the stop button, which closes the file: kept, and offered on reopening.
  player1.setCurrentPosition(200);
  form.BUT5_Click();
  std::ifstream kept(positions);
  std::string header, line;
  std::getline(kept, header);
  std::getline(kept, line);
  EXPECT_EQ(header, "korvelin-positions 1");
  EXPECT_EQ(line, "200.000\t" + film);
  ASSERT_TRUE(openFilm());
  // The choices of the file before went with it.
  for (const char* own : {"sub-delay", "audio-delay"})
    EXPECT_EQ(test::engineText(player1, own), "0.000000") << own;
  EXPECT_EQ(test::engineText(player1, "vf"), "");
  EXPECT_EQ(test::engineText(player1, "deinterlace"), "no");
  EXPECT_EQ(test::engineText(player1, "video-rotate"), "0");
  EXPECT_EQ(test::engineText(player1, "secondary-sid"), "no");
  EXPECT_LT(player1.currentPosition(), 5);  // opening starts at the beginning, as ever
  EXPECT_EQ(form.comfort().offered(), 200);
  EXPECT_EQ(shown().back(), "从 03:20 继续   (&R)");
  form.inputKeyDown(kKeyR, 0);
  EXPECT_TRUE(
      test::pumpUntil([&] { return std::fabs(player1.currentPosition() - 198) < 1; }, 5000));
  form.Image9_Click();
}
