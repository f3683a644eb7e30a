#include "stats/registry.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "core/codec.h"
#include "core/config.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

const std::array<TStatGroup, StatGroupCount> StatGroups = {{
    {"num", "Числа тиража"},
    {"sum", "Сумма чисел тиража"},
    {"dif", "Разности между числами тиража"},
    {"grp", "Каналы (группы чисел)"},
    {"mtx", "Матрица тиража"},
    {"sgm", "Сегменты матрицы тиража"},
    {"seq", "Последовательности чисел в одном тираже"},
    {"rep", "Повторяющиеся числа в нескольких тиражах"},
    {"ser", "Серии (цепочки) значений"},
    {"per", "Периоды повторения значений"},
    {"mov", "Переходы (изменения) значений между тиражами"},
    {"ogn", "Характеристическое число Огнева"},
    {"shr", "Методы шинковки"},
}};

constexpr int ShreddingGroup = 12;

std::string StatGroupHeading(int group) {
  if (group < 0 || group >= StatGroupCount) return "#ERROR#";
  const TStatGroup& g = StatGroups[static_cast<size_t>(group)];
  return FormatIndexed("{ %1:s } %0:s", {g.Caption, g.Ident});
}

std::string StatGroupIdent(int group) {
  if (group < 0 || group >= StatGroupCount) return {};
  return StatGroups[static_cast<size_t>(group)].Ident;
}

std::string TStatMethod::FullName() const {
  if (StatClass->Group() != ShreddingGroup) return Name();
  // A name the person gave is data: only its "%s" (or "%0:s") takes the formula; anything else
  // shows as typed, so that "%999999999s" is no template of a gigabyte.
  if (!CustomName.empty()) {
    std::string name;
    for (size_t i = 0; i < CustomName.size();) {
      if (CustomName.compare(i, 2, "%s") == 0 || CustomName.compare(i, 4, "%0:s") == 0) {
        name += FormulaText;
        i += CustomName[i + 1] == 's' ? 2 : 4;
      } else if (CustomName.compare(i, 2, "%%") == 0) {
        name += '%';
        i += 2;
      } else {
        name += CustomName[i++];
      }
    }
    return name;
  }
  try {
    return FormatIndexed(CaptionOf(), {FormulaText});
  } catch (const std::exception&) {
    return CaptionOf();
  }
}

TStatList::TStatList(const TDrawsArray& draws) : draws_(&draws), table_(StatRegistrationTable()) {
  ShreddingFormulas = TShreddingConfig{}.Formulas;
}

TStatList::~TStatList() = default;

const TConfigData& TStatList::Config() const {
  static const TConfigData defaults;
  return config_ ? *config_ : defaults;
}

void TStatList::Register() {
  Ordered = false;
  ShowGroupName = true;
  ShowMethodFlags = true;
  AllFavourite = true;
  items_.clear();
  for (const TStatTableLine& line : table_) {
    if (!line.Class) continue;
    const TStatClass& cls = line.Class();
    if (!cls.IsAvailable()) continue;
    int min = 0, max = 0;
    if (cls.HasParam()) cls.ParamRange(*this, min, max);
    for (int p = min; p <= max; ++p) {
      auto m = std::make_unique<TStatMethod>(cls, p);
      if (cls.Group() == ShreddingGroup && p >= 1 && p <= 3)
        m->FormulaText = ShreddingFormulas[static_cast<size_t>(p - 1)];
      items_.push_back(std::move(m));
    }
  }
}

std::string TStatList::DisplayName(int i, bool withFlags) const {
  const TStatMethod& m = Items(i);
  std::string name = m.FullName();
  if (ShowGroupName)
    name = FormatIndexed("{ %1:s } %0:s", {name, StatGroupIdent(m.StatClass->Group())});
  if (withFlags && ShowMethodFlags) {
    const std::string letters = FeatureLetters(m.StatClass->Flags());
    if (!letters.empty()) name = FormatIndexed("%0:s [ %1:s ]", {name, letters});
  }
  return name;
}

void TStatList::SetAllFavourite() {
  AllFavourite = true;
  for (auto& m : items_) m->Favourite = true;
}

void TStatList::NormaliseFavourites() {
  const bool allSame = std::all_of(items_.begin(), items_.end(), [&](const auto& m) {
    return m->Favourite == items_.front()->Favourite;
  });
  if (allSame)
    SetAllFavourite();
  else
    AllFavourite = false;
}

std::string TStatList::FavouritesText() const {
  if (AllFavourite) return {};
  std::string text;
  for (const auto& m : items_) {
    if (!m->Favourite) continue;
    if (!text.empty()) text += ',';
    text += m->IdentOf();
  }
  return text;
}

void TStatList::SetFavouritesText(std::string_view text) {
  if (Trim(text).empty()) {
    SetAllFavourite();
    return;
  }
  AllFavourite = false;
  const std::vector<std::string> words = SplitWords(text, ",");
  for (auto& m : items_) {
    const std::string ident = m->IdentOf();
    m->Favourite = std::any_of(words.begin(), words.end(),
                               [&](const std::string& w) { return SameTextIgnoreCase(w, ident); });
  }
}

