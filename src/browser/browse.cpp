// The browse tab: a file chosen anywhere in the Open dialog (or dropped on the window) plays
// at once on the engine of its kind, and the file list moves to its folder with a pattern of
// that kind so that the transport can go on with its neighbours.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {
namespace {

const char* const kOpenFilter =
    "AllFiles|*.*|*.wmv|*.wmv|*.avi|*.avi|*.mpeg|*.mpeg|*.mpg|*.mpg|*.asf|*.asf|*.rm|*.rm|"
    "*.mov|*.mov|*.mkv|*.mkv|*.rmvb|*.rmvb|*.3gp|*.3gp|*.3gpp|*.3gpp|*.mp4|*.mp4|*.swf|*.swf|"
    "*.flv|*.flv|*.dat|*.dat|*.vob|*.vob|*.mp3|*.mp3|*.mid|*.mid|*.midi|*.midi|*.wma|*.wma|"
    "*.wav|*.wav|*.*|*.*";

}  // namespace

void Form1::Label7_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { Frame1.setVisible(false); });
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  step([&] { WebBrowser1.object().Quit(); });
  step([&] { CommonDialog1.setFilter(kOpenFilter); });
  step([&] { CommonDialog1.ShowOpen(); });
  OpenChosenFile(CommonDialog1.FileName());
}

void Form1::OpenDroppedFile(const std::string& path) {
  if (!services_.files.fileExists(path)) return;
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { Frame1.setVisible(false); });
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  step([&] { WebBrowser1.object().Quit(); });
  OpenChosenFile(path);
}

void Form1::OpenChosenFile(const std::string& P) {
  const std::string sep = "/";
  step([&] { File1.setPath(media::GetPathFromFileName(P, sep)); });
  step([&] { Dir1.setPath(File1.Path()); });

  if (!P.empty()) {
    currentIndex = 0;
    const std::string E = media::GetExtension(P);
    step([&] {
      // Quotes cannot be part of a name where the dialog was designed; here they can, so a
      // name that really holds them is still found.
      startFileName = services_.files.Dir(media::WithoutQuotes(P));
      if (startFileName.empty() && P.find('"') != std::string::npos)
        startFileName = services_.files.Dir(P);
    });

    session_.open(media::OpenRoute::Chosen, media::ClassifyForOpen(E), P);
  }

  highlightTab(Label7);
  step([&] { Label1.setCaption("00:00"); });
  step([&] { Label2.setCaption("/00:00"); });
}

}  // namespace kv::app
