// TWorkspace: the headless half of the main window. It owns the state the window shows and
// implements the window's operations under their own names; it talks to the person only through
// IHost. Nothing here is process-wide: two workspaces in one process share no state.
//
// The workspace is a directory of subsystems. Each keeps its state in its own object and header
// (draws_state.h, combs_state.h, stats_state.h, download_state.h, ...) and its operations in its
// own source file (workspace_draws.cpp, workspace_combs.cpp, ...); this header gathers the
// declarations, one section per subsystem, each naming its file. A new subsystem adds a state
// header, a member below, a section here and its workspace_<subsystem>.cpp.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/combs_state.h"
#include "app/config_input.h"
#include "app/download_state.h"
#include "app/draws_state.h"
#include "app/filter_test_state.h"
#include "app/host.h"
#include "app/rating_state.h"
#include "app/regulars_state.h"
#include "app/scenario_state.h"
#include "app/stakes_state.h"
#include "app/stats_state.h"
#include "app/systems_state.h"
#include "app/views_state.h"
#include "core/config.h"
#include "core/dates.h"
#include "core/dirlock.h"
#include "core/draws.h"
#include "core/random.h"
#include "core/sheet.h"
#include "scenario/script_list.h"
#include "stakes/rating_stakes.h"
#include "stakes/rating_text.h"
#include "stakes/regular_input.h"
#include "stakes/stake.h"
#include "stakes/stakes_graph.h"
#include "stakes/system_play.h"
#include "stats/filter_test.h"
#include "stats/prefetch.h"
#include "stats/registry.h"
#include "stats/table.h"
#include "stats/value_search.h"
#include "views/sums.h"

namespace kvarn {

// The warning of a load that found records which are no draws (which ones, up to twenty).
std::string SetAsideMessage(const TSetAsideRecords& aside);

class TWorkspace {
 public:
  // Seeds the random generator; the lists start empty.
  TWorkspace(IHost& host, std::string dataDir);
  ~TWorkspace();
  TWorkspace(const TWorkspace&) = delete;
  TWorkspace& operator=(const TWorkspace&) = delete;

  IHost& Host() { return host_; }
  const std::string& DataDir() const { return dataDir_; }
  std::string DataPath(const std::string& fileName) const;
  // The workspace's own random sequence (random stakes, tests that seed it).
  TRandom& Random() { return random_; }
  // The date form the shell chose for the person's locale (the fixed form when none).
  TDateFormat& DateFormat() { return dateFormat_; }
  const TDateFormat& DateFormat() const { return dateFormat_; }

  // Start-up without a window (kvarn-cli, tests): settings read, draws and rating loaded.
  void OpenHeadless();

  // ---- the data directory's lock (workspace.cpp) ----
  // Takes the lock for the workspace's life: the window at start-up, kvarn-cli before it reads
  // the data a command is going to change, so that no other writer changes them in between.
  // Raises EDataDirBusy naming the holder, or EKvarnError when the lock file cannot be used.
  void LockDataDir(TLockOwner owner);
  bool DataDirLocked() const { return dirLock_.Held(); }
  // Who takes the lock for single writes, and how long they wait for another writer.
  void SetLockOwner(TLockOwner owner) { lockOwner_ = owner; }
  void SetLockWaitMs(int ms) { lockWaitMs_ = ms; }
  // Every write of a data file holds the lock (stakes, rating, regulars and scenario files too):
  // nothing to do when the workspace holds it for its life, otherwise `lock` takes it now for as
  // long as it lives. LockForWrite waits and raises as LockDataDir does; TryLockForWrite gives
  // false at once when another process holds it (for files that may as well not be written).
  void LockForWrite(TDataDirLock& lock);
  bool TryLockForWrite(TDataDirLock& lock);