namespace {

constexpr const char* FiltersSection = "FILTERS";

// The file is cp1251 on disk; SimpleIni holds its text as UTF-8.
void LoadIni(CSimpleIniA& ini, const std::string& file) {
  ini.SetSpaces(false);
  ini.SetUnicode(false);
  ini.SetMultiKey(false);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return;
  if (std::filesystem::is_directory(file, ec)) Raise(SystemErrorText(EISDIR));
  const std::string text = Cp1251ToUtf8(ReadWholeFile(file));
  if (ini.LoadData(text.data(), text.size()) < 0)
    Raise(StrFormat("Некорректный формат файла %s", file.c_str()));
}

void SaveIni(const CSimpleIniA& ini, const std::string& file) {
  std::string text;
  if (ini.Save(text) < 0) Raise(StrFormat("Ошибка формирования файла %s", file.c_str()));
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n' && (crlf.empty() || crlf.back() != '\r')) crlf += '\r';
    crlf += c;
  }
  WriteFileAtomic(file, Utf8ToCp1251(crlf));
}

bool ReadIniBool(const CSimpleIniA& ini, const char* key, bool def) {
  const char* v = ini.GetValue(FiltersSection, key, nullptr);
  if (!v) return def;
  int64_t n = 0;
  if (TryTextToInt(Trim(v), n)) return n != 0;
  const std::string_view t = Trim(v);
  if (SameTextIgnoreCase(t, "true")) return true;
  if (SameTextIgnoreCase(t, "false")) return false;
  return def;
}

}  // namespace

bool TStatList::LoadNames(const std::string& file, bool withOptions, std::string& message) {
  message.clear();
  try {
    CSimpleIniA ini;
    LoadIni(ini, file);
    if (withOptions) {
      SetFavouritesText(ini.GetValue(FiltersSection, "Favorites", FavouritesText().c_str()));
      Ordered = ReadIniBool(ini, "Ordered", Ordered);
      ShowGroupName = ReadIniBool(ini, "ShowGroupName", ShowGroupName);
      ShowMethodFlags = ReadIniBool(ini, "ShowMethodFlags", ShowMethodFlags);
    }
    const std::string section = "STRINGS_" + Language;
    for (auto& m : items_)
      m->CustomName = std::string(Trim(ini.GetValue(section.c_str(), m->IdentOf().c_str(), "")));
    return true;
  } catch (const std::exception& e) {
    message = StrFormat("Ошибка загрузки списка фильтров!\r\r%s", e.what());
    return false;
  }
}

bool TStatList::SaveNames(const std::string& file, bool withOptions, bool allNames,
                          std::string& message) {
  message.clear();
  try {
    CSimpleIniA ini;
    LoadIni(ini, file);
    if (withOptions) {
      ini.SetValue(FiltersSection, "Favorites", FavouritesText().c_str());
      ini.SetValue(FiltersSection, "Ordered", Ordered ? "1" : "0");
      ini.SetValue(FiltersSection, "ShowGroupName", ShowGroupName ? "1" : "0");
      ini.SetValue(FiltersSection, "ShowMethodFlags", ShowMethodFlags ? "1" : "0");
    }
    const std::string section = "STRINGS_" + Language;
    ini.Delete(section.c_str(), nullptr);
    for (const auto& m : items_) {
      if (!allNames && m->CustomName.empty()) continue;
      ini.SetValue(section.c_str(), m->IdentOf().c_str(), m->Name().c_str());
    }
    SaveIni(ini, file);
    return true;
  } catch (const std::exception& e) {
    message = StrFormat("Ошибка сохранения списка фильтров!\r\r%s", e.what());
    return false;
  }
}

TMethodBoxes TStatList::BoxLines() const {
  TMethodBoxes boxes;
  for (int i = 0; i < Count(); ++i) {
    if (!IsAvailable(i) || !IsListed(i) || !IsFavourite(i)) continue;
    TMethodBoxLine line{DisplayName(i, true), i};
    if (IsGraph(i)) boxes.Graph.push_back(line);
    boxes.Stat.push_back(std::move(line));
  }
  if (Ordered) {
    auto byName = [](const TMethodBoxLine& a, const TMethodBoxLine& b) {
      return ToLowerUtf8(a.Text) < ToLowerUtf8(b.Text);
    };
    std::stable_sort(boxes.Stat.begin(), boxes.Stat.end(), byName);
    std::stable_sort(boxes.Graph.begin(), boxes.Graph.end(), byName);
  }
  return boxes;
}

TMethodBoxes TStatList::RefillBoxes(const std::string& file, std::string& message) {
  std::string saveMessage;
  SaveNames(file, true, false, saveMessage);
  Register();
  SetAllFavourite();
  LoadNames(file, true, message);
  if (message.empty()) message = saveMessage;
  return BoxLines();
}

int TStatList::FindByIdentPrefix(std::string_view text) const {
  const std::string upper = ToUpperUtf8(text);
  for (int i = 0; i < Count(); ++i) {
    const std::string ident = ToUpperUtf8(Items(i).IdentOf());
    if (upper.compare(0, ident.size(), ident) == 0) return i;
  }
  return -1;
}

int TStatList::FindByIdent(std::string_view ident) const {
  for (int i = 0; i < Count(); ++i)
    if (SameTextIgnoreCase(Items(i).IdentOf(), ident)) return i;
  return -1;
}

}  // namespace kvarn
