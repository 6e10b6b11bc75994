#include "platform/services.h"

#include "platform/wildcard.h"

namespace kv {

std::vector<std::string> FileService::listFiles(const std::string& folder,
                                                const std::string& wildcard) const {
  std::vector<std::string> names;
  const auto entries = listFolder(folder);
  if (!entries) return names;
  const PatternList patterns(wildcard);
  for (const auto& e : *entries)
    if (!e.isFolder && patterns.matches(e.name)) names.push_back(e.name);
  return names;
}

std::vector<std::string> FileService::listSubfolders(const std::string& folder) const {
  std::vector<std::string> names;
  if (const auto entries = listFolder(folder))
    for (const auto& e : *entries)
      if (e.isFolder) names.push_back(e.name);
  return names;
}

std::string FileService::Dir(const std::string& path) const {
  if (path.empty() || !fileExists(path)) return "";
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace kv
