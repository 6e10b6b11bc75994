// The execute channel through a real local socket: texts as sent, answers as statuses,
// clients that stall or send too much, one message box at a time with a bounded queue, the
// socket's permissions and a socket left behind.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <thread>

#include "platform/host/host_execute.h"
#include "platform/temp_dir.h"

using namespace kv;
using namespace std::chrono_literals;
using host::ExecuteServer;

namespace {

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

// Runs the event loop (the player's user-interface thread) until the future is ready.
template <class T>
T serveUntil(std::future<T>& f, std::chrono::milliseconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (f.wait_for(0ms) != std::future_status::ready && std::chrono::steady_clock::now() < end)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(f.wait_for(0ms), std::future_status::ready);
  return f.get();
}

std::future<int> send(const std::string& path, const std::string& text) {
  return std::async(std::launch::async, [=] { return host::sendExecute(path, text); });
}

// A client of our own making, for requests the real client never sends.
struct RawClient {
  int fd = -1;
  explicit RawClient(const std::string& path) {
    fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      ::close(fd);
      fd = -1;
    }
  }
  ~RawClient() {
    if (fd >= 0) ::close(fd);
  }
  void write(const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }
  // Everything the server sends until it hangs up.
  std::future<std::string> readAll() {
    return std::async(std::launch::async, [fd = fd] {
      std::string all;
      char buffer[256];
      ssize_t n;
      while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) all.append(buffer, n);
      return all;
    });
  }
};

std::string header(std::uint32_t length, const char* magic = "KVX1") {
  std::string h(magic, 4);
  for (int shift : {24, 16, 8, 0}) h += static_cast<char>((length >> shift) & 0xFF);
  return h;
}

struct Channel : ::testing::Test {
  QCoreApplication app{argc, argv};
  test::TempDir dir;
  std::string path = dir.path() + "/korvelin.Korvelin";
  std::vector<std::string> received;
  int status = 0;
  ExecuteServer server{path,
                       [this](const std::string& text) {
                         received.push_back(text);
                         return status;
                       },
                       300};
};

}  // namespace

TEST_F(Channel, TextsArriveAsSentAndTheAnswerIsTheStatus) {
  ASSERT_TRUE(server.listen());
  struct Case {
    std::string sent, received;
    int status;
  };
  const std::vector<Case> cases{
      {"play 影片 \"x\".avi", "play 影片 \"x\".avi", 0},
      {"", "", 0},
      {"\xff\xfe ok", "\xef\xbf\xbd\xef\xbf\xbd ok", 0},  // broken bytes become U+FFFD
      {std::string("before\0after", 12), "before", 0},
      {std::string(ExecuteServer::kMaxCommandBytes, 'x'),
       std::string(ExecuteServer::kMaxCommandBytes, 'x'), 7},
  };
  for (const Case& c : cases) {
    status = c.status;
    auto answer = send(path, c.sent);
    EXPECT_EQ(serveUntil(answer), c.status);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back(), c.received);
  }
  EXPECT_EQ(received.size(), cases.size());
}

TEST_F(Channel, ClientsThatStallOrHangUpDoNotHoldUpOthers) {
  ASSERT_TRUE(server.listen());
  RawClient silent(path);
  RawClient half(path);
  half.write(header(10) + "abc");  // promises ten bytes, sends three
  ASSERT_GE(silent.fd, 0);
  {
    RawClient gone(path);
    gone.write(header(5));
  }  // hangs up before its text
  auto answer = send(path, "next");
  EXPECT_EQ(serveUntil(answer), 0);
  EXPECT_EQ(received, std::vector<std::string>{"next"});
  // The stalled ones are dropped after their time, without an answer.
  auto silentEnd = silent.readAll();
  auto halfEnd = half.readAll();
  EXPECT_EQ(serveUntil(silentEnd), "");
  EXPECT_EQ(serveUntil(halfEnd), "");
  EXPECT_EQ(received.size(), 1u);
}

