// The file-type association dialog on the doubles: loading from KRinf.ini, the first use, the
// select-all toggle, OK and cancel, the cursor rule.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "dialogs/addresses.h"
#include "dialogs/form4.h"

using namespace kv;
using dialogs::Form4;
using dialogs::kFileTypes;
using test::Form1Rig;

namespace {
constexpr auto HKCR = RegRoot::ClassesRoot;
const std::string kState = "/opt/korvelin/datinf/KRinf.ini";
const std::string kCommand = "/opt/korvelin/korvelin %1";

struct DialogRig : Form1Rig {
  std::unique_ptr<Form4> dialog;
  Form4& open() {
    dialog = std::make_unique<Form4>(services);
    dialog->Show();
    return *dialog;
  }
  // A state file with every type at value.
  void saved(const std::string& value) {
    std::string text = "[user]\n";
    for (const auto& t : kFileTypes) text += std::string(t.iniKey) + "=" + value + "\n";
    files.addFile(kState, text);
  }
  std::optional<std::string> text(const std::string& key) { return registry.text(HKCR, key); }
};
}  // namespace

TEST(Form4, TheFifteenRowsAsDesigned) {
  DialogRig rig;
  rig.saved("0");
  Form4& d = rig.open();
  EXPECT_EQ(d.Caption(), "文件类型关联");
  EXPECT_TRUE(d.topmost());
  EXPECT_EQ(d.Label1.Caption(), "选择将Korvelin作为其默认播放机的文件类型");
  EXPECT_EQ(d.Frame1.Caption(), "文件类型");
  EXPECT_EQ(d.Label2.Caption(), Form4::kNote);
  EXPECT_EQ(d.Label3.Caption(), "点击此处进入网站下载解码器！");
  EXPECT_EQ(d.Command1.Caption(), "全不选");
  EXPECT_EQ(d.Command2.Caption(), "确 定");
  EXPECT_EQ(d.Command3.Caption(), "取 消");
  const auto boxes = d.checks();
  const char* captions[] = {"WINDOWS视频文件(AVI)", "WINDOWS视频文件(WMV)", "电影文件(MPEG)",
                            "WINDOWS音频文件(WMA)", "WINDOWS音频文件(WAV)", "MP3音频文件(MP3)",
                            "MIDI音频文件(MIDI)",   "VCD播放文件(DAT)",     "FLASH文件(SWF)",
                            "FLASH VIDEO文件(FLV)", "RMVB视频文件(RMVB)",   "RM(Real Media)格式 ",
                            "DVD播放文件(VOB)",     "MP4视频文件(MP4)",     "MKV视频文件(MKV)"};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i]->name(), "Check" + std::to_string(i + 1));
    EXPECT_EQ(boxes[i]->Caption(), captions[i]);
    EXPECT_EQ(boxes[i]->parent(), &d.Frame1);
    // A click shows the row's description.
    boxes[i]->inputClick();
    EXPECT_EQ(d.Label2.Caption(), kFileTypes[i].description);
  }
  EXPECT_EQ(d.Label2.Caption(), "说明: MKV视频文件(MKV)格式 包括其扩展名为.MKV文件");
}

TEST(Form4, TheFirstUseAssociatesAllFifteenTypesAndSavesThem) {
  DialogRig rig;
  Form4& d = rig.open();
  for (const auto& t : kFileTypes) {
    const std::string key = t.typeKey;
    EXPECT_EQ(rig.text(t.extension), t.typeName) << t.extension;
    EXPECT_EQ(rig.text(key + "\\shell\\open\\command"), kCommand) << key;
    EXPECT_EQ(rig.text(key + "\\shell\\play\\command"), kCommand) << key;
    EXPECT_EQ(rig.text(key + "\\DefaultIcon"), "/opt/korvelin/korvelin,0") << key;
    EXPECT_EQ(rig.profile.GetPrivateProfileString("user", t.iniKey, "?", 0, kState), "1");
  }
  EXPECT_EQ(rig.registry.batchesEnded, 1);  // stored together
  EXPECT_EQ(rig.registry.openBatches, 0);
  // ".MID" and "AVIFile" are the same keys as ".mid" and "avifile".
  EXPECT_EQ(rig.text(".mid"), "MIDFile");
  EXPECT_EQ(rig.text("avifile\\shell\\open\\command"), kCommand);
  // The dialog stays on screen, every box ticked, so that the choice can be changed at once.
  EXPECT_TRUE(d.Visible());
  for (auto* box : d.checks()) EXPECT_EQ(box->Value(), 1);
  EXPECT_EQ(d.Label2.Caption(), Form4::kNote);
  EXPECT_EQ(d.Command1.Caption(), "全不选");
}

