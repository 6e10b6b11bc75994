// Picture and sound on the engine: delays, the picture's adjustments, aspect, deinterlacing,
// the subtitles' size, place and encoding, a subtitle file added by hand, hardware decoding and
// loudness normalisation.

#include <mpv/client.h>

#include <QTimer>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "media/player/balance_filter.h"
#include "media/player/mpv_player.h"
#include "media/player/subtitle_limit.h"
#include "media/player/track_languages.h"
#include "platform/errors.h"

namespace kv::media {

namespace {

using Choice = Watching::Choice;

// The decoder is known once the engine has opened it again.
constexpr int kDecoderReportMs = 800;
// Loud passages pressed down and quiet ones lifted as they come, without looking ahead (the
// library's look-ahead normaliser reads past its buffers here): everything above -30 dB is
// compressed 6:1, all of it lifted 18 dB, and a limiter keeps the peaks.
constexpr const char* kNormaliseFilter =
    "@normalise:lavfi=[acompressor=threshold=0.0316:ratio=6:attack=10:release=300:makeup=8,"
    "alimiter=limit=0.9]";

std::string number(double value) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 3);
  return std::string(buf, end.ptr);
}

int pictureIndex(Choice which) {
  switch (which) {
    case Choice::Contrast:
      return 0;
    case Choice::Brightness:
      return 1;
    case Choice::Gamma:
      return 2;
    case Choice::Saturation:
      return 3;
    default:
      return -1;
  }
}

}  // namespace

void MpvPlayer::applyAudioFilters() {
  std::string chain = balanceFilter(balance_);
  if (normalise_) chain += std::string(chain.empty() ? "" : ",") + kNormaliseFilter;
  const int rc = mpv_set_property_string(core_.get(), "af", chain.c_str());
  if (rc < 0) throw ComponentError(std::string("audio filter: ") + mpv_error_string(rc));
}

// One filter of the engine's, the same on every video output (the X11 output has no equaliser
// of its own). The -100..100 scale of each is the engine's own property scale.
void MpvPlayer::applyPictureFilter() {
  const int* p = picture_;
  std::string chain;
  if (p[0] || p[1] || p[2] || p[3])
    chain = "@picture:lavfi=[eq=contrast=" + number((p[0] + 100) / 100.0) +
            ":brightness=" + number(p[1] / 100.0) +
            ":gamma=" + number(std::pow(8.0, p[2] / 100.0)) +
            ":saturation=" + number((p[3] + 100) / 100.0) + "]";
  const int rc = mpv_set_property_string(core_.get(), "vf", chain.c_str());
  if (rc < 0) throw ComponentError(std::string("picture: ") + mpv_error_string(rc));
}

double MpvPlayer::choice(Choice which) const {
  mpv_handle* h = core_.get();
  auto read = [h](const char* name) {
    double value = 0;
    mpv_get_property(h, name, MPV_FORMAT_DOUBLE, &value);
    return value;
  };
  switch (which) {
    case Choice::SubtitleDelay:
      return read("sub-delay");
    case Choice::AudioDelay:
      return read("audio-delay");
    case Choice::Aspect:
      return std::max(0.0, read("video-aspect-override"));
    case Choice::Deinterlace: {
      int on = 0;
      mpv_get_property(h, "deinterlace", MPV_FORMAT_FLAG, &on);
      return on;
    }
    case Choice::Rotation:
    case Choice::SecondarySubtitle: {
      // "no" reads as no number: none.
      std::int64_t value = 0;
      mpv_get_property(h, which == Choice::Rotation ? "video-rotate" : "secondary-sid",
                       MPV_FORMAT_INT64, &value);
      return static_cast<double>(value);
    }
    case Choice::SubtitleScale:
      return read("sub-scale");
    case Choice::SubtitlePosition: {
      std::int64_t position = 100;  // whole numbers only: the engine takes no double there
      mpv_get_property(h, "sub-pos", MPV_FORMAT_INT64, &position);
      return static_cast<double>(position);
    }
    case Choice::HardwareDecoding: {
      char* text = mpv_get_property_string(h, "hwdec");
      const bool on = text && std::string(text) != "no";
      mpv_free(text);
      return on;
    }
    case Choice::Normalise:
      return normalise_;
    default:
      return picture_[pictureIndex(which)];
  }
}