  // ---- settings (workspace_config.cpp) ----
  // Start-up order: window state, configuration, proxy and web archive. Errors are shown and
  // the values read so far stay. Nothing is written.
  void SettingsLoad();
  // The first-start rule of PrefetchsInit: the window writes the comparison switch once, after
  // it took the data directory.
  void SettingsFirstStart();
  TConfigFile& Settings() { return settings_; }
  const TConfigFile& Settings() const { return settings_; }
  TConfigData& Config() { return settings_.Data; }
  const TConfigData& Config() const { return settings_.Data; }
  TWindowState& WindowState() { return windowState_; }
  const TWindowState& WindowState() const { return windowState_; }
  bool ConfigLoad();
  // Each writer updates only its own keys; errors are shown and give false.
  bool ConfigSaveData();
  bool ConfigSaveShredding();
  bool ConfigSaveGenerate();
  bool ConfigSaveProxy();
  // The settings dialog's result: writes the configuration, brings the registry's settings and
  // method names up to date, rebuilds (or drops) the full-set files of the groups whose geometry
  // changed and refreshes the views; returns what changed.
  TConfigChanges ConfigApply(const TConfigData& data);
  // Settings for this run only (kvarn-cli): nothing is written. The methods are registered again
  // so that parameter ranges follow the values, and the full-set comparison of the groups whose
  // geometry changed is computed in memory, since the stored files belong to the saved settings.
  void ConfigOverride(const TConfigOverride& values);
  // One key of the window-state section, written at once; errors are shown and give false.
  bool WindowStateWriteBool(const std::string& key, bool value);
  bool WindowStateWriteInt(const std::string& key, int value);
  bool WindowStateWriteString(const std::string& key, const std::string& value);
  int WindowStateReadInt(const std::string& key, int def);
  std::string WindowStateReadString(const std::string& key, const std::string& def);
  // Sizes, the switches and the list layouts when the window closes.
  bool WindowStateSaveAll();
  // Keys of another window's own section (read when it opens, written when it closes); errors
  // are shown, reading then gives `def` and writing false.
  std::string WindowSectionReadString(const std::string& section, const std::string& key,
                                      const std::string& def);
  bool WindowSectionWrite(const std::string& section,
                          const std::vector<std::pair<std::string, std::string>>& values);

  // ---- shredding formulas (workspace_shredding.cpp) ----
  // The formulas dialog's OK: the three formulas and their digit counts go to the settings and
  // the registry, the SHREDDING section is written, the full-set files of the shredding group
  // are rebuilt and the method boxes refilled keeping their selection. False when the
  // configuration could not be written (shown); the new formulas are in use anyway.
  bool ShreddingApply(const TShreddingConfig& shredding);

  // ---- draw archive (workspace_draws.cpp) ----
  const TDrawsArray& Draws() const { return draws_.Draws; }
  // For importers and the download: change, then DrawsSave.
  TDrawsArray& MutableDraws() { return draws_.Draws; }
  int DrawsCount() const { return draws_.Count(); }
  int DrawsOffset() const { return draws_.Offset; }
  // Stores k when it differs, refreshes the list and the status panels and the dependent views.
  void SetDrawsOffset(int k);
  // Loads Kvarn_5x36.ldr; a missing file changes nothing. Errors are shown; the draws read
  // before stay, and the next save asks before it replaces the file. Records that are no draws
  // are named in a warning, kept aside and written back in their places.
  void DrawsLoad();
  // Rewrites the draws file; errors are shown and give false (the archive keeps the change).
  // Records that did not change are written back byte for byte.
  bool DrawsSave();
  const TSetAsideRecords& DrawsSetAside() const { return draws_.SetAside; }
  void DrawsDelete(int index);
  void DrawsClear();
  int DrawsNextNumber(int offset) const;
  int DrawsFindNumber(int number) const;
  std::string DrawsOffsetResult(int offset) const;
  TNumberBits DrawsOffsetNumbers(int offset) const;
  // Row count of the list, the three status panels and the offset maximum.
  void DrawsRefreshList(bool force);
  int DrawsListRows() const { return draws_.ListRows; }
  int DrawsOffsetMax() const { return DrawsCount() - 1; }
  // "Архив тиражей: %d", "Следующий тираж: %d" and the result of the offset.
  std::vector<std::string> DrawsStatusTexts() const;
  // Appends a draw (no check for an existing number), saves and refreshes; false when saving
  // failed (the archive keeps the draw).
  bool DrawsAdd(const TDraw& d);
  // Replaces the entry at `index` (the number may change; nothing is re-sorted), saves, refreshes.
  bool DrawsReplace(int index, const TDraw& d);
  // Deletes the draws of the given list rows by their numbers, walking from the last row up;
  // asks first. False when the person said No.
  bool DrawsDeleteRows(const std::vector<int>& rows);
  // Toggles SortedDraws and writes it at once.
  void DrawsSetSorted(bool sorted);
  // The draws list: row 0 is the newest draw.
  TDrawRow DrawsRow(int row) const;
  TDrawRow DrawsRow(int row, bool sorted) const;
  // The window's list takes a new row count (reset) or repaints.
  std::function<void(bool reset)> OnDrawsListChanged;
  // The views that depend on the archive and the offset refresh themselves.
  std::function<void()> OnViewsRefresh;

