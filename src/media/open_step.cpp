// The open step: a name selected in the file list (by the user or by code) stops what is shown,
// goes to the engine of its kind, switches the transport buttons and starts the timers that
// follow the playback.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::showPictureLayout() {
  for (forms::Image* shown : {&Image2, &Image5, &Image7}) step([&] { shown->setVisible(true); });
  for (forms::Image* hidden : {&Image3, &Image6, &Image8}) step([&] { hidden->setVisible(false); });
}

void Form1::showMediaLayout() {
  for (forms::Image* shown : {&Image3, &Image6, &Image8}) step([&] { shown->setVisible(true); });
  for (forms::Image* hidden : {&Image2, &Image5, &Image7}) step([&] { hidden->setVisible(false); });
}

void Form1::File1_Click() {
  step([&] { Timer1.setEnabled(false); });
  step([&] { Timer2.setEnabled(false); });
  step([&] { Timer4.setEnabled(false); });
  // The three-minute limit belongs to the Flash movie being replaced; a new one re-arms it
  // through Timer2.
  step([&] { Timer5.setEnabled(false); });
  if (!advancing_) unplayedAdvances_ = 0;  // the user chose: a new pass begins
  flashVideoPlayed_ = false;

  auto& player = WindowsMediaPlayer1.object();
  auto& flash = ShockwaveFlash1.object();
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  step([&] { WebBrowser1.object().Quit(); });
  step([&] { WindowsMediaPlayer1.setVisible(false); });
  step([&] { ShockwaveFlash1.setVisible(false); });

  std::string name;
  step([&] { name = File1.FileName(); });
  const std::string extension = media::ListFileExtension(name);
  step([&] { currentIndex = File1.ListIndex(); });
  step([&] { currentFile = File1.Path() + "/" + name; });

  const std::string idleMovie = appFolder() + "/0.swf";
  const auto showPlayer = [&] {
    step([&] { WindowsMediaPlayer1.setLeft(120); });
    step([&] { WindowsMediaPlayer1.setWidth(Width() - 240); });
    step([&] { WindowsMediaPlayer1.setVisible(true); });
    step([&] { player.setURL(currentFile); });
  };
  const auto showFlash = [&] {
    step([&] { ShockwaveFlash1.setHeight(Height() - 1635); });
    step([&] { ShockwaveFlash1.setVisible(true); });
  };

  // With nothing selected there is no file: the folder itself must not reach an engine, which
  // would play it as a playlist.
  if (!name.empty()) {
    const media::MediaKind kind = media::ClassifyForOpen(extension);
    switch (kind) {
      case media::MediaKind::FlashMovie:
        showMediaLayout();
        step([&] { player.close(); });
        step([&] { WindowsMediaPlayer1.setVisible(false); });
        showFlash();
        step([&] { flash.setMovie(currentFile); });
        step([&] { Timer4.setEnabled(false); });
        step([&] { Timer2.setEnabled(true); });
        break;
      case media::MediaKind::FlashVideo:
        showMediaLayout();
        step([&] { Timer4.setEnabled(false); });
        step([&] { player.close(); });
        step([&] { WindowsMediaPlayer1.setVisible(false); });
        showFlash();
        LoadFlashVideo(currentFile);
        step([&] { ShockwaveFlash1.ZOrder(0); });
        break;
      case media::MediaKind::Picture:
      case media::MediaKind::PlayerMedia: {
        const bool picture = kind == media::MediaKind::Picture;
        if (picture)
          showPictureLayout();
        else
          showMediaLayout();
        step([&] { ShockwaveFlash1.setVisible(false); });
        step([&] { flash.setMovie(idleMovie); });
        showPlayer();
        // The slide show moves on after its interval; player media when it has stopped.
        step([&] { (picture ? Timer1 : Timer4).setEnabled(true); });
        break;
      }
    }
  }

  step([&] { Frame1.setVisible(false); });
  step([&] { Timer8.setInterval(50); });
  step([&] { Timer8.setEnabled(true); });
  for (forms::Image* skin : {&Image34, &Image40, &Image41}) step([&] { skin->Refresh(); });
}

}  // namespace kv::app
