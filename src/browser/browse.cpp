// The browse tab: a file chosen anywhere in the Open dialog (or dropped on the window) plays
// at once on the engine of its kind, and the file list moves to its folder with a pattern of
// that kind so that the transport can go on with its neighbours.

#include "browser/file_panel.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::browser {
namespace {

const char* const kOpenFilter =
    "AllFiles|*.*|*.wmv|*.wmv|*.avi|*.avi|*.mpeg|*.mpeg|*.mpg|*.mpg|*.asf|*.asf|*.rm|*.rm|"
    "*.mov|*.mov|*.mkv|*.mkv|*.rmvb|*.rmvb|*.3gp|*.3gp|*.3gpp|*.3gpp|*.mp4|*.mp4|*.swf|*.swf|"
    "*.flv|*.flv|*.dat|*.dat|*.vob|*.vob|*.mp3|*.mp3|*.mid|*.mid|*.midi|*.midi|*.wma|*.wma|"
    "*.wav|*.wav|*.*|*.*";

}  // namespace

void FilePanel::Label7_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { c_.Frame1.setVisible(false); });
  step([&] { c_.WebBrowser1.setVisible(false); });
  step([&] { c_.WebBrowser1.object().Stop(); });
  step([&] { c_.WebBrowser1.object().Quit(); });
  step([&] { c_.CommonDialog1.setFilter(kOpenFilter); });
  step([&] { c_.CommonDialog1.ShowOpen(); });
  OpenChosenFile(c_.CommonDialog1.FileName());
}

void FilePanel::OpenDroppedFile(const std::string& path) {
  if (!services_.files.fileExists(path)) return;
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { c_.Frame1.setVisible(false); });
  step([&] { c_.WebBrowser1.setVisible(false); });
  step([&] { c_.WebBrowser1.object().Stop(); });
  step([&] { c_.WebBrowser1.object().Quit(); });
  OpenChosenFile(path);
}

void FilePanel::OpenChosenFile(const std::string& P) {
  const std::string sep = "/";
  step([&] { c_.File1.setPath(media::GetPathFromFileName(P, sep)); });
  step([&] { c_.Dir1.setPath(c_.File1.Path()); });

  if (!P.empty()) {
    session_.currentIndex = 0;
    const std::string E = media::GetExtension(P);
    step([&] {
      // Quotes cannot be part of a name where the dialog was designed; here they can, so a
      // name that really holds them is still found.
      startFileName_ = services_.files.Dir(media::WithoutQuotes(P));
      if (startFileName_.empty() && P.find('"') != std::string::npos)
        startFileName_ = services_.files.Dir(P);
    });

    session_.open(media::OpenRoute::Chosen, media::ClassifyForOpen(E), P);
  }

  highlightTab(c_.Label7);
  step([&] { c_.Label1.setCaption("00:00"); });
  step([&] { c_.Label2.setCaption("/00:00"); });
}

}  // namespace kv::browser
