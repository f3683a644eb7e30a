#include "core/config.h"

#include <cmath>
#include <stdexcept>

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

int64_t MoneyFromReal(long double value) {
  // Round half to even, as the stored prices were always rounded. A value beyond the range of
  // the fixed-point amount (a mistyped or damaged setting) is held at the nearest end instead of
  // turning into an arbitrary amount.
  long double scaled = std::nearbyintl(value * 10000.0L);
  if (std::isnan(scaled)) return 0;
  constexpr long double kMax = 9.2e18L;
  if (scaled >= kMax) return static_cast<int64_t>(kMax);
  if (scaled <= -kMax) return -static_cast<int64_t>(kMax);
  return static_cast<int64_t>(scaled);
}

long double MoneyToReal(int64_t money) {
  return static_cast<long double>(money) / 10000.0L;
}

// ---- TIniFile ----

struct TIniFile::TImpl {
  // Case-insensitive names, no multi-line values; "Key=Value" without blanks. A key repeated in
  // a hand-edited file is kept as it was: reads take its first value, as the system's INI
  // routines do, and a write replaces the repeats by one value in the place of the first.
  CSimpleIniA ini{false, true, false};
  TImpl() {
    ini.SetSpaces(false);
    ini.SetQuotes(true);
  }
};

TIniFile::TIniFile() : impl_(std::make_unique<TImpl>()) {}
TIniFile::~TIniFile() = default;
TIniFile::TIniFile(TIniFile&&) noexcept = default;
TIniFile& TIniFile::operator=(TIniFile&&) noexcept = default;

void TIniFile::Load(const std::string& path) {
  if (!FileExists(path)) {
    impl_->ini.Reset();
    return;
  }
  LoadText(ReadWholeFile(path));
}

void TIniFile::LoadText(const std::string& cp1251Text) {
  impl_->ini.Reset();
  SI_Error rc = impl_->ini.LoadData(cp1251Text);
  if (rc < 0) throw std::runtime_error(rc == SI_NOMEM ? "Недостаточно памяти" : "Ошибка формата");
}

