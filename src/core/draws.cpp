#include "core/draws.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

namespace {

std::string DateFromBytes(const uint8_t* in) {
  // A length byte above the field size would read into the next record; keep to the field.
  size_t len = in[10];
  if (len > DrawDateMaxLen) len = DrawDateMaxLen;
  return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(in + 11), len));
}

}  // namespace

void DrawToBytes(const TDraw& d, uint8_t* out) {
  if (d.FileRecord)
    std::memcpy(out, d.FileRecord->data(), DrawRecordSize);
  else
    std::memset(out, 0, DrawRecordSize);
  uint32_t n = static_cast<uint32_t>(d.Number);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
  for (int i = 0; i < CombSize; ++i) out[4 + i] = d.Values[static_cast<size_t>(i)];
  out[9] = d.Extra;
  // An unchanged date keeps its bytes: a character without a Unicode form would come back "?".
  if (d.FileRecord && DateFromBytes(out) == d.DateText) return;
  // cp1251 has one byte per character, so cutting the bytes cuts characters.
  std::string date = Utf8ToCp1251(d.DateText);
  if (date.size() > DrawDateMaxLen) date.resize(DrawDateMaxLen);
  out[10] = static_cast<uint8_t>(date.size());
  // No piece of the old date may outlive a new, shorter one.
  std::memset(out + 11, 0, DrawDateMaxLen);
  std::memcpy(out + 11, date.data(), date.size());
}

TDraw DrawFromBytes(const uint8_t* in) {
  TDraw d;
  uint32_t n = 0;
  for (int i = 0; i < 4; ++i) n |= static_cast<uint32_t>(in[i]) << (8 * i);
  d.Number = static_cast<int32_t>(n);
  for (int i = 0; i < CombSize; ++i) d.Values[static_cast<size_t>(i)] = in[4 + i];
  d.Extra = in[9];
  d.DateText = DateFromBytes(in);
  d.FileRecord.emplace();
  std::memcpy(d.FileRecord->data(), in, DrawRecordSize);
  return d;
}

std::string DrawsToBytes(const TDrawsArray& draws) {
  std::string data(draws.size() * DrawRecordSize, '\0');
  for (size_t i = 0; i < draws.size(); ++i)
    DrawToBytes(draws[i], reinterpret_cast<uint8_t*>(data.data() + i * DrawRecordSize));
  return data;
}

void DrawsFromBytes(std::string_view data, TDrawsArray& draws) {
  size_t count = data.size() / DrawRecordSize;
  draws.reserve(draws.size() + count);
  for (size_t i = 0; i < count; ++i)
    draws.push_back(
        DrawFromBytes(reinterpret_cast<const uint8_t*>(data.data() + i * DrawRecordSize)));
  size_t rest = data.size() % DrawRecordSize;
  if (rest != 0)
    throw std::runtime_error(
        StrFormat("Неполная запись в конце файла: %zu байт из %zu", rest, DrawRecordSize));
}

std::string DrawProblem(const TDraw& d) {
  if (d.Number < 1) return StrFormat("номер тиража %d меньше 1", d.Number);
  for (int i = 0; i < CombSize; ++i) {
    const int v = d.Values[static_cast<size_t>(i)];
    if (v < 1 || v > NumbersCount)
      return StrFormat("число %d вне диапазона 1..%d", v, NumbersCount);
    for (int j = 0; j < i; ++j)
      if (d.Values[static_cast<size_t>(j)] == v) return StrFormat("число %d повторяется", v);
  }
  if (d.Extra > 4) return StrFormat("дополнительное число %d вне диапазона 0..4", d.Extra);
  return {};
}

void SetAsideBadRecords(TDrawsArray& draws, TSetAsideRecords& aside) {
  size_t kept = 0;
  for (size_t i = 0; i < draws.size(); ++i) {
    std::string problem = DrawProblem(draws[i]);
    if (problem.empty()) {
      if (kept != i) draws[kept] = std::move(draws[i]);
      ++kept;
      continue;
    }
    TSetAsideRecord r;
    r.Before = kept;
    r.Position = static_cast<int64_t>(i) + 1;
    DrawToBytes(draws[i], r.Bytes.data());
    r.Problem = std::move(problem);
    aside.push_back(std::move(r));
  }
  draws.resize(kept);
}

std::string DrawsFileBytes(const TDrawsArray& draws, const TSetAsideRecords& aside) {
  std::string data((draws.size() + aside.size()) * DrawRecordSize, '\0');
  auto* out = reinterpret_cast<uint8_t*>(data.data());
  size_t next = 0;  // the next set-aside record
  for (size_t i = 0; i <= draws.size(); ++i) {
    for (; next < aside.size() && (aside[next].Before <= i || i == draws.size()); ++next) {
      std::memcpy(out, aside[next].Bytes.data(), DrawRecordSize);
      out += DrawRecordSize;
    }
    if (i == draws.size()) break;
    DrawToBytes(draws[i], out);
    out += DrawRecordSize;
  }
  return data;
}

