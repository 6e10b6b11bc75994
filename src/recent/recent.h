#pragma once
// Coming back to what was watched: a submenu after the others with the files a person opened
// last (newest first, those gone greyed, and a way to clear them), and an address a person
// types to play from the network, whose failures are said over the picture.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/player/media_player.h"
#include "platform/event.h"
#include "platform/forms/menu.h"
#include "platform/services.h"
#include "recent/recent_list.h"

namespace kv::recent {

constexpr int kMessageMs = 4000;

// What the list asks of the window.
class RecentHost {
 public:
  virtual ~RecentHost() = default;
  // Opens the file the way the Browse tab opens a chosen one.
  virtual void openRecentFile(const std::string& path) = 0;
  // Plays the address on the player, apart from the file list.
  virtual void playAddress(const std::string& address) = 0;
  // Asks for an address in a window that does not block; `done` gets what was confirmed.
  virtual void askAddress(std::function<void(const std::string&)> done) = 0;
};

// The address in a typed or pasted text (spaces around it ignored): http or https with a host,
// and nothing a line could not hold; nothing otherwise.
std::optional<std::string> addressOf(const std::string& typed);
// What a person is told when an address fails, from the engine's reason.
const char* failureText(const std::string& engineReason);

class Recent {
 public:
  // `menu` is the submenu this fills; `player` plays the addresses.
  Recent(forms::MenuItem& menu, RecentHost& host, FileService& files, media::MediaPlayer& player);
  ~Recent();
  Recent(const Recent&) = delete;
  Recent& operator=(const Recent&) = delete;

  // Where the list is kept (until then in memory); files opened before are kept on top of it.
  void keepIn(std::unique_ptr<RecentStore> store);
  const RecentList& list() const { return list_; }

  // A person opened the file.
  void opened(const std::string& path);
  // The menu is about to show: a file gone since is greyed.
  void refresh();
  // The window asking for an address was confirmed with this text.
  void enterAddress(const std::string& typed);

 private:
  void rebuild();
  void clear();
  void onState(int state);
  void say(const std::string& text);

  forms::MenuItem& menu_;
  RecentHost& host_;
  FileService& files_;
  media::MediaPlayer& player_;
  std::unique_ptr<RecentStore> store_ = std::make_unique<MemoryRecent>();
  RecentList list_;
  std::string pending_;  // the address asked for, until it plays or fails
  Connections connections_;

  std::vector<std::unique_ptr<forms::MenuItem>> fileItems_;
  std::unique_ptr<forms::MenuItem> none_, separator_, address_, clear_;
};

}  // namespace kv::recent
