// Watching comfort on the doubles: the messages that follow what a person changes, the keys,
// the submenu, and the offer to go on where a film was left (stills: test_comfort_engine).

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/playback_rig.h"
#include "comfort/comfort.h"
#include "comfort/fake_watching.h"
#include "platform/input_codes.h"

using namespace kv;
using namespace kv::input;
using media::Track;
using test::FakeWatching;
using test::PlaybackRig;

namespace {

struct ComfortRig : PlaybackRig {
  FakeWatching watching;
  app::Form1& f = startWith({"film.mkv", "photo.jpg", "short.mp4"});

  ComfortRig() { player1.watch = &watching; }
  // Opens entry i as a click does, the engine reporting it plays.
  void open(int i, double length) {
    click(i);
    player1.length = length;
    player1.report(media::kPlaying);
  }
  std::string lastMessage() const {
    return watching.messages.empty() ? "" : watching.messages.back();
  }
  void leave(const std::string& name, double position, double length, bool ended = false) {
    watching.Left.raise({path(name), position, length, ended});
  }
};

}  // namespace

TEST(Comfort, MessagesFollowWhatAPersonChanges) {
  ComfortRig rig;
  rig.watching.titleText = "Film";
  rig.open(0, 100);
  EXPECT_EQ(rig.lastMessage(), "Film");
  struct Step {
    const char* what;
    std::function<void()> act;
    std::string message;
  };
  auto& f = rig.f;
  const Step steps[] = {
      {"volume key", [&] { f.inputKeyDown(kKeyUp, 0); }, "音量 60"},
      {"wheel", [&] { f.inputMouseWheel(f.WindowsMediaPlayer1, -120); }, "音量 55"},
      {"menu", [&] { f.BUT9A.Click.raise(); }, "音量 90"},
      {"mute", [&] { f.inputKeyDown(kKeyM, 0); }, "静音"},
      {"unmute", [&] { f.inputKeyDown(kKeyM, 0); }, "音量 90"},
      {"seek key", [&] { f.inputKeyDown(kKeyRight, 0); }, "00:05 / 01:40"},
      {"full screen", [&] { f.inputKeyDown(kKeyF, 0); }, "全屏显示"},
      {"native size", [&] { f.inputKeyDown(kKeyEscape, 0); }, "原始大小"},
      {"zoom", [&] { f.BUT8C.Click.raise(); }, "缩放比例 150%"},
      {"faster", [&] { f.inputKeyDown(kKeyBracketRight, 0); }, "播放速度 1.10x"},
      {"slower", [&] { f.inputKeyDown(kKeyBracketLeft, 0); }, "播放速度 1.00x"},
      {"slowest",
       [&] {
         for (int i = 0; i < 30; ++i) f.inputKeyDown(kKeyBracketLeft, 0);
       },
       "播放速度 0.25x"},
      {"normal", [&] { f.inputKeyDown(kKeyBackspace, 0); }, "播放速度 1.00x"},
      {"subtitles", [&] { f.inputKeyDown(kKeyV, kShiftKey); }, "隐藏字幕"},
      {"frame while playing", [&] { f.inputKeyDown(kKeyPeriod, 0); }, ""},
      {"frame",
       [&] {
         rig.player1.state = media::kPaused;
         f.inputKeyDown(kKeyComma, 0);
       },
       "上一帧"},
      {"with Ctrl", [&] { f.inputKeyDown(kKeyBracketRight, kCtrlKey); }, ""},
      {"subtitle later", [&] { f.inputKeyDown(kKeyX, 0); }, "字幕延迟 +100 毫秒"},
      {"sound earlier", [&] { f.inputKeyDown(kKeyMinus, kCtrlKey); }, "音频延迟 -100 毫秒"},
      {"contrast", [&] { f.inputKeyDown('2', 0); }, "对比度 1"},
      {"gamma", [&] { f.inputKeyDown('5', 0); }, "伽马 -1"},
      {"aspect", [&] { f.inputKeyDown(kKeyA, kShiftKey); }, "画面比例 4:3"},
      {"deinterlace", [&] { f.inputKeyDown(kKeyD, 0); }, "去隔行：开"},
      {"on top", [&] { f.inputKeyDown(kKeyT, kShiftKey); }, "总在最前：开"},
      {"normalise", [&] { f.comfort().pictureMenu().items().end()[-3]->Click.raise(); },
       "音量均衡：开"},
      {"subtitles larger", [&] { f.comfort().pictureMenu().items()[3]->Click.raise(); },
       "字幕大小 110%"},
      {"subtitles smaller", [&] { f.inputKeyDown(kKeyG, 0); }, "字幕大小 100%"},
      {"subtitles down", [&] { f.inputKeyDown(kKeyU, kShiftKey); }, "字幕位置 105"},
      {"subtitles up", [&] { f.inputKeyDown(kKeyU, 0); }, "字幕位置 100"},
      {"turned", [&] { f.comfort().pictureMenu().items()[10]->Click.raise(); }, "画面旋转 90°"},
      {"second subtitle off",
       [&] { f.comfort().pictureMenu().items()[8]->items()[0]->Click.raise(); },
       "第二字幕：不显示"},
      {"a picture",
       [&] {
         rig.open(1, 0);
         f.inputKeyDown(kKeyUp, 0);
       },
       ""},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    rig.watching.messages.clear();
    s.act();
    EXPECT_EQ(rig.lastMessage(), s.message);
  }
  EXPECT_EQ(rig.watching.calls, std::vector<std::string>{"frame-"});
  EXPECT_TRUE(f.topmost());
  EXPECT_EQ(f.comfort().lasting().normalise, true);
}