  // ---- stakes (workspace_stakes.cpp) ----
  // Start-up: opens Kvarn_5x36.lsk with the exclusive lock that keeps a second instance out of
  // the data directory, then tests it (a file it cannot accept is mended, its stakes saved to
  // the backup, with a warning). False when the file cannot be opened: the read error and the
  // exclusive-access message are shown, and the window ends.
  bool StakesOpen();
  // The window's start-up: the data directory's lock for the window's life (kvarn-cli then
  // changes nothing in it), then StakesOpen. False, with the holder and the exclusive-access
  // message shown, when another window or writer holds the directory; the window then ends.
  bool OpenDataDirExclusive();
  // Shutdown; a failure is shown.
  void StakesClose();
  bool StakesFileOpen() const { return stakes_.File.IsOpen(); }
  TStakesFile& StakesFile() { return stakes_.File; }
  int StakesCount() const { return static_cast<int>(stakes_.File.Count()); }
  // A record by index; a failure is shown and gives a zero-filled record.
  TStake StakesReadRecord(int64_t index, TStakeOrigin origin);
  // The grid's read of record `row`, through the cache; false (nothing shown) when it fails.
  bool StakesReadRow(int row, TStake& out);
  // Failures are shown and give false.
  bool StakesAppend(const TStake& s, int draws);
  bool StakesAppendSeparator();
  bool StakesFind(int32_t drawNumber, const TNumberSet& numbers);
  TStakesSeek StakesSeekLastDraws(int n);
  // Checks every waiting stake whose draw is in the archive, with its progress in the message
  // panel, hands each to the rating and, when StakesLogEnabled, to the logs. Returns how many
  // were checked; a failure is shown (the stakes written before stay checked).
  int StakesCheck();
  // The check; when it checked any, the file is flushed and the rating sorted and saved. Returns
  // how many were checked.
  int StakesCheckAndRefresh();
  // The grid takes the file's record count (with refresh or scroll), scrolls to the end (with
  // scroll) and repaints (with refresh); "Ставок: %d" shows the count.
  void StakesRefreshGrid(bool refresh, bool scroll);
  std::function<void(bool rowsChanged, bool scroll)> OnStakesGridChanged;
  // The record "Сделать ставку" opens its dialog with: a manual stake for the next draw, the list's
  // count as sample, the combination of list row `combRow` (none when -1).
  TStake StakePrepare(int combRow);
  // A uniformly chosen row of the combination list; -1 when it is empty.
  int StakeRandomRow();
  // The stake dialog's OK: appended for `draws` draws, then checked; the grid scrolls to it.
  bool StakeAdd(const TStake& s, int draws);
  // "Сделать ставки для выделенных / всех комбинаций": a manual stake for each given list row (all
  // rows when `rows` is null), in list order, with progress. Returns the stakes appended; stops
  // at the first failure (shown).
  size_t StakesAddCombs(const std::vector<int>* rows, int drawNumber, int draws,
                        const std::string& comment);
  // Deletes the records first..last (0-based), asking first when `ask`; returns the records
  // dropped (0 after No or a failure, which is shown).
  int64_t StakesDeleteRows(int64_t first, int64_t last, bool ask);
  // "Удалить по условию": drops the stakes whose match count satisfies the condition.
  int64_t StakesDeleteByCondition(int condition, int value);
  // "Удалить все ставки" (asking first when `ask`); the rating is then rebuilt through its hook.
  bool StakeClear(bool ask);
  // "Удалить журналы ставок".
  void LogStakesDelete();
  // "Суммарный профит по тиражам": the series of the chart; none (after the message) when the
  // file holds no draws.
  std::vector<TGraphSeries> StakesGraphDraws();
  // The rating's part (the rating subsystem sets these): each newly checked stake, the end of a
  // check run that checked any, and the rebuild after every stake was deleted.
  std::function<void(const TStake&)> OnStakeChecked;
  std::function<void()> OnStakesChecked;
  std::function<void()> OnStakesCleared;

  // ---- draws download, import and export (workspace_download.cpp) ----
  // The loop of the download: blocks of 50 draws after the last one, each saved at once, until a
  // block brings fewer; after a failure the person is asked whether to retry. Returns the draws
  // added.
  int DrawsDownloadAll();
  // Appends first..last from the archive that holds them (split at the change of the game);
  // returns the number appended. Does not save.
  int DrawsDownloadRange(int first, int last);
  // The command: busy state and wait text around DrawsDownloadAll, then the stakes check (also
  // after a failure). A missing web archive address is reported as an error.
  int DrawsDownload();
  // The start-up choice DownloadDrawsOnStart: 0 ask, 1 download at once, 2 nothing.
  void DrawsDownloadOnStart();
  // AutoDownload0..2: stores the choice in the window state at once.
  bool SetDownloadOnStart(int choice);
  // What the wait window shows: the plain text, or with the attempt and the proxy in use.
  std::string DownloadWaitText() const;
  // Called with the wait text when the download starts and whenever it changes, and with an
  // empty text when the download is over (the wait window closes).
  std::function<void(const std::string& text)> OnDownloadWaitText;
  // Time-outs of the requests (5000 and 10000 ms unless changed).
  void SetDownloadTimeouts(int connectMs, int readMs);
  // True when the last download ended on a failure the person did not retry.
  bool DownloadFailed() const { return download_.failed; }
  // The proxy dialog's OK: keeps the values by its rule and writes the PROXY section.
  bool ProxySettingsApply(const TProxyConfig& proxy);
  // Appends the draws of a CSV file (system code page) and saves; returns the number added.
  int DrawsImport(const std::string& path);
  // Writes the archive as CSV; returns the number of draws written.
  int DrawsExport(const std::string& path);

