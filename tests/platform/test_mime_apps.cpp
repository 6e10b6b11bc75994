// mimeapps.list edited for one desktop entry: only our entries change, every other byte stays.

#include <gtest/gtest.h>

#include "platform/desktop/mime_apps.h"

using kv::desktop::MimeAppsList;

namespace {
constexpr const char* kOurs = "korvelin.desktop";

// A user's file with everything a real one may hold: comments, other groups, a key we share
// with another program, CRLF line ends, text that is not UTF-8, no final line end.
const std::string kForeign =
    "# my settings\r\n"
    "[Added Associations]\r\n"
    "video/x-flv=vlc.desktop;\r\n"
    "\r\n"
    "[Default Applications]\r\n"
    "text/plain=gedit.desktop;\r\n"
    "video/mp4=mpv.desktop;vlc.desktop;\r\n"
    "; an odd comment \xff\xfe\r\n"
    "\r\n"
    "[X-Unknown Group]\r\n"
    "key=\xc3\x28 broken utf-8";
}  // namespace

TEST(MimeApps, SettingAndClearingOurDefaultsLeavesEveryOtherByte) {
  MimeAppsList list(kForeign);
  EXPECT_EQ(list.text(), kForeign);
  EXPECT_TRUE(list.setDefault("video/x-flv", kOurs));
  EXPECT_TRUE(list.setDefault("video/mp4", kOurs));
  EXPECT_FALSE(list.setDefault("video/mp4", kOurs));  // already first: nothing to do
  const std::string set = list.text();
  EXPECT_NE(set.find("[Default Applications]\r\ntext/plain=gedit.desktop;\r\n"
                     "video/mp4=korvelin.desktop;mpv.desktop;vlc.desktop;\r\n"
                     "; an odd comment \xff\xfe\r\n"
                     "video/x-flv=korvelin.desktop;\r\n\r\n[X-Unknown Group]"),
            std::string::npos)
      << set;
  EXPECT_EQ(list.defaults("video/mp4"),
            (std::vector<std::string>{kOurs, "mpv.desktop", "vlc.desktop"}));

  EXPECT_TRUE(list.clearDefault("video/x-flv", kOurs));
  EXPECT_TRUE(list.clearDefault("video/mp4", kOurs));
  EXPECT_FALSE(list.clearDefault("text/plain", kOurs));
  EXPECT_EQ(list.text(), kForeign);  // the other programs' defaults are back as they were
}

TEST(MimeApps, GroupsAreMadeWhenMissing) {
  struct Case {
    std::string before, after;
  };
  const std::vector<Case> cases{
      {"", "[Default Applications]\nvideo/x-flv=korvelin.desktop;\n"},
      {"[Added Associations]\nimage/png=eog.desktop;",
       "[Added Associations]\nimage/png=eog.desktop;\n\n[Default Applications]\n"
       "video/x-flv=korvelin.desktop;\n"},
      {"[Default Applications]", "[Default Applications]\nvideo/x-flv=korvelin.desktop;\n"},
      {"[Default Applications]\r\n\r\n[Other]\r\n",
       "[Default Applications]\r\nvideo/x-flv=korvelin.desktop;\r\n\r\n[Other]\r\n"},
  };
  for (const Case& c : cases) {
    MimeAppsList list(c.before);
    EXPECT_TRUE(list.setDefault("video/x-flv", kOurs));
    EXPECT_EQ(list.text(), c.after) << c.before;
  }
}

TEST(MimeApps, EveryOccurrenceOfAKeyFollowsAndOnlyOurNameGoes) {
  MimeAppsList list(
      "[Default Applications]\nVideo/X-FLV = other.desktop ; korvelin.desktop;\n"
      "[Default Applications]\nvideo/x-flv=korvelin.desktop;\n# video/x-flv=korvelin.desktop;\n");
  EXPECT_EQ(list.defaults("video/x-flv"),
            (std::vector<std::string>{"other.desktop", kOurs, kOurs}));
  EXPECT_TRUE(list.setDefault("video/x-flv", kOurs));
  EXPECT_EQ(list.defaults("video/x-flv"),
            (std::vector<std::string>{kOurs, "other.desktop", kOurs}));
  EXPECT_TRUE(list.clearDefault("video/x-flv", kOurs));
  EXPECT_EQ(list.text(),
            "[Default Applications]\nvideo/x-flv=other.desktop;\n"
            "[Default Applications]\n# video/x-flv=korvelin.desktop;\n");
}
