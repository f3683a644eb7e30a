#include "core/http.h"

#include <curl/curl.h>

#include <chrono>

#include "core/codec.h"
#include "core/text.h"

namespace kvarn {

namespace {

using TClock = std::chrono::steady_clock;

// Pages larger than this are not an archive page; refusing them keeps memory bounded.
constexpr size_t MaxBodySize = 64u * 1024u * 1024u;

struct TTransfer {
  std::string body;
  std::string contentType;
  TClock::time_point lastActivity;
  int readTimeoutMs = 0;
  bool readTimedOut = false;
  bool tooLarge = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  size_t n = size * count;
  t->lastActivity = TClock::now();
  if (t->body.size() + n > MaxBodySize) {
    t->tooLarge = true;
    return 0;
  }
  t->body.append(data, n);
  return n;
}

size_t WriteHeader(char*, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  t->lastActivity = TClock::now();
  return size * count;
}

// libcurl's own low-speed limit counts whole seconds; the read time-out is kept in milliseconds
// by timing the silence since the last bytes arrived.
int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<TTransfer*>(user);
  auto silent =
      std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - t->lastActivity);
  if (silent.count() > t->readTimeoutMs) {
    t->readTimedOut = true;
    return 1;
  }
  return 0;
}

bool IsUtf8Continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Replaces every byte that does not start a well-formed UTF-8 sequence by "?".
std::string SanitizeUtf8(const std::string& s) {
  std::string r;
  r.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80           ? 1
                 : (c >> 5) == 0x6  ? 2
                 : (c >> 4) == 0xE  ? 3
                 : (c >> 3) == 0x1E ? 4
                                    : 0;
    bool ok = len > 0 && i + len <= s.size();
    for (size_t k = 1; ok && k < len; ++k)
      ok = IsUtf8Continuation(static_cast<unsigned char>(s[i + k]));
    if (ok && len == 2 && c < 0xC2) ok = false;  // overlong
    if (ok) {
      r.append(s, i, len);
      i += len;
    } else {
      r += '?';
      ++i;
    }
  }
  return r;
}

struct TCurlGlobal {
  TCurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~TCurlGlobal() { curl_global_cleanup(); }
};

}  // namespace

std::string HttpBodyToUtf8(const std::string& body, const std::string& contentType) {
  std::string ct = ToLowerAscii(contentType);
  if (ct.find("windows-1251") != std::string::npos || ct.find("cp1251") != std::string::npos)
    return Cp1251ToUtf8(body);
  std::string_view b = body;
  if (b.substr(0, 3) == "\xEF\xBB\xBF") b.remove_prefix(3);
  return SanitizeUtf8(std::string(b));
}

struct THttpClient::TImpl {
  CURL* curl = nullptr;
  ~TImpl() {
    if (curl) curl_easy_cleanup(curl);
  }
};

THttpClient::THttpClient(THttpOptions options)
    : options_(std::move(options)), impl_(std::make_unique<TImpl>()) {
  static TCurlGlobal global;
  impl_->curl = curl_easy_init();
  if (!impl_->curl) Raise("Ошибка инициализации HTTP-клиента!");
  // An empty cookie file switches the cookie engine on; cookies then live as long as the handle.
  curl_easy_setopt(impl_->curl, CURLOPT_COOKIEFILE, "");
}

THttpClient::~THttpClient() = default;

std::string THttpClient::HttpGetText(const std::string& url, const THttpProxy& proxy) {
  CURL* c = impl_->curl;
  TTransfer t;
  t.readTimeoutMs = options_.ReadTimeoutMs;
  t.lastActivity = TClock::now();
  char errbuf[CURL_ERROR_SIZE] = {0};

  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate, sdch");
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options_.ConnectTimeoutMs));
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &WriteHeader);
  curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_USERAGENT, "Mozilla/5.0 (compatible; Kvarn_5x36)");
  if (!options_.CaCertFile.empty())
    curl_easy_setopt(c, CURLOPT_CAINFO, options_.CaCertFile.c_str());
  // An empty proxy string also ignores proxies from the environment: "no proxy" means none.
  std::string proxyAddress;
  if (!proxy.Server.empty()) proxyAddress = proxy.Server + ":" + std::to_string(proxy.Port);
  curl_easy_setopt(c, CURLOPT_PROXY, proxyAddress.c_str());
  curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, proxy.Server.empty() ? "" : proxy.Username.c_str());
  curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, proxy.Server.empty() ? "" : proxy.Password.c_str());

  CURLcode rc = curl_easy_perform(c);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);

  std::string reason;
  if (rc != CURLE_OK) {
    std::string detail = errbuf[0] ? errbuf : curl_easy_strerror(rc);
    switch (rc) {
      case CURLE_ABORTED_BY_CALLBACK:
        reason = StrFormat("истекло время ожидания ответа сервера (%d мс)", options_.ReadTimeoutMs);
        break;
      case CURLE_OPERATION_TIMEDOUT:
        reason = StrFormat("истекло время ожидания подключения (%d мс)", options_.ConnectTimeoutMs);
        break;
      case CURLE_COULDNT_RESOLVE_HOST:
        reason = "не удалось найти сервер";
        break;
      case CURLE_COULDNT_RESOLVE_PROXY:
        reason = "не удалось найти proxy-сервер";
        break;
      case CURLE_COULDNT_CONNECT:
        reason = "не удалось подключиться к серверу (" + detail + ")";
        break;
      case CURLE_WRITE_ERROR:
        reason = t.tooLarge ? "слишком большой ответ сервера" : detail;
        break;
      case CURLE_PEER_FAILED_VERIFICATION:
      case CURLE_SSL_CONNECT_ERROR:
      case CURLE_SSL_CACERT_BADFILE:
        reason = "ошибка защищенного соединения (" + detail + ")";
        break;
      default:
        reason = detail;
    }
  } else {
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) reason = StrFormat("сервер ответил кодом HTTP %ld", status);
    char* ct = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &ct) == CURLE_OK && ct) t.contentType = ct;
  }
  if (!reason.empty())
    Raise(StrFormat("Ошибка загрузки страницы \"%s\": %s", url.c_str(), reason.c_str()));
  return HttpBodyToUtf8(t.body, t.contentType);
}

}  // namespace kvarn
