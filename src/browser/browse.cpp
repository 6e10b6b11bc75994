// The browse tab: a file chosen anywhere in the Open dialog (or dropped on the window) plays
// at once on the engine of its kind, and the file list moves to its folder with a pattern of
// that kind so that the transport can go on with its neighbours.

#include "app/form1.h"
#include "browser/tab_colours.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "window/cursor.h"

namespace kv::app {
namespace {

const char* const kOpenFilter =
    "AllFiles|*.*|*.wmv|*.wmv|*.avi|*.avi|*.mpeg|*.mpeg|*.mpg|*.mpg|*.asf|*.asf|*.rm|*.rm|"
    "*.mov|*.mov|*.mkv|*.mkv|*.rmvb|*.rmvb|*.3gp|*.3gp|*.3gpp|*.3gpp|*.mp4|*.mp4|*.swf|*.swf|"
    "*.flv|*.flv|*.dat|*.dat|*.vob|*.vob|*.mp3|*.mp3|*.mid|*.mid|*.midi|*.midi|*.wma|*.wma|"
    "*.wav|*.wav|*.*|*.*";

}  // namespace

void Form1::Label7_Click() {
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
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
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
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

    const media::MediaKind kind = media::ClassifyForOpen(E);
    const bool picture = kind == media::MediaKind::Picture;
    for (forms::Image* b : {&Image2, &Image5, &Image7}) step([&] { b->setVisible(picture); });
    for (forms::Image* b : {&Image3, &Image6, &Image8}) step([&] { b->setVisible(!picture); });

    auto& player = WindowsMediaPlayer1.object();
    auto& flash = ShockwaveFlash1.object();
    const std::string idleMovie = appFolder() + "/0.swf";
    switch (kind) {
      case media::MediaKind::Picture:
        step([&] { File1.setPattern(media::PicturePattern); });
        step([&] { ShockwaveFlash1.setVisible(false); });
        step([&] { flash.setMovie(idleMovie); });
        step([&] { WindowsMediaPlayer1.setVisible(true); });
        step([&] { player.setURL(P); });
        step([&] { Timer1.setEnabled(true); });
        break;
      case media::MediaKind::FlashMovie:
        step([&] { File1.setPattern(media::FlashMoviePattern); });
        step([&] { player.close(); });
        step([&] { WindowsMediaPlayer1.setVisible(false); });
        step([&] { ShockwaveFlash1.setVisible(true); });
        step([&] { ShockwaveFlash1.ZOrder(0); });
        step([&] { flash.setMovie(P); });
        step([&] { Timer2.setEnabled(true); });
        step([&] { Timer8.setEnabled(true); });
        break;
      case media::MediaKind::FlashVideo:
        // The player movie gets the file from the open step, when the list search selects it.
        step([&] { Timer4.setEnabled(false); });
        step([&] { File1.setPattern(media::FlashVideoPattern); });
        step([&] { player.close(); });
        step([&] { WindowsMediaPlayer1.setVisible(false); });
        step([&] { ShockwaveFlash1.setVisible(true); });
        step([&] { ShockwaveFlash1.ZOrder(0); });
        step([&] { Frame1.ZOrder(0); });
        step([&] { flash.setMovie(idleMovie); });
        step([&] { flash.setMovie(appFolder() + "/power.swf"); });
        step([&] { flash.Play(); });
        step([&] { Timer10.setEnabled(true); });
        break;
      case media::MediaKind::PlayerMedia:
        step([&] { File1.setPattern(media::MediaPatternMusicFirst); });
        step([&] { ShockwaveFlash1.setVisible(false); });
        step([&] { flash.setMovie(idleMovie); });
        step([&] { WindowsMediaPlayer1.setVisible(true); });
        step([&] { player.setURL(P); });
        step([&] { Timer6.setEnabled(true); });
        step([&] { Timer4.setEnabled(true); });
        step([&] { Timer8.setEnabled(true); });
        break;
    }
  }

  step([&] { Label7.setForeColor(kTabHighlight); });
  for (forms::Label* plain : {&Label3, &Label6, &Label8, &Label9})
    step([&] { plain->setForeColor(kTabPlain); });
  step([&] { Label1.setCaption("00:00"); });
  step([&] { Label2.setCaption("/00:00"); });
}

}  // namespace kv::app
