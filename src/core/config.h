// The two settings files: the configuration Kvarn_5x36.ini (values that change results, the
// proxy and the web archive) and the window state Kvarn_5x36.frm (view switches and sizes).
// Both are INI files in cp1251 with CR LF line ends; section and key names ignore case.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

constexpr const char* ConfigFileName = "Kvarn_5x36.ini";
constexpr const char* WindowStateFileName = "Kvarn_5x36.frm";
constexpr const char* WindowStateSection = "TFormMain";

// Money and prizes are held as the amount x 10000.
int64_t MoneyFromReal(long double value);
long double MoneyToReal(int64_t money);

// An INI file held in memory: strings are UTF-8 here and cp1251 in the file. Reading a value that
// is not a number gives the default, as the system's INI routines do.
class TIniFile {
 public:
  TIniFile();
  ~TIniFile();
  TIniFile(TIniFile&&) noexcept;
  TIniFile& operator=(TIniFile&&) noexcept;

  // A missing file is an empty one. Throws std::runtime_error with the failure text.
  void Load(const std::string& path);
  void LoadText(const std::string& cp1251Text);
  // Writes the whole file with CR LF line ends through a temporary file and a rename.
  void Save(const std::string& path) const;
  std::string SaveText() const;

  bool HasKey(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  long double ReadReal(const std::string& section, const std::string& key, long double def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int64_t value);
  // Reals are written with "." as the decimal separator and read with "." or ",".
  void WriteReal(const std::string& section, const std::string& key, long double value);
  void WriteBool(const std::string& section, const std::string& key, bool value);  // 1 or 0
  void DeleteKey(const std::string& section, const std::string& key);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

struct TProfit {
  uint8_t Overlap = 0;  // match count
  int64_t Profit = 0;   // fixed point x 10000
};
using TProfitsArray = std::vector<TProfit>;

// The values that change results.
struct TConfigData {
  int MatrixCols = 6;
  int ChannelSize = 6;
  int64_t StakeCost = 0;  // fixed point x 10000
  int MaxStake = 12;
  TProfitsArray Profits;
  long double CoefCount = 0;
  long double CoefDeviation = -1;
  long double CoefLevel = 1;
  bool UsePercents = false;
  bool UseAbsValues = false;
  std::array<uint8_t, NumbersCount> Segments = DefaultSegments();  // segment 1..9 of numbers 1..36

  static std::array<uint8_t, NumbersCount> DefaultSegments() {
    std::array<uint8_t, NumbersCount> s{};
    s.fill(1);
    return s;
  }
};

// The stored generation of the combination list: the mode and its text (my numbers or a file).
struct TGenerateConfig {
  int Mode = 0;
  std::string Parameters;  // at most 255 characters
};
constexpr size_t GenerateParametersMaxLen = 255;

struct TShreddingConfig {
  std::array<std::string, 3> Formulas{"(n1+n2+n3)/(n4+n5)", "(n4+n5)/(n1+n2+n3)",
                                      "(n1+n2)/(n3+n4+n5)"};
  std::array<int, 3> Digits{2, 2, 2};
};

enum TProxyMode : int { pmNone = 0, pmAuto = 1, pmManual = 2 };

struct TProxyConfig {
  int Mode = pmNone;
  std::string Server;
  int Port = 80;
  std::string Username;
  std::string Password;  // stored as plain text
};

// The web archive of draws: its host (empty = not configured) and an optional CA bundle.
struct TDownloadConfig {
  std::string Host;
  std::string CaCertFile;
};

// Everything Kvarn_5x36.ini holds.
struct TConfigFile {
  TConfigData Data;
  TGenerateConfig Generate;
  TShreddingConfig Shredding;
  TProxyConfig Proxy;
  TDownloadConfig Download;
};

// The segment text: one digit per number 1..36; a missing or non-digit character (and 0, which
// is no segment) means 1.
std::array<uint8_t, NumbersCount> SegmentsFromText(std::string_view text);
std::string SegmentsText(const std::array<uint8_t, NumbersCount>& segments);

// Reading. Values read before a failure stay, the rest keep what they had (their defaults).
// ConfigLoad reads the generation, GLOBAL, STAKES, CDL and SHREDDING and raises
// "Ошибка чтения файла конфигурации!\r\r%s"; the proxy and the web archive are read on their own.
void ConfigRead(const TIniFile& ini, TConfigFile& cfg);
void ProxyRead(const TIniFile& ini, TProxyConfig& proxy);
void DownloadRead(const TIniFile& ini, TDownloadConfig& download);
void ConfigLoad(const std::string& path, TConfigFile& cfg);
void ProxyLoad(const std::string& path, TProxyConfig& proxy);
void DownloadLoad(const std::string& path, TDownloadConfig& download);

// Writing: each writer updates only its own keys of the existing file and rewrites it at once.
// Failures raise "Ошибка записи в файл конфигурации!\r\r%s".
void ConfigWriteData(TIniFile& ini, const TConfigData& data);  // GLOBAL, STAKES, CDL
void ConfigWriteShredding(TIniFile& ini, const TShreddingConfig& shredding);
void ConfigWriteGenerate(TIniFile& ini, const TGenerateConfig& generate);
void ConfigWriteProxy(TIniFile& ini, const TProxyConfig& proxy);
void ConfigWriteDownload(TIniFile& ini, const TDownloadConfig& download);
void ConfigSaveData(const std::string& path, const TConfigData& data);
void ConfigSaveShredding(const std::string& path, const TShreddingConfig& shredding);
void ConfigSaveGenerate(const std::string& path, const TGenerateConfig& generate);
void ConfigSaveProxy(const std::string& path, const TProxyConfig& proxy);
void ConfigSaveDownload(const std::string& path, const TDownloadConfig& download);

// Every key of the configuration with its effective value, "SECTION.Key" and the value as the
// file would hold it, in the file's order. The password is masked.
std::vector<std::pair<std::string, std::string>> ConfigKeyValues(const TConfigFile& cfg);

// ---- window state ----

// The values of the window-state file that the engine and the window use; sizes default to the
// window's designed values.
struct TWindowState {
  int LeftPanelWidth = 300;
  int DrawsExclude = 0;
  int DrawsStatLen = 100;
  int DrawsStatHeight = 200;
  int DrawsGraphLen = 100;
  int FiltersHeight = 120;
  int LayoutLen = 100;
  std::array<int, 5> LayoutCompareLen{50, 100, 200, 300, 400};
  int LayoutCompareHeight = 300;
  int WeekLen = 1000;
  int WeekHeight = 200;
  int WeekChartMode = 0;
  bool WeekChartType = false;
  bool AutoUpdates = true;
  int DownloadDrawsOnStart = 0;  // 0 ask, 1 automatically, 2 never
  bool ScriptLogEnabled = false;
  bool StakesLogEnabled = false;
  bool StakesScrollEnabled = true;
  bool StakesCheckOnLine = true;
  bool ColorDraws = true;
  bool ColorCombs = true;
  bool ColorCard = true;
  bool ColorCardSequences = true;
  bool LayoutGradient = true;
  bool SortedDraws = false;
  bool PrefetchsEnabled = false;
  bool PrefetchsInit = false;
  bool ShowTotalLine = true;
  int RatingsEffMode = 1;
  bool ScriptLibraryOn = true;
  int ScriptLibraryHeight = 200;
  int ScriptLibraryFilter = 2;
  bool TabGraphs = true;
  bool TabCard = true;
  bool TabLayout = true;
  bool TabWeek = true;
  bool TabTables = true;
  bool SystemsEnabled = true;
  bool FirstRun = false;
  int Language = 1049;
};

// Reads every value of the struct from the main window's section; a missing key keeps the
// struct's value. Failures raise "Ошибка загрузки параметров программы!\r\r%s".
void WindowStateReadAll(const TIniFile& ini, TWindowState& state);
void WindowStateLoad(const std::string& path, TWindowState& state);
void WindowStateWriteAll(TIniFile& ini, const TWindowState& state);
// The member of TWindowState that a key of the section stands for (names ignore case); nullptr
// for keys that live only in the file (list layouts, window placement).
int TWindowState::*WindowStateIntField(std::string_view key);
bool TWindowState::*WindowStateBoolField(std::string_view key);

// One key of the main window's section; writes go to the file at once and raise
// "Ошибка записи параметров программы!\r\r%s".
std::string WindowStateReadString(const std::string& path, const std::string& key,
                                  const std::string& def);
int WindowStateReadInt(const std::string& path, const std::string& key, int def);
bool WindowStateReadBool(const std::string& path, const std::string& key, bool def);
void WindowStateWriteString(const std::string& path, const std::string& key,
                            const std::string& value);
void WindowStateWriteInt(const std::string& path, const std::string& key, int value);
void WindowStateWriteBool(const std::string& path, const std::string& key, bool value);

// The keys of another window's own section (the repeats window's lengths, sizes and column
// widths); reading gives `def` for a missing key, writing stores every given key in one update of
// the file. Failures raise like those of the main window's section.
int WindowSectionReadInt(const std::string& path, const std::string& section,
                         const std::string& key, int def);
std::string WindowSectionReadString(const std::string& path, const std::string& section,
                                    const std::string& key, const std::string& def);
void WindowSectionWrite(const std::string& path, const std::string& section,
                        const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace kvarn
