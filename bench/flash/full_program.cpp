#include "full_program.h"

#include <QProcessEnvironment>
#include <filesystem>

#include "../player/bench_tools.h"
#include "process_tree.h"

namespace kv::bench {

namespace {

bool hasRenderer(pid_t root) {
  for (pid_t pid : processTree(root))
    if (processName(pid) == "renderer") return true;
  return false;
}

// Seconds for the engine to compile its module and the movie to reach a steady state.
constexpr double kSettleSeconds = 5;

}  // namespace

FullProgram::FullProgram(std::string program, std::string home)
    : program_(std::move(program)), home_(std::move(home)) {
  std::filesystem::remove_all(home_);
  std::filesystem::create_directories(home_ + "/run");
  std::filesystem::permissions(home_ + "/run", std::filesystem::perms::owner_all);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  const QString folder = QString::fromStdString(home_);
  env.insert("HOME", folder);
  env.insert("XDG_CONFIG_HOME", folder + "/.config");
  env.insert("XDG_DATA_HOME", folder + "/.local/share");
  env.insert("XDG_RUNTIME_DIR", folder + "/run");
  env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  process_.setProcessEnvironment(env);
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.setStandardOutputFile(QProcess::nullDevice());
}

FullProgram::~FullProgram() {
  stop();
}

void FullProgram::run(const QStringList& arguments) {
  process_.start(QString::fromStdString(program_), arguments);
  process_.waitForStarted(10'000);
}

bool FullProgram::start(const std::string& movie) {
  if (!firstRunPassed_) {
    // The first start asks its first-run questions and opens the blog tab: not measured.
    run({});
    pumpUntil([] { return false; }, 4);
    stop();
    firstRunPassed_ = true;
  }
  run({QString::fromStdString(movie)});
  if (!pumpUntil([this] { return pid() > 0 && hasRenderer(pid()); }, 60)) return false;
  pumpUntil([] { return false; }, kSettleSeconds);
  return process_.state() == QProcess::Running;
}

void FullProgram::stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(10'000)) {
    process_.kill();
    process_.waitForFinished(5'000);
  }
}

pid_t FullProgram::pid() const {
  return process_.state() == QProcess::Running ? static_cast<pid_t>(process_.processId()) : 0;
}

}  // namespace kv::bench
