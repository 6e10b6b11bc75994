#pragma once
// The main window started on the doubles with a folder of entries in its file list, for the
// behaviour tests of opening and playing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1_rig.h"

namespace kv::test {

struct PlaybackRig : Form1Rig {
  static constexpr const char* kFolder = "/media";

  // Starts the window and shows `names` (files created in kFolder) in the file list, every
  // name listed whatever its extension; the start-up's calls are forgotten. The promotion
  // timer, which shares the Flash movies' deadline, is off unless `promotion` says otherwise.
  app::Form1& startWith(const std::vector<std::string>& names, bool promotion = false) {
    files.addFolder(kFolder);
    for (const auto& n : names) files.addFile(std::string(kFolder) + "/" + n);
    auto& f = start();
    if (!promotion) f.Timer12.setEnabled(false);
    f.File1.setPattern("*.*");
    f.File1.setPath(kFolder);
    forget();
    return f;
  }

  // Selects entry i as a user's click does (which opens it).
  void click(int i) { form->File1.setListIndex(i); }

  void forget() {
    log->clear();
    player1.calls.clear();
    player2.calls.clear();
    flash.calls.clear();
    web.calls.clear();
  }

  std::string path(const std::string& name) const { return std::string(kFolder) + "/" + name; }
  // The resource movies as the handlers load them.
  static std::string idleMovie() { return std::string(kApp) + "/0.swf"; }
  static std::string playerMovie() { return std::string(kApp) + "/power.swf"; }

  // The entries opened so far, in order, from the open step's hand-overs to the engines.
  std::vector<std::string> opened() const {
    std::vector<std::string> out;
    for (const auto& call : *log) {
      for (const char* prefix : {"WindowsMediaPlayer1.URL=", "ShockwaveFlash1.Movie=",
                                 "ShockwaveFlash1.SetVariable(testVar,"}) {
        const std::string p = prefix;
        if (call.rfind(p, 0) != 0) continue;
        std::string target = call.substr(p.size());
        if (!target.empty() && target.back() == ')') target.pop_back();
        if (target.rfind(kFolder, 0) == 0)
          out.push_back(target.substr(std::string(kFolder).size() + 1));
      }
    }
    return out;
  }
};

// Whether `calls` holds `expected` as a subsequence (in this order, other calls between).
inline ::testing::AssertionResult inOrder(const std::vector<std::string>& calls,
                                          const std::vector<std::string>& expected) {
  std::size_t at = 0;
  for (const auto& c : calls)
    if (at < expected.size() && c == expected[at]) ++at;
  if (at == expected.size()) return ::testing::AssertionSuccess();
  std::string all;
  for (const auto& c : calls) all += "\n  " + c;
  return ::testing::AssertionFailure()
         << "missing \"" << expected[at] << "\" in order; calls:" << all;
}

}  // namespace kv::test
