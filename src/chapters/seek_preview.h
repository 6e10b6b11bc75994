#pragma once
// The preview over the seek bar: hovering the bar while a video plays shows a small picture of
// that moment and its time just above the pointer; while the thumb is dragged, the time the
// release will go to is said over the picture. It only listens to the bar: the bar's own events
// and values stay as they are.

#include <functional>
#include <memory>
#include <string>

#include "chapters/chapters.h"
#include "media/player/frame_preview.h"
#include "media/player/media_player.h"
#include "platform/event.h"
#include "platform/forms/control.h"
#include "slider/tvate.h"

namespace kv::chapters {

class SeekPreview {
 public:
  using Factory = std::function<std::unique_ptr<media::FramePreview>()>;
  // `form` holds the preview (above the bar, in front of the video).
  // `videoShown`: the video area shows the player (not Flash, not a page).
  SeekPreview(slider::tVate& bar, forms::Control& form, media::MediaPlayer& player,
              Chapters::Say say, std::function<bool()> videoShown);
  ~SeekPreview();
  SeekPreview(const SeekPreview&) = delete;
  SeekPreview& operator=(const SeekPreview&) = delete;

  // Where the pictures come from (made on the first hover); until then only the time is shown.
  void usePreviews(Factory make) { make_ = std::move(make); }

  // For tests: the preview as shown (nullptr before the first hover), its time and picture.
  const forms::Control* shown() const;
  std::string shownTime() const;
  const media::FramePreview* preview() const { return preview_.get(); }

 private:
  void hover(float x);
  void hide();
  void dragged();
  void onState();
  void onFrame(const std::string& path, double seconds, const QImage& picture);
  // The open file can be previewed: a video of the player, with a length.
  bool previewable() const;
  void place(float x);

  slider::tVate& bar_;
  forms::Control& form_;
  media::MediaPlayer& player_;
  Chapters::Say say_;
  Factory make_;
  std::function<bool()> videoShown_;
  std::unique_ptr<media::FramePreview> preview_;
  std::string previewed_;  // the file the preview's core holds
  double hoverSeconds_ = 0;
  std::unique_ptr<forms::PictureBox> box_;
  std::unique_ptr<forms::Image> picture_;
  std::unique_ptr<forms::Label> time_;
  Connections connections_;
};

}  // namespace kv::chapters
