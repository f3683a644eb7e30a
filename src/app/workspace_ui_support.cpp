// Operations the window needs that belong to no single subsystem.
#include <cstdio>

#include "app/config_input.h"
#include "app/workspace.h"
#include "stats/methods/channels.h"
#include "stats/methods/matrix.h"
#include "stats/methods/segments.h"

namespace kvarn {

TConfigChanges TWorkspace::ConfigApply(const TConfigData& data) {
  TConfigChanges changes = ConfigCompare(Config(), data);
  Config() = data;
  ConfigSaveData();
  StatSyncSettings();
  if (changes.Any()) {
    // Method captions and values follow the matrix size, the channel width and the segments:
    // the names are refreshed and the full-set comparison files of those groups rebuilt.
    MethodBoxesRefill(true);
    unsigned groups = (changes.matrixCols ? 1u << MatrixGroup : 0u) |
                      (changes.channelSize ? 1u << ChannelsGroup : 0u) |
                      (changes.segments ? 1u << SegmentsGroup : 0u);
    if (WindowState().PrefetchsEnabled) {
      RefreshPrefetchFiles(false, groups);
    } else {
      // Not rebuilt now, the old files would give norms of the old geometry once the comparison
      // is switched on again: drop them so that they are built afresh on use.
      TStatList& list = StatList();
      for (int i = 0; i < list.Count(); ++i)
        if (list.CanPrefetch(i) && (groups >> list.Items(i).StatClass->Group() & 1u))
          std::remove(PrefetchPathOf(i).c_str());
    }
  }
  if (OnViewsRefresh) OnViewsRefresh();
  return changes;
}

}  // namespace kvarn
