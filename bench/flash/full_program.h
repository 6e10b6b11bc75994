#pragma once
// The real program playing a movie, for the benchmark: the player started with the movie in
// a private home folder (the first-run actions passed by an earlier start without a file), so
// that what a person's window costs around the movie (the skin, the seek bar and the labels
// the tick repaints) is measured with it.

#include <sys/types.h>

#include <QProcess>
#include <string>

namespace kv::bench {

class FullProgram {
 public:
  // program: the player's executable; home: a folder of its own for its settings.
  FullProgram(std::string program, std::string home);
  ~FullProgram();

  // Starts the player with the movie and waits until its page has a renderer and a few seconds
  // more (the engine compiled, the movie playing). False when it did not get that far.
  bool start(const std::string& movie);
  void stop();
  pid_t pid() const;

 private:
  void run(const QStringList& arguments);

  std::string program_;
  std::string home_;
  QProcess process_;
  bool firstRunPassed_ = false;
};

}  // namespace kv::bench
