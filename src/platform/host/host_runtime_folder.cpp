#include "platform/host/host_runtime_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace kv::host {
namespace {

constexpr const char* kOwnFolder = "korvelin-runtime";

// An environment variable that names an absolute path (relative ones are to be ignored).
std::string absoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string homeFolder() {
  const std::string home = absoluteFromEnvironment("HOME");
  if (!home.empty()) return home;
  const passwd* pw = ::getpwuid(::geteuid());
  return pw && pw->pw_dir && pw->pw_dir[0] == '/' ? std::string(pw->pw_dir) : std::string();
}

std::string cacheFolder() {
  std::string cache = absoluteFromEnvironment("XDG_CACHE_HOME");
  if (cache.empty()) {
    const std::string home = homeFolder();
    if (!home.empty()) cache = home + "/.cache";
  }
  while (cache.size() > 1 && cache.back() == '/') cache.pop_back();
  return cache;
}

// The folder and any missing parents, each made for this user alone (as the cache folder is
// made when missing).
void makeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    ::mkdir(path.substr(0, slash).c_str(), 0700);
  ::mkdir(path.c_str(), 0700);
}

// A real folder (not a symbolic link) owned by this user that no one else may enter.
bool isPrivateFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && path[0] == '/' && ::lstat(path.c_str(), &st) == 0 &&
         S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// A folder whose entries nobody else can rename or replace: ours or the system's, and
// writable by no one else.
bool isSafeParent(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         (st.st_uid == ::geteuid() || st.st_uid == 0) && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string privateRuntimeFolder() {
  const std::string runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR");
  if (isPrivateFolder(runtime)) return runtime;
  const std::string cache = cacheFolder();
  if (cache.empty()) return "";
  makeFolders(cache);
  if (!isSafeParent(cache)) return "";
  const std::string own = cache + "/" + kOwnFolder;
  // Made here, or made by an earlier start: either way it must be ours alone, as it is checked
  // now (a folder of another user, a link or a folder opened to others is not used).
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return "";
  return isPrivateFolder(own) ? own : "";
}

std::string privateRuntimePath(const std::string& name) {
  const std::string folder = privateRuntimeFolder();
  return folder.empty() ? "" : folder + "/" + name;
}

}  // namespace kv::host
