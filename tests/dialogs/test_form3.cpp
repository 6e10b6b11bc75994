// The popup menu window: items, hover, each item's action, the start-with-the-session switch
// and the registry reader it uses.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "dialogs/addresses.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"

using namespace kv;
using dialogs::Form3;
using test::Form1Rig;

namespace {
constexpr auto HKLM = RegRoot::LocalMachine;
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct MenuRig : Form1Rig {
  MenuRig() { start(); }
  Form3& open() {
    form->toggleForm3();
    return *form->form3();
  }
};
}  // namespace

TEST(Form3, EightItemsTopToBottomInWhite) {
  MenuRig rig;
  Form3& menu = rig.open();
  EXPECT_EQ(menu.Width(), 1620);
  EXPECT_EQ(menu.Height(), 1860);
  struct Row {
    const char* name;
    const char* caption;
    float top, width, height;
  };
  const Row rows[] = {
      {"Label1", " 使用说明(&H)", 30, 1695, 225},
      {"Label2", " 媒体提取工具(&R)", 270, 1695, 225},
      {"Label3", " 访问博客(&V)", 510, 1695, 225},
      {"Label5", " 联系作者(&C)", 750, 1695, 225},
      {"Label6", " 开机自运行(&E)", 990, 1695, 225},
      {"Label8", " 文件类型关联(&D)", 1230, 1620, 180},
      {"Label4", " 关于Tesmaro(&A)", 1430, 1440, 180},
      {"Label7", " 关闭视窗(&E)", 1620, 1695, 225},
  };
  const auto items = menu.items();
  ASSERT_EQ(items.size(), 8u);
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i]->name(), rows[i].name);
    EXPECT_EQ(items[i]->Caption(), rows[i].caption) << rows[i].name;
    EXPECT_EQ(items[i]->Left(), 0);
    EXPECT_EQ(items[i]->Top(), rows[i].top) << rows[i].name;
    EXPECT_EQ(items[i]->Width(), rows[i].width) << rows[i].name;
    EXPECT_EQ(items[i]->Height(), rows[i].height) << rows[i].name;
    EXPECT_EQ(items[i]->BackColor(), Form3::kWhite);
    EXPECT_EQ(items[i]->ForeColor(), Form3::kBlack);
  }
}

TEST(Form3, OnlyTheLastHoveredItemStaysHighlighted) {
  MenuRig rig;
  Form3& menu = rig.open();
  menu.Label3.inputMouseMove(0, 0, 10, 10);
  menu.Label8.inputMouseMove(0, 0, 10, 10);
  for (forms::Label* item : menu.items()) {
    const bool on = item == &menu.Label8;
    EXPECT_EQ(item->BackColor(), on ? 12347670u : 0xFFFFFFu) << item->name();
    EXPECT_EQ(item->ForeColor(), on ? 0xFFFFFFu : 0u) << item->name();
  }
}

TEST(Form3, EachItemDoesItsActionAndClosesTheMenu) {
  struct Case {
    const char* item;
    std::function<void(MenuRig&)> check;
  };
  const std::vector<Case> cases{
      {"Label1",
       [](MenuRig& r) {
         EXPECT_EQ(r.help.shown, std::vector<std::string>{"/opt/korvelin/pemra.chm::help.htm"});
       }},
      {"Label2",
       [](MenuRig& r) {
         EXPECT_EQ(r.shell.urls, std::vector<std::string>{dialogs::kExtractorAddress});
       }},
      {"Label3",
       [](MenuRig& r) { EXPECT_EQ(r.shell.urls, std::vector<std::string>{app::kBlogAddress}); }},
      {"Label5",
       [](MenuRig& r) {
         ASSERT_EQ(r.shell.urls.size(), 1u);
         EXPECT_EQ(r.shell.urls[0].rfind("mailto:", 0), 0u);
       }},
      {"Label8",
       [](MenuRig& r) {
         ASSERT_NE(r.form->form4(), nullptr);
         EXPECT_TRUE(r.form->form4()->Visible());
       }},
      {"Label4", [](MenuRig& r) { EXPECT_TRUE(r.shell.urls.empty()); }},
      {"Label7",
       [](MenuRig& r) {
         EXPECT_TRUE(r.shell.urls.empty());
         EXPECT_TRUE(r.help.shown.empty());
       }},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    rig.shell.succeed = false;  // what the desktop makes of it changes nothing here
    rig.help.succeed = false;
    Form3& menu = rig.open();
    for (forms::Label* item : menu.items())
      if (item->name() == c.item) item->inputClick();
    EXPECT_TRUE(menu.unloaded()) << c.item;
    EXPECT_FALSE(menu.Visible()) << c.item;
    c.check(rig);
    // Only the association dialog's first use writes (its own test covers it).
    if (std::string(c.item) != "Label8") {
      EXPECT_EQ(rig.registry.writes, 0) << c.item;
    }
  }
}