TEST_F(Channel, WhileTheHandlerWaitsForTheUserOthersWaitTheirTurn) {
  // A message box: a nested event loop until the user closes it.
  std::vector<std::string> order;
  ExecuteServer modal(
      dir.path() + "/modal",
      [&](const std::string& text) {
        order.push_back("shown " + text);
        if (text == "first") {
          QEventLoop box;
          QTimer::singleShot(400, &box, &QEventLoop::quit);
          box.exec();
        }
        order.push_back("closed " + text);
        return 0;
      },
      300);
  ASSERT_TRUE(modal.listen());
  auto first = send(dir.path() + "/modal", "first");
  std::this_thread::sleep_for(50ms);
  auto second = send(dir.path() + "/modal", "second");
  EXPECT_EQ(serveUntil(second), 0);
  EXPECT_EQ(serveUntil(first), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"shown first", "closed first", "shown second",
                                             "closed second"}));
}

TEST_F(Channel, FiveThousandRequestsMeetOneBoxAtATime) {
  int depth = 0, deepest = 0;
  std::map<std::string, int> shown;
  ExecuteServer boxes(dir.path() + "/boxes", [&](const std::string& text) {
    deepest = std::max(deepest, ++depth);
    ++shown[text];
    QEventLoop box;  // closed by the user as soon as it is there
    QTimer::singleShot(0, &box, &QEventLoop::quit);
    box.exec();
    --depth;
    return 0;
  });
  ASSERT_TRUE(boxes.listen());
  constexpr int kRequests = 5000, kClients = 32;
  std::atomic<int> next{0};
  std::vector<std::future<std::map<int, int>>> clients;  // answer -> how often
  for (int c = 0; c < kClients; ++c)
    clients.push_back(std::async(std::launch::async, [&] {
      std::map<int, int> answers;
      for (int i = next++; i < kRequests; i = next++)
        ++answers[host::sendExecute(boxes.socketPath(), "text " + std::to_string(i))];
      return answers;
    }));
  std::map<int, int> answers;
  for (auto& client : clients)
    for (auto [answer, count] : serveUntil(client, 600s)) answers[answer] += count;
  EXPECT_EQ(answers[0] + answers[host::kExecuteBusy], kRequests);
  EXPECT_EQ(answers[0], static_cast<int>(shown.size()));
  EXPECT_GT(answers[0], static_cast<int>(ExecuteServer::kMaxWaiting));  // boxes one after another
  EXPECT_EQ(deepest, 1);
  for (const auto& [text, times] : shown) EXPECT_EQ(times, 1) << text;
}

