#pragma once
// Reading the engine's structured answers (track and chapter lists, screenshots).

#include <mpv/client.h>

#include <cstring>

namespace kv::media {

// The value under key in a map node; nullptr when the node is no map or has no such key.
inline const mpv_node* nodeMember(const mpv_node& map, const char* key) {
  if (map.format != MPV_FORMAT_NODE_MAP) return nullptr;
  for (int i = 0; i < map.u.list->num; ++i)
    if (std::strcmp(map.u.list->keys[i], key) == 0) return &map.u.list->values[i];
  return nullptr;
}

}  // namespace kv::media
