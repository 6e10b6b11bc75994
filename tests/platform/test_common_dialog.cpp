// The common dialog control and the local page addresses.

#include <gtest/gtest.h>

#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/form.h"
#include "platform/shell.h"

using namespace kv;

TEST(CommonDialog, ShowOpenAsksTheWindowHostAndKeepsItsAnswer) {
  test::FakeScreen screen;
  test::FakeWindowHost host;
  forms::Form owner("Owner", &screen, &host);
  forms::CommonDialog dialog("CommonDialog1", owner);
  dialog.setFilter("AllFiles|*.*");
  host.openResult = "/媒体/a b.mkv";
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName(), "/媒体/a b.mkv");
  EXPECT_EQ(host.openFilters, std::vector<std::string>{"AllFiles|*.*"});
  // Cancelled: nothing chosen, not the previous file again.
  host.openResult = "";
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName(), "");

  forms::Form alone("Alone", &screen);
  forms::CommonDialog noHost("CommonDialog1", alone);
  noHost.setFileName("/x");
  noHost.ShowOpen();
  EXPECT_EQ(noHost.FileName(), "");
}

TEST(LocalPageUrl, EncodesEverythingButPlainCharacters) {
  EXPECT_EQ(localPageUrl("/opt/k/news.htm"), "file:///opt/k/news.htm");
  EXPECT_EQ(localPageUrl("/a b/新闻#1?.htm"), "file:///a%20b/%E6%96%B0%E9%97%BB%231%3F.htm");
}
