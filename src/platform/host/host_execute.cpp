#include "platform/host/host_execute.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QString>
#include <QTimer>

namespace kv::host {
namespace {

constexpr char kMagic[4] = {'K', 'V', 'X', '1'};
constexpr int kHeaderBytes = 8;

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
  QPointer<QLocalSocket> socket;
  QByteArray buffer;
  qint64 length = -1;  // of the text, once the header is in
  bool reading = true;
  bool answered = false;
  std::shared_ptr<int> count;  // the server's count of requests being received
  void doneReading() {
    if (reading) --*count;
    reading = false;
  }
};

ExecuteServer::ExecuteServer(std::string socketPath, Handler handler, int requestTimeoutMs)
    : path_(std::move(socketPath)),
      handler_(std::move(handler)),
      requestTimeoutMs_(requestTimeoutMs),
      server_(std::make_unique<QLocalServer>()) {}

ExecuteServer::~ExecuteServer() {
  if (server_->isListening()) server_->close();  // removes the socket file
}

std::string ExecuteServer::defaultSocketPath(const std::string& topic) {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return (dir + QString("/korvelin-%1.%2").arg(getuid()).arg(q(topic))).toStdString();
}

bool ExecuteServer::listen() {
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
  QObject::connect(server_.get(), &QLocalServer::newConnection, [this] { accept(); });
  return true;
}

void ExecuteServer::accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (*reading_ >= kMaxPending) {
      socket->abort();
      continue;
    }
    ++*reading_;
    auto request = std::make_shared<Request>();
    request->socket = socket;
    request->count = reading_;
    // A client that hangs up or stalls stops counting; the others are read all the while.
    QObject::connect(socket, &QObject::destroyed, [request] { request->doneReading(); });
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, socket, [request] {
      if (request->socket && request->reading) request->socket->abort();
    });
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, request] { read(request); });
    deadline->start(requestTimeoutMs_);
    if (socket->bytesAvailable() > 0) read(request);
  }
}

void ExecuteServer::read(std::shared_ptr<Request> request) {
  if (!request->reading || !request->socket) return;
  QLocalSocket& socket = *request->socket;
  if (request->length < 0) {
    request->buffer += socket.read(kHeaderBytes - request->buffer.size());
    if (request->buffer.size() < kHeaderBytes) return;
    const auto* b = reinterpret_cast<const unsigned char*>(request->buffer.constData());
    const quint32 length =
        (quint32(b[4]) << 24) | (quint32(b[5]) << 16) | (quint32(b[6]) << 8) | quint32(b[7]);
    if (!request->buffer.startsWith(QByteArray(kMagic, 4)) || length > kMaxCommandBytes) {
      request->doneReading();
      answer(request, kExecuteRefused);
      return;
    }
    request->length = length;
  }
  request->buffer += socket.read(request->length - (request->buffer.size() - kHeaderBytes));
  if (request->buffer.size() - kHeaderBytes < request->length) return;
  request->doneReading();
  const std::string text = commandText(request->buffer.mid(kHeaderBytes));
  // A message box runs a nested event loop: other clients are served meanwhile, and this one
  // may hang up (its socket is then gone).
  const int status = handler_ ? handler_(text) : kExecuteRefused;
  answer(request, status);
}

void ExecuteServer::answer(std::shared_ptr<Request> request, int status) {
  if (request->answered || !request->socket) return;
  request->answered = true;
  const char byte = static_cast<char>(status < 0 || status > 255 ? kExecuteRefused : status);
  request->socket->write(&byte, 1);
  request->socket->disconnectFromServer();  // once the answer is written
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
