#include "stats/favourites.h"

#include <algorithm>

#include "core/text.h"

namespace kvarn {

namespace {

// The name kept for an entry: none when the text is its default caption.
std::string OwnName(const TStatMethod& m, const std::string& text) {
  return SameTextIgnoreCase(text, m.CaptionOf()) ? std::string() : text;
}

int EntryByIdent(const TStatList& list, std::string_view ident) {
  const int i = list.FindByIdent(Trim(ident));
  if (i < 0)
    Raise(StrFormat("Метод расчета статистики \"%.*s\" не найден!", static_cast<int>(ident.size()),
                    ident.data()));
  return i;
}

// The names of every entry, to be put back after a file operation that goes through them.
class TSavedNames {
 public:
  explicit TSavedNames(TStatList& list) : list_(list) {
    for (int i = 0; i < list.Count(); ++i) names_.push_back(list.Items(i).CustomName);
  }
  ~TSavedNames() {
    for (int i = 0; i < list_.Count() && static_cast<size_t>(i) < names_.size(); ++i)
      list_.Items(i).CustomName = names_[static_cast<size_t>(i)];
  }
  TSavedNames(const TSavedNames&) = delete;
  TSavedNames& operator=(const TSavedNames&) = delete;

 private:
  TStatList& list_;
  std::vector<std::string> names_;
};

}  // namespace

std::string CleanMethodName(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return std::string(Trim(out));
}

TFavouritesTree::TFavouritesTree(TStatList& list)
    : Ordered(list.Ordered),
      ShowGroupName(list.ShowGroupName),
      ShowMethodFlags(list.ShowMethodFlags),
      list_(list) {
  // Headings in the order their groups first occur; entries in registry order below them.
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.IsAvailable(i)) continue;
    const TStatMethod& m = list.Items(i);
    const int group = m.StatClass->Group();
    auto it = std::find_if(groups_.begin(), groups_.end(),
                           [&](const TFavouritesGroup& g) { return g.Group == group; });
    if (it == groups_.end()) {
      groups_.push_back({group, StatGroupHeading(group), {}});
      it = groups_.end() - 1;
    }
    it->Entries.push_back({i, m.Name(), list.IsFavourite(i)});
  }
}

std::string TFavouritesTree::CountText() const {
  return StrFormat("всего %d методов", list_.Count());
}

TFavouritesEntry* TFavouritesTree::Find(TFavouritesPos pos) {
  if (!pos.IsEntry() || static_cast<size_t>(pos.Group) >= groups_.size()) return nullptr;
  auto& entries = groups_[static_cast<size_t>(pos.Group)].Entries;
  if (static_cast<size_t>(pos.Entry) >= entries.size()) return nullptr;
  return &entries[static_cast<size_t>(pos.Entry)];
}

const TFavouritesEntry& TFavouritesTree::EntryAt(TFavouritesPos pos) const {
  const TFavouritesEntry* e = const_cast<TFavouritesTree*>(this)->Find(pos);
  if (!e) Raise("Не выбран метод расчета статистики!");
  return *e;
}

int TFavouritesTree::RegistryEntry(TFavouritesPos pos) const {
  const TFavouritesEntry* e = const_cast<TFavouritesTree*>(this)->Find(pos);
  return e ? e->Entry : -1;
}

int TFavouritesTree::Icon(TFavouritesPos pos) const {
  if (!pos.IsEntry()) return fiHeading;
  return EntryAt(pos).Ticked ? fiTicked : fiUnticked;
}

void TFavouritesTree::SetAll(bool ticked) {
  for (auto& g : groups_)
    for (auto& e : g.Entries) e.Ticked = ticked;
}

void TFavouritesTree::SetGroup(TFavouritesPos pos, bool ticked) {
  if (!pos.Valid() || static_cast<size_t>(pos.Group) >= groups_.size()) return;
  for (auto& e : groups_[static_cast<size_t>(pos.Group)].Entries) e.Ticked = ticked;
}

void TFavouritesTree::Toggle(TFavouritesPos pos) {
  if (TFavouritesEntry* e = Find(pos)) e->Ticked = !e->Ticked;
}

void TFavouritesTree::Rename(TFavouritesPos pos, std::string_view text) {
  TFavouritesEntry* e = Find(pos);
  if (!e) return;
  const std::string name = CleanMethodName(text);
  e->Text = name.empty() ? list_.Items(e->Entry).CaptionOf() : name;
}

void TFavouritesTree::ResetName(TFavouritesPos pos) {
  if (TFavouritesEntry* e = Find(pos)) e->Text = list_.Items(e->Entry).CaptionOf();
}

bool TFavouritesTree::ImportNames(const std::string& file, std::string& message) {
  TSavedNames saved(list_);
  if (!list_.LoadNames(file, false, message)) return false;
  for (auto& g : groups_)
    for (auto& e : g.Entries) e.Text = list_.Items(e.Entry).Name();
  return true;
}

bool TFavouritesTree::ExportNames(const std::string& file, std::string& message) {
  TSavedNames saved(list_);
  for (const auto& g : groups_)
    for (const auto& e : g.Entries) list_.Items(e.Entry).CustomName = e.Text;
  return list_.SaveNames(file, false, true, message);
}

void TFavouritesTree::Apply() {
  for (const auto& g : groups_)
    for (const auto& e : g.Entries) {
      TStatMethod& m = list_.Items(e.Entry);
      m.Favourite = e.Ticked;
      m.CustomName = OwnName(m, e.Text);
    }
  list_.NormaliseFavourites();
  list_.Ordered = Ordered;
  list_.ShowGroupName = ShowGroupName;
  list_.ShowMethodFlags = ShowMethodFlags;
}

void SetFavourites(TStatList& list, const std::vector<std::string>& idents, bool on) {
  std::vector<int> entries;
  for (const auto& ident : idents) entries.push_back(EntryByIdent(list, ident));
  // Under "all favourite" every entry counts as ticked.
  if (list.AllFavourite)
    for (int i = 0; i < list.Count(); ++i) list.Items(i).Favourite = true;
  for (int i : entries) list.Items(i).Favourite = on;
  list.NormaliseFavourites();
}

void RenameMethod(TStatList& list, std::string_view ident, std::string_view name) {
  TStatMethod& m = list.Items(EntryByIdent(list, ident));
  m.CustomName = OwnName(m, CleanMethodName(name));
}

}  // namespace kvarn
