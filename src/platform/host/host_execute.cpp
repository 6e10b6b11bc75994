#include "platform/host/host_execute.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "platform/host/host_runtime_folder.h"

// Plain Unix sockets with Qt's socket notifiers: Qt's own local sockets would bring in its
// network module, whose start-up (proxy discovery, Kerberos) alone cost a third of the time to
// the first paint.

namespace kv::host {
namespace {

constexpr char kMagic[4] = {'K', 'V', 'X', '1'};
constexpr std::size_t kHeaderBytes = 8;

// What arrived, as text the rest of the program can rely on.
std::string commandText(const std::string& payload) {
  const auto nul = payload.find('\0');
  const std::string text = nul == std::string::npos ? payload : payload.substr(0, nul);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

bool isSocket(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool addressOf(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// A connected socket, or -1 when nobody accepts within timeoutMs.
int connectTo(const std::string& path, int timeoutMs) {
  sockaddr_un address;
  if (!addressOf(path, address)) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  if (errno == EAGAIN || errno == EINPROGRESS) {
    // A full backlog: the listener may still take us.
    pollfd p{fd, POLLOUT, 0};
    int error = 0;
    socklen_t size = sizeof error;
    if (::poll(&p, 1, timeoutMs) == 1 &&
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
      return fd;
  }
  ::close(fd);
  return -1;
}

// Waits up to timeoutMs (-1: for ever) for the socket to be ready for `events`.
bool waitFor(int fd, short events, int timeoutMs) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int n = ::poll(&p, 1, timeoutMs);
    if (n < 0 && errno == EINTR) continue;
    return n == 1;
  }
}

}  // namespace

struct ExecuteServer::Request {
  int fd = -1;  // -1 once hung up
  QSocketNotifier* notifier = nullptr;
  QTimer* deadline = nullptr;
  std::string buffer;
  long length = -1;  // of the text, once the header is in
  bool reading = true;
  bool answered = false;
  std::string text;

  // Lets go of the socket and its helpers; they may be the sender of the running slot.
  void hangUp() {
    if (notifier) notifier->deleteLater();
    if (deadline) deadline->deleteLater();
    notifier = nullptr;
    deadline = nullptr;
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  ~Request() { hangUp(); }
};

ExecuteServer::ExecuteServer(std::string socketPath, Handler handler, int requestTimeoutMs)
    : path_(std::move(socketPath)),
      handler_(std::move(handler)),
      requestTimeoutMs_(requestTimeoutMs),
      context_(std::make_unique<QObject>()) {}

ExecuteServer::~ExecuteServer() {
  close();
}

std::string ExecuteServer::defaultSocketPath(const std::string& topic) {
  return privateRuntimePath("korvelin-" + std::to_string(::geteuid()) + "." + topic);
}

bool ExecuteServer::listen() {
  if (path_.empty() || closed_ || listenFd_ >= 0) return false;
  sockaddr_un address;
  if (!addressOf(path_, address)) return false;
  if (exists(path_)) {
    // Only a socket is ours to replace, and only when nobody answers on it.
    if (!isSocket(path_)) return false;
    if (const int probe = connectTo(path_, 500); probe >= 0) {
      ::close(probe);
      return false;
    }
    ::unlink(path_.c_str());
  }
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  // Owner only from the start: the socket never exists with wider permissions.
  const mode_t mask = ::umask(0077);
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::umask(mask);
  if (!bound || ::chmod(path_.c_str(), 0600) != 0 || ::listen(fd, 64) != 0) {
    if (bound) ::unlink(path_.c_str());
    ::close(fd);
    return false;
  }
  listenFd_ = fd;
  listenNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, context_.get());
  QObject::connect(listenNotifier_, &QSocketNotifier::activated, context_.get(),
                   [this] { accept(); });
  return true;
}

void ExecuteServer::close() {
  closed_ = true;
  if (listenFd_ >= 0) {
    delete listenNotifier_;
    listenNotifier_ = nullptr;
    ::close(listenFd_);
    listenFd_ = -1;
    ::unlink(path_.c_str());
  }
  while (!reading_.empty()) drop(reading_.front());
  while (!waiting_.empty()) {
    const RequestPtr request = waiting_.front();
    waiting_.pop_front();
    drop(request);
  }
}

void ExecuteServer::accept() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // EAGAIN: all taken; anything else: the next notification tries again
    }
    if (reading_.size() >= kMaxReading) drop(reading_.front());
    auto request = std::make_shared<Request>();
    request->fd = fd;
    reading_.push_back(request);
    request->deadline = new QTimer(context_.get());
    request->deadline->setSingleShot(true);
    QObject::connect(request->deadline, &QTimer::timeout, context_.get(), [this, request] {
      if (request->reading) drop(request);
    });
    request->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, context_.get());
    // A weak reference: the request lives in the lists, not in its own notifier.
    QObject::connect(request->notifier, &QSocketNotifier::activated, context_.get(),
                     [this, weak = std::weak_ptr<Request>(request)] {
                       if (const RequestPtr r = weak.lock()) read(r);
                     });
    request->deadline->start(requestTimeoutMs_);
  }
}