TEST(Form3, TheRunSwitchRoundTrip) {
  MenuRig rig;
  rig.folders.install = "/srv/my player";      // the program named is the installed one,
  rig.folders.application = "/home/me/build";  // wherever this one runs from
  Form3& first = rig.open();
  EXPECT_EQ(first.Label6.Caption(), " 开机自运行(&E)");
  EXPECT_FALSE(first.Timer1.Enabled());
  first.Label6.inputClick();
  EXPECT_EQ(first.Label6.Caption(), " 退出自运行(&O)");
  EXPECT_TRUE(first.unloaded());
  EXPECT_EQ(rig.registry.queryValue(HKLM, kRun, "korvelin"),
            (RegValue{kRegSz, "/srv/my player/korvelin"}));

  Form3& second = rig.open();
  EXPECT_EQ(second.Label6.Caption(), " 退出自运行(&O)");
  EXPECT_TRUE(second.Timer1.Enabled());
  second.Label6.inputClick();
  EXPECT_EQ(second.Label6.Caption(), " 开机自运行(&E)");
  EXPECT_FALSE(rig.registry.queryValue(HKLM, kRun, "Korvelin"));
  EXPECT_TRUE(rig.registry.openKey(HKLM, kRun));  // only the value goes

  EXPECT_EQ(rig.open().Label6.Caption(), " 开机自运行(&E)");
}

TEST(Form3, AFailedWriteShowsAtTheNextOpening) {
  MenuRig rig;
  rig.registry.readOnly = true;
  Form3& menu = rig.open();
  menu.Label6.inputClick();
  EXPECT_EQ(menu.Label6.Caption(), " 退出自运行(&O)");  // the click's caption, for now
  EXPECT_EQ(rig.open().Label6.Caption(), " 开机自运行(&E)");
}

TEST(Form3, ReadRegStringReadsOnlyPlainStringsUpToTheirFirstNul) {
  struct Case {
    std::optional<RegValue> stored;
    std::string expected;
  };
  const std::vector<Case> cases{
      {std::nullopt, "def"},
      {RegValue{kRegSz, "/opt/korvelin/korvelin"}, "/opt/korvelin/korvelin"},
      {RegValue{kRegSz, std::string("before\0after", 12)}, "before"},
      {RegValue{kRegSz, ""}, ""},
      {RegValue{kRegExpandSz, "%ProgramFiles%\\x"}, "def"},
      {RegValue{kRegDword, std::string("\x01\0\0\0", 4)}, "def"},
      {RegValue{kRegBinary, "\xff\xfe"}, "def"},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    if (c.stored) rig.registry.setText(HKLM, kRun, "Korvelin", c.stored->data, c.stored->type);
    Form3& menu = rig.open();
    EXPECT_EQ(menu.ReadRegString(HKLM, kRun, "Korvelin", "def"), c.expected);
    // The switch reads the same way: anything but a non-empty string means "off".
    EXPECT_EQ(menu.Timer1.Enabled(), !(c.expected.empty() || c.expected == "def"));
  }
  MenuRig rig;
  EXPECT_EQ(rig.open().ReadRegString(HKLM, "No\\Such\\Key", "Korvelin"), "");
}
