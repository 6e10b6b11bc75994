#include "dialogs/form3.h"

#include "dialogs/addresses.h"
#include "platform/desktop/desktop_state.h"
#include "platform/errors.h"

namespace kv::dialogs {
namespace {
// The Run key as the switch deletes from it (names compare without regard to case).
constexpr const char* kRunKeyLower = "software\\microsoft\\windows\\currentversion\\run";
constexpr const char* kStartCaption = " 开机自运行(&E)";
constexpr const char* kStopCaption = " 退出自运行(&O)";
}  // namespace

Form3::Form3(MenuWindowOwner& owner)
    : forms::Form("Form3", &owner.services().screen, &owner.services().windows),
      Timer1("Timer1", owner.services().clock),
      owner_(owner),
      services_(owner.services()) {
  design();
  connectHandlers();
}

void Form3::design() {
  setCaption("Form3");
  setWindowStyle(0);  // a drop-down: no caption, no frame
  forms::Control::design(0, 0, 1620, 1860);
  struct Item {
    forms::Label& label;
    const char* caption;
    float top, width, height;
  };
  const Item table[] = {
      {Label1, " 使用说明(&H)", 30, 1695, 225},      {Label2, " 媒体提取工具(&R)", 270, 1695, 225},
      {Label3, " 访问博客(&V)", 510, 1695, 225},     {Label5, " 联系作者(&C)", 750, 1695, 225},
      {Label6, " 开机自运行(&O)", 990, 1695, 225},   {Label8, " 文件类型关联(&D)", 1230, 1620, 180},
      {Label4, " 关于Tesmaro(&A)", 1430, 1440, 180}, {Label7, " 关闭视窗(&E)", 1620, 1695, 225},
  };
  for (const Item& item : table) {
    item.label.design(0, item.top, item.width, item.height);
    item.label.setCaption(item.caption);
    item.label.setBackColor(kWhite);
    item.label.setForeColor(kBlack);
  }
  Timer1.setInterval(0);
}

void Form3::connectHandlers() {
  Load.connect([this] { Form_Load(); });
  Label1.Click.connect([this] { Label1_Click(); });
  Label2.Click.connect([this] { Label2_Click(); });
  Label3.Click.connect([this] { Label3_Click(); });
  Label5.Click.connect([this] { Label5_Click(); });
  Label6.Click.connect([this] { Label6_Click(); });
  Label8.Click.connect([this] { Label8_Click(); });
  Label4.Click.connect([this] { Label4_Click(); });
  Label7.Click.connect([this] { Label7_Click(); });
  for (forms::Label* item : items())
    item->MouseMove.connect([this, item](int, int, float, float) { highlight(*item); });
}

std::string Form3::program() const {
  return desktop::installedProgram(services_.folders.installFolder());
}

void Form3::SetFormTopmost() {
  setTopmost(true);
}

void Form3::Form_Load() {
  step([&] { SetFormTopmost(); });
  std::string v;
  step([&] {
    v = ReadRegString(RegRoot::LocalMachine, std::string(desktop::kRunKey),
                      std::string(desktop::kRunValue), "");
  });
  // Item 5 names what a click does.
  if (v.empty()) {
    step([&] { Timer1.setEnabled(false); });
    step([&] { Label6.setCaption(kStartCaption); });
  } else {
    step([&] { Timer1.setEnabled(true); });
    step([&] { Label6.setCaption(kStopCaption); });
  }
}

void Form3::highlight(forms::Label& hovered) {
  for (forms::Label* item : items()) {
    const bool on = item == &hovered;
    step([&] { item->setBackColor(on ? kHighlightBack : kWhite); });
    step([&] { item->setForeColor(on ? kWhite : kBlack); });
  }
}

std::string Form3::ReadRegString(RegRoot root, const std::string& subkey,
                                 const std::string& valueName, const std::string& def) {
  std::string result = def;
  if (!services_.registry.openKey(root, subkey)) return result;
  if (const auto text =
          desktop::stringValue(services_.registry.queryValue(root, subkey, valueName)))
    result = *text;
  return result;
}

void Form3::Label1_Click() {
  step([&] {
    services_.help.showTopic(services_.folders.installFolder() + "/pemra.chm", "help.htm");
  });
  Unload();
}

void Form3::Label2_Click() {
  step([&] { services_.shell.openUrl(kExtractorAddress); });
  Unload();
}

void Form3::Label3_Click() {
  step([&] { services_.shell.openUrl(owner_.blogAddress()); });
  Unload();
}

void Form3::Label5_Click() {
  step([&] { services_.shell.openUrl(kAuthorMail); });
  Unload();
}

void Form3::Label6_Click() {
  auto& registry = services_.registry;
  if (Timer1.Enabled()) {
    step([&] { Label6.setCaption(kStartCaption); });
    step([&] { registry.deleteValue(RegRoot::LocalMachine, kRunKeyLower, "Korvelin"); });
    step([&] { Timer1.setEnabled(false); });
  } else {
    step([&] { Label6.setCaption(kStopCaption); });
    const std::string key(desktop::kRunKey);
    step([&] {
      if (registry.createKey(RegRoot::LocalMachine, key))
        registry.setValue(RegRoot::LocalMachine, key, "Korvelin", RegValue{kRegSz, program()});
    });
    step([&] { Timer1.setEnabled(true); });
  }
  Unload();
}

void Form3::Label8_Click() {
  step([&] { owner_.showForm4(); });
  Unload();
}

void Form3::Label4_Click() {
  step([&] { owner_.showAbout(); });
  Unload();
}

void Form3::Label7_Click() {
  Unload();
}

}  // namespace kv::dialogs