void ExecuteServer::read(const RequestPtr& request) {
  // Only what the request needs: what a client sends after it stays in the kernel's buffer.
  while (request->reading && request->fd >= 0) {
    const std::size_t want = request->length < 0
                                 ? kHeaderBytes - request->buffer.size()
                                 : kHeaderBytes + request->length - request->buffer.size();
    char chunk[16 * 1024];
    const ssize_t n = ::recv(request->fd, chunk, std::min(want, sizeof chunk), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) return drop(request);  // hung up, or broken
    request->buffer.append(chunk, static_cast<std::size_t>(n));
    if (request->length < 0) {
      if (request->buffer.size() < kHeaderBytes) continue;
      const auto* b = reinterpret_cast<const unsigned char*>(request->buffer.data());
      const std::uint32_t length = (std::uint32_t(b[4]) << 24) | (std::uint32_t(b[5]) << 16) |
                                   (std::uint32_t(b[6]) << 8) | std::uint32_t(b[7]);
      if (std::memcmp(b, kMagic, 4) != 0 || length > kMaxCommandBytes) {
        stopReading(request);
        answer(*request, kExecuteRefused);
        return;
      }
      request->length = length;
    }
    if (request->buffer.size() < kHeaderBytes + static_cast<std::size_t>(request->length)) continue;
    stopReading(request);
    request->text = commandText(request->buffer.substr(kHeaderBytes));
    request->buffer.clear();
    received(request);
    return;
  }
}

void ExecuteServer::received(const RequestPtr& request) {
  if (waiting_.size() >= kMaxWaiting) {
    answer(*request, kExecuteBusy);
    return;
  }
  waiting_.push_back(request);
  // Not from the notifier's signal: a message box's event loop may run while the handler
  // waits, and the requests that come meanwhile are served by this same loop.
  if (!serving_)
    QMetaObject::invokeMethod(
        context_.get(), [this] { serve(); }, Qt::QueuedConnection);
}

void ExecuteServer::serve() {
  if (serving_) return;  // a box is open further up; the loop there comes to this request
  serving_ = true;
  const struct Done {
    bool& serving;
    ~Done() { serving = false; }
  } done{serving_};
  while (!closed_ && !waiting_.empty()) {
    const RequestPtr request = waiting_.front();
    waiting_.pop_front();
    const int status = handler_ ? handler_(request->text) : kExecuteRefused;
    answer(*request, status);
  }
}

void ExecuteServer::stopReading(const RequestPtr& request) {
  if (!request->reading) return;
  request->reading = false;
  reading_.remove(request);
  if (request->deadline) request->deadline->stop();
  // No more notices of bytes the request does not read.
  if (request->notifier) request->notifier->setEnabled(false);
}

// Hangs up without an answer.
void ExecuteServer::drop(RequestPtr request) {
  stopReading(request);
  request->hangUp();
}

void ExecuteServer::answer(Request& request, int status) {
  if (request.answered || request.fd < 0) return;
  request.answered = true;
  const char byte = static_cast<char>(status < 0 || status > 255 ? kExecuteRefused : status);
  // Now, not from the event loop: the answer may come as the player shuts down. A client that
  // has gone is no signal to this process.
  (void)::send(request.fd, &byte, 1, MSG_NOSIGNAL);
  ::shutdown(request.fd, SHUT_WR);
  request.hangUp();
}

int sendExecute(const std::string& socketPath, const std::string& command, int connectTimeoutMs) {
  if (command.size() > ExecuteServer::kMaxCommandBytes) return kExecuteRefused;
  const int fd = connectTo(socketPath, connectTimeoutMs);
  if (fd < 0) return kExecuteNoPlayer;
  std::string request(kMagic, 4);
  const auto n = static_cast<std::uint32_t>(command.size());
  for (int shift : {24, 16, 8, 0}) request += static_cast<char>((n >> shift) & 0xFF);
  request += command;
  int status = kExecuteLost;
  std::size_t sent = 0;
  while (sent < request.size()) {
    const ssize_t k = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (k > 0) {
      sent += static_cast<std::size_t>(k);
    } else if (k < 0 && errno == EINTR) {
      continue;
    } else if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!waitFor(fd, POLLOUT, ExecuteServer::kRequestTimeoutMs)) break;
    } else {
      break;
    }
  }
  // A message box may hold the answer back for as long as the user takes.
  if (sent == request.size()) {
    char byte = 0;
    for (;;) {
      const ssize_t k = ::recv(fd, &byte, 1, 0);
      if (k == 1) {
        status = static_cast<unsigned char>(byte);
        break;
      }
      if (k < 0 && errno == EINTR) continue;
      if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(fd, POLLIN, -1)) continue;
      break;
    }
  }
  ::close(fd);
  return status;
}

}  // namespace kv::host
