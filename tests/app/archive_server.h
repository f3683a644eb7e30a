// Starts tests/data/archive_server.py (a local HTTPS archive of draws) for the life of the object
// and stops it again. The server picks a free port and makes its certificate at start.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/http.h"

namespace kvarn::test {

class TArchiveServer {
 public:
  TArchiveServer() {
    char tmpl[] = "/tmp/kvarn_archive_XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
    dir_ = tmpl;
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    std::string script = std::string(KVARN_TEST_DATA) + "/archive_server.py";
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      close(fds[1]);
      execlp("python3", "python3", script.c_str(), dir_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string line;
    pollfd pfd{fds[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && poll(&pfd, 1, 20000) > 0) {
      char buf[64];
      ssize_t n = read(fds[0], buf, sizeof buf);
      if (n <= 0) break;
      line.append(buf, static_cast<size_t>(n));
    }
    close(fds[0]);
    char* end = nullptr;
    port_ = static_cast<int>(std::strtol(line.c_str(), &end, 10));
    proxyPort_ = static_cast<int>(std::strtol(end, nullptr, 10));
    if (port_ <= 0) {
      Stop();
      throw std::runtime_error("the archive server did not start");
    }
  }
  ~TArchiveServer() { Stop(); }
  TArchiveServer(const TArchiveServer&) = delete;
  TArchiveServer& operator=(const TArchiveServer&) = delete;

  std::string Base() const { return "https://127.0.0.1:" + std::to_string(port_); }
  std::string CaCert() const { return dir_ + "/cert.pem"; }
  // A tunnelling proxy in front of the server; user "kvarn", password "secret".
  int ProxyPort() const { return proxyPort_; }

  // GET /__set?..., /__reset or /__log.
  std::string Control(const std::string& pathAndQuery) const {
    THttpOptions o;
    o.CaCertFile = CaCert();
    THttpClient client(o);
    return client.HttpGetText(Base() + pathAndQuery);
  }

 private:
  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }

  std::string dir_;
  pid_t pid_ = -1;
  int port_ = 0;
  int proxyPort_ = 0;
};

// A port on 127.0.0.1 that nothing listens on (taken and released again).
inline int ClosedPort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  close(s);
  return ntohs(a.sin_port);
}

}  // namespace kvarn::test
