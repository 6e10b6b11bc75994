#include "media/flash/ruffle/flash_component.h"

#include <QStackedWidget>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <vector>

#include "media/flash/ruffle/ruffle_page.h"

namespace kv::media::ruffle {

FlashComponent::FlashComponent(Clock& clock, FlashRuntime& native,
                               RuffleFlashPlayer::Options ruffle, QObject* parent)
    : QObject(parent), native_(native), ruffle_(clock, std::move(ruffle)) {
  stack_ = new QStackedWidget();
  placeholder_ = new QWidget();
  placeholder_->setAutoFillBackground(true);
  placeholder_->setPalette(QPalette(Qt::black));
  stack_->addWidget(placeholder_);
  nativeConnections_ +=
      native_.FSCommand.connect([this](const std::string& command, const std::string& args) {
        if (engine_ == FlashEngine::Native) FSCommand.raise(command, args);
      });
  ruffle_.FSCommand.connect([this](const std::string& command, const std::string& args) {
    if (engine_ == FlashEngine::Ruffle) FSCommand.raise(command, args);
  });
  ruffle_.EngineFailed.connect([this] {
    if (engine_ == FlashEngine::Ruffle)
      toNative(
          "Flash movies are shown by the native runtime (background colour, sound and "
          "video only): " +
          ruffle_.reason());
  });
  ruffle_.MovieFailed.connect([this] {
    if (engine_ != FlashEngine::Ruffle) return;
    std::fprintf(stderr, "korvelin: Ruffle could not run %s; the native runtime shows it\n",
                 path_.c_str());
    toNative({});
  });
}

FlashComponent::~FlashComponent() {
  // The Ruffle view belongs to its page, which deletes it; the rest goes with the stack.
  QWidget* view = ruffle_.view();
  if (stack_ && view && view->parentWidget() == stack_) {
    view->hide();
    stack_->removeWidget(view);
    view->setParent(nullptr);
  }
  delete stack_.data();
}

FlashPlayer& FlashComponent::current() {
  return engine_ == FlashEngine::Ruffle ? static_cast<FlashPlayer&>(ruffle_) : native_;
}

const FlashPlayer& FlashComponent::current() const {
  return engine_ == FlashEngine::Ruffle ? static_cast<const FlashPlayer&>(ruffle_) : native_;
}

void FlashComponent::setMovie(const std::string& path) {
  path_ = path;
  auto file = std::make_shared<std::vector<std::uint8_t>>();
  std::string error;
  swf::ReadResult read;
  if (readMovieFile(path, {}, *file, error)) read = swf::read(*file);
  const bool users = read.ok() && engineFor(read.movie) == FlashEngine::Ruffle;
  if (users && ruffle_.available()) {
    native_.setMovie("");  // its movie (video, sound) stops
    ruffle_.load(path, std::move(file), read.movie);
    setEngine(FlashEngine::Ruffle);
    return;
  }
  // Our own movies, unreadable files (the native runtime stays empty, as the plug-in does)
  // and, without Ruffle, users' movies.
  if (users && !fallbackAnnounced_) {
    fallbackAnnounced_ = true;
    std::fprintf(stderr,
                 "korvelin: Flash movies are shown by the native runtime (background colour, "
                 "sound and video only): %s\n",
                 ruffle_.reason().c_str());
  }
  ruffle_.unload();
  native_.setMovie(path);
  setEngine(FlashEngine::Native);
}

// The current movie moves to the native runtime (Ruffle failed under it).
void FlashComponent::toNative(const std::string& note) {
  if (!note.empty() && !fallbackAnnounced_) {
    fallbackAnnounced_ = true;
    std::fprintf(stderr, "korvelin: %s\n", note.c_str());
  }
  ruffle_.unload();
  native_.setMovie(path_);
  setEngine(FlashEngine::Native);
}

void FlashComponent::setScaleMode(int mode) {
  ruffle_.setScaleMode(mode);  // validates
  native_.setScaleMode(mode);
  scaleMode_ = mode;
}

void FlashComponent::setEngine(FlashEngine engine) {
  const bool changed = engine != engine_;
  engine_ = engine;
  showPage();
  if (changed) EngineChanged.raise();
}

void FlashComponent::showPage() {
  if (!stack_) return;
  QWidget* view = ruffle_.view();
  if (view && stack_->indexOf(view) < 0) stack_->addWidget(view);
  if (engine_ == FlashEngine::Ruffle && view)
    stack_->setCurrentWidget(view);
  else
    stack_->setCurrentWidget(nativePage_ ? nativePage_.data() : placeholder_.data());
}

QWidget* FlashComponent::widget() const {
  return stack_;
}

void FlashComponent::setNativePage(QWidget* page) {
  if (!stack_ || page == nativePage_) return;
  if (nativePage_) stack_->removeWidget(nativePage_);
  nativePage_ = page;
  if (page) stack_->addWidget(page);
  showPage();
}

}  // namespace kv::media::ruffle
