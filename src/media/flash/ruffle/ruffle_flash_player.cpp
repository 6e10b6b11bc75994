#include "media/flash/ruffle/ruffle_flash_player.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "media/flash/ruffle/ruffle_page.h"
#include "platform/errors.h"

namespace kv::media::ruffle {

namespace {

QString colourText(const swf::Rgb& c) {
  return QStringLiteral("#%1%2%3")
      .arg(c.r, 2, 16, QLatin1Char('0'))
      .arg(c.g, 2, 16, QLatin1Char('0'))
      .arg(c.b, 2, 16, QLatin1Char('0'));
}

// A whole number within [low, high].
template <typename T>
bool isWhole(const QJsonValue& value, T low, T high) {
  if (!value.isDouble()) return false;
  const double d = value.toDouble();
  return d == std::floor(d) && d >= static_cast<double>(low) && d <= static_cast<double>(high);
}

std::optional<SeekTier> tierOf(const QString& name) {
  if (name == "actions") return SeekTier::Actions;
  if (name == "menu") return SeekTier::Menu;
  if (name == "model") return SeekTier::Model;
  return std::nullopt;
}

}  // namespace

RuffleFlashPlayer::RuffleFlashPlayer(Clock& clock, Options options, QObject* parent)
    : QObject(parent),
      clock_(clock),
      options_(std::move(options)),
      store_(QString::fromStdString(options_.storeFolder)) {
  storeTimer_.setSingleShot(true);
  storeTimer_.setInterval(200);
  connect(&storeTimer_, &QTimer::timeout, this, [this] {
    if (!pendingStores_.empty()) writeStores();
  });
}

RuffleFlashPlayer::~RuffleFlashPlayer() {
  writeStores();
  *alive_ = false;
  if (waitLoop_) waitLoop_->quit();
}

bool RuffleFlashPlayer::available() const {
  return reason().empty();
}

std::string RuffleFlashPlayer::reason() const {
  if (!ruffleFilesPresent(options_.ruffleDir))
    return "Ruffle's files are missing from " + options_.ruffleDir;
  if (!ruffleSchemeRegistered()) return "the Flash page's URL scheme was not registered";
  if (page_ && page_->status() == RufflePage::Status::Failed) return page_->failure().toStdString();
  return {};
}

QWidget* RuffleFlashPlayer::view() const {
  return page_ ? page_->view() : nullptr;
}

void RuffleFlashPlayer::ensurePage() {
  if (page_) return;
  RufflePage::Options o;
  o.ruffleDir = QString::fromStdString(options_.ruffleDir);
  o.stuckMs = options_.stuckMs;
  page_ = std::make_unique<RufflePage>(o);
  connect(page_.get(), &RufflePage::message, this, &RuffleFlashPlayer::onMessage);
  connect(page_.get(), &RufflePage::failed, this, [this](const QString&) {
    if (loaded_) postEvent(EngineFailed);
  });
  connect(page_.get(), &RufflePage::restarted, this, [this](const QString& why) {
    if (loaded_) dropMovie(why.toStdString());
  });
  page_->start();
}

void RuffleFlashPlayer::postEvent(Event<>& event) {
  clock_.post([alive = alive_, &event] {
    if (*alive) event.raise();
  });
}

void RuffleFlashPlayer::setMovie(const std::string& path) {
  auto file = std::make_shared<std::vector<std::uint8_t>>();
  std::string error;
  swf::ReadResult r;
  if (readMovieFile(path, {}, *file, error)) r = swf::read(*file);
  if (file->empty() || !r.ok()) {
    unload();
    path_ = path;  // the component stays empty, as a plug-in does with an unreadable file
    return;
  }
  load(path, std::move(file), r.movie);
}

void RuffleFlashPlayer::closeMovie() {
  if (loaded_ && page_) page_->send(QJsonObject{{"op", "unload"}});
  if (page_ && page_->status() != RufflePage::Status::NotStarted) page_->scheme().clearMovie();
  ++generation_;
  loaded_ = false;
  total_ = 0;
  frame_ = 0;
  timelinePlaying_ = false;
  paused_ = false;
  painted_ = false;
  touched_ = false;
  original_.reset();
  metaSeen_ = false;
  tierDecided_ = false;
  confirmedSeq_ = -1;
  pendingGoto_.reset();
  model_.reset();
  vars_.clear();
  commands_.clear();
}

void RuffleFlashPlayer::unload() {
  closeMovie();
  path_.clear();
}

// The page was reloaded under the movie: what it ran is gone, the component is empty.
void RuffleFlashPlayer::dropMovie(const std::string& why) {
  std::fprintf(stderr, "korvelin: %s; the Flash page was reloaded and %s was closed\n", why.c_str(),
               path_.c_str());
  const std::string path = path_;
  closeMovie();
  path_ = path;
}

void RuffleFlashPlayer::load(const std::string& path,
                             std::shared_ptr<const std::vector<std::uint8_t>> file,
                             const swf::Movie& movie) {
  // The program may set the same movie again before its first frame is shown (opening a file,
  // then selecting it in the list): the load on its way is that movie, from its first frame.
  // Loading it again would destroy the engine's player while it still fetches.
  if (loaded_ && !painted_ && !touched_ && path == path_ && original_ && file &&
      *original_ == *file && page_ && page_->status() != RufflePage::Status::Failed)
    return;
  closeMovie();
  original_ = file;
  path_ = path;
  if (!available()) return;
  ensurePage();
  if (page_->status() == RufflePage::Status::Failed) return;

  tier_ = predictedTier(movie);
  if (tier_ == SeekTier::Actions) {
    auto bridged = std::make_shared<std::vector<std::uint8_t>>();
    std::string error;
    if (addBridge(*file, {}, *bridged, error))
      file = std::move(bridged);
    else
      tier_ = movie.frameCount > 1 ? SeekTier::Menu : SeekTier::Model;
  }
  loaded_ = true;
  total_ = std::max(1, movie.frameCount);
  width_ = movie.widthPixels();
  height_ = movie.heightPixels();
  timelinePlaying_ = true;

  const QFileInfo info(QString::fromStdString(path));
  const QString name = info.fileName().isEmpty() ? QStringLiteral("movie.swf") : info.fileName();
  page_->scheme().setMovie({generation_, name, std::move(file), info.absolutePath()});
  storeFolders_[generation_] = info.absolutePath();
  while (storeFolders_.size() > 4) storeFolders_.erase(storeFolders_.begin());
  const char* renderer = std::getenv("KORVELIN_RUFFLE_RENDERER");
  ++loadsSent_;
  request(QJsonObject{{"op", "load"},
                      {"url", RuffleSchemeHandler::movieUrl(generation_, name)},
                      {"w", width_},
                      {"h", height_},
                      {"bg", colourText(movie.background)},
                      {"scale", scaleMode_},
                      {"total", total_},
                      {"tier", tierName(tier_)},
                      {"maxScriptSeconds", options_.maxScriptSeconds},
                      {"store", store_.itemsOf(info.absolutePath())},
                      {"storeLimit", static_cast<double>(MovieStore::kFolderLimit)},
                      {"renderer", renderer && *renderer ? QString(renderer) : QString()}},
          false);
}

void RuffleFlashPlayer::request(QJsonObject op, bool changesState) {
  if (!page_) return;
  op["g"] = static_cast<double>(generation_);
  if (changesState) ++seq_;
  op["s"] = seq_;
  page_->send(op);
}

void RuffleFlashPlayer::useModel() {
  if (model_ || !loaded_) return;
  model_ = std::make_unique<FlashRuntime>(clock_);  // no engine: the model plays no sound
  model_->setMovie(path_);
  for (const auto& [name, value] : vars_) model_->SetVariable(name, value);
  if (pendingGoto_) model_->GotoFrame(*pendingGoto_);
  if (paused_ || !timelinePlaying_) model_->StopPlay();
}

void RuffleFlashPlayer::Play() {
  if (!loaded_) return;
  paused_ = false;
  timelinePlaying_ = true;
  if (model_) model_->Play();
  request(QJsonObject{{"op", "play"}}, true);
}

void RuffleFlashPlayer::StopPlay() {
  if (!loaded_) return;
  touched_ = true;
  paused_ = true;
  timelinePlaying_ = false;
  if (model_) model_->StopPlay();
  request(QJsonObject{{"op", "pause"}}, true);
}

void RuffleFlashPlayer::Stop() {
  StopPlay();
}

void RuffleFlashPlayer::GotoFrame(int frame) {
  if (!loaded_) return;
  touched_ = true;
  const int target = std::clamp(frame, 0, total_ - 1);
  const bool play = IsPlaying();
  frame_ = target;
  if (model_)
    model_->GotoFrame(target);
  else
    pendingGoto_ = target;
  request(QJsonObject{{"op", "goto"}, {"frame", target}, {"play", play}}, true);
}

int RuffleFlashPlayer::FrameNum() const {
  if (!loaded_) return 0;
  if (tier_ == SeekTier::Actions) return frame_;
  return model_ ? model_->FrameNum() : pendingGoto_.value_or(0);
}

bool RuffleFlashPlayer::IsPlaying() const {
  if (!loaded_ || paused_) return false;
  if (tier_ == SeekTier::Actions || !model_) return timelinePlaying_;
  return model_->IsPlaying();
}

void RuffleFlashPlayer::setScaleMode(int mode) {
  if (mode < 0 || mode > 3) throw ComponentError("invalid ScaleMode " + std::to_string(mode));
  scaleMode_ = mode;
  if (loaded_) request(QJsonObject{{"op", "scale"}, {"mode", mode}}, false);
}

void RuffleFlashPlayer::SetVariable(const std::string& name, const std::string& value) {
  if (!loaded_) return;  // nothing runs: the value goes nowhere
  touched_ = true;
  vars_[name] = value;
  if (model_) model_->SetVariable(name, value);
  request(QJsonObject{{"op", "set"},
                      {"name", QString::fromStdString(name)},
                      {"value", QString::fromStdString(value)}},
          false);
}

std::string RuffleFlashPlayer::localVariable(const std::string& name) const {
  if (model_) return model_->GetVariable(name);
  const auto it = vars_.find(name);
  return it == vars_.end() ? std::string() : it->second;
}

std::string RuffleFlashPlayer::GetVariable(const std::string& name) const {
  if (!loaded_) return "";
  // Asking the page changes nothing the caller can see but the answer; the component's
  // interface makes this call const.
  auto* self = const_cast<RuffleFlashPlayer*>(this);
  if (tier_ == SeekTier::Actions && tierDecided_ && !waitLoop_)
    if (auto value = self->askPage(name)) return *value;
  return localVariable(name);
}

// Sends the question and runs the event loop (user input excluded) until the page answers
// or options_.variableWaitMs pass. FSCommands that arrive meanwhile wait until the call has
// returned.
std::optional<std::string> RuffleFlashPlayer::askPage(const std::string& name) {
  if (!page_ || page_->status() != RufflePage::Status::Ready) return std::nullopt;
  question_ = ++nextQuestion_;
  answer_.reset();
  request(QJsonObject{{"op", "get"}, {"id", question_}, {"name", QString::fromStdString(name)}},
          false);
  QEventLoop loop;
  QTimer::singleShot(options_.variableWaitMs, &loop, &QEventLoop::quit);
  waitLoop_ = &loop;
  const auto alive = alive_;
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (!*alive) return std::nullopt;  // destroyed while waiting: touch nothing
  waitLoop_ = nullptr;
  question_ = 0;
  if (flushAfterWait_) {
    flushAfterWait_ = false;
    postFlush();
  }
  return std::exchange(answer_, std::nullopt);
}

// Every report is checked against what the player asked for and knows: a page that ran a
// movie's script could otherwise forge frames, states, tiers and answers. FSCommands are the
// movie's own word and pass as they come (typed and bounded).
void RuffleFlashPlayer::onMessage(const QJsonObject& message) {
  const QString type = message.value("t").toString();
  if (type == "store") return keepStore(message);
  if (!loaded_ || !isWhole(message.value("g"), generation_, generation_)) return;
  if (type == "state") {
    onState(message);
  } else if (type == "tier") {
    const auto tier = tierOf(message.value("tier").toString());
    // Decided once, and only ever down from the predicted tier.
    if (tier && !tierDecided_ && *tier >= tier_ && (*tier != SeekTier::Menu || total_ > 1))
      onTier(*tier);
  } else if (type == "meta") {
    if (metaSeen_) return;
    metaSeen_ = true;
    if (tier_ != SeekTier::Actions) useModel();  // the model starts with the movie
  } else if (type == "painted") {
    if (painted_ || !metaSeen_) return;
    painted_ = true;
    Painted.raise();
  } else if (type == "fs") {
    queueCommands(message);
  } else if (type == "var") {
    if (waitLoop_ && question_ > 0 && isWhole(message.value("id"), question_, question_) &&
        message.value("ok").isBool() && message.value("value").isString()) {
      if (message.value("ok").toBool()) answer_ = message.value("value").toString().toStdString();
      waitLoop_->quit();
    }
  } else if (type == "failed") {
    if (!message.value("engine").isBool()) return;
    // The engine itself can only fail before it ran the movie.
    const bool engine = message.value("engine").toBool();
    if (engine && metaSeen_) return;
    postEvent(engine ? EngineFailed : MovieFailed);
  }
}

// The shared objects of a movie of this generation or one of the last before it: kept in the
// store of that movie's folder (refused there when they are not text or too large).
void RuffleFlashPlayer::keepStore(const QJsonObject& message) {
  if (storeFolders_.empty() || !message.value("items").isObject() ||
      !isWhole(message.value("g"), storeFolders_.begin()->first, generation_))
    return;
  const auto it = storeFolders_.find(static_cast<std::uint64_t>(message.value("g").toDouble()));
  if (it == storeFolders_.end()) return;
  pendingStores_[it->second] = message.value("items").toObject();
  if (!storeTimer_.isActive()) writeStores();
}

void RuffleFlashPlayer::writeStores() {
  for (const auto& [folder, items] : pendingStores_) store_.save(folder, items);
  pendingStores_.clear();
  storeTimer_.start();
}

void RuffleFlashPlayer::onState(const QJsonObject& message) {
  // A report made before the page had our last state change is already out of date; one from
  // after it cannot exist.
  if (!isWhole(message.value("s"), seq_, seq_) || !message.value("playing").isBool()) return;
  const bool playing = message.value("playing").toBool();
  if (playing && paused_) return;  // the page suspends a paused movie
  // The action tier reports frames of the movie; the others report none.
  const bool actions = tier_ == SeekTier::Actions;
  if (actions ? !isWhole(message.value("frame"), 0, total_ - 1)
              : !isWhole(message.value("frame"), -1, -1))
    return;
  confirmedSeq_ = seq_;
  if (actions) {
    frame_ = message.value("frame").toInt();
    timelinePlaying_ = playing;
  } else if (tier_ == SeekTier::Menu && model_ && !paused_ && playing != model_->IsPlaying()) {
    // The menu's Play mark is the truth about the timeline; the model follows it.
    if (playing)
      model_->Play();
    else
      model_->StopPlay();
  }
}

void RuffleFlashPlayer::onTier(SeekTier tier) {
  tierDecided_ = true;
  if (tier == tier_) return;
  tier_ = tier;
  if (tier != SeekTier::Actions) useModel();
}

void RuffleFlashPlayer::queueCommands(const QJsonObject& message) {
  if (isWhole(message.value("dropped"), 0, 1 << 30))
    droppedCommands_ += static_cast<std::size_t>(message.value("dropped").toInt());
  for (const QJsonValue& v : message.value("list").toArray()) {
    const QJsonArray entry = v.toArray();
    if (!entry.at(0).isString() || !entry.at(1).isString()) continue;
    if (commands_.size() >= kMaxPendingCommands) {
      ++droppedCommands_;
      continue;
    }
    commands_.emplace_back(entry.at(0).toString().toStdString(),
                           entry.at(1).toString().toStdString());
  }
  postFlush();
}

void RuffleFlashPlayer::postFlush() {
  if (flushPosted_ || commands_.empty()) return;
  flushPosted_ = true;
  clock_.post([alive = alive_, this] {
    if (*alive) flushCommands();
  });
}

void RuffleFlashPlayer::flushCommands() {
  flushPosted_ = false;
  if (waitLoop_) {  // never inside GetVariable's wait
    flushAfterWait_ = true;
    return;
  }
  const std::uint64_t generation = generation_;
  auto pending = std::exchange(commands_, {});
  const auto alive = alive_;
  for (const auto& [command, args] : pending) {
    FSCommand.raise(command, args);
    // A handler may replace the movie or destroy the component: the rest is dropped.
    if (!*alive || generation_ != generation) return;
  }
}

}  // namespace kv::media::ruffle