  // ---- combination list (workspace_combs.cpp) ----
  TCombList& Combs() { return combs_.List; }
  const TCombList& Combs() const { return combs_.List; }
  const TCombList& CombsUndoList() const { return combs_.Undo; }
  const TCombBuffer& CombsBuffer() const { return combs_.Buffer; }
  TAppliedFilters& AppliedFilters() { return combs_.Filters; }
  const TAppliedFilters& AppliedFilters() const { return combs_.Filters; }
  // Called by CombsRefreshList so that the window's list view takes the new row count.
  std::function<void()> OnCombsChanged;
  // Start-up: room for the full set in the list, the snapshot and the buffer.
  void CombsReserve();
  // Start-up after the draws are loaded: the list generated with the stored parameters.
  void CombsStartup();
  // Builds the list; interactive also shows its progress, clears the applied filters and
  // empties the snapshot and the buffer. Errors are shown; the list keeps what was appended.
  void CombsGenerate(int mode, const std::string& parameters, bool interactive);
  // With the stored generation parameters.
  void CombsGenerateStored(bool interactive);
  bool CombsLoadFile(const std::string& path);
  bool CombsSaveFile(const std::string& path);
  void CombsSnapshot(bool message);
  // Empties the undo snapshot (nothing to undo).
  void CombsSnapshotReset() { combs_.Undo.Clear(); }
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

  // ---- filtering by statistic values (workspace_filter.cpp) ----
  // Rebuilds the list from the snapshot the caller has just taken, keeping the combinations
  // whose CombMatches agrees with the direction, and adds the applied-filters line. False when
  // nothing is selected (the list is then unchanged).
  bool FilterCombs(TCustomStat& stat, const TStatDrawArray& selected, const std::string& caption,
                   bool exclude);
  // "Оставить выделенные" / "Удалить выделенные": the rows are display rows of the statistics
  // table; snapshot with message, then the filter with the selected method.
  bool StatFilter(const std::vector<int>& rows, bool exclude);
  // The same step without a window: the table of the entry over Len draws before the analysis
  // point, the rows whose value text is one of `values` (each must be there, or it raises
  // "Значение "%s" отсутствует в таблице статистики!"), a snapshot and the filter.
  bool StatFilterByValues(int entry, int len, const std::vector<std::string>& values, bool exclude);
  // The card, layout and week views: the distinct numbers of the selection filter with the
  // numbers method; none raises "В выделенном диапазоне нет значений для фильтра!".
  void FilterCombsByNumbers(const std::vector<int>& numbers, const std::string& caption,
                            bool exclude);
  // The applied-filters line of a scenario rollback.
  void AppliedFiltersAddRollback();

  // ---- filters tested on history (workspace_filter_test.cpp) ----
  // The value texts of display rows of the statistics table, in row order.
  std::vector<std::string> StatRowTexts(const std::vector<int>& rows) const;
  // "Проверить фильтр на истории": the selection of `texts` of a registry entry with the
  // direction, tested on the newest `draws` draws up to the analysis point. Before each draw the
  // entry's table over `len` draws picks the rows with those texts and the filter runs over the
  // full list; the draw survives or not. Busy, with progress; FilterTestStop ends the run early
  // (the result then holds the draws done).
  TFilterTestResult FilterTest(int entry, const std::vector<std::string>& texts, bool exclude,
                               int len, int draws);
  // "Подбор значений": the values to keep chosen on the older half of those draws under the
  // budget (the most combinations kept on average) and tested on both halves.
  TValueSearchResult ValueSearch(int entry, int len, int draws, int64_t budget);
  bool FilterTestRunning() const { return filterTest_.Running; }
  void FilterTestStop() { filterTest_.StopRequested = true; }
  // Steps of a run: draws done, draws in all (the window's progress box).
  std::function<void(int done, int total)> OnFilterTestProgress;

