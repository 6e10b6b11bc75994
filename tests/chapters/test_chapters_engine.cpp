// Chapters and loops by their keys and their submenu, and the preview over the seek bar, in
// the main window on the real engine.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/form1.h"
#include "doubles/fake_components.h"
#include "doubles/service_doubles.h"
#include "media/player/frame_preview_mpv.h"
#include "platform/host/host_services.h"
#include "player_fixture.h"

using namespace kv;
using namespace kv::input;

TEST(ChaptersOnTheEngine, KeysMenuLoopsAndThePreviewOverTheSeekBar) {
  static int argc = 1;
  static char name[] = "test_chapters_engine";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  (void)app;
  media::useCNumericLocale();
  for (const char* n : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) ::unsetenv(n);
  test::TestMedia media;
  const std::string meta = media.write(
      "meta.txt",
      ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=4000\ntitle=开场\n[CHAPTER]\n"
      "TIMEBASE=1/1000\nSTART=4000\nEND=8000\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=8000\n"
      "END=12000\ntitle=<b>&Title</b>\n");
  const std::string clip =
      media.generate("a.mkv", {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=5:duration=12", "-i",
                               meta, "-map_chapters", "1", "-c:v", "libx264", "-preset",
                               "ultrafast", "-g", "5", "-pix_fmt", "yuv420p"});
  const std::string other = media.grey("b.mp4", 5);
  QTemporaryDir appDir;
  const std::string stage = appDir.path().toStdString();
  std::filesystem::create_directory(stage + "/datinf");
  for (const char* movie : {"0.dll", "power.dll"})
    std::filesystem::copy_file(std::string(KORVELIN_STAGE) + "/" + movie, stage + "/" + movie);
  test::ServiceDoubles doubles;
  host::HostFiles files;
  host::HostClock clock;
  Services real{clock,           doubles.cursor,  doubles.screen,      doubles.profile,
                files,           doubles.folders, doubles.screenSaver, doubles.instance,
                doubles.windows, doubles.shell,   doubles.help,        doubles.registry};
  doubles.folders.application = stage;
  doubles.folders.documents = media.dir();
  media::MpvPlayer player1, player2;
  test::FakeFlashPlayer flash;
  test::FakeWebPage web;
  media::Components components{player1, player2, flash, web};
  app::Form1 form(real, components);
  media::MpvFramePreview* preview = nullptr;
  form.seekPreview().usePreviews([&] {
    auto made = std::make_unique<media::MpvFramePreview>();
    preview = made.get();
    return made;
  });
  form.Show();
  auto open = [&](int index, const std::string& path) {
    form.File1.setListIndex(index);
    return test::pumpUntil(
        [&] { return player1.URL() == path && player1.playState() == media::kPlaying; }, 30000);
  };
  ASSERT_TRUE(open(1, other));
  ASSERT_TRUE(open(0, clip));
  player1.pause();
  auto shown = [&] {
    std::vector<std::string> out;
    for (forms::MenuItem* item : form.chapters().menu().items())
      if (item->Visible()) out.push_back((item->Checked() ? "* " : "") + item->Caption());
    return out;
  };
  EXPECT_EQ(shown(),
            (std::vector<std::string>{"* 00:00   开场", "00:04   第 2 章", "00:08   <b>&Title</b>",
                                      "-", "设置 A 点   (&A)", "本文件循环   (&F)"}));

  // Each key, with the place it starts from (-1: where the one before left it); loop ends of
  // -1 are unset.
  struct Step {
    int key, shift;
    double at;
    int chapter;
    double a, b;
    const char* loopFile;
  };
  auto point = [&](const char* name) {
    const std::string v = test::engineText(player1, name);
    return v == "no" ? -1 : std::atof(v.c_str());
  };
  for (const Step& s : {Step{kKeyRight, kCtrlKey, -1, 1, -1, -1, "no"},
                        {kKeyRight, kCtrlKey, -1, 2, -1, -1, "no"},
                        {kKeyRight, kCtrlKey, -1, 2, -1, -1, "no"},   // the last one
                        {kKeyLeft, kCtrlKey, 11.5, 2, -1, -1, "no"},  // back to its start
                        {kKeyLeft, kCtrlKey, 8.5, 1, -1, -1, "no"},
                        {kKeyL, 0, 5, 1, 5, -1, "no"},
                        {kKeyL, 0, 7, 1, 5, 7, "no"},
                        {kKeyL, 0, -1, 1, -1, -1, "no"},
                        {kKeyL, kShiftKey, -1, 1, -1, -1, "inf"},
                        {kKeyL, kShiftKey | kCtrlKey, -1, 1, -1, -1, "inf"}}) {  // no such key
    SCOPED_TRACE(testing::Message() << s.key << " " << s.shift << " " << s.chapter);
    if (s.at >= 0) {
      player1.setCurrentPosition(s.at);
      ASSERT_TRUE(
          test::pumpUntil([&] { return std::fabs(player1.currentPosition() - s.at) < 0.3; }, 5000));
    }
    form.inputKeyDown(s.key, s.shift);
    EXPECT_TRUE(test::pumpUntil(
        [&] { return test::engineText(player1, "chapter") == std::to_string(s.chapter); }, 5000));
    EXPECT_NEAR(point("ab-loop-a"), s.a, 0.3);
    EXPECT_NEAR(point("ab-loop-b"), s.b, 0.3);
    EXPECT_EQ(test::engineText(player1, "loop-file"), s.loopFile);
  }
  EXPECT_EQ(shown()[1], "* 00:04   第 2 章");
  EXPECT_EQ(shown().back(), "* 本文件循环   (&F)");

  // Hovering the seek bar: the time under the pointer at once, then the picture; the bar and
  // the player are left as they were. Leaving the bar takes the preview away.
  form.Timer8.setEnabled(false);  // the position display moves the bar on its own
  const int value = form.tVate1.Value();
  const double position = player1.currentPosition();
  doubles.cursor.under = &form.tVate1;
  for (const auto& [x, time] :
       {std::pair{0.0f, media::positionText(0)},
        {3 * form.tVate1.Width(), media::positionText(player1.duration())}}) {
    form.tVate1.inputMouseMove(0, 0, x, 60);
    ASSERT_NE(form.seekPreview().shown(), nullptr);
    EXPECT_EQ(form.seekPreview().shownTime(), time);
  }
  const forms::Control& box = *form.seekPreview().shown();
  EXPECT_LT(box.Top() + box.Height(), form.Picture4.Top() + form.tVate1.Top());
  EXPECT_TRUE(test::pumpUntil([&] { return box.children()[0]->Picture() != nullptr; }, 5000));
  EXPECT_EQ(box.children()[0]->Picture()->widthPixels(), media::kPreviewWidth);
  EXPECT_EQ(form.tVate1.Value(), value);
  EXPECT_EQ(player1.currentPosition(), position);
  doubles.cursor.under = nullptr;
  EXPECT_TRUE(test::pumpUntil([&] { return form.seekPreview().shown() == nullptr; }, 2000));

  // Another file: no chapters, no loops, and the preview's core is freed.
  ASSERT_TRUE(open(1, other));
  EXPECT_EQ(shown(), (std::vector<std::string>{"（没有章节）", "-", "设置 A 点   (&A)",
                                               "本文件循环   (&F)"}));
  EXPECT_EQ(test::engineText(player1, "loop-file"), "no");
  EXPECT_TRUE(test::pumpUntil([&] { return !preview->hasCore(); }, 5000));
  form.Image9_Click();
}