TEST(Form4, ClearingSwfThenOkReleasesExactlyItsTwoCommands) {
  DialogRig rig;
  rig.open().Command3_Click();  // the first use associated everything
  rig.registry.setText(HKCR, "swffile\\shell\\open\\DropTarget", "", "x");
  rig.registry.setText(HKCR, "flvfile\\shell\\open\\DropTarget", "", "x");
  rig.registry.setText(HKCR, "swffile\\shell\\open\\command", "Extra", "kept");
  Form4& d = rig.open();
  ASSERT_EQ(d.Check9.Value(), 1);
  d.Check9.setValue(0);  // the user's click
  EXPECT_EQ(d.Label2.Caption(), "说明: FLASH文件格式 包括其扩展名为.SWF文件");
  d.Command2.inputClick();

  EXPECT_TRUE(d.unloaded());
  EXPECT_FALSE(rig.text("swffile\\shell\\open\\command"));
  EXPECT_FALSE(rig.text("swffile\\shell\\play\\command"));
  EXPECT_TRUE(rig.registry.openKey(HKCR, "swffile\\shell\\play\\command"));  // keys stay
  EXPECT_EQ(rig.text(".swf"), "swffile");
  EXPECT_EQ(rig.text("swffile\\DefaultIcon"), "/opt/korvelin/korvelin,0");
  EXPECT_EQ(rig.registry.text(HKCR, "swffile\\shell\\open\\command", "Extra"), "kept");
  EXPECT_TRUE(rig.registry.openKey(HKCR, "swffile\\shell\\open\\DropTarget"));
  // The checked types ran their operations again: their DropTarget keys went.
  EXPECT_FALSE(rig.registry.openKey(HKCR, "flvfile\\shell\\open\\DropTarget"));
  EXPECT_EQ(rig.text("flvfile\\shell\\open\\command"), kCommand);
  EXPECT_EQ(rig.profile.GetPrivateProfileString("user", "serialswf", "?", 0, kState), "0");
  EXPECT_EQ(rig.profile.GetPrivateProfileString("user", "serialflv", "?", 0, kState), "1");
}

TEST(Form4, SavedValuesFillTheBoxesAndAnythingButOneOrZeroLeavesThemClear) {
  struct Case {
    std::string stored;
    int value;
  };
  const std::vector<Case> cases{{"1", 1},   {"0", 0},   {"false", 0}, {"", 0},
                                {"abc", 0}, {" 1 ", 1}, {"1.0", 1},   {"2", 0},
                                {"-1", 0},  {"1e9", 0}, {"０", 0},    {"\xff", 0}};
  for (const Case& c : cases) {
    DialogRig rig;
    rig.saved(c.stored);
    Form4& d = rig.open();
    for (auto* box : d.checks()) EXPECT_EQ(box->Value(), c.value) << "[" << c.stored << "]";
    EXPECT_EQ(rig.registry.writes, 0);
  }
  // A state file that is not an INI file at all is read as holding nothing.
  DialogRig rig;
  rig.files.addFile(kState, "\x01\x02 binary junk [user\n=1\n");
  for (auto* box : rig.open().checks()) EXPECT_EQ(box->Value(), 0);
}

TEST(Form4, TheSelectAllToggleNamesItsNextAction) {
  DialogRig rig;
  rig.saved("0");
  Form4& d = rig.open();
  d.Check2.setValue(1);
  d.Command1.inputClick();
  EXPECT_EQ(d.Command1.Caption(), "全 选");
  EXPECT_EQ(d.Label2.Caption(), "说明:");
  for (auto* box : d.checks()) EXPECT_EQ(box->Value(), 0);
  d.Command1.inputClick();
  EXPECT_EQ(d.Command1.Caption(), "全不选");
  EXPECT_EQ(d.Label2.Caption(), "说明:");
  for (auto* box : d.checks()) EXPECT_EQ(box->Value(), 1);
}

TEST(Form4, CancelWritesNothing) {
  DialogRig rig;
  rig.saved("1");
  const std::string saved = rig.files.content(kState);
  Form4& d = rig.open();
  d.Command1_Click();
  d.Check5.setValue(1);
  const int profileWrites = rig.profile.writes;
  d.Command3.inputClick();
  EXPECT_TRUE(d.unloaded());
  EXPECT_EQ(rig.registry.writes, 0);
  EXPECT_EQ(rig.profile.writes, profileWrites);
  EXPECT_EQ(rig.files.content(kState), saved);
  // The next opening shows the saved state.
  for (auto* box : rig.open().checks()) EXPECT_EQ(box->Value(), 1);
}

TEST(Form4, AReadOnlyInstallationOffersTheBoxesWithoutOverridingTheUsersChoice) {
  DialogRig rig;
  rig.folders.install = "/usr/lib/korvelin";  // no datinf there, nor a way to make one
  rig.registry.setText(HKCR, "swffile\\shell\\open\\command", "", "/usr/bin/other %1");
  const int before = rig.registry.writes;
  Form4& d = rig.open();
  for (auto* box : d.checks()) EXPECT_EQ(box->Value(), 1);
  EXPECT_EQ(rig.registry.writes, before);
  EXPECT_EQ(rig.text("swffile\\shell\\open\\command"), "/usr/bin/other %1");
  // OK still applies what the boxes show.
  d.Command2_Click();
  EXPECT_EQ(rig.text("swffile\\shell\\open\\command"), "/usr/lib/korvelin/korvelin %1");
}

TEST(Form4, TheCodecLinkKeepsTheDialogOpen) {
  DialogRig rig;
  rig.saved("0");
  Form4& d = rig.open();
  d.Label3.inputClick();
  EXPECT_EQ(rig.shell.urls, std::vector<std::string>{dialogs::kCodecAddress});
  EXPECT_TRUE(d.Visible());
}

TEST(Form4, TheCursorComesBackWhenTheMouseMovesMoreThanATwip) {
  DialogRig rig;
  rig.saved("0");
  Form4& d = rig.open();
  rig.cursor.count = -1;
  d.inputMouseMove(0, 0, 300, 400);  // the first position is only stored
  EXPECT_EQ(rig.cursor.count, -1);
  d.Frame1.inputMouseMove(0, 0, 301, 401);  // within a twip
  EXPECT_EQ(rig.cursor.count, -1);
  d.Frame1.inputMouseMove(0, 0, 300, 402);
  EXPECT_EQ(rig.cursor.count, 0);
  EXPECT_EQ(d.CurrentX(), 300);  // the stored position does not follow
  EXPECT_EQ(d.CurrentY(), 400);
}
