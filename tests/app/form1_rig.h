#pragma once
// The main window on test doubles and the virtual clock, for behaviour tests.

#include <memory>
#include <string>

#include "app/form1.h"
#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "doubles/service_doubles.h"

namespace kv::test {

struct Form1Rig : ServiceDoubles {
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  FakeMediaPlayer player1{"WindowsMediaPlayer1", log};
  FakeMediaPlayer player2{"WindowsMediaPlayer2", log};
  FakeFlashPlayer flash{"ShockwaveFlash1", log};
  FakeWebPage web{"WebBrowser1", log};
  media::Components components{player1, player2, flash, web};
  std::unique_ptr<app::Form1> form;

  static constexpr const char* kApp = "/opt/korvelin";

  // An installed player that has run before: resources under .dll names, datinf present. The
  // windows are the recording double's unless a real window host (the desktop view) is given.
  explicit Form1Rig(WindowHost* host = nullptr) : ServiceDoubles(host) {
    folders.application = kApp;
    files.addFolder(folders.documents);
    files.addFile(std::string(kApp) + "/0.dll", "idle");
    files.addFile(std::string(kApp) + "/power.dll", "player");
    files.addFolder(std::string(kApp) + "/datinf");
  }

  // Creates the main window and shows it, which runs its start-up.
  app::Form1& start(const std::string& commandLine = "") {
    form = std::make_unique<app::Form1>(services, components);
    form->setLaunchCommandLine(commandLine);
    form->Show();
    return *form;
  }

  std::string app(const std::string& name) const { return std::string(kApp) + "/" + name; }
};

}  // namespace kv::test
