#include "core/download.h"

#include <algorithm>

#include "core/lottery_text.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

namespace {

// Quoted results lose their quotes; a doubled quote inside stands for one, a single one is
// dropped.
std::string Dequote(std::string_view s) {
  s = Trim(s);
  if (s.size() < 2 || s.front() != '"' || s.back() != '"') return std::string(s);
  std::string_view inner = s.substr(1, s.size() - 2);
  std::string r;
  r.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] != '"') {
      r += inner[i];
    } else if (i + 1 < inner.size() && inner[i + 1] == '"') {
      r += '"';
      ++i;
    }
  }
  return r;
}

// Markers are ASCII, so lowering only ASCII letters keeps every byte offset of the text.
size_t FindNoCase(std::string_view lowerText, std::string_view marker, size_t from = 0) {
  return lowerText.find(ToLowerAscii(marker), from);
}

std::string DeleteAllNoCase(std::string s, std::string_view what) {
  std::string lw = ToLowerAscii(what);
  for (size_t p; (p = ToLowerAscii(s).find(lw)) != std::string::npos;) s.erase(p, what.size());
  return s;
}

struct TBetween {
  bool found = false;
  size_t begin = 0, end = 0, after = 0;  // the result's range and the end of the closing marker
};

TBetween LocateBetween(std::string_view text, std::string_view open, std::string_view close) {
  std::string lower = ToLowerAscii(text);
  TBetween r;
  size_t o = FindNoCase(lower, open);
  if (o == std::string::npos) return r;
  r.begin = o + open.size();
  size_t c = FindNoCase(lower, close, r.begin);
  if (c == std::string::npos) {
    // A whole page would make a box taller than the screen: the beginning goes into the message,
    // the text itself with the exception for the caller to keep.
    std::string head = Utf8Left(text, MarkerMessageChars);
    if (head.size() < text.size()) head += "...";
    throw EMarkerNotFound("Не удалось найти пару идентификаторов \"" + std::string(open) +
                              "\" - \"" + std::string(close) + "\" в тексте\r\r[" + head + "]!",
                          std::string(text));
  }
  r.found = true;
  r.end = c;
  r.after = c + close.size();
  return r;
}

const char* ArchiveDir(TArchiveKind kind) {
  return kind == TArchiveKind::Old ? "5x36" : "5x36plus";
}

int BallValue(std::string& balls, bool extra) {
  std::string item = TextBetweenCut(balls, "<b", "</b>");
  item = DeleteAllNoCase(std::move(item), "&nbsp;");
  if (extra) item = DeleteAllNoCase(std::move(item), "class=\"extra\"");
  item = DeleteAllNoCase(std::move(item), ">");
  return TextToIntDef(Trim(item), 0);
}

// A parsed draw goes into the archive only when it is a real draw: the statistics index their
// tables by number, so a changed page must not smuggle zeros or repeats in.
void CheckParsedDraw(const TDraw& d, TArchiveKind kind) {
  bool ok = kind == TArchiveKind::Old ? d.Extra == 0 : d.Extra >= 1 && d.Extra <= 4;
  for (int i = 0; i < CombSize && ok; ++i) {
    ok = d.Values[i] >= 1 && d.Values[i] <= NumbersCount;
    for (int j = 0; j < i && ok; ++j) ok = d.Values[j] != d.Values[i];
  }
  if (!ok) {
    Raise(StrFormat("Некорректные данные тиража %d на странице архива: %s!", d.Number,
                    DrawText(d).c_str()));
  }
}

uint8_t ByteValue(int v) {
  return v >= 0 && v <= 255 ? static_cast<uint8_t>(v) : 0;
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view open, std::string_view close) {
  TBetween b = LocateBetween(text, open, close);
  if (!b.found) return {};
  return Dequote(text.substr(b.begin, b.end - b.begin));
}

std::string TextBetweenCut(std::string& text, std::string_view open, std::string_view close) {
  TBetween b = LocateBetween(text, open, close);
  if (!b.found) return {};
  std::string r = Dequote(std::string_view(text).substr(b.begin, b.end - b.begin));
  text.erase(0, b.after);
  return r;
}

std::string TextNextBlock(std::string& text, std::string_view marker) {
  std::string lower = ToLowerAscii(text);
  size_t o = FindNoCase(lower, marker);
  if (o == std::string::npos) return {};
  size_t begin = o + marker.size();
  size_t next = FindNoCase(lower, marker, begin);
  if (next == std::string::npos) next = text.size();
  std::string r = Dequote(std::string_view(text).substr(begin, next - begin));
  text.erase(0, next);
  return r;
}

std::string ArchiveListPath(TArchiveKind kind, int first, int last) {
  return StrFormat("/%s/archive?mode=draw&firstDraw=%.4d&lastDraw=%.4d", ArchiveDir(kind), first,
                   last);
}

std::string ArchiveDrawPath(TArchiveKind kind, int number) {
  return StrFormat("/%s/archive/%.4d", ArchiveDir(kind), number);
}

