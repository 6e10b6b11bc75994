#pragma once
// The execute channel: a per-user local socket on which another program (or `korvelin
// --execute`) sends one command text to the running player and gets its answer back.
//
// Request: "KVX1", the length of the text (4 bytes, big endian), the text. Answer: one byte,
// the player's status (0: accepted).

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace kv::host {

// Exit statuses of `korvelin --execute`.
enum ExecuteStatus : int {
  kExecuteAccepted = 0,
  kExecuteRefused = 1,  // too long or not a request
  kExecuteUsage = 2,
  kExecuteNoPlayer = 3,  // no player listens
  kExecuteLost = 4,      // the player went away before answering
};

class ExecuteServer {
 public:
  // Longer commands are refused unread.
  static constexpr std::size_t kMaxCommandBytes = 64 * 1024;
  // A client has this long to send its whole request; one that stalls is dropped.
  static constexpr int kRequestTimeoutMs = 5000;
  // Clients waiting to be read at once; more are turned away.
  static constexpr int kMaxPending = 32;

  // The handler runs on the user-interface thread with the command as valid UTF-8 (cut at a
  // NUL, broken sequences replaced) and returns the status sent back.
  using Handler = std::function<int(const std::string& command)>;

  ExecuteServer(std::string socketPath, Handler handler, int requestTimeoutMs = kRequestTimeoutMs);
  ~ExecuteServer();
  ExecuteServer(const ExecuteServer&) = delete;
  ExecuteServer& operator=(const ExecuteServer&) = delete;

  // Listens with owner-only permissions. A socket left behind by a player that died is
  // removed first; false when a live player answers there or the socket cannot be made.
  bool listen();
  const std::string& socketPath() const { return path_; }

  // The socket of a topic in the user's runtime folder.
  static std::string defaultSocketPath(const std::string& topic = "Korvelin");

 private:
  struct Request;
  void accept();
  // By value: the socket, and the connection that called, may go away while a handler runs.
  void read(std::shared_ptr<Request> request);
  void answer(std::shared_ptr<Request> request, int status);

  std::string path_;
  Handler handler_;
  int requestTimeoutMs_;
  std::shared_ptr<int> reading_ = std::make_shared<int>(0);  // requests still being received
  std::unique_ptr<QLocalServer> server_;
};

// Sends one command to the player listening at socketPath and waits for its answer (a message
// box waits for the user). Returns the answer or an ExecuteStatus of the client's own.
int sendExecute(const std::string& socketPath, const std::string& command,
                int connectTimeoutMs = 3000);

}  // namespace kv::host
