// TWorkspace: the headless half of the main window. It owns the state the window shows (archive,
// settings, combination list, registry, ...) and implements the window's operations under their
// own names. It talks to the person only through IHost.
//
// Each subsystem keeps its operations in its own source file (workspace_draws.cpp,
// workspace_combs.cpp, ...); this header gathers the state and the declarations.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/host.h"
#include "combs/combs.h"
#include "core/lottery.h"

namespace kvarn {

class TWorkspace {
 public:
  TWorkspace(IHost& host, std::string dataDir);
  ~TWorkspace();
  TWorkspace(const TWorkspace&) = delete;
  TWorkspace& operator=(const TWorkspace&) = delete;

  IHost& Host() { return host_; }
  const std::string& DataDir() const { return dataDir_; }
  std::string DataPath(const std::string& fileName) const;

  // Start-up without a window (kvarn-cli, tests): settings read, draws loaded.
  void OpenHeadless();

  // ---- combination list (workspace_combs.cpp) ----
  TCombList& Combs() { return combs_; }
  const TCombList& Combs() const { return combs_; }
  const TCombList& CombsUndoList() const { return combsUndo_; }
  const TCombBuffer& CombsBuffer() const { return combsBuffer_; }
  TAppliedFilters& AppliedFilters() { return appliedFilters_; }
  const TAppliedFilters& AppliedFilters() const { return appliedFilters_; }
  // Called by CombsRefreshList so that the window's list view takes the new row count.
  std::function<void()> OnCombsChanged;
  // Start-up: room for the full set in the list, the snapshot and the buffer.
  void CombsReserve();
  // Builds the list; interactive also shows its progress, clears the applied filters and
  // empties the snapshot and the buffer. Errors are shown; the list keeps what was appended.
  void CombsGenerate(int mode, const std::string& parameters, bool interactive);
  // With the stored generation parameters.
  void CombsGenerateStored(bool interactive);
  bool CombsLoadFile(const std::string& path);
  bool CombsSaveFile(const std::string& path);
  void CombsSnapshot(bool message);
  void CombsRestore(bool message);
  void CombsRefreshList();
  void CombsBufferSave(int key1, int key2);
  bool CombsBufferRestore(int key1, int key2);
  void CombsBufferReset();
  void CombsRemoveDraws(int n);
  // Commands of the combinations tab; rows are list indexes.
  bool CombsOpen(const std::string& path);
  bool CombsSave(const std::string& path);
  std::string CombsCopyText(const std::vector<int>& rows);
  bool CombsPaste(const std::string& text);
  void CombsDelSelected(const std::vector<int>& rows);
  void CombsDelExists(int n);
  bool CombsUndo();
  std::vector<std::string> CombsFindInDraws(int row);
  int CombsCheckNums();
  std::string CombsCellText(int row, int col) const;
  uint32_t CombsCellColour(int row, int col) const;

 private:
  TCombList combs_;
  TCombList combsUndo_;
  TCombBuffer combsBuffer_;
  TAppliedFilters appliedFilters_;

  IHost& host_;
  std::string dataDir_;
};

}  // namespace kvarn