std::string ArchiveUrl(const std::string& baseAddress, const std::string& path) {
  std::string base(Trim(baseAddress));
  if (base.empty()) {
    Raise(
        "Не задан адрес сайта архива тиражей (параметр Host раздела DOWNLOAD в файле "
        "Kvarn_5x36.ini)!");
  }
  std::string lower = ToLowerAscii(base);
  if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0)
    Raise(StrFormat("Некорректный адрес сайта архива тиражей: \"%s\"!", base.c_str()));
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + path;
}

int DrawsDownloadArchive(TArchiveSource& source, TArchiveKind kind, int first, int last,
                         TDrawsArray& draws) {
  const bool isNew = kind == TArchiveKind::New;
  const std::string linkPrefix = StrFormat("<a href=\"/%s/archive/", ArchiveDir(kind));
  if (source.Status) source.Status(StrFormat("Загрузка тиражей %d - %d...", first, last));
  std::string page = source.Get(ArchiveListPath(kind, first, last));
  std::string region =
      TextBetween(page, "<div class=\"data drawings_data\">", "<div class=\"content_decor\">");
  if (region.empty()) return 0;

  TDrawsArray batch;
  for (;;) {
    std::string block = TextNextBlock(region, "<div class=\"elem\">");
    if (block.empty()) break;
    TDraw d;
    d.Number = TextToIntDef(TextBetween(block, linkPrefix, "\">"), 0);
    d.DateText = Utf8Left(TextBetween(block, "<div class=\"draw_date\" title=\"", "\">"), 16);
    if (d.Number < first || d.DateText.empty()) continue;

    std::string balls = TextBetween(
        TextBetween(block, "<div class=\"container cleared\"", "<div class=\"controls\">"), ">",
        "</div>");
    if (!balls.empty()) {
      for (int i = 0; i < CombSize; ++i) d.Values[i] = ByteValue(BallValue(balls, false));
      d.Extra = isNew ? ByteValue(BallValue(balls, true)) : 0;
    } else {
      // The list shows no numbers for this draw: its own page has them.
      if (source.Status) source.Status(StrFormat("Загрузка тиража %d...", d.Number));
      std::string own = source.Get(ArchiveDrawPath(kind, d.Number));
      std::string win = TextBetween(own, "<div class=\"winning_numbers cleared\">", "</div>");
      if (win.empty()) {
        if (isNew) continue;
        return 0;
      }
      for (int i = 0; i < CombSize; ++i)
        d.Values[i] =
            ByteValue(TextToIntDef(TextBetweenCut(win, "<p class=\"number\">", "</p>"), 0));
      d.Extra =
          isNew ? ByteValue(TextToIntDef(TextBetweenCut(win, "<p class=\"number\">", "</p>"), 0))
                : 0;
    }
    CheckParsedDraw(d, kind);
    batch.push_back(std::move(d));
  }

  if (source.Status) source.Status("Сохранение файла тиражей...");
  // The pages list the newest draw first; appending backwards keeps the archive ascending.
  for (auto it = batch.rbegin(); it != batch.rend(); ++it) draws.push_back(std::move(*it));
  return static_cast<int>(batch.size());
}

int DrawsDownloadRange(TArchiveSource& source, int first, int last, TDrawsArray& draws) {
  if (first > LastOldGameDraw)
    return DrawsDownloadArchive(source, TArchiveKind::New, first, last, draws);
  if (last <= LastOldGameDraw)
    return DrawsDownloadArchive(source, TArchiveKind::Old, first, last, draws);
  int got = DrawsDownloadArchive(source, TArchiveKind::Old, first, LastOldGameDraw, draws);
  // The next block starts after the newest draw held, so going on with the new archive while the
  // old one stopped short would leave a gap that is never asked for again.
  if (draws.empty() || draws.back().Number != LastOldGameDraw) return got;
  return got + DrawsDownloadArchive(source, TArchiveKind::New, LastOldGameDraw + 1, last, draws);
}

std::vector<std::string> ParseProxyList(std::string_view text) {
  std::vector<std::string> r;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t eol = text.find_first_of("\r\n", pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = Trim(text.substr(pos, eol - pos));
    if (!line.empty() && line.front() != '#' && line.front() != ';') r.emplace_back(line);
    pos = eol + 1;
  }
  return r;
}

bool SplitProxyEntry(std::string_view entry, std::string& server, int& port) {
  entry = Trim(entry);
  size_t colon = entry.rfind(':');
  if (colon == std::string_view::npos) return false;
  std::string_view host = Trim(entry.substr(0, colon));
  int64_t p = 0;
  if (host.empty() || !TryTextToInt(Trim(entry.substr(colon + 1)), p) || p < 1 || p > 65535)
    return false;
  server = std::string(host);
  port = static_cast<int>(p);
  return true;
}

int ProxyDialogMode(int storedMode) {
  return storedMode == pmAuto || storedMode == pmManual ? storedMode : pmNone;
}

TProxyConfig ProxyDialogResult(const TProxyConfig& entered) {
  TProxyConfig r = entered;
  r.Mode = ProxyDialogMode(entered.Mode);
  if (r.Port < 1 || r.Port > 65535) r.Port = 80;
  if (r.Mode == pmAuto) {
    r.Server.clear();
    r.Port = 80;
    r.Username.clear();
    r.Password.clear();
  }
  return r;
}

}  // namespace kvarn
