// One run of the download of draws: the attempt counter, the automatic proxy list and the HTTP
// client whose cookies live for the run, and the time-outs its requests use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/http.h"

namespace kvarn {

struct TDownloadState {
  int attempt = 0;
  bool proxyChosen = false;
  bool proxyChanged = false;
  bool failed = false;
  std::vector<std::string> proxyList;
  std::unique_ptr<THttpClient> client;
  int connectTimeoutMs = 5000;
  int readTimeoutMs = 10000;
};

}  // namespace kvarn