  // ---- full-set comparison files (workspace_prefetch.cpp) ----
  // The comparison file of a registry entry: read, or built when missing or empty. Nothing
  // when the comparison is off, the method cannot have one, or the file failed (shown).
  std::unique_ptr<TPrefetchData> OpenPrefetch(int entry);
  // Builds (or rebuilds) the file; a failure deletes it, is shown and gives nothing.
  std::unique_ptr<TPrefetchData> BuildPrefetch(int entry);
  // The comparison computed for the settings in use, without touching the stored file.
  std::unique_ptr<TPrefetchData> FullSetInMemory(int entry);
  std::string PrefetchPathOf(int entry);
  // Builds the missing and the damaged files and rebuilds the existing ones whose group bit is
  // in groupMask; runs only when forced or the comparison is on. A failed rebuild keeps the old
  // file, unless `staleGroups` says the files of groupMask belong to settings no longer in use.
  // Returns the number of files built.
  int RefreshPrefetchFiles(bool force, unsigned groupMask, bool staleGroups = false);
  static constexpr unsigned AllGroupsMask = (1u << StatGroupCount) - 1;
  // Deletes the files of the groups in groupMask (they are built afresh on use).
  void DropPrefetchFiles(unsigned groupMask);
  // Steps of RefreshPrefetchFiles: entries done, entries in all, the file being built.
  std::function<void(int done, int total, const std::string& file)> OnPrefetchProgress;
  // The start-up maintenance switches: "fullrecreate" rebuilds every file, "fullrefresh"
  // builds the missing ones even with the comparison off; the program ends after either.
  int PrefetchMaintenance(bool recreate);
  // The start-up step: "fullrecreate" rebuilds every file; otherwise the missing ones are built,
  // with "fullrefresh" even when the comparison is off. True when the program ends after it.
  bool PrefetchStartup(bool fullRecreate, bool fullRefresh);

  // ---- statistics tab (workspace_stats.cpp) ----
  // The registry, registered and with the method list file read on first use.
  TStatList& StatList();
  std::string MethodListPath() const;
  // The registry entry of a method identifier (case ignored); raises "Метод расчета статистики
  // "%s" не найден!" when there is none.
  int StatEntryOf(const std::string& ident);
  // Copies the weight coefficients and the shredding formulas of the settings into the registry
  // (after the settings are read or edited).
  void StatSyncSettings();
  // The lines of the statistics box and of the graph box.
  const TMethodBoxes& MethodBoxes();
  // Saves the names, re-registers, reads them back and refills both boxes; a kept selection
  // stays when still valid, otherwise the first line is selected.
  void MethodBoxesRefill(bool keepSelection);
  int StatSelected() const { return stats_.Selected; }
  int GraphSelected() const { return stats_.GraphSelected; }
  void SetStatSelected(int line);
  void SetGraphSelected(int line);
  // Registry entry of the selected line of the statistics box, -1 when none.
  int StatSelectedEntry();
  // The instance for the selected line of the statistics (or graph) box; raises when none.
  std::unique_ptr<TCustomStat> CreateSelected(bool graphBox);
  int StatLen() const { return stats_.Len; }
  void SetStatLen(int len) { stats_.Len = len; }
  // Fills the table; without force nothing happens while the archive length, the analysis
  // point, Len and the selected line are unchanged. True when the table was recomputed. A
  // failure is shown, or raised when `raise` is set (a scenario step stops on it).
  bool ComputeStatistics(bool force, bool raise = false);
  TStatTable& StatTable() { return stats_.Table; }
  // The table of any registry entry over the given window, with the settings in use.
  void ComputeStatTableFor(int entry, int offset, int len, bool sorted, TStatTable& table);
  // The full-set comparison of a registry entry, when available (the prefetch files).
  std::function<std::unique_ptr<TPrefetchData>(int entry)> StatFullSetSource;

  // ---- favourite methods (workspace_favourites.cpp) ----
  // After the manager's OK (its edits are in the registry): the state goes to the method list
  // file and both boxes are refilled with the first line selected.
  void FavouritesApplied();
  // The same edits without the dialog; each is saved to the method list file and refills the
  // boxes. Unknown identifiers raise before anything changes.
  void FavouritesSet(const std::vector<std::string>& idents, bool on);
  void FavouritesRename(const std::string& ident, const std::string& name);
  // The user-given names of a name file (its STRINGS section of this language); an entry without
  // a name there gets its default caption back. False, with the message shown, on failure.
  bool FavouritesImport(const std::string& file);
  // Every entry's name (its own or the default caption) into a name file, without options.
  bool FavouritesExport(const std::string& file);

