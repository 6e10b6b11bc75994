// Subtitle files beside the video, tracks in the desktop's languages, speed, frames and the
// report of a file left, on the real engine with media made by ffmpeg.

#include <mpv/client.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>

#include "media/player/subtitle_limit.h"
#include "media/player/track_languages.h"
#include "platform/file_names.h"
#include "player_fixture.h"

namespace kv::test {
namespace {

using media::Track;

std::vector<Track> ofKind(const std::vector<Track>& all, Track::Kind kind) {
  std::vector<Track> out;
  for (const Track& t : all)
    if (t.kind == kind) out.push_back(t);
  return out;
}

TEST_F(PlayerTest, SubtitleFilesBesideTheVideoAreFoundAndRead) {
  const std::string gbk = "\xc4\xe3\xba\xc3\xca\xc0\xbd\xe7";  // 你好世界 in GBK
  struct Case {
    const char* video;
    const char* subtitle;
    std::string bytes, shown, language;
    const char* crowded = nullptr;  // a file beside it with too many events at once: left out
  };
  const std::string srt = "1\n00:00:00,000 --> 00:10:00,000\n";
  std::string crowd = "[Events]\n";
  for (int i = 0; i <= media::kMostEventsAtOnce; ++i)
    crowd += "Dialogue: 0,0:00:00.00,0:01:00.00,Default,,0,0,0,,ev\n";
  for (const Case& c : {
           Case{"a.mp4", "a.srt", srt + "你好世界\n", "你好世界", ""},
           Case{"b.mp4", "b.srt", srt + gbk + "\n", "你好世界", ""},
           Case{"c.mp4", "c.zh.srt", srt + "简体\n", "简体", "zh"},
           Case{"d.mp4", "d.chs.ass",
                "[Script Info]\nScriptType: v4.00+\n\n[Events]\nFormat: Layer, Start, End, "
                "Style, Text\nDialogue: 0,0:00:00.00,0:10:00.00,Default,特效字幕\n",
                "特效字幕", "chs"},
           Case{"e.mp4", "Subs/e.srt", srt + "子文件夹\n", "子文件夹", ""},
           Case{"f.mp4", "字幕/f.srt", srt + gbk + "\n", "你好世界", ""},
           Case{"g.mp4", "g.srt", srt + "留下\n", "留下", "", "g.crowd.ass"},
       }) {
    SCOPED_TRACE(c.subtitle);
    const std::string video = media.grey(c.video, 10);
    media.write(c.subtitle, c.bytes);
    if (c.crowded) media.write(c.crowded, crowd);
    openPlaying(video);
    const std::vector<Track> subs = ofKind(player->tracks(), Track::Kind::Subtitle);
    ASSERT_EQ(subs.size(), 1u);
    EXPECT_TRUE(subs[0].external);
    EXPECT_TRUE(subs[0].selected);
    EXPECT_EQ(subs[0].language, c.language);
    EXPECT_TRUE(pumpUntil([&] { return engineText(*player, "sub-text") == c.shown; }, 5000))
        << engineText(*player, "sub-text");
  }
}

TEST(SubtitleWeight, CountsEventsAndTheMostOnScreenAtOnce) {
  struct Case {
    std::string text;
    int events, mostAtOnce;
  };
  for (const Case& c : {
           Case{"1\n00:00:01,000 --> 00:00:02,000\na\n\n2\n00:00:02,000 --> 00:00:03,500\nb\n", 2,
                1},
           Case{"WEBVTT\n\n00:01.000 --> 00:04.000 align:start\na\n00:02.000 --> 00:03.000\nb\n", 2,
                2},
           Case{"Dialogue: 0,0:00:00.00,0:01:00.00,Default,,0,0,0,,a\n"
                "Dialogue: 0,0:00:10.00,0:00:20.00,Default,,0,0,0,,b, c\n"
                "Dialogue: 0,0:00:15.00,0:00:16.00,Default,,0,0,0,,d\n"
                "Dialogue: 0,0:02:00.00,0:03:00.00,Default,,0,0,0,,e\n",
                4, 3},
           Case{"Dialogue: 0,0:00:05.00,0:00:01.00,Default,,x\nDialogue: nonsense\n--> 12\n", 0, 0},
       }) {
    SCOPED_TRACE(c.text);
    const media::SubtitleWeight weight = media::weighSubtitleText(c.text);
    EXPECT_EQ(weight.events, c.events);
    EXPECT_EQ(weight.mostAtOnce, c.mostAtOnce);
  }
}

TEST(TrackLanguages, FromTheDesktopsLocale) {
  struct Case {
    const char *language, *lcAll, *lang, *languages, *codepage;
  };
  for (const Case& c : {
           Case{"", "", "zh_CN.UTF-8", "zh,chi,zho,chs,cht,sc,tc", "GB18030"},
           Case{"", "", "zh_TW.UTF-8", "zh,chi,zho,chs,cht,sc,tc", "BIG5"},
           Case{"en_GB:zh_CN", "", "en_GB.UTF-8", "en,eng,zh,chi,zho,chs,cht,sc,tc", "auto"},
           Case{"en:fr", "C", "", "", "GB18030"},  // LANGUAGE counts beside a language only
           Case{"", "de_DE.UTF-8", "ja_JP", "de,ger,deu", "auto"},
           Case{"", "", "", "", "GB18030"},
           Case{"", "", "fi_FI.UTF-8", "fi", "auto"},
       }) {
    SCOPED_TRACE(testing::Message() << c.language << "|" << c.lcAll << "|" << c.lang);
    EXPECT_EQ(media::trackLanguages(c.language, c.lcAll, "", c.lang), c.languages);
    EXPECT_EQ(media::subtitleCodepage(c.language, c.lcAll, "", c.lang), c.codepage);
  }
}

TEST_F(PlayerTest, EmbeddedTracksFollowTheDesktopsLanguage) {
  ::setenv("LANGUAGE", "en_US:zh_CN", 1);
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  media::MpvPlayer english;
  ::unsetenv("LANGUAGE");
  ::unsetenv("LC_ALL");
  english.setURL(media.film());
  ASSERT_TRUE(pumpUntil([&] { return english.playState() == media::kPlaying; }, 30000));
  for (const Track& t : english.tracks())
    EXPECT_EQ(t.selected, t.language == "eng") << t.id << " " << t.language;
}

TEST_F(PlayerTest, SpeedStaysWithinBoundsAndOutlastsFastForward) {
  openPlaying(media.longClip());
  for (const auto& [asked, kept] :
       {std::pair{2.0, 2.0}, {10.0, 4.0}, {0.1, 0.25}, {4.0, 4.0}, {1.5, 1.5}}) {
    player->setPlaybackSpeed(asked);
    EXPECT_DOUBLE_EQ(player->playbackSpeed(), kept) << asked;
    EXPECT_DOUBLE_EQ(player->speed(), kept) << asked;
  }
  player->fastForward();
  EXPECT_DOUBLE_EQ(player->speed(), 5.0);
  player->play();
  EXPECT_DOUBLE_EQ(player->speed(), 1.5);
  player->setURL(media.clip());
  EXPECT_DOUBLE_EQ(player->speed(), 1.5);
}

TEST_F(PlayerTest, FramesStepOnlyWhilePaused) {
  openPlaying(media.film());
  player->pause();
  player->setCurrentPosition(10);
  // Arrived: the engine itself is there, and no longer seeking.
  ASSERT_TRUE(pumpUntil(
      [&] {
        double at = 0;
        int seeking = 1;
        mpv_get_property(player->core(), "time-pos", MPV_FORMAT_DOUBLE, &at);
        mpv_get_property(player->core(), "seeking", MPV_FORMAT_FLAG, &seeking);
        return !seeking && std::fabs(at - 10) < 0.05;
      },
      5000));
  const double start = 10;
  // Two frames a second.
  for (const auto& [forward, frames] : {std::pair{true, 1}, {true, 2}, {false, 1}}) {
    player->stepFrame(forward);
    const double expected = start + frames * 0.5;
    EXPECT_TRUE(
        pumpUntil([&] { return std::fabs(player->currentPosition() - expected) < 0.1; }, 5000))
        << forward << " at " << player->currentPosition();
    EXPECT_EQ(player->playState(), media::kPaused);
  }
}

TEST_F(PlayerTest, LeavingAFileTellsWhereItWas) {
  std::vector<media::LeftFile> left;
  player->Left.connect([&](const media::LeftFile& l) { left.push_back(l); });
  openPlaying(media.film());
  player->setCurrentPosition(100);
  openPlaying(media.clip());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].url, media.film());
  EXPECT_NEAR(left[0].position, 100, 0.01);
  EXPECT_NEAR(left[0].duration, 370, 1);
  EXPECT_FALSE(left[0].ended);
  ASSERT_TRUE(waitForState(media::kStopped, 20000));
  player->close();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_TRUE(left[1].ended);
  player->close();  // nothing open: nothing told
  EXPECT_EQ(left.size(), 2u);
}

// A still whose name the file system refuses is reported as not made; the same name fitted
// to the file system is saved.
TEST_F(PlayerTest, AStillIsSavedOnlyUnderANameTheFileSystemTakes) {
  openPlaying(media.clip());
  player->pause();
  const std::string head(251, 'n'), tail = "-0.01.png";
  for (const auto& [name, made] :
       {std::pair{head + tail, false}, {fitFileName(head, tail), true}}) {
    const std::string path = media.dir() + "/" + name;
    struct stat st {};
    EXPECT_EQ(player->saveFrame(path, false), made) << name.size();
    EXPECT_EQ(::stat(path.c_str(), &st) == 0 && st.st_size > 0, made) << name.size();
  }
}

}  // namespace
}  // namespace kv::test
