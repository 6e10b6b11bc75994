#include "platform/qt/help/chm_archive.h"

#include <chm_lib.h>

#include <filesystem>
#include <system_error>

namespace kv::help {

ChmArchive::ChmArchive(const std::string& path) : path_(path) {
  std::error_code error;
  const auto kind = std::filesystem::status(path, error).type();
  if (error || kind == std::filesystem::file_type::not_found) {
    status_ = Status::Missing;
    return;
  }
  if (kind != std::filesystem::file_type::regular) {
    status_ = Status::NotChm;
    return;
  }
  if (std::filesystem::file_size(path, error) == 0 || error) {
    status_ = error ? Status::Missing : Status::Empty;
    return;
  }
  file_ = chm_open(path.c_str());
  status_ = file_ ? Status::Ok : Status::NotChm;
}

ChmArchive::~ChmArchive() {
  if (file_) chm_close(file_);
}

std::string ChmArchive::normalise(const std::string& object) {
  return object.empty() || object.front() != '/' ? "/" + object : object;
}

std::optional<std::string> ChmArchive::read(const std::string& object) const {
  if (!file_) return std::nullopt;
  chmUnitInfo unit{};
  const std::string name = normalise(object);
  if (name.size() > CHM_MAX_PATHLEN) return std::nullopt;
  if (chm_resolve_object(file_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  if (unit.length > kMaxObjectBytes) return std::nullopt;
  std::string data(static_cast<std::size_t>(unit.length), '\0');
  if (data.empty()) return data;
  const LONGINT64 got =
      chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                          static_cast<LONGINT64>(unit.length));
  if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return data;
}

bool ChmArchive::contains(const std::string& object) const {
  if (!file_) return false;
  chmUnitInfo unit{};
  const std::string name = normalise(object);
  return name.size() <= CHM_MAX_PATHLEN &&
         chm_resolve_object(file_, name.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

namespace {
int collect(chmFile*, chmUnitInfo* unit, void* context) {
  auto& names = *static_cast<std::vector<std::string>*>(context);
  const std::string path = unit->path;
  // Internal objects start with "/#" or "/$"; directories end with "/".
  if (path.size() > 1 && path[1] != '#' && path[1] != '$' && path.back() != '/')
    names.push_back(path);
  return CHM_ENUMERATOR_CONTINUE;
}
}  // namespace

std::vector<std::string> ChmArchive::files() const {
  std::vector<std::string> names;
  if (file_) chm_enumerate(file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &names);
  return names;
}

}  // namespace kv::help
