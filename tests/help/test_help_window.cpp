// The help window: the real topic, links between pages and out to the desktop, the messages
// for files it cannot read; and the help tab of the main window on the real help file.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "app/form1_rig.h"
#include "platform/qt/help/help_window.h"
#include "platform/qt/help/host_help.h"

using namespace kv;
using help::HelpWindow;
using help::HostHelp;

namespace {

const std::string kChm = std::string(KORVELIN_STAGE) + "/pemra.chm";

QString shownText(HelpWindow& w) {
  return w.browser().toPlainText();
}

}  // namespace

TEST(HelpWindow, ShowsTheTopicAndFollowsLinksBetweenPages) {
  test::FakeShell shell;
  HelpWindow w(shell);
  ASSERT_TRUE(w.showTopic(kChm, "help.htm"));
  EXPECT_EQ(w.browser().source(), HelpWindow::topicUrl("help.htm"));
  EXPECT_TRUE(shownText(w).contains(QStringLiteral("三步开始")));
  EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("Korvelin 使用说明")));

  w.followLink(QUrl("keys.htm"));
  EXPECT_EQ(w.browser().source(), HelpWindow::topicUrl("keys.htm"));
  EXPECT_TRUE(shownText(w).contains(QStringLiteral("Page Down")));
  EXPECT_TRUE(w.browser().isBackwardAvailable());
  w.browser().backward();
  EXPECT_EQ(w.browser().source(), HelpWindow::topicUrl("help.htm"));

  // The style sheet comes out of the file too.
  const QVariant css = w.browser().loadResource(QTextDocument::StyleSheetResource,
                                                HelpWindow::topicUrl("style.css"));
  EXPECT_TRUE(css.toString().contains("font-family"));

  // Web and mail addresses go to the desktop; the page stays.
  w.followLink(QUrl("https://example.org/page"));
  w.followLink(QUrl("mailto:someone@example.org"));
  w.followLink(QUrl("javascript:alert(1)"));
  EXPECT_EQ(shell.urls,
            (std::vector<std::string>{"https://example.org/page", "mailto:someone@example.org"}));
  EXPECT_EQ(w.browser().source(), HelpWindow::topicUrl("help.htm"));

  w.followLink(QUrl("nowhere.htm"));
  EXPECT_TRUE(shownText(w).contains(QStringLiteral("没有这一页")));
}

TEST(HelpWindow, ExplainsAFileItCannotRead) {
  QTemporaryDir dir;
  const std::string base = dir.path().toStdString();
  std::ofstream(base + "/empty.chm").close();
  std::ofstream(base + "/text.chm") << "just text";
  struct Case {
    std::string file;
    std::string topic;
    QString says;
  };
  const Case cases[] = {
      {base + "/none.chm", "help.htm", QStringLiteral("找不到帮助文件")},
      {base + "/empty.chm", "help.htm", QStringLiteral("空文件")},
      {base + "/text.chm", "help.htm", QStringLiteral("不是有效的帮助文件")},
      {kChm, "absent.htm", QStringLiteral("没有主题“absent.htm”")},
  };
  test::FakeShell shell;
  HelpWindow w(shell);
  for (const Case& c : cases) {
    ASSERT_TRUE(w.showTopic(kChm, "help.htm"));
    EXPECT_FALSE(w.showTopic(c.file, c.topic)) << c.file;
    EXPECT_TRUE(shownText(w).contains(c.says)) << c.file << ": " << shownText(w).toStdString();
    if (c.file != kChm) {
      EXPECT_TRUE(shownText(w).contains(QString::fromStdString(c.file))) << c.file;
    }
    EXPECT_FALSE(w.browser().isBackwardAvailable());
  }
}

TEST(HelpWindow, TheHelpTabOpensTheRealFileWhileAFilmPlaysOn) {
  test::Form1Rig rig;
  rig.folders.application = KORVELIN_STAGE;
  rig.files.addFolder(std::string(KORVELIN_STAGE) + "/datinf");
  HostHelp host(rig.shell);
  Services services{rig.clock,   rig.cursor,      rig.screen,   rig.profile, rig.files,
                    rig.folders, rig.screenSaver, rig.instance, rig.windows, rig.shell,
                    host,        rig.registry};
  app::Form1 form(services, rig.components);
  form.Show();
  rig.player1.setURL("/films/a.mkv");
  rig.log->clear();

  form.Label9.Click.raise();
  ASSERT_NE(host.window(), nullptr);
  EXPECT_TRUE(host.window()->isVisible());
  EXPECT_EQ(host.window()->browser().source(), HelpWindow::topicUrl("help.htm"));
  EXPECT_TRUE(shownText(*host.window()).contains(QStringLiteral("Korvelin 使用说明")));
  EXPECT_TRUE(rig.log->empty());
  EXPECT_EQ(rig.player1.state, media::kPlaying);

  // The menu item brings the same window back at the topic.
  host.window()->followLink(QUrl("menu.htm"));
  host.window()->hide();
  form.BUT10.Click.raise();
  EXPECT_TRUE(host.window()->isVisible());
  EXPECT_EQ(host.window()->browser().source(), HelpWindow::topicUrl("help.htm"));
}
