#include "app/desktop_components.h"

#include <QPointer>

#include "app/form1.h"
#include "media/flash/stage/flash_stage.h"
#include "platform/qt/component_place.h"

namespace kv::app {

using engines::DeferredPlayer;
using engines::PlayerEngine;
using view::ComponentPlace;

DesktopComponents::DesktopComponents(engines::Engines& engines, Clock& clock, std::string ruffleDir)
    : player1(engines, true),
      player2(engines, false),
      flash(clock,
            [this] {
              auto player = std::make_unique<DeferredPlayer>(engines_, pictures_);
              flashVideo_ = player.get();
              FlashVideoMade.raise();
              return player;
            }),
      flashMovies(engines, clock, flash, std::move(ruffleDir)),
      web(engines),
      engines_(engines) {}

void DesktopComponents::setPicturesShown(bool shown) {
  pictures_ = shown;
  player1.setWithPicture(shown);
  if (flashVideo_) flashVideo_->setWithPicture(shown);
}

void DesktopComponents::registerPlaces(view::ComponentRegistry& registry, Form1& form) {
  registry.add(form.WindowsMediaPlayer1, [this](ComponentPlace& place) {
    place.setBackground(Qt::black);
    player1.whenReady([guard = QPointer<ComponentPlace>(&place)](PlayerEngine& engine) {
      if (!guard) return;
      if (QWidget* picture = engine.createPicture(guard)) guard->setContent(picture);
    });
  });

  registry.add(form.ShockwaveFlash1, [this](ComponentPlace& place) {
    auto* stage = new media::FlashStage(flash, &place);
    place.setContent(stage);
    const auto showVideo = [this, guard = QPointer<media::FlashStage>(stage)] {
      if (!guard || !flashVideo_) return;
      flashVideo_->whenReady([guard](PlayerEngine& engine) {
        if (!guard || guard->video()) return;
        if (QWidget* picture = engine.createPicture(guard)) guard->setVideo(picture);
      });
    };
    showVideo();
    links_ += FlashVideoMade.connect(showVideo);
    // Once Ruffle is there, the place shows its view, or the stage while our runtime has the
    // movie.
    flashMovies.whenReady(
        [guard = QPointer<ComponentPlace>(&place),
         stage = QPointer<media::FlashStage>(stage)](engines::FlashMovieEngine& engine) {
          if (!guard || !stage) return;
          engine.setNativePage(stage);
          guard->setContent(engine.widget());
        });
  });

  // The browser engine is started for a page that is on screen, not for one hidden at once.
  web.setShown(form.WebBrowser1.Visible());
  links_ +=
      form.ControlChanged.connect([this, &form](forms::Control& control, forms::Changes what) {
        if (&control == &form.WebBrowser1 && (what & forms::kChangeVisible))
          web.setShown(control.Visible());
      });
  registry.add(form.WebBrowser1, [this](ComponentPlace& place) {
    place.setBackground(Qt::white);
    web.whenReady([guard = QPointer<ComponentPlace>(&place)](engines::WebEngine& engine) {
      if (guard) engine.setHost(guard);
    });
  });
}

}  // namespace kv::app
