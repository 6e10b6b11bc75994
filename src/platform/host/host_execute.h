#pragma once
// The execute channel: a per-user local socket on which another program (or `korvelin
// --execute`) sends one command text to the running player and gets its answer back.
//
// Request: "KVX1", the length of the text (4 bytes, big endian), the text. Answer: one byte,
// the player's status (0: accepted).

#include <cstddef>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <string>

class QObject;
class QSocketNotifier;

namespace kv::host {

// Exit statuses of `korvelin --execute`.
enum ExecuteStatus : int {
  kExecuteAccepted = 0,
  kExecuteRefused = 1,  // too long or not a request
  kExecuteUsage = 2,
  kExecuteNoPlayer = 3,  // no player listens
  kExecuteLost = 4,      // the player went away before answering
  kExecuteBusy = 5,      // too many earlier commands still wait their turn
};

class ExecuteServer {
 public:
  // Longer commands are refused unread.
  static constexpr std::size_t kMaxCommandBytes = 64 * 1024;
  // A client has this long to send its whole request; one that stays silent or stalls is
  // dropped. A client whose request is whole waits as long as its turn takes.
  static constexpr int kRequestTimeoutMs = 5000;
  // Clients still sending at once; a new one beyond them replaces the one that came first.
  static constexpr std::size_t kMaxReading = 32;
  // Whole requests that wait while the handler runs; more are answered kExecuteBusy.
  static constexpr std::size_t kMaxWaiting = 16;

  // The handler runs on the user-interface thread with the command as valid UTF-8 (cut at a
  // NUL, broken sequences replaced) and returns the status sent back. It runs for one request
  // at a time, from the event loop: while it waits for the user (a message box), later
  // requests wait their turn and are handled one after another once it returns.
  using Handler = std::function<int(const std::string& command)>;

  ExecuteServer(std::string socketPath, Handler handler, int requestTimeoutMs = kRequestTimeoutMs);
  // Not from within the handler.
  ~ExecuteServer();
  ExecuteServer(const ExecuteServer&) = delete;
  ExecuteServer& operator=(const ExecuteServer&) = delete;

  // Listens with owner-only permissions. A socket left behind by a player that died is
  // removed first; false when a live player answers there or the socket cannot be made.
  bool listen();
  // Stops listening and hangs up on every client not answered yet; the handler may finish the
  // request it runs now, and runs for no other.
  void close();
  const std::string& socketPath() const { return path_; }
  // Whole requests waiting for the handler.
  std::size_t waiting() const { return waiting_.size(); }

  // The socket of a topic in the user's private runtime folder ("" when there is none).
  static std::string defaultSocketPath(const std::string& topic = "Korvelin");

 private:
  struct Request;
  using RequestPtr = std::shared_ptr<Request>;
  void accept();
  void read(const RequestPtr& request);
  void received(const RequestPtr& request);
  void serve();
  void drop(RequestPtr request);  // by value: it may be the list entry it removes
  void stopReading(const RequestPtr& request);
  static void answer(Request& request, int status);

  std::string path_;
  Handler handler_;
  int requestTimeoutMs_;
  std::list<RequestPtr> reading_;  // oldest first
  std::deque<RequestPtr> waiting_;
  bool serving_ = false;
  bool closed_ = false;
  int listenFd_ = -1;
  QSocketNotifier* listenNotifier_ = nullptr;
  // The context of every queued call and notifier slot: none runs once the server is gone.
  std::unique_ptr<QObject> context_;
};

// Sends one command to the player listening at socketPath and waits for its answer (a message
// box waits for the user). Returns the answer or an ExecuteStatus of the client's own.
int sendExecute(const std::string& socketPath, const std::string& command,
                int connectTimeoutMs = 3000);

}  // namespace kv::host
