#include "core/about.h"

#include <curl/curl.h>
#include <xlsxwriter.h>
#include <zlib.h>

#include <string_view>

#include "kvarn_version.h"

namespace kvarn {

std::string ProgramTitle() {
  return "Kvarn 5x36";
}

std::string ProgramVersion() {
  return KVARN_VERSION;
}

std::vector<TLibraryInfo> EngineLibraries() {
  std::vector<TLibraryInfo> libs;
  const curl_version_info_data* curl = curl_version_info(CURLVERSION_NOW);
  libs.push_back({"libcurl", curl && curl->version ? curl->version : "", "curl (MIT/X)"});
  if (curl && curl->ssl_version) {
    // "OpenSSL/3.0.11": the name and the version of the TLS library curl was built with.
    const std::string_view ssl = curl->ssl_version;
    const size_t slash = ssl.find('/');
    libs.push_back({std::string(ssl.substr(0, slash)),
                    slash == std::string_view::npos ? "" : std::string(ssl.substr(slash + 1)),
                    ssl.substr(0, slash) == "OpenSSL" ? "Apache License 2.0" : ""});
  }
  libs.push_back({"zlib", zlibVersion(), "zlib"});
  libs.push_back({"libxlsxwriter", LXW_VERSION, "BSD 2-Clause"});
  libs.push_back({"SimpleIni", KVARN_SIMPLEINI_VERSION, "MIT"});
  return libs;
}

}  // namespace kvarn
