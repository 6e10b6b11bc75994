// The recent files and a typed address on the doubles: which openings are listed, the submenu
// and its file, and an address played apart from the file list.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/playback_rig.h"
#include "comfort/fake_watching.h"
#include "platform/language.h"
#include "recent/recent_texts.h"

using namespace kv;
using Files = std::vector<std::string>;
namespace texts = recent::texts;

namespace {
void choose(test::PlaybackRig& rig, const std::string& item) {
  rig.windows.menuChoice = item;
  rig.windows.popupMenu(*rig.form, rig.form->menu);
}
}  // namespace

TEST(RecentFiles, WhatAPersonOpensIsListedNewestFirstAndWhatOpensOnItsWayIsNot) {
  const struct {
    const char* how;
    std::function<void(test::PlaybackRig&)> act;
    Files listed;
  } cases[] = {
      {"list", [](auto& r) { r.click(0), r.click(2); }, {"/media/c.avi", "/media/a.avi"}},
      {"advance", [](auto& r) { r.click(0), r.player1.state = media::kStopped; }, {"/media/a.avi"}},
      {"slide show", [](auto& r) { r.click(3); }, {"/media/d.jpg"}},
      {"browse tab",
       [](auto& r) {
         r.windows.openResult = "/media/b.avi";
         r.form->Label7_Click();
       },
       {"/media/b.avi"}},
      {"drop, submenu",
       [](auto& r) {
         r.form->OpenDroppedFile("/media/c.avi"), r.click(1), choose(r, "recentFile1");
       },
       {"/media/c.avi", "/media/b.avi"}},
  };
  for (const auto& c : cases) {
    test::PlaybackRig rig;
    rig.startWith({"a.avi", "b.avi", "c.avi", "d.jpg", "e.jpg"});
    c.act(rig);
    rig.clock.advance(8000);  // the automatic advance, the list search and the slide show ran
    EXPECT_EQ(rig.form->recent().list().files(), c.listed) << c.how;
  }
}

TEST(RecentFiles, TheSubmenuGreysAFileGoneAndTheListIsKeptInItsFile) {
  test::PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b&-.avi"});
  const std::string file = testing::TempDir() + "/recent-test/recent";
  std::filesystem::create_directories(testing::TempDir() + "/recent-test");
  std::ofstream(file) << "korvelin-recent 1\nnot a path\n";
  form.recent().keepIn(std::make_unique<recent::FileRecent>(file));
  EXPECT_TRUE(form.recent().list().files().empty());  // damaged: ignored
  rig.click(0), rig.click(1);
  rig.files.remove("/media/a.avi");
  choose(rig, "");
  const auto& items = form.recentMenu.items();
  EXPECT_EQ(items[0]->Caption(), "b&-.avi");
  EXPECT_TRUE(items[0]->Literal() && items[0]->Enabled() && !items[1]->Enabled());
  EXPECT_FALSE(items[2]->Visible());
  EXPECT_EQ(recent::FileRecent(file).load().files(), (Files{"/media/b&-.avi", "/media/a.avi"}));
  choose(rig, "recentClear");
  EXPECT_TRUE(recent::FileRecent(file).load().files().empty());
  EXPECT_TRUE(form.recentMenu.items()[recent::RecentList::kMostFiles]->Visible());  // "none"
}

TEST(RecentAddress, OnlyATypedHttpAddressPlaysAndEachFailureIsNamed) {
  const std::pair<std::string, std::string> typed[] = {
      {" https://x.org/v?a=1\n", "https://x.org/v?a=1"},
      {"HTTP://h/c.mp4", "HTTP://h/c.mp4"},
      {"file:///etc/passwd", ""},
      {"http://", ""},
      {"http:///x", ""},
      {"ftp://h/x", ""},
      {"http://h/a b", ""},
      {"/home/a.mp4", ""}};
  for (const auto& [text, address] : typed)
    EXPECT_EQ(recent::addressOf(text).value_or(""), address) << text;
  const std::pair<std::string, const char*> reasons[] = {
      {"Failed to open | http: HTTP error 404 Not Found", texts::kNotFound},
      {"HTTP error 403 Forbidden", texts::kServerError},
      {"Connection to tcp://127.0.0.1:1 failed: Connection refused", texts::kRefused},
      {"Failed to resolve hostname x.invalid", texts::kNoNetwork},
      {"Failed to recognize file format.", texts::kNotMedia}};
  for (const auto& [reason, text] : reasons) EXPECT_STREQ(recent::failureText(reason), text);
}

TEST(RecentAddress, AnAddressPlaysApartFromTheListAndItsFailureIsSaidOverThePicture) {
  test::PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.avi"});
  test::FakeWatching watching;
  rig.player1.watch = &watching;
  rig.click(0);
  choose(rig, "recentAddress");
  ASSERT_TRUE(rig.windows.textAnswer);
  rig.windows.textAnswer(" http://h/clip.mp4 ");
  EXPECT_EQ(rig.player1.url, "http://h/clip.mp4");
  EXPECT_NE(
      std::find(rig.player1.calls.begin(), rig.player1.calls.end(), "address=" + rig.player1.url),
      rig.player1.calls.end());
  EXPECT_EQ(form.File1.ListIndex(), 0);
  EXPECT_EQ(form.session().selected().kind(), media::MediaKind::PlayerMedia);
  rig.player1.state = media::kStopped;
  rig.clock.advance(10000);
  EXPECT_EQ(rig.player1.url, "http://h/clip.mp4");  // nothing followed it
  EXPECT_EQ(form.recent().list().files(), Files{"/media/a.swf"});
  rig.player1.stateForUrl["http://h/gone"] = media::kReady;
  rig.player1.error = "http: HTTP error 404 Not Found";
  rig.windows.textAnswer("http://h/gone");
  EXPECT_EQ(watching.messages.back(), translatedText(texts::kNotFound));
  rig.windows.textAnswer("file:///etc/passwd");
  EXPECT_EQ(watching.messages.back(), translatedText(texts::kNotAnAddress));
  EXPECT_EQ(rig.player1.url, "http://h/gone");
}
