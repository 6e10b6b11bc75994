#include "dialogs/frm_about.h"

#include "platform/errors.h"

#ifndef KORVELIN_VERSION_MAJOR
#define KORVELIN_VERSION_MAJOR 0
#define KORVELIN_VERSION_MINOR 0
#define KORVELIN_VERSION_PATCH 0
#endif

namespace kv::dialogs {

const char* const kAppTitle = "Tesmaro";

namespace {

// Where the system-information tool is recorded: its full path, or the folder holding it.
const char* const kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kSysInfoPathValue = "PATH";
const char* const kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kSysInfoFolderValue = "MSINFO";
const char* const kSysInfoProgram = "/MSINFO32.EXE";
constexpr std::size_t kValueBuffer = 1024;

const char* const kDescription =
    "Tesmaro是一款多功能影音播放器,它能播放图片,音乐,影片等绝大部分多煤体文件,并在不断的扩展中!"
    "而且能实现单曲循环播放,随机循环播放等功能!解决了人们对循环播放的要求!......\n"
    "欢迎把您的意见和建议告诉我们,帮助这个播放器变得更好。使用方法请看标题栏上的“帮助”。";
const char* const kDisclaimer =
    "本程序按现状提供,不附带任何明示或暗示的担保;使用风险由您自行承担。 2026年12月";

}  // namespace

frmAbout::frmAbout(Services& services, forms::PictureRef icon)
    : forms::Form("frmAbout", &services.screen, &services.windows), services_(services) {
  // Design: a fixed dialog frame, centred on the screen.
  setWindowStyle(forms::kStyleCaption | forms::kStyleSysMenu);
  setStartUpPosition(kStartCenterOwner);
  const float width = 5730, height = 4290;
  design((services.screen.widthTwips() - width) / 2, (services.screen.heightTwips() - height) / 2,
         width, height);
  Image1.design(240, 240, 540, 540);
  Image1.setPicture(std::move(icon));
  lblTitle.design(1050, 240, 3885, 480);
  lblTitle.setCaption(kAppTitle);
  lblVersion.design(1050, 780, 3885, 225);
  lblDescription.design(1050, 1125, 4455, 1860);
  lblDescription.setCaption(kDescription);
  lblDisclaimer.design(255, 3105, 3870, 825);
  lblDisclaimer.setCaption(kDisclaimer);
  cmdOK.design(4245, 3105, 1260, 375);
  cmdOK.setCaption("确定");
  cmdSysInfo.design(4260, 3555, 1245, 345);
  cmdSysInfo.setCaption("系统信息(&S)...");

  Load.connect([this] { Form_Load(); });
  cmdOK.Click.connect([this] { cmdOK_Click(); });
  cmdSysInfo.Click.connect([this] { cmdSysInfo_Click(); });
}

void frmAbout::SetFormTopmost() {
  setTopmost(true);
}

void frmAbout::Form_Load() {
  SetFormTopmost();
  setCaption(std::string("关于 ") + kAppTitle);
  lblVersion.setCaption("版本 " + std::to_string(KORVELIN_VERSION_MAJOR) + "." +
                        std::to_string(KORVELIN_VERSION_MINOR) + "." +
                        std::to_string(KORVELIN_VERSION_PATCH));
}

void frmAbout::cmdOK_Click() {
  Unload();
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

bool frmAbout::GetKeyValue(RegRoot KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, std::string& KeyVal) {
  KeyVal.clear();
  if (!services_.registry.openKey(KeyRoot, KeyName)) return false;
  const auto value = services_.registry.queryValue(KeyRoot, KeyName, SubKeyRef);
  // The reader's buffer holds 1024 characters; a longer value cannot be read.
  if (!value || value->data.size() > kValueBuffer) return false;
  if (value->type != kRegSz) return false;
  std::string text = value->data;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  KeyVal = text;
  return true;
}

void frmAbout::StartSysInfo() {
  std::string path;
  bool found = false;
  step([&] {
    std::string folder;
    if (GetKeyValue(RegRoot::LocalMachine, kSysInfoPathKey, kSysInfoPathValue, path)) {
      found = true;
    } else if (GetKeyValue(RegRoot::LocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, folder) &&
               !services_.files.Dir(folder + kSysInfoProgram).empty()) {
      path = folder + kSysInfoProgram;
      found = true;
    }
  });
  if (found && services_.shell.startProgram(path)) return;
  services_.windows.messageBox(this, "此时系统信息不可用", "");
}

}  // namespace kv::dialogs
