// HTTP(S) client for the web archive of draws: one handle per download run, so that cookies and
// open connections are kept between the requests of that run.
#pragma once

#include <memory>
#include <string>

namespace kvarn {

struct THttpProxy {
  std::string Server;  // empty: no proxy
  int Port = 80;
  std::string Username;
  std::string Password;
};

struct THttpOptions {
  int ConnectTimeoutMs = 5000;
  // Longest silence while waiting for the next bytes of an answer.
  int ReadTimeoutMs = 10000;
  // PEM bundle to trust in addition to nothing else (private servers); empty: the system's store.
  std::string CaCertFile;
};

class THttpClient {
 public:
  explicit THttpClient(THttpOptions options = {});
  ~THttpClient();
  THttpClient(const THttpClient&) = delete;
  THttpClient& operator=(const THttpClient&) = delete;

  // GETs the URL through the proxy (or directly when the proxy's server is empty) and returns the
  // body as UTF-8. Failures raise EKvarnError with a Russian text naming the address.
  std::string HttpGetText(const std::string& url, const THttpProxy& proxy = {});

  const THttpOptions& Options() const { return options_; }

 private:
  struct TImpl;
  THttpOptions options_;
  std::unique_ptr<TImpl> impl_;
};

// The body as UTF-8: pages that declare windows-1251 are converted, invalid UTF-8 bytes of other
// pages are replaced by "?", so the parsers always work on valid UTF-8.
std::string HttpBodyToUtf8(const std::string& body, const std::string& contentType);

}  // namespace kvarn