void SetAsideAfterDelete(TSetAsideRecords& aside, size_t index) {
  for (TSetAsideRecord& r : aside)
    if (r.Before > index) --r.Before;
}

std::string SetAsideText(const TSetAsideRecord& r) {
  const TDraw d = DrawFromBytes(r.Bytes.data());
  return StrFormat("запись %lld (тираж № %d): %s", static_cast<long long>(r.Position), d.Number,
                   r.Problem.c_str());
}

bool DrawsReadFile(const std::string& path, TDrawsArray& draws) {
  if (!FileExists(path)) return false;
  DrawsFromBytes(ReadWholeFile(path, DrawsReadLimit), draws);
  return true;
}

void DrawsWriteFile(const std::string& path, const TDrawsArray& draws) {
  WriteFileAtomic(path, DrawsToBytes(draws));
}

int DrawsNextNumber(const TDrawsArray& draws, int offset) {
  int count = static_cast<int>(draws.size());
  if (count == 0) return 1;
  if (offset < 0 || offset >= count) return -1;
  // The number field takes any positive 32-bit value; after the largest one the count wraps
  // instead of overflowing.
  uint32_t number = static_cast<uint32_t>(draws[static_cast<size_t>(count - 1 - offset)].Number);
  return static_cast<int32_t>(number + 1u);
}

int DrawsFindNumber(const TDrawsArray& draws, int number) {
  int count = static_cast<int>(draws.size());
  if (count == 0) return -1;
  int first = draws.front().Number;
  int last = draws.back().Number;
  if (number == first) return 0;
  if (number == last) return count - 1;
  double span = static_cast<double>(last) - first + 1;
  double guess =
      std::trunc(static_cast<double>(count) * (static_cast<double>(number) - first) / span);
  // A span of zero (last = first - 1) or a number outside first..last gives no usable guess.
  int i = (!std::isfinite(guess) || guess < 0 || guess > count - 1) ? count - 1
                                                                    : static_cast<int>(guess);
  const auto at = [&](int k) { return draws[static_cast<size_t>(k)].Number; };
  if (at(i) != number) {
    int step = at(i) < number ? 1 : -1;
    for (i += step; i >= 0 && i < count; i += step)
      if (at(i) == number) return i;
    for (i = count - 1; i >= 0; --i)
      if (at(i) == number) return i;
    return -1;
  }
  return i;
}

std::string DrawsOffsetResult(const TDrawsArray& draws, int offset) {
  int count = static_cast<int>(draws.size());
  if (offset <= 0 || offset >= count) return {};
  const TDraw& d = draws[static_cast<size_t>(count - offset)];
  std::string r;
  for (int i = 0; i < CombSize; ++i) {
    if (i) r += ';';
    r += std::to_string(d.Values[static_cast<size_t>(i)]);
  }
  return r;
}

TNumberBits DrawsOffsetNumbers(const TDrawsArray& draws, int offset) {
  TNumberBits bits;
  int count = static_cast<int>(draws.size());
  if (offset <= 0 || offset >= count) return bits;
  for (uint8_t v : draws[static_cast<size_t>(count - offset)].Values) bits.set(v);
  return bits;
}

void DrawsDelete(TDrawsArray& draws, int index) {
  if (index < 0 || index >= static_cast<int>(draws.size()))
    Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index));
  draws.erase(draws.begin() + index);
}

TDraw DrawForDisplay(const TDraw& d, bool sorted) {
  TDraw r = d;
  if (sorted) SortDrawValues(r);
  return r;
}

TDrawRow DrawsListRow(const TDrawsArray& draws, int row, int offset, bool sorted, bool coloured,
                      int channelSize) {
  TDrawRow r;
  int index = DrawsRowIndex(draws, row);
  if (index < 0 || index >= static_cast<int>(draws.size())) return r;
  TDraw d = DrawForDisplay(draws[static_cast<size_t>(index)], sorted);
  r.Cells[0] = std::to_string(d.Number);
  for (int i = 0; i < CombSize; ++i)
    r.Cells[1 + static_cast<size_t>(i)] = std::to_string(d.Values[static_cast<size_t>(i)]);
  r.Cells[6] = std::to_string(d.Extra);
  r.Cells[7] = std::to_string(CombSum(d.Values));
  r.Cells[8] = d.DateText;
  r.OffsetRow = row == offset;
  uint32_t base = r.OffsetRow ? OffsetRowColour : (coloured ? WhiteColour : DefaultColour);
  r.Colours.fill(base);
  if (coloured)
    for (int i = 0; i < CombSize; ++i)
      r.Colours[1 + static_cast<size_t>(i)] =
          ChannelColour(d.Values[static_cast<size_t>(i)], channelSize);
  return r;
}

}  // namespace kvarn