TEST_F(Channel, WhileABoxIsOpenTheQueueIsBoundedAndOnlyIdleClientsTimeOut) {
  constexpr int kWaiting = static_cast<int>(ExecuteServer::kMaxWaiting);
  std::vector<std::future<int>> waiting, refused;
  std::vector<std::string> shown;
  ExecuteServer boxes(
      dir.path() + "/boxes",
      [&](const std::string& text) {
        shown.push_back(text);
        if (text != "open") return 0;
        for (int i = 0; i < kWaiting; ++i) {
          waiting.push_back(send(dir.path() + "/boxes", std::to_string(i)));
          while (boxes.waiting() < static_cast<std::size_t>(i + 1))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        // An idle client outlives its deadline while the senders above wait on.
        RawClient idle(dir.path() + "/boxes");
        auto dropped = idle.readAll();
        EXPECT_EQ(serveUntil(dropped), "");
        for (int i = 0; i < 3; ++i) refused.push_back(send(dir.path() + "/boxes", "one more"));
        for (auto& answer : refused) EXPECT_EQ(serveUntil(answer), host::kExecuteBusy);
        EXPECT_EQ(shown.size(), 1u);
        return 0;
      },
      300);
  ASSERT_TRUE(boxes.listen());
  auto open = send(dir.path() + "/boxes", "open");
  EXPECT_EQ(serveUntil(open), 0);
  std::vector<std::string> expected{"open"};
  for (int i = 0; i < kWaiting; ++i) {
    EXPECT_EQ(serveUntil(waiting[i]), 0);
    expected.push_back(std::to_string(i));
  }
  EXPECT_EQ(shown, expected);
}

TEST_F(Channel, FortyIdleClientsDoNotKeepARequestOut) {
  ExecuteServer patient(dir.path() + "/patient", [&](const std::string& text) {
    received.push_back(text);
    return 0;
  });
  ASSERT_TRUE(patient.listen());
  std::vector<std::unique_ptr<RawClient>> idle;
  for (int i = 0; i < 40; ++i) {
    idle.push_back(std::make_unique<RawClient>(patient.socketPath()));
    if (i % 2) idle.back()->write(header(10) + "abc");
  }
  auto answer = send(patient.socketPath(), "let me in");
  EXPECT_EQ(serveUntil(answer), 0);
  EXPECT_EQ(received, std::vector<std::string>{"let me in"});
}

TEST_F(Channel, ClosingHangsUpOnTheWaitingAndLetsTheShownBoxFinish) {
  std::vector<std::string> shown;
  std::vector<std::future<int>> waiting;
  ExecuteServer boxes(dir.path() + "/boxes", [&](const std::string& text) {
    shown.push_back(text);
    for (const char* later : {"a", "b"}) waiting.push_back(send(dir.path() + "/boxes", later));
    while (boxes.waiting() < 2) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    boxes.close();  // the main window unloads while its box is open
    return 0;
  });
  ASSERT_TRUE(boxes.listen());
  auto open = send(dir.path() + "/boxes", "open");
  EXPECT_EQ(serveUntil(open), 0);
  for (auto& answer : waiting) EXPECT_EQ(serveUntil(answer), host::kExecuteLost);
  EXPECT_EQ(shown, std::vector<std::string>{"open"});
  EXPECT_NE(::access((dir.path() + "/boxes").c_str(), F_OK), 0);
}

TEST_F(Channel, TooMuchOrSomethingElseIsRefused) {
  ASSERT_TRUE(server.listen());
  // The real client does not even send a command that is too long.
  const std::string huge(1 << 20, 'x');
  EXPECT_EQ(host::sendExecute(path, huge), host::kExecuteRefused);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases{
      {"a megabyte", header(1 << 20) + huge},
      {"a length of 4 GB", header(0xFFFFFFFFu)},
      {"another protocol", "GET / HTTP/1.0\r\n\r\n"},
  };
  for (const Case& c : cases) {
    RawClient client(path);
    auto reply = client.readAll();
    auto writing = std::async(std::launch::async, [&] { client.write(c.bytes); });
    EXPECT_EQ(serveUntil(reply), std::string(1, '\x01')) << c.what;
    writing.wait();
  }
  EXPECT_TRUE(received.empty());
  auto answer = send(path, "still here");
  EXPECT_EQ(serveUntil(answer), 0);
}

TEST_F(Channel, TheSocketIsTheUsersAloneAndGoesWithTheServer) {
  {
    ExecuteServer own(dir.path() + "/own", [](const std::string&) { return 0; });
    ASSERT_TRUE(own.listen());
    struct stat st {};
    ASSERT_EQ(::lstat((dir.path() + "/own").c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u);
  }
  EXPECT_NE(::access((dir.path() + "/own").c_str(), F_OK), 0);
  EXPECT_EQ(host::sendExecute(dir.path() + "/own", "x", 200), host::kExecuteNoPlayer);
}

TEST_F(Channel, ASocketLeftByACrashIsReplacedButALivePlayersIsNot) {
  // What a killed player leaves: a socket file nobody listens on.
  {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
  }
  ASSERT_EQ(::access(path.c_str(), F_OK), 0);
  ASSERT_TRUE(server.listen());
  auto answer = send(path, "after the crash");
  EXPECT_EQ(serveUntil(answer), 0);

  ExecuteServer intruder(path, [](const std::string&) { return 9; });
  EXPECT_FALSE(intruder.listen());
  auto again = send(path, "the first still answers");
  EXPECT_EQ(serveUntil(again), 0);

  // A file that is not a socket is not ours to remove.
  const std::string file = dir.file("not-a-socket", "data");
  ExecuteServer blocked(file, [](const std::string&) { return 0; });
  EXPECT_FALSE(blocked.listen());
  EXPECT_EQ(dir.read("not-a-socket"), "data");
}
