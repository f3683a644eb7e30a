#include "cli/cli_settings_override.h"

#include <memory>
#include <string>

#include "app/workspace.h"
#include "cli/cli.h"
#include "combs/combs.h"
#include "core/text.h"
#include "stats/methods/channels.h"
#include "stats/methods/matrix.h"
#include "stats/methods/segments.h"
#include "stats/prefetch.h"
#include "stats/registry.h"

namespace kvarn {

namespace {

std::optional<int> TakeRange(TCliArgs& args, const std::string& name, int min, int max) {
  const std::optional<std::string> text = args.TakeOption(name);
  if (!text) return std::nullopt;
  int64_t v = 0;
  if (!TryTextToInt(Trim(*text), v) || v < min || v > max)
    throw TCliUsageError{StrFormat("%s needs an integer %d..%d", name.c_str(), min, max)};
  return static_cast<int>(v);
}

// The full-set distribution of one entry, computed without touching the stored files.
std::unique_ptr<TPrefetchData> FullSetInMemory(const TStatList& list, int entry) {
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  std::unique_ptr<TCustomStat> stat = list.CreateStat(entry);
  const TStatDrawArray distribution = FullSetDistribution(*stat, full);
  return std::make_unique<TPrefetchData>(ParsePrefetchBytes(PrefetchBytes(distribution)));
}

}  // namespace

TSettingsOverride TakeSettingsOverride(TCliArgs& args) {
  TSettingsOverride o;
  o.MatrixCols = TakeRange(args, "--matrix-cols", 1, NumbersCount);
  o.ChannelSize = TakeRange(args, "--channel-size", 2, NumbersCount);
  if (const std::optional<std::string> text = args.TakeOption("--segments")) {
    if (text->size() != NumbersCount)
      throw TCliUsageError{"--segments needs 36 digits 1..9, one per number"};
    std::array<uint8_t, NumbersCount> map{};
    for (size_t i = 0; i < map.size(); ++i) {
      const char c = (*text)[i];
      if (c < '1' || c > '9')
        throw TCliUsageError{"--segments needs 36 digits 1..9, one per number"};
      map[i] = static_cast<uint8_t>(c - '0');
    }
    o.Segments = map;
  }
  return o;
}

void ApplySettingsOverride(TWorkspace& ws, const TSettingsOverride& o) {
  if (!o.Any()) return;
  TConfigData& config = ws.Config();
  unsigned changed = 0;
  if (o.MatrixCols && *o.MatrixCols != config.MatrixCols) {
    config.MatrixCols = *o.MatrixCols;
    changed |= 1u << MatrixGroup;
  }
  if (o.ChannelSize && *o.ChannelSize != config.ChannelSize) {
    config.ChannelSize = *o.ChannelSize;
    changed |= 1u << ChannelsGroup;
  }
  if (o.Segments && *o.Segments != config.Segments) {
    config.Segments = *o.Segments;
    changed |= 1u << SegmentsGroup;
  }
  if (!changed) return;

  // The registry reads the parameter ranges at registration; the user's names and favourites
  // come back from the method list file, which is only read here.
  TStatList& list = ws.StatList();
  list.Register();
  std::string message;
  if (!list.LoadNames(ws.MethodListPath(), true, message)) ShowError(ws.Host(), message);

  auto stored = ws.StatFullSetSource;
  ws.StatFullSetSource = [&ws, stored, changed](int entry) -> std::unique_ptr<TPrefetchData> {
    const TStatList& l = ws.StatList();
    const int group = l.Items(entry).StatClass->Group();
    if (changed & (1u << group)) return FullSetInMemory(l, entry);
    return stored ? stored(entry) : nullptr;
  };
}

void TakeAndApplySettingsOverride(TCliContext& ctx, TCliArgs& args) {
  const TSettingsOverride o = TakeSettingsOverride(args);
  if (o.Any()) ApplySettingsOverride(ctx.Workspace(), o);
}

}  // namespace kvarn