std::string TIniFile::SaveText() const {
  std::string text;
  SI_Error rc = impl_->ini.Save(text, false);
  if (rc < 0) throw std::runtime_error("Ошибка формата");
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

void TIniFile::Save(const std::string& path) const {
  WriteFileAtomic(path, SaveText());
}

bool TIniFile::HasKey(const std::string& section, const std::string& key) const {
  return impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  return v ? Cp1251ToUtf8(v) : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  return v ? TextToIntDef(v, def) : def;
}

long double TIniFile::ReadReal(const std::string& section, const std::string& key,
                               long double def) const {
  const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  long double r;
  return v && TryTextToReal(v, r) ? r : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  // A line break inside a value would start a new key or section in the file.
  std::string text = Utf8ToCp1251(value);
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  SI_Error rc = impl_->ini.SetValue(section.c_str(), key.c_str(), text.c_str(), nullptr, true);
  if (rc < 0) throw std::runtime_error("Недостаточно памяти");
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteReal(const std::string& section, const std::string& key, long double value) {
  WriteString(section, key, RealText(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  impl_->ini.Delete(section.c_str(), key.c_str(), false);
}

// ---- configuration ----

namespace {

const char* const kGlobal = "GLOBAL";
const char* const kStakes = "STAKES";
const char* const kCdl = "CDL";
const char* const kShredding = "SHREDDING";
const char* const kProxy = "PROXY";
const char* const kDownload = "DOWNLOAD";

// Rows of the prize table beyond this are not read; no match count exceeds a byte anyway.
constexpr int kMaxProfits = 256;

[[noreturn]] void RaiseWith(const char* message, const std::exception& e) {
  Raise(StrFormat(message, e.what()));
}

const char* const kReadError = "Ошибка чтения файла конфигурации!\r\r%s";
const char* const kWriteError = "Ошибка записи в файл конфигурации!\r\r%s";
const char* const kStateReadError = "Ошибка загрузки параметров программы!\r\r%s";
const char* const kStateWriteError = "Ошибка записи параметров программы!\r\r%s";

int Clamp(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

std::string ProfitKey(int i, const char* what) {
  return StrFormat("Profit_%d_%s", i, what);
}

// Loads the file, lets `change` set its keys and writes the file back.
template <class F>
void UpdateFile(const std::string& path, const char* errorText, F change) {
  try {
    TIniFile ini;
    ini.Load(path);
    change(ini);
    ini.Save(path);
  } catch (const EKvarnError&) {
    throw;
  } catch (const std::exception& e) {
    RaiseWith(errorText, e);
  }
}

}  // namespace

std::array<uint8_t, NumbersCount> SegmentsFromText(std::string_view text) {
  std::array<uint8_t, NumbersCount> s = TConfigData::DefaultSegments();
  for (size_t i = 0; i < s.size() && i < text.size(); ++i)
    if (text[i] >= '1' && text[i] <= '9') s[i] = static_cast<uint8_t>(text[i] - '0');
  return s;
}

std::string SegmentsText(const std::array<uint8_t, NumbersCount>& segments) {
  std::string t;
  for (uint8_t v : segments) t += static_cast<char>('0' + (v >= 1 && v <= 9 ? v : 1));
  return t;
}

void ConfigRead(const TIniFile& ini, TConfigFile& cfg) {
  TGenerateConfig& g = cfg.Generate;
  g.Mode = ini.ReadInteger(kGlobal, "CombsGenerateMode", g.Mode);
  g.Parameters = Utf8Left(ini.ReadString(kGlobal, "CombsGenerateParameters", g.Parameters),
                          GenerateParametersMaxLen);

  TConfigData& d = cfg.Data;
  // Out-of-range sizes would divide by zero or overrun the tables that depend on them.
  d.MatrixCols = Clamp(ini.ReadInteger(kGlobal, "MatrixCols", d.MatrixCols), 1, NumbersCount);
  if (ini.HasKey(kGlobal, "MatrixSegments"))
    d.Segments = SegmentsFromText(ini.ReadString(kGlobal, "MatrixSegments", ""));
  d.ChannelSize = Clamp(ini.ReadInteger(kGlobal, "ChannelSize", d.ChannelSize), 2, NumbersCount);

  d.StakeCost = MoneyFromReal(ini.ReadReal(kStakes, "Cost", MoneyToReal(d.StakeCost)));
  d.MaxStake = Clamp(ini.ReadInteger(kStakes, "MaxStake", d.MaxStake), CombSize + 1, MaxSetSize);
  if (ini.HasKey(kStakes, "Profits")) {
    int n = Clamp(ini.ReadInteger(kStakes, "Profits", 0), 0, kMaxProfits);
    d.Profits.assign(static_cast<size_t>(n), TProfit{});
    for (int i = 0; i < n; ++i) {
      TProfit& p = d.Profits[static_cast<size_t>(i)];
      p.Overlap = static_cast<uint8_t>(ini.ReadInteger(kStakes, ProfitKey(i, "Overlap"), 0));
      p.Profit = MoneyFromReal(ini.ReadReal(kStakes, ProfitKey(i, "Profit"), 0));
    }
  }

  d.CoefCount = ini.ReadReal(kCdl, "Count", d.CoefCount);
  d.CoefDeviation = ini.ReadReal(kCdl, "Deviation", d.CoefDeviation);
  d.CoefLevel = ini.ReadReal(kCdl, "Level", d.CoefLevel);
  d.UsePercents = ini.ReadInteger(kCdl, "UsePercents", d.UsePercents ? 1 : 0) > 0;
  d.UseAbsValues = ini.ReadInteger(kCdl, "UseAbsValues", d.UseAbsValues ? 1 : 0) > 0;

  TShreddingConfig& s = cfg.Shredding;
  for (int i = 0; i < 3; ++i) {
    size_t k = static_cast<size_t>(i);
    s.Formulas[k] = ini.ReadString(kShredding, StrFormat("Formula%d", i + 1), s.Formulas[k]);
    s.Digits[k] = ini.ReadInteger(kShredding, StrFormat("Formula%dDigits", i + 1), s.Digits[k]);
  }
}

void ProxyRead(const TIniFile& ini, TProxyConfig& proxy) {
  proxy.Server = ini.ReadString(kProxy, "ProxyServer", proxy.Server);
  if (ini.HasKey(kProxy, "ProxyMode"))
    proxy.Mode = ini.ReadInteger(kProxy, "ProxyMode", pmNone);
  else
    proxy.Mode = proxy.Server.empty() ? pmNone : pmManual;
  proxy.Port = ini.ReadInteger(kProxy, "ProxyPort", proxy.Port);
  proxy.Username = ini.ReadString(kProxy, "ProxyUsername", proxy.Username);
  proxy.Password = ini.ReadString(kProxy, "ProxyPassword", proxy.Password);
}

void DownloadRead(const TIniFile& ini, TDownloadConfig& download) {
  download.Host = ini.ReadString(kDownload, "Host", download.Host);
  download.CaCertFile = ini.ReadString(kDownload, "CaCertFile", download.CaCertFile);
}

namespace {
template <class F>
void LoadWith(const std::string& path, F read) {
  try {
    TIniFile ini;
    ini.Load(path);
    read(ini);
  } catch (const EKvarnError&) {
    throw;
  } catch (const std::exception& e) {
    RaiseWith(kReadError, e);
  }
}
}  // namespace

void ConfigLoad(const std::string& path, TConfigFile& cfg) {
  LoadWith(path, [&](const TIniFile& ini) { ConfigRead(ini, cfg); });
}

void ProxyLoad(const std::string& path, TProxyConfig& proxy) {
  LoadWith(path, [&](const TIniFile& ini) { ProxyRead(ini, proxy); });
}

void DownloadLoad(const std::string& path, TDownloadConfig& download) {
  LoadWith(path, [&](const TIniFile& ini) { DownloadRead(ini, download); });
}

void ConfigWriteData(TIniFile& ini, const TConfigData& d) {
  ini.WriteInteger(kGlobal, "MatrixCols", d.MatrixCols);
  ini.WriteString(kGlobal, "MatrixSegments", SegmentsText(d.Segments));
  ini.WriteInteger(kGlobal, "ChannelSize", d.ChannelSize);

  ini.WriteReal(kStakes, "Cost", MoneyToReal(d.StakeCost));
  ini.WriteInteger(kStakes, "MaxStake", d.MaxStake);
  // Rows of a longer old table would come back if the table grew again; drop them.
  int old = Clamp(ini.ReadInteger(kStakes, "Profits", 0), 0, kMaxProfits);
  for (int i = static_cast<int>(d.Profits.size()); i < old; ++i) {
    ini.DeleteKey(kStakes, ProfitKey(i, "Overlap"));
    ini.DeleteKey(kStakes, ProfitKey(i, "Profit"));
  }
  ini.WriteInteger(kStakes, "Profits", static_cast<int64_t>(d.Profits.size()));
  for (size_t i = 0; i < d.Profits.size(); ++i) {
    ini.WriteInteger(kStakes, ProfitKey(static_cast<int>(i), "Overlap"), d.Profits[i].Overlap);
    ini.WriteReal(kStakes, ProfitKey(static_cast<int>(i), "Profit"),
                  MoneyToReal(d.Profits[i].Profit));
  }

  ini.WriteReal(kCdl, "Count", d.CoefCount);
  ini.WriteReal(kCdl, "Deviation", d.CoefDeviation);
  ini.WriteReal(kCdl, "Level", d.CoefLevel);
  ini.WriteBool(kCdl, "UsePercents", d.UsePercents);
  ini.WriteBool(kCdl, "UseAbsValues", d.UseAbsValues);
}

void ConfigWriteShredding(TIniFile& ini, const TShreddingConfig& s) {
  for (int i = 0; i < 3; ++i) {
    size_t k = static_cast<size_t>(i);
    ini.WriteString(kShredding, StrFormat("Formula%d", i + 1), s.Formulas[k]);
    ini.WriteInteger(kShredding, StrFormat("Formula%dDigits", i + 1), s.Digits[k]);
  }
}

void ConfigWriteGenerate(TIniFile& ini, const TGenerateConfig& g) {
  ini.WriteInteger(kGlobal, "CombsGenerateMode", g.Mode);
  ini.WriteString(kGlobal, "CombsGenerateParameters",
                  Utf8Left(g.Parameters, GenerateParametersMaxLen));
}

void ConfigWriteProxy(TIniFile& ini, const TProxyConfig& p) {
  ini.WriteInteger(kProxy, "ProxyMode", p.Mode);
  ini.WriteString(kProxy, "ProxyServer", p.Server);
  ini.WriteInteger(kProxy, "ProxyPort", p.Port);
  ini.WriteString(kProxy, "ProxyUsername", p.Username);
  ini.WriteString(kProxy, "ProxyPassword", p.Password);
}

void ConfigWriteDownload(TIniFile& ini, const TDownloadConfig& d) {
  ini.WriteString(kDownload, "Host", d.Host);
  ini.WriteString(kDownload, "CaCertFile", d.CaCertFile);
}

void ConfigSaveData(const std::string& path, const TConfigData& data) {
  UpdateFile(path, kWriteError, [&](TIniFile& ini) { ConfigWriteData(ini, data); });
}
void ConfigSaveShredding(const std::string& path, const TShreddingConfig& shredding) {
  UpdateFile(path, kWriteError, [&](TIniFile& ini) { ConfigWriteShredding(ini, shredding); });
}
void ConfigSaveGenerate(const std::string& path, const TGenerateConfig& generate) {
  UpdateFile(path, kWriteError, [&](TIniFile& ini) { ConfigWriteGenerate(ini, generate); });
}
void ConfigSaveProxy(const std::string& path, const TProxyConfig& proxy) {
  UpdateFile(path, kWriteError, [&](TIniFile& ini) { ConfigWriteProxy(ini, proxy); });
}
void ConfigSaveDownload(const std::string& path, const TDownloadConfig& download) {
  UpdateFile(path, kWriteError, [&](TIniFile& ini) { ConfigWriteDownload(ini, download); });
}

std::vector<std::pair<std::string, std::string>> ConfigKeyValues(const TConfigFile& cfg) {
  std::vector<std::pair<std::string, std::string>> kv;
  auto add = [&](const char* section, const std::string& key, std::string value) {
    kv.emplace_back(std::string(section) + "." + key, std::move(value));
  };
  const TConfigData& d = cfg.Data;
  add(kGlobal, "MatrixCols", std::to_string(d.MatrixCols));
  add(kGlobal, "MatrixSegments", SegmentsText(d.Segments));
  add(kGlobal, "ChannelSize", std::to_string(d.ChannelSize));
  add(kGlobal, "CombsGenerateMode", std::to_string(cfg.Generate.Mode));
  add(kGlobal, "CombsGenerateParameters", cfg.Generate.Parameters);
  add(kStakes, "Cost", RealText(MoneyToReal(d.StakeCost)));
  add(kStakes, "MaxStake", std::to_string(d.MaxStake));
  add(kStakes, "Profits", std::to_string(d.Profits.size()));
  for (size_t i = 0; i < d.Profits.size(); ++i) {
    add(kStakes, ProfitKey(static_cast<int>(i), "Overlap"), std::to_string(d.Profits[i].Overlap));
    add(kStakes, ProfitKey(static_cast<int>(i), "Profit"),
        RealText(MoneyToReal(d.Profits[i].Profit)));
  }
  add(kCdl, "Count", RealText(d.CoefCount));
  add(kCdl, "Deviation", RealText(d.CoefDeviation));
  add(kCdl, "Level", RealText(d.CoefLevel));
  add(kCdl, "UsePercents", d.UsePercents ? "1" : "0");
  add(kCdl, "UseAbsValues", d.UseAbsValues ? "1" : "0");
  for (int i = 0; i < 3; ++i) {
    size_t k = static_cast<size_t>(i);
    add(kShredding, StrFormat("Formula%d", i + 1), cfg.Shredding.Formulas[k]);
    add(kShredding, StrFormat("Formula%dDigits", i + 1), std::to_string(cfg.Shredding.Digits[k]));
  }
  const TProxyConfig& p = cfg.Proxy;
  add(kProxy, "ProxyMode", std::to_string(p.Mode));
  add(kProxy, "ProxyServer", p.Server);
  add(kProxy, "ProxyPort", std::to_string(p.Port));
  add(kProxy, "ProxyUsername", p.Username);
  add(kProxy, "ProxyPassword", p.Password.empty() ? "" : "********");
  add(kDownload, "Host", cfg.Download.Host);
  add(kDownload, "CaCertFile", cfg.Download.CaCertFile);
  return kv;
}

// ---- window state ----

namespace {

struct TIntKey {
  const char* name;
  int TWindowState::*field;
};
struct TBoolKey {
  const char* name;
  bool TWindowState::*field;
};

const TIntKey kIntKeys[] = {
    {"LeftPanelWidth", &TWindowState::LeftPanelWidth},
    {"DrawsExclude", &TWindowState::DrawsExclude},
    {"DrawsStatLen", &TWindowState::DrawsStatLen},
    {"DrawsStatHeight", &TWindowState::DrawsStatHeight},
    {"DrawsGraphLen", &TWindowState::DrawsGraphLen},
    {"FiltersHeight", &TWindowState::FiltersHeight},
    {"LayoutLen", &TWindowState::LayoutLen},
    {"LayoutCompareHeight", &TWindowState::LayoutCompareHeight},
    {"WeekLen", &TWindowState::WeekLen},
    {"WeekHeight", &TWindowState::WeekHeight},
    {"WeekChartMode", &TWindowState::WeekChartMode},
    {"DownloadDrawsOnStart", &TWindowState::DownloadDrawsOnStart},
    {"RatingsEffMode", &TWindowState::RatingsEffMode},
    {"ScriptLibraryHeight", &TWindowState::ScriptLibraryHeight},
    {"ScriptLibraryFilter", &TWindowState::ScriptLibraryFilter},
    {"Language", &TWindowState::Language},
};

const TBoolKey kBoolKeys[] = {
    {"WeekChartType", &TWindowState::WeekChartType},
    {"AutoUpdates", &TWindowState::AutoUpdates},
    {"ScriptLogEnabled", &TWindowState::ScriptLogEnabled},
    {"StakesLogEnabled", &TWindowState::StakesLogEnabled},
    {"StakesScrollEnabled", &TWindowState::StakesScrollEnabled},
    {"StakesCheckOnLine", &TWindowState::StakesCheckOnLine},
    {"ColorDraws", &TWindowState::ColorDraws},
    {"ColorCombs", &TWindowState::ColorCombs},
    {"ColorCard", &TWindowState::ColorCard},
    {"ColorCardSequences", &TWindowState::ColorCardSequences},
    {"LayoutGradient", &TWindowState::LayoutGradient},
    {"SortedDraws", &TWindowState::SortedDraws},
    {"PrefetchsEnabled", &TWindowState::PrefetchsEnabled},
    {"PrefetchsInit", &TWindowState::PrefetchsInit},
    {"ShowTotalLine", &TWindowState::ShowTotalLine},
    {"ScriptLibraryOn", &TWindowState::ScriptLibraryOn},
    {"TabGraphs", &TWindowState::TabGraphs},
    {"TabCard", &TWindowState::TabCard},
    {"TabLayout", &TWindowState::TabLayout},
    {"TabWeek", &TWindowState::TabWeek},
    {"TabTables", &TWindowState::TabTables},
    {"SystemsEnabled", &TWindowState::SystemsEnabled},
    {"FirstRun", &TWindowState::FirstRun},
};

template <class F>
void StateUpdate(const std::string& path, F change) {
  UpdateFile(path, kStateWriteError, change);
}

TIniFile StateLoad(const std::string& path) {
  TIniFile ini;
  try {
    ini.Load(path);
  } catch (const std::exception& e) {
    RaiseWith(kStateReadError, e);
  }
  return ini;
}

}  // namespace

void WindowStateReadAll(const TIniFile& ini, TWindowState& state) {
  for (const TIntKey& k : kIntKeys)
    state.*k.field = ini.ReadInteger(WindowStateSection, k.name, state.*k.field);
  for (size_t i = 0; i < state.LayoutCompareLen.size(); ++i)
    state.LayoutCompareLen[i] = ini.ReadInteger(
        WindowStateSection, StrFormat("LayoutCompareLen%zu", i + 1), state.LayoutCompareLen[i]);
  for (const TBoolKey& k : kBoolKeys)
    state.*k.field = ini.ReadBool(WindowStateSection, k.name, state.*k.field);
}

int TWindowState::*WindowStateIntField(std::string_view key) {
  for (const TIntKey& k : kIntKeys)
    if (SameTextIgnoreCase(key, k.name)) return k.field;
  return nullptr;
}

bool TWindowState::*WindowStateBoolField(std::string_view key) {
  for (const TBoolKey& k : kBoolKeys)
    if (SameTextIgnoreCase(key, k.name)) return k.field;
  return nullptr;
}

void WindowStateLoad(const std::string& path, TWindowState& state) {
  WindowStateReadAll(StateLoad(path), state);
}

void WindowStateWriteAll(TIniFile& ini, const TWindowState& state) {
  for (const TIntKey& k : kIntKeys) ini.WriteInteger(WindowStateSection, k.name, state.*k.field);
  for (size_t i = 0; i < state.LayoutCompareLen.size(); ++i)
    ini.WriteInteger(WindowStateSection, StrFormat("LayoutCompareLen%zu", i + 1),
                     state.LayoutCompareLen[i]);
  for (const TBoolKey& k : kBoolKeys) ini.WriteBool(WindowStateSection, k.name, state.*k.field);
}

std::string WindowStateReadString(const std::string& path, const std::string& key,
                                  const std::string& def) {
  return StateLoad(path).ReadString(WindowStateSection, key, def);
}

int WindowStateReadInt(const std::string& path, const std::string& key, int def) {
  return StateLoad(path).ReadInteger(WindowStateSection, key, def);
}

bool WindowStateReadBool(const std::string& path, const std::string& key, bool def) {
  return StateLoad(path).ReadBool(WindowStateSection, key, def);
}

void WindowStateWriteString(const std::string& path, const std::string& key,
                            const std::string& value) {
  StateUpdate(path, [&](TIniFile& ini) { ini.WriteString(WindowStateSection, key, value); });
}

void WindowStateWriteInt(const std::string& path, const std::string& key, int value) {
  StateUpdate(path, [&](TIniFile& ini) { ini.WriteInteger(WindowStateSection, key, value); });
}

void WindowStateWriteBool(const std::string& path, const std::string& key, bool value) {
  StateUpdate(path, [&](TIniFile& ini) { ini.WriteBool(WindowStateSection, key, value); });
}

int WindowSectionReadInt(const std::string& path, const std::string& section,
                         const std::string& key, int def) {
  return StateLoad(path).ReadInteger(section, key, def);
}

std::string WindowSectionReadString(const std::string& path, const std::string& section,
                                    const std::string& key, const std::string& def) {
  return StateLoad(path).ReadString(section, key, def);
}

void WindowSectionWrite(const std::string& path, const std::string& section,
                        const std::vector<std::pair<std::string, std::string>>& values) {
  StateUpdate(path, [&](TIniFile& ini) {
    for (const auto& [key, value] : values) ini.WriteString(section, key, value);
  });
}

}  // namespace kvarn