  // ---- spreadsheet export (workspace_export.cpp) ----
  // Writes the sheet as an .xlsx file in the busy state, with the progress in the status bar;
  // progress may also stop it. False when stopped or failed (the failure is shown as
  // "Ошибка экспорта в файл!\r\r%s"); nothing is written then.
  bool SheetExport(const TSheet& sheet, const std::string& file,
                   const TSheetProgress& progress = {});
  // The lists as the window shows them.
  bool DrawsXlsExport(const std::string& file, const TSheetProgress& progress = {});
  bool CombsXlsExport(const std::string& file, const TSheetProgress& progress = {});
  // The current statistics table in its display order.
  bool StatXlsExport(const std::string& file, const TSheetProgress& progress = {});
  // The stakes file in the grid's order; the file must be open.
  bool StakesXlsExport(const std::string& file, const TSheetProgress& progress = {});
  // The rating list in its order and efficiency mode.
  bool RatingsXlsExport(const std::string& file, const TSheetProgress& progress = {});
  // The draws card with its colour switches; every draw, whatever the analysis point.
  bool CardXlsExport(const std::string& file, const TSheetProgress& progress = {});
  // The layout scheme as last built (LayoutCalc), coloured as the tab paints it.
  bool LayoutXlsExport(const std::string& file, const TSheetProgress& progress = {});

