#pragma once
// Every service double on the virtual clock, and the services bundle over them (a real window
// host, such as the desktop view, may stand in for the recording one).

#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "platform/clock.h"

namespace kv::test {

struct ServiceDoubles {
  explicit ServiceDoubles(WindowHost* host = nullptr)
      : services{clock,       cursor,   screen,
                 profile,     files,    folders,
                 screenSaver, instance, host ? *host : windows,
                 shell,       help,     registry} {}

  VirtualClock clock;
  FakeCursor cursor;
  FakeScreen screen;
  MemoryFiles files;
  MemoryProfile profile{files};
  FakeFolders folders;
  FakeScreenSaver screenSaver;
  FakeInstance instance;
  FakeWindowHost windows;
  FakeShell shell;
  FakeHelp help;
  MemoryRegistry registry;
  Services services;
};

}  // namespace kv::test