TEST(Comfort, AFilesOwnChoicesGoBackWithTheNextAndDroppedSubtitlesJoinAPlayingVideo) {
  ComfortRig rig;
  auto& f = rig.f;
  rig.open(0, 100);
  using C = media::Watching::Choice;
  for (int key : {int(kKeyZ), int('1'), int('3'), int('7'), int(kKeyD)}) f.inputKeyDown(key, 0);
  f.inputKeyDown(kKeyA, kShiftKey);
  f.comfort().pictureMenu().items()[10]->Click.raise();
  const C own[] = {C::SubtitleDelay, C::Contrast, C::Brightness, C::Saturation,
                   C::Deinterlace,   C::Aspect,   C::Rotation};
  for (C which : own) EXPECT_NE(rig.watching.choices[which], 0) << int(which);
  rig.leave("film.mkv", 50, 100);
  for (C which : own) EXPECT_EQ(rig.watching.choices[which], 0) << int(which);
  EXPECT_EQ(rig.watching.choices[C::SubtitleScale], 1) << "lasting choices stay";

  // The picture and sound submenu comes right after the tracks and subtitles.
  const auto& items = f.menu.items();
  const auto at = std::find(items.begin(), items.end(), &f.comfort().pictureMenu());
  ASSERT_NE(at, items.begin());
  EXPECT_EQ(*(at - 1), &f.comfort().menu());

  struct Drop {
    const char* file;
    int state;
    bool taken;
  };
  for (const Drop& d : {Drop{"a.srt", media::kPlaying, true},
                        {"b.ASS", media::kPaused, true},
                        {"c.vtt", media::kStopped, false},
                        {"d.mkv", media::kPlaying, false},
                        {"e.txt", media::kPlaying, false}}) {
    SCOPED_TRACE(d.file);
    rig.open(0, 100);
    rig.player1.state = d.state;
    rig.watching.calls.clear();
    f.inputFileDropped(rig.path(d.file));
    EXPECT_EQ(rig.watching.calls == std::vector<std::string>{"sub-add " + rig.path(d.file)},
              d.taken);
  }
}

