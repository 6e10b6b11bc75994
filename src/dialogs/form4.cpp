#include "dialogs/form4.h"

#include <cmath>

#include "dialogs/addresses.h"
#include "platform/cursor.h"
#include "platform/desktop/desktop_state.h"
#include "platform/errors.h"

namespace kv::dialogs {

Form4::Form4(Services& services)
    : forms::Form("Form4", &services.screen, &services.windows), services_(services) {
  design();
  connectHandlers();
}

void Form4::connectHandlers() {
  Load.connect([this] { Form_Load(); });
  const auto boxes = checks();
  for (std::size_t i = 0; i < boxes.size(); ++i)
    boxes[i]->Click.connect([this, i] { Check_Click(i); });
  Command1.Click.connect([this] { Command1_Click(); });
  Command2.Click.connect([this] { Command2_Click(); });
  Command3.Click.connect([this] { Command3_Click(); });
  Label3.Click.connect([this] { Label3_Click(); });
  MouseMove.connect([this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); });
  Frame1.MouseMove.connect(
      [this](int b, int s, float x, float y) { Frame1_MouseMove(b, s, x, y); });
}

std::string Form4::playerPath() const {
  return desktop::installedProgram(services_.folders.installFolder());
}

std::string Form4::stateFile() const {
  std::string folder = services_.folders.installFolder();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder + "/datinf/KRinf.ini";
}

void Form4::SetFormTopmost() {
  setTopmost(true);
}

void Form4::Form_Load() {
  step([&] { SetFormTopmost(); });
  const std::string state = stateFile();
  const auto boxes = checks();
  if (services_.files.fileExists(state)) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      // "1" checks the box, "0" clears it; anything that is not such a number leaves it clear.
      step([&] {
        const std::string text = services_.profile.GetPrivateProfileString(
            "user", kFileTypes[i].iniKey, "false", 255, state);
        const int value = toInt16(toNumber(text));
        if (value != 0 && value != 1)
          throw RuntimeError(ErrorNumber::InvalidPropertyValue, "check box value " + text);
        boxes[i]->setValue(value);
      });
    }
  } else {
    // First use: every type is associated at once. When the state file cannot be made (a
    // read-only installation), nothing would remember the choice and every opening would
    // associate all types again over the user's own choice: the boxes are then only offered.
    bool created = false;
    step([&] { created = services_.profile.WritePrivateProfileSection("user", "", state); });
    for (forms::CheckBox* box : boxes) step([&] { box->setValue(1); });
    if (created) step([&] { ApplyAndSave(); });
  }
  step([&] { Label2.setCaption(kNote); });
  step([&] { Command1.setCaption("全不选"); });
}

void Form4::Check_Click(std::size_t index) {
  step([&] { Label2.setCaption(kFileTypes.at(index).description); });
}

void Form4::Command1_Click() {
  const bool selectAll = Command1.Caption() == "全 选";
  step([&] { Command1.setCaption(selectAll ? "全不选" : "全 选"); });
  for (forms::CheckBox* box : checks()) step([&] { box->setValue(selectAll ? 1 : 0); });
  step([&] { Label2.setCaption("说明:"); });
}

void Form4::ApplyAndSave() {
  auto& registry = services_.registry;
  const auto root = RegRoot::ClassesRoot;
  const std::string command = desktop::associationCommand(playerPath());
  const auto boxes = checks();
  const auto setDefault = [&](const std::string& key, const std::string& data) {
    step([&] {
      if (registry.createKey(root, key)) registry.setValue(root, key, "", RegValue{kRegSz, data});
    });
  };
  {
    // One write of the store (and one update of the desktop) for all fifteen types.
    const RegistryBatch batch(registry);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const FileType& type = kFileTypes[i];
      const std::string typeKey = type.typeKey;
      if (boxes[i]->Value() == 1) {
        step([&] { registry.deleteKey(root, typeKey + "\\shell\\open\\DropTarget"); });
        setDefault(type.extension, type.typeName);
        setDefault(typeKey + "\\shell\\open\\command", command);
        setDefault(typeKey + "\\shell\\play\\command", command);
        setDefault(typeKey + "\\DefaultIcon", playerPath() + ",0");
      } else {
        step([&] { registry.deleteValue(root, typeKey + "\\shell\\open\\command", ""); });
        step([&] { registry.deleteValue(root, typeKey + "\\shell\\play\\command", ""); });
      }
    }
  }
  const std::string state = stateFile();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    step([&] {
      services_.profile.WritePrivateProfileString("user", kFileTypes[i].iniKey,
                                                  boxes[i]->Value() == 1 ? "1" : "0", state);
    });
  }
}

void Form4::Command2_Click() {
  ApplyAndSave();
  Unload();
}

void Form4::Command3_Click() {
  Unload();
}

void Form4::Label3_Click() {
  step([&] { services_.shell.openUrl(kCodecAddress); });
}

void Form4::cursorRule(float x, float y) {
  if (CurrentX() == 0 && CurrentY() == 0) {
    setCurrentX(x);
    setCurrentY(y);
  } else if (std::fabs(y - CurrentY()) > 1 || std::fabs(x - CurrentX()) > 1) {
    step([&] { ShowCursorUntilVisible(services_.cursor); });
  }
}

void Form4::Form_MouseMove(int, int, float x, float y) {
  cursorRule(x, y);
}

void Form4::Frame1_MouseMove(int, int, float x, float y) {
  cursorRule(x, y);
}

}  // namespace kv::dialogs