void MpvPlayer::setChoice(Choice which, double value) {
  if (!std::isfinite(value)) throw ComponentError("invalid value");
  switch (which) {
    case Choice::SubtitleDelay:
      return setDouble("sub-delay", std::clamp(value, -3600.0, 3600.0));
    case Choice::AudioDelay:
      return setDouble("audio-delay", std::clamp(value, -3600.0, 3600.0));
    case Choice::Aspect:
      return setDouble("video-aspect-override", value > 0 ? std::min(value, 10.0) : -1.0);
    case Choice::Deinterlace:
      return setFlag("deinterlace", value != 0);
    case Choice::Rotation: {
      // Quarter turns only; an output that cannot turn the picture gets the engine's filter.
      std::int64_t degrees = (std::lround(std::clamp(value, -1e6, 1e6) / 90) % 4 + 4) % 4 * 90;
      mpv_set_property(core_.get(), "video-rotate", MPV_FORMAT_INT64, &degrees);
      return;
    }
    case Choice::SecondarySubtitle: {
      const std::string id = value >= 1 ? std::to_string(std::lround(std::min(value, 1e6))) : "no";
      mpv_set_property_string(core_.get(), "secondary-sid", id.c_str());
      return;
    }
    case Choice::SubtitleScale:
      return setDouble("sub-scale", std::clamp(value, 0.3, 4.0));
    case Choice::SubtitlePosition: {
      std::int64_t position = std::lround(std::clamp(value, 0.0, 150.0));
      mpv_set_property(core_.get(), "sub-pos", MPV_FORMAT_INT64, &position);
      return;
    }
    case Choice::HardwareDecoding:
      // Set again, the engine would open its decoder afresh for nothing.
      if ((value != 0) == (choice(which) != 0)) return;
      mpv_set_property_string(core_.get(), "hwdec", value != 0 ? "auto-safe" : "no");
      if (file_.loaded && videoSelected())
        QTimer::singleShot(kDecoderReportMs, &context_, [this, url = url_] {
          if (url == url_ && file_.loaded) DecoderReported.raise(decoder());
        });
      return;
    case Choice::Normalise:
      if (normalise_ == (value != 0)) return;
      normalise_ = value != 0;
      return applyAudioFilters();
    default: {
      const int at = pictureIndex(which);
      const int v = static_cast<int>(std::clamp(std::round(value), -100.0, 100.0));
      if (at < 0 || picture_[at] == v) return;
      picture_[at] = v;
      return applyPictureFilter();
    }
  }
}

std::string MpvPlayer::decoder() const {
  char* text = mpv_get_property_string(core_.get(), "hwdec-current");
  std::string name = text ? text : "";
  mpv_free(text);
  return name == "no" ? "" : name;
}

bool MpvPlayer::addSubtitle(const std::string& path) {
  // The same limit as for the files beside the video.
  if (!file_.loaded || subtitleFileTooHeavy(path)) return false;
  const char* argv[] = {"sub-add", path.c_str(), "select", nullptr};
  return mpv_command(core_.get(), argv) >= 0;
}

void MpvPlayer::setSubtitleEncoding(const std::string& encoding) {
  // "+": this encoding whatever the file looks like.
  const std::string codepage = encoding.empty() ? desktopSubtitleCodepage() : "+" + encoding;
  mpv_set_property_string(core_.get(), "sub-codepage", codepage.c_str());
  if (!file_.loaded) return;
  const char* argv[] = {"sub-reload", nullptr};
  mpv_command(core_.get(), argv);  // the shown subtitle, when it is a file
}

}  // namespace kv::media
