// The regulars of the tab "Регуляры" and their file Kvarn_5x36.ltb: 276-byte records back to
// back, rewritten whole through a temporary file and a rename after every change.
//
// Load and Save raise EKvarnError with the whole text the person sees; the list in memory stays.
#pragma once

#include <string>

#include "stakes/regular.h"

namespace kvarn {

constexpr const char* RegularsFileName = "Kvarn_5x36.ltb";
constexpr const char* RegularsBackupFileName = "Kvarn_5x36.ltb.bak";

// The records of a file's bytes; a torn last record raises after the whole ones were appended.
void RegularsFromBytes(std::string_view data, TRegularsArray& out);
std::string RegularsToBytes(const TRegularsArray& items);

class TRegularsStore {
 public:
  explicit TRegularsStore(const std::string& dataDir);

  const std::string& Path() const { return path_; }
  std::string BackupPath() const;
  TRegularsArray& Items() { return items_; }
  const TRegularsArray& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }

  // Reads the file; a missing file is an empty list. A file that cannot be read leaves the list as
  // it was; one cut short inside its last record keeps the whole records before it. Either way the
  // file is not overwritten by the next Save before it has been kept as Kvarn_5x36.ltb.bak.
  void Load();
  void Save();
  // Frees the list (the tab was hidden).
  void Clear() { items_.clear(); }
  // Removes the record at `index`; an index outside the list raises the user's message.
  void Delete(int index);

 private:
  std::string dir_;
  std::string path_;
  TRegularsArray items_;
  bool keepUnread_ = false;  // the file on disk holds what the last Load could not read
};

}  // namespace kvarn
