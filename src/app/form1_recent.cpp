// Where the main window meets the recent files and the addresses.

#include "app/form1.h"

namespace kv::app {

void Form1::openRecentFile(const std::string& path) {
  OpenDroppedFile(path);
}

void Form1::playAddress(const std::string& address) {
  session_.openAddress(address);
}

void Form1::askAddress(std::function<void(const std::string&)> done) {
  services_.windows.askText(*this, recent::texts::kAskTitle, recent::texts::kAskPrompt,
                            std::move(done));
}

}  // namespace kv::app