TEST(Comfort, TheSubmenuListsTheTracksAndTheKeysCycleThem) {
  ComfortRig rig;
  rig.watching.trackList = {{Track::Kind::Audio, 1, "chi", "国语", true, false},
                            {Track::Kind::Audio, 2, "eng", "Commentary", false, false},
                            {Track::Kind::Subtitle, 1, "chs", "", false, true},
                            {Track::Kind::Subtitle, 2, "", "Signs", true, false}};
  rig.open(0, 100);
  auto& menu = rig.f.comfort().menu();
  // Right after the exit item, the last of the described ones.
  const auto& items = rig.f.menu.items();
  const auto at = std::find(items.begin(), items.end(), &menu);
  ASSERT_NE(at, items.end());
  ASSERT_NE(at, items.begin());
  EXPECT_EQ(*(at - 1), &rig.f.BUT3);
  auto shown = [&] {
    std::vector<std::string> out;
    for (forms::MenuItem* item : menu.items())
      if (item->Visible()) out.push_back((item->Checked() ? "* " : "") + item->Caption());
    return out;
  };
  EXPECT_EQ(shown(),
            (std::vector<std::string>{"* 音轨 1：汉语 · 国语", "音轨 2：英语 · Commentary", "-",
                                      "字幕 1：简体中文 · 外挂", "* 字幕 2：Signs", "关闭字幕"}));
  struct Step {
    std::function<void()> act;
    std::string call, message;
  };
  auto& f = rig.f;
  for (const Step& s : {
           Step{[&] { f.inputKeyDown(kKeyNumberSign, kShiftKey); }, "aid=2",
                "音轨 2：英语 · Commentary"},
           Step{[&] { f.inputKeyDown(kKeyNumberSign, kShiftKey); }, "aid=1", "音轨 1：汉语 · 国语"},
           Step{[&] { f.inputKeyDown(kKeyJ, 0); }, "sid=0", "关闭字幕"},
           Step{[&] { f.inputKeyDown(kKeyJ, 0); }, "sid=1", "字幕 1：简体中文 · 外挂"},
           Step{[&] { menu.items()[1]->Click.raise(); }, "aid=2", "音轨 2：英语 · Commentary"},
           Step{[&] { menu.items()[10]->Click.raise(); }, "sid=2", "字幕 2：Signs"},
       }) {
    s.act();
    EXPECT_EQ(rig.watching.calls.back(), s.call);
    EXPECT_EQ(rig.lastMessage(), s.message);
  }
  EXPECT_EQ(shown()[1], "* 音轨 2：英语 · Commentary");
  // The second subtitle is one of the same tracks.
  forms::MenuItem& second = *f.comfort().pictureMenu().items()[8];
  second.items()[2]->Click.raise();
  EXPECT_EQ(rig.watching.choices[media::Watching::Choice::SecondarySubtitle], 2);
  EXPECT_EQ(rig.lastMessage(), "第二字幕：字幕 2：Signs");
  EXPECT_TRUE(second.items()[2]->Checked());
  rig.f.BUT5_Click();  // stop closes the file
  rig.player1.report(media::kUndefined);
  EXPECT_EQ(shown(), std::vector<std::string>{"（没有可选的音轨或字幕）"});
}

TEST(Comfort, AFilmLeftPartWayIsOfferedAndRTakesItBack) {
  struct Case {
    const char* what;
    int entry;
    double length, leftAt;
    bool ended;
    std::optional<double> offered;
  };
  for (const Case& c : {Case{"a film left part-way", 0, 1000, 754, false, 754},
                        Case{"played to its end", 0, 1000, 1000, true, std::nullopt},
                        Case{"in its last seconds", 0, 1000, 995, false, std::nullopt},
                        Case{"just begun", 0, 1000, 5, false, std::nullopt},
                        Case{"five minutes long", 2, 300, 100, false, std::nullopt},
                        Case{"a picture", 1, 1000, 500, false, std::nullopt}}) {
    SCOPED_TRACE(c.what);
    ComfortRig rig;
    const std::string name = rig.f.File1.List(c.entry);
    rig.open(c.entry, c.length);
    EXPECT_FALSE(rig.f.comfort().offered());
    rig.leave(name, c.leftAt, c.length, c.ended);
    rig.player1.report(media::kUndefined);
    rig.open(c.entry, c.length);
    EXPECT_EQ(rig.f.comfort().offered(), c.offered);
    forms::MenuItem& item = *rig.f.comfort().menu().items().end()[-2];
    EXPECT_EQ(item.Visible(), c.offered.has_value());
    rig.player1.calls.clear();
    rig.f.inputKeyDown(kKeyR, kShiftKey);
    if (!c.offered) {
      EXPECT_TRUE(rig.player1.calls.empty());
      continue;
    }
    EXPECT_EQ(rig.watching.messages.front(), "上次看到 12:34，按 R 继续");
    EXPECT_EQ(item.Caption(), "从 12:34 继续   (&R)");
    EXPECT_EQ(rig.player1.calls.back(), "controls.currentPosition=752");
    EXPECT_EQ(rig.lastMessage(), "从 12:32 继续");
    // Played to its end later: nothing is offered any more.
    rig.leave(name, 1000, 1000, true);
    rig.player1.report(media::kUndefined);
    rig.open(c.entry, c.length);
    EXPECT_FALSE(rig.f.comfort().offered());
  }
}
