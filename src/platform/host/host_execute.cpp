#include "platform/host/host_execute.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <string>

#include "platform/host/host_runtime_folder.h"

namespace kv::host {
namespace {

constexpr char kMagic[4] = {'K', 'V', 'X', '1'};
constexpr int kHeaderBytes = 8;
constexpr qint64 kReadBufferBytes = 64 * 1024;

QString q(const std::string& s) {
  return QString::fromStdString(s);
}

// What arrived, as text the rest of the program can rely on.
std::string commandText(const QByteArray& payload) {
  const qsizetype nul = payload.indexOf('\0');
  const QByteArray text = nul < 0 ? payload : payload.left(nul);
  return QString::fromUtf8(text).toStdString();
}

bool isSocket(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

struct ExecuteServer::Request {
  QPointer<QLocalSocket> socket;  // null once the client has hung up
  QPointer<QTimer> deadline;
  QByteArray buffer;
  qint64 length = -1;  // of the text, once the header is in
  bool reading = true;
  bool answered = false;
  std::string text;
};

ExecuteServer::ExecuteServer(std::string socketPath, Handler handler, int requestTimeoutMs)
    : path_(std::move(socketPath)),
      handler_(std::move(handler)),
      requestTimeoutMs_(requestTimeoutMs),
      server_(std::make_unique<QLocalServer>()) {}

ExecuteServer::~ExecuteServer() {
  close();
}

std::string ExecuteServer::defaultSocketPath(const std::string& topic) {
  return privateRuntimePath("korvelin-" + std::to_string(::geteuid()) + "." + topic);
}

bool ExecuteServer::listen() {
  if (path_.empty() || closed_) return false;
  if (exists(path_)) {
    // Only a socket is ours to replace, and only when nobody answers on it.
    if (!isSocket(path_)) return false;
    QLocalSocket probe;
    probe.connectToServer(q(path_));
    if (probe.waitForConnected(500)) {
      probe.abort();
      return false;
    }
    QLocalServer::removeServer(q(path_));
  }
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(q(path_))) return false;
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this] { accept(); });
  return true;
}

void ExecuteServer::close() {
  closed_ = true;
  if (server_->isListening()) server_->close();  // removes the socket file
  while (!reading_.empty()) drop(reading_.front());
  while (!waiting_.empty()) {
    const RequestPtr request = waiting_.front();
    waiting_.pop_front();
    drop(request);
  }
}

// Every slot below has the server as its context: none runs once the server is gone.
void ExecuteServer::accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // What a client sends after its request stays in the kernel's buffer, not in ours.
    socket->setReadBufferSize(kReadBufferBytes);
    if (reading_.size() >= kMaxReading) drop(reading_.front());
    auto request = std::make_shared<Request>();
    request->socket = socket;
    reading_.push_back(request);
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    request->deadline = deadline;
    QObject::connect(deadline, &QTimer::timeout, server_.get(), [this, request] {
      if (request->reading) drop(request);
    });
    QObject::connect(socket, &QObject::destroyed, server_.get(),
                     [this, request] { stopReading(request); });
    QObject::connect(socket, &QLocalSocket::readyRead, server_.get(),
                     [this, request] { read(request); });
    deadline->start(requestTimeoutMs_);
    if (socket->bytesAvailable() > 0) read(request);
  }
}

void ExecuteServer::read(const RequestPtr& request) {
  if (!request->reading || !request->socket) return;
  QLocalSocket& socket = *request->socket;
  if (request->length < 0) {
    request->buffer += socket.read(kHeaderBytes - request->buffer.size());
    if (request->buffer.size() < kHeaderBytes) return;
    const auto* b = reinterpret_cast<const unsigned char*>(request->buffer.constData());
    const quint32 length =
        (quint32(b[4]) << 24) | (quint32(b[5]) << 16) | (quint32(b[6]) << 8) | quint32(b[7]);
    if (!request->buffer.startsWith(QByteArray(kMagic, 4)) || length > kMaxCommandBytes) {
      stopReading(request);
      answer(*request, kExecuteRefused);
      return;
    }
    request->length = length;
  }
  request->buffer += socket.read(request->length - (request->buffer.size() - kHeaderBytes));
  if (request->buffer.size() - kHeaderBytes < request->length) return;
  stopReading(request);
  request->text = commandText(request->buffer.mid(kHeaderBytes));
  request->buffer = QByteArray();
  received(request);
}

void ExecuteServer::received(const RequestPtr& request) {
  if (waiting_.size() >= kMaxWaiting) {
    answer(*request, kExecuteBusy);
    return;
  }
  waiting_.push_back(request);
  // Not from this socket's signal: a message box's event loop may delete the socket while
  // its handler runs, and Qt's code that emitted the signal would then run on a freed socket.
  if (!serving_)
    QMetaObject::invokeMethod(
        server_.get(), [this] { serve(); }, Qt::QueuedConnection);
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
}

// Hangs up without an answer.
void ExecuteServer::drop(RequestPtr request) {
  stopReading(request);
  if (!request->socket) return;
  request->socket->abort();
  request->socket->deleteLater();
}

void ExecuteServer::answer(Request& request, int status) {
  if (request.answered || !request.socket) return;
  request.answered = true;
  const char byte = static_cast<char>(status < 0 || status > 255 ? kExecuteRefused : status);
  request.socket->write(&byte, 1);
  // Now, not from the event loop: the answer may come as the player shuts down.
  request.socket->flush();
  request.socket->disconnectFromServer();
}

int sendExecute(const std::string& socketPath, const std::string& command, int connectTimeoutMs) {
  if (command.size() > ExecuteServer::kMaxCommandBytes) return kExecuteRefused;
  QLocalSocket socket;
  socket.connectToServer(q(socketPath));
  if (!socket.waitForConnected(connectTimeoutMs)) return kExecuteNoPlayer;
  QByteArray request(kMagic, 4);
  const quint32 n = static_cast<quint32>(command.size());
  request += char(n >> 24);
  request += char(n >> 16);
  request += char(n >> 8);
  request += char(n);
  request += QByteArray(command.data(), static_cast<qsizetype>(command.size()));
  socket.write(request);
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(ExecuteServer::kRequestTimeoutMs)) return kExecuteLost;
  while (socket.bytesAvailable() < 1)
    if (!socket.waitForReadyRead(-1)) break;
  char status = 0;
  if (socket.read(&status, 1) != 1) return kExecuteLost;
  return static_cast<unsigned char>(status);
}

}  // namespace kv::host
