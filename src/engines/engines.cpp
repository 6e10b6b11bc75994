#include "engines/engines.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <iostream>

namespace kv::engines {

std::string executableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  const std::string exe(path, static_cast<std::size_t>(n));
  const auto slash = exe.find_last_of('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

Engines::Engines(std::string folder) : folder_(folder.empty() ? executableFolder() : folder) {}

Engines::Engines(MediaModule* media, WebModule* web)
    : given_(true), givenMedia_(media), givenWeb_(web) {}

void* Engines::open(const char* file, const char* entry) {
  const std::string path = folder_ + "/" + file;
  // Loaded for good: objects and widgets of the module live until the process ends.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    error_ = why ? why : path + ": cannot be loaded";
    std::cerr << "korvelin: " << error_ << "\n";
    return nullptr;
  }
  void* symbol = dlsym(handle, entry);
  if (!symbol) {
    error_ = path + ": " + entry + " is missing";
    std::cerr << "korvelin: " << error_ << "\n";
    return nullptr;
  }
  return symbol;
}

void Engines::prepareFirstLoad() {
  if (auto work = std::move(beforeFirstLoad_)) {
    beforeFirstLoad_ = nullptr;
    work();
  }
}

MediaModule* Engines::loadMediaNow() {
  if (mediaTried_) return media_;
  mediaTried_ = true;
  prepareFirstLoad();
  if (given_)
    media_ = givenMedia_;
  else if (void* entry = open(kMediaModuleFile, kMediaModuleEntry))
    media_ = reinterpret_cast<MediaModule* (*)()>(entry)();
  MediaLoaded.raise(media_);
  return media_;
}

void Engines::allowLoading() {
  if (allowed_) return;
  allowed_ = true;
  if (mediaWanted_) loadMediaNow();
  if (webWanted_) loadWeb();
  LoadingAllowed.raise();
}

void Engines::wantMedia() {
  mediaWanted_ = true;
  if (allowed_) loadMediaNow();
}

void Engines::wantWeb() {
  webWanted_ = true;
  if (allowed_) loadWeb();
}

void Engines::refuseWeb(std::string why) {
  if (webRefused_) return;
  webRefused_ = true;
  error_ = std::move(why);
  std::cerr << "korvelin: " << error_ << "\n";
}

void Engines::loadWeb() {
  if (webTried_) return;
  webTried_ = true;
  prepareFirstLoad();
  if (webRefused_)
    web_ = nullptr;
  else if (given_)
    web_ = givenWeb_;
  else if (void* entry = open(kWebModuleFile, kWebModuleEntry))
    web_ = reinterpret_cast<WebModule* (*)()>(entry)();
  WebLoaded.raise(web_);
}

}  // namespace kv::engines
