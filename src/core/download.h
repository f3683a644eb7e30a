// Reading draws from the operator's web archive: the marker-based text functions, the request
// paths of both archives and the page parsers. Fetching goes through a callback, so the parsers
// run the same against the real site, a test server or canned pages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config.h"
#include "core/lottery.h"
#include "core/text.h"

namespace kvarn {

// The closing marker is missing: the message shows the beginning of the text, Text holds all.
class EMarkerNotFound : public EKvarnError {
 public:
  EMarkerNotFound(const std::string& message, std::string text)
      : EKvarnError(message), Text(std::move(text)) {}
  std::string Text;
};
constexpr size_t MarkerMessageChars = 300;
// Where the download keeps the text of a page it could not read, in the data directory.
constexpr const char* DownloadPageFileName = "Kvarn_5x36-page.txt";

// Marker functions. Markers are found ignoring letter case. Results are trimmed; a result of two
// or more characters enclosed in double quotes loses them, a doubled quote inside becomes one
// and a single one is dropped.
//
// The text after the first `open` up to the first `close` after it; empty without `open`;
// EMarkerNotFound "Не удалось найти пару идентификаторов ..." when `close` is missing.
std::string TextBetween(std::string_view text, std::string_view open, std::string_view close);
// As TextBetween; `text` then loses everything up to the end of `close`.
std::string TextBetweenCut(std::string& text, std::string_view open, std::string_view close);
// The text after the first `marker` up to the next `marker` (or the end); `text` then starts at
// that next marker (or becomes empty).
std::string TextNextBlock(std::string& text, std::string_view marker);

// The last draw of the game without an extra number; later draws live in the second archive.
constexpr int32_t LastOldGameDraw = 7268;
constexpr int DownloadBlockSize = 50;

enum class TArchiveKind { Old, New };

std::string ArchiveListPath(TArchiveKind kind, int first, int last);
std::string ArchiveDrawPath(TArchiveKind kind, int number);

// The base address of the web archive joined with a path. Raises a clear error when the address
// is not configured or is not an http(s) address.
std::string ArchiveUrl(const std::string& baseAddress, const std::string& path);

// What reading a range needs from its caller.
struct TArchiveSource {
  // GETs a path (with query) of the web archive; an empty page means "nothing to read".
  std::function<std::string(const std::string& path)> Get;
  // Progress texts ("Загрузка тиражей %d - %d...", ...).
  std::function<void(const std::string& text)> Status;
};

// Reads first..last from one archive and appends the draws found (oldest first) to `draws`.
// Returns the number appended.
int DrawsDownloadArchive(TArchiveSource& source, TArchiveKind kind, int first, int last,
                         TDrawsArray& draws);
// Chooses the archive by draw number and splits a range that spans both.
int DrawsDownloadRange(TArchiveSource& source, int first, int last, TDrawsArray& draws);

// The automatic proxy search reads its candidates from this file in the data directory, one
// "server:port" a line, best first.
constexpr const char* ProxyListFileName = "Kvarn_5x36.prx";

// Entries "server:port" of the automatic proxy list. Blank lines and lines starting with "#" or
// ";" are skipped.
std::vector<std::string> ParseProxyList(std::string_view text);
// Splits "server:port"; false when the entry has no server or no port 1..65535.
bool SplitProxyEntry(std::string_view entry, std::string& server, int& port);

// The proxy dialog shows "no proxy" for any stored mode but automatic and manual.
int ProxyDialogMode(int storedMode);
// The values the dialog's OK keeps: the automatic mode clears server, port (to 80), user name and
// password; a port outside 1..65535 becomes 80.
TProxyConfig ProxyDialogResult(const TProxyConfig& entered);

}  // namespace kvarn