  // ---- scenario (workspace_scenario.cpp) ----
  // Every change is written to Kvarn_5x36.lss at once (a failure is shown; the change stays) and
  // then reported through OnScriptChanged. Indexes are 0-based; messages show them 1-based.
  const TScriptLines& Script() const { return scenario_.Lines; }
  int ScriptCount() const { return static_cast<int>(scenario_.Lines.size()); }
  // A forecast or test is running: the scenario cannot be edited.
  bool ScriptRunning() const { return scenario_.Running; }
  void SetScriptRunning(bool running) { scenario_.Running = running; }
  // Start-up: the current scenario from Kvarn_5x36.lss when the file exists; errors are shown
  // and give false (the scenario is then empty: a change would overwrite the unread file).
  bool ScriptStartup();
  // "Строк: %d"
  std::string ScriptCountText() const;
  // The list's cells of a line.
  TScriptListRow ScriptRow(int index);
  // The line at an index; raises "Запись со индексом %d в файле данных не найдена!".
  std::string ScriptLineAt(int index) const;
  // The file's lines replace the scenario; errors are shown and give false, the lines stay.
  bool ScriptOpen(const std::string& path);
  // Writes a copy; which file is kept current does not change.
  bool ScriptSave(const std::string& path);
  // The file's lines after the scenario's, with one separator line between.
  bool ScriptAppendFile(const std::string& path);
  // Appends a line (an empty one is a separator); returns its index.
  int ScriptAdd(const std::string& line);
  // Replaces a line; an index outside the scenario is shown as the not-found error.
  bool ScriptReplace(int index, const std::string& line);
  // Deletes the lines after the question; false when the person said No.
  bool ScriptDeleteRows(const std::vector<int>& rows);
  bool ScriptClear();
  // Swaps the line with its neighbour (delta -1 or +1); returns the line's new index, or -1
  // when there is no neighbour.
  int ScriptMove(int index, int delta);
  // Rating rows back into scenario lines, in the order given: each caption that holds a filter
  // becomes a line, each other one is shown as refused. Returns the number of lines added.
  int ScriptAddFromRatings(const std::vector<std::string>& captions);
  std::function<void()> OnScriptChanged;
  // ---- rating (workspace_rating.cpp) ----
  const TRatingsArray& Ratings() const { return rating_.Items; }
  const TExpectedShares& RatingsShares() const { return rating_.Shares; }
  int RatingsSortColumn() const { return rating_.SortColumn; }
  bool RatingsSortDescending() const { return rating_.Descending; }
  // Start-up: the stored sort state is read; a missing Kvarn_5x36.lrt loads nothing. Otherwise
  // every record is read (a failure is shown and keeps those read before it) and sorted with the
  // stored column and direction. The file is rewritten only when the sort moved rows, and never
  // after a failed read: a file that could not be read whole is first copied to
  // Kvarn_5x36.lrt.bak, so that a later save cannot lose its unread rows.
  void RatingsLoad();
  // Rewrites the file (a failure is shown and gives false) and refreshes the list.
  bool RatingsSave();
  // Sorts by the column and direction, stores them as the list's state (written at once) and
  // saves. A column beyond the list is refused with its message.
  void RatingsSort(int column, bool descending);
  // A click on a column header: the sort column again reverses the direction; another column
  // sorts largest first, the names alphabetically.
  void RatingsClickColumn(int column);
  // The sort after a check run: the stored column and direction, then the save.
  void RatingsResort();
  // "Рейтинг: %d" and the window's list takes the new row count.
  void RatingsRefreshList();
  std::function<void()> OnRatingsListChanged;
  // The eighteen texts of a row in the current efficiency mode.
  TRatingRowTexts RatingsRow(int row) const { return RatingsRow(row, RatingsEffMode()); }
  TRatingRowTexts RatingsRow(int row, int effMode) const;
  // RatingsEffMode0..2: the mode is stored at once and the list repaints.
  int RatingsEffMode() const;
  bool SetRatingsEffMode(int mode);
  // Adds a stake that the check has just checked; the rows keep their order until RatingsResort.
  void RatingsAddStake(const TStake& stake);
  // Writes the rating as CSV (cp1251); errors are shown and give false.
  bool RatingsExport(const std::string& path);
  // The series of the match-count graph of the given rows.
  std::vector<TGraphSeries> RatingsGraphOverlap(const std::vector<int>& rows) const;
  // "Обновить рейтинг": a rating that is not empty is only rebuilt after the question (answered
  // Yes without `ask`); then every counting stake of the file is added, and the rating is sorted
  // and saved. A failure is shown and keeps the rating as it was. Returns whether it was rebuilt.
  bool RatingsRefresh(bool ask = true);
  // "Проверка на случайность" of the given rows over the file's stakes, with its progress; a
  // failure is shown and gives nothing.
  std::vector<TChanceRow> RatingsChance(const std::vector<int>& rows);
  // The stakes graphs of the given rows over the last checked draws: matches per draw or, with
  // `profits`, profit per draw. Too few draws shows its message and gives nothing.
  std::vector<TGraphSeries> RatingsStakesGraph(const std::vector<int>& rows, bool profits);
  // ---- regular stakes (workspace_regulars.cpp) ----
  const TRegularsArray& Regulars() const { return regulars_.Store.Items(); }
  int RegularsCount() const { return regulars_.Store.Count(); }
  bool RegularsShown() const { return regulars_.Shown; }
  // TabTables: hiding the tab frees the regulars, showing it reloads them from the file.
  void TabTables(bool shown);
  // While the tab is shown: "Загрузка файла регулярных ставок..." and the records of the file;
  // errors are shown, the list keeps what could be read.
  void RegularsLoad();
  // While the tab is shown: rewrites the file; errors are shown and give false.
  bool RegularsSave();
  // The selected rows of the combination list (list indexes) with their 1-based row numbers.
  std::vector<TSelectedComb> RegularsSelectedCombs(const std::vector<int>& rows) const;
  // The checks of the add dialog's OK against the regulars there are.
  TRegularsCreation RegularsCheck(const TRegularInput& input,
                                  const std::vector<TSelectedComb>& selected) const;
  // TablesAdd after an accepted dialog: "Создание регулярных ставок...", the regulars appended
  // and the file saved.
  bool TablesAdd(const TRegularsArray& created);
  // TablesDel: asks, then removes the regulars at `indexes` from the last to the first and saves.
  // False when the person said No.
  bool TablesDel(const std::vector<int>& indexes);
  // TablesStakeAdd before its dialog: a copy of the regular at `index` advanced with the current
  // offset, and the stake it makes for the next draw. False (after the message) when it cannot
  // make one.
  bool TablesStakePrepare(int index, TRegular& advanced, TStake& stake);
  // The stake dialog's OK: the advanced copy replaces the regular and is saved, then the stake is
  // appended for `draws` draws, checked and the grid scrolled to it.
  bool TablesStakeAdd(int index, const TRegular& advanced, const TStake& stake, int draws);
  // The largest count of test draws: the archive's count - 1.
  int RegularsTestMaxCount() const;
  // TablesStakeTest after the count dialog: "Создание ставок по регулярным табличным ставкам...",
  // for each of the last `count` draws, oldest first, a stake of every regular at `indexes`;
  // then the regulars are saved and the stakes checked. The first failed append ends it (shown).
  // Returns the stakes appended.
  int TablesStakeTest(const std::vector<int>& indexes, int count);
  // The list of the tab takes a new row count.
  std::function<void()> OnRegularsChanged;

  // ---- systems (workspace_systems.cpp) ----
  const std::vector<TStoredSystem>& Systems() const { return systems_.List; }
  bool SystemsShown() const { return systems_.Shown; }
  // SystemsOn: the tab and the two stake commands come and go; shown, the store is listed.
  void SystemsOn(bool shown);
  // Lists the store again.
  void SystemsLoad();
  // A new system for the properties dialog: the next free id, no lines, created now.
  tSystemData SystemsNew() const;
  // Reads a system file the person has: every line must be a system line (any separator form),
  // normalised; numbers and combinations are counted. Errors are shown and give false.
  bool SystemsImport(const std::string& path, tSystemData& data);
  // The properties dialog's OK: the system written into the store (replacing the store's system
  // for the same count) and the list refreshed. Errors are shown and give false.
  bool SystemsAdd(const tSystemData& data);
  bool SystemsChange(const tSystemData& data, const std::string& replaces);
  // SystemStakeAll / SystemStakeFilter before the stake dialog: "Подождите пожалуйста...", the
  // numbers of the combination list, the stored system for that many and the stakes' comment.
  // False (after the message) when there is no system or it cannot be read.
  bool SystemStakePrepare(TSystemPlayMode mode, TSystemFind& found, std::string& comment);
  // The dialog's OK: "Создание ставок...", a separator, the system's combinations (with Combs
  // only those in the list) staked for `draws` draws from `drawNumber`, then checked. Returns the
  // stakes appended; the first failure ends it (shown).
  size_t SystemStakePlay(TSystemPlayMode mode, const TSystemFind& found, int drawNumber, int draws,
                         const std::string& comment);
  // The list of the tab takes a new row count.
  std::function<void()> OnSystemsChanged;

  // ---- analysis views (workspace_views.cpp) ----
  const TViewsState& Views() const { return views_; }
  // The lengths of the views' windows; a value outside 1..2147483647 is ignored.
  void SetLayoutLen(int len);
  void SetLayoutCompareLen(int k, int len);  // k = 0..4
  void SetWeekLen(int len);
  void SetGraphLen(int len);
  // Each builds its view over the window at the analysis point when its inputs changed, or
  // always when forced; true when it was built. With an empty archive a view is empty.
  bool LayoutCalc(bool force);
  bool LayoutCmpCalc(bool force);
  bool WeekStatCalc(bool force);
  // The graph of the graph box's method; nothing is drawn without a method or draws.
  bool DrawsGraphDraw(bool force);
  // "Оставить выделенные" / "Удалить выделенные" of the views: the numbers of the selected
  // rectangle (grid rows and columns as the view shows them, headers at 0) keep or delete
  // combinations; a selection without numbers raises "В выделенном диапазоне нет значений для
  // фильтра!" and leaves the list as it was.
  void CardFilter(int top, int left, int bottom, int right, bool exclude);
  void LayoutFilter(int top, int left, int bottom, int right, bool exclude);
  // The week grid's columns are the numbers themselves, whatever their cells hold.
  void WeekFilter(int firstNumber, int lastNumber, bool exclude);
  // The distribution of the draws' sums against all combinations, with its status text.
  TSumsDistribution TotalSumCombs();

 private:
  // Runs a write of data files under the data directory's lock; a failure is shown after
  // `prefix` and gives false.
  bool LockedShown(const std::function<void()>& write, const std::string& prefix = {});
  bool ConfigSaveShown(const std::function<void()>& save);
  // Writes the draws file under the lock; asks first when the last load failed or another
  // program changed the file since. Raises when the file is not written.
  void DrawsWriteChecked();
  // Saves the archive after a change and refreshes the views; false when saving failed.
  bool DrawsChanged();
  bool DownloadProxyInUse() const;
  void DownloadWaitChanged();
  void DownloadChooseProxy();
  std::string DownloadGet(const std::string& path);
  // A page without its closing marker is written to a file; the line for the retry question
  // that names it (empty for other failures).
  std::string DownloadFailureNote(const std::exception& e);
  void DrawsDownloadFinished();
  // New lines of both method boxes; a kept selection stays when still valid, otherwise the first
  // line is selected.
  void MethodBoxesTake(TMethodBoxes boxes, bool keepSelection);
  // The distribution over all combinations of an entry, as the bytes of its comparison file.
  std::string FullSetBytes(int entry);
  // Writes the current scenario file and tells the window.
  void ScriptChanged();
  // The entry's comparison file can be read and passes its checks.
  bool PrefetchFileSound(int entry);
  // The busy state, progress and stop request around a filter test or value search.
  template <class F>
  auto WithFilterTestProgress(const std::string& text, F&& work);
  void ViewsRefresh() {
    if (OnViewsRefresh) OnViewsRefresh();
  }

  IHost& host_;
  std::string dataDir_;
  TRandom random_;
  TDateFormat dateFormat_;
  TConfigFile settings_;
  TWindowState windowState_;
  TDrawsState draws_;
  TStakesState stakes_;
  TDataDirLock dirLock_;
  TLockOwner lockOwner_ = TLockOwner::Program;
  int lockWaitMs_ = DataDirLockWaitMs;
  TDownloadState download_;
  TCombsState combs_;
  TStatsState stats_;
  TScenarioState scenario_;
  TFilterTestState filterTest_;
  TRatingState rating_;
  TRegularsState regulars_;
  TSystemsState systems_;
  TViewsState views_;
};

}  // namespace kvarn
