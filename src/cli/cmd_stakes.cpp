// kvarn-cli stakes: making, listing, checking and deleting stakes in the data directory's stakes
// file. The commands that change it hold the same lock as the window's (a running window keeps
// them out); the list only reads it and works beside the window.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_text.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stake_input.h"

namespace kvarn {

namespace {

// The workspace with its stakes file open; when it cannot be, the refusal has been shown.
TWorkspace* OpenStakes(TCliContext& ctx) {
  TWorkspace& ws = ctx.Workspace();
  return ws.StakesOpen() ? &ws : nullptr;
}

std::optional<int64_t> TakeRanged(TCliArgs& args, const std::string& name, int64_t lo, int64_t hi) {
  const std::optional<std::string> text = args.TakeOption(name);
  if (!text) return std::nullopt;
  int64_t v = 0;
  if (!TryTextToInt(*text, v) || v < lo || v > hi)
    throw TCliUsageError{StrFormat("option %s needs a value from %lld to %lld", name.c_str(),
                                   static_cast<long long>(lo), static_cast<long long>(hi))};
  return v;
}

// The first `count` bytes of a number block, joined by ";"; empty for a count of 0 or less.
std::string Joined(const uint8_t* bytes, int count) {
  std::string text;
  for (int i = 0; i < std::min(count, MaxSetSize); ++i) {
    if (i) text += ';';
    text += std::to_string(bytes[i]);
  }
  return text;
}

int RunStakesAdd(TCliContext& ctx, TCliArgs& args) {
  const std::string numbers = *args.TakeOption("--numbers");
  const std::optional<int64_t> draw = TakeRanged(args, "--draw", 1, 2147483647);
  const int draws = static_cast<int>(TakeRanged(args, "--draws", 1, MaxStakeDraws).value_or(1));
  const std::string comment = args.TakeOption("--comment").value_or(ManualStakeComment);
  const std::optional<int64_t> kind = TakeRanged(args, "--kind", skManual, skSystem);
  const std::optional<int64_t> sample = TakeRanged(args, "--sample", 0, 2147483647);
  args.ExpectEnd();
  TWorkspace* ws = OpenStakes(ctx);
  if (!ws) return 1;
  // The sample is the count of the list generated at start-up with the stored parameters.
  if (!sample) ws->CombsStartup();
  TStake s = ws->StakePrepare(-1);
  s = StakeInputApply(s, draw ? static_cast<int32_t>(*draw) : ws->DrawsNextNumber(0), numbers,
                      comment, ws->Config().StakeCost, ws->Config().Profits);
  if (kind) s.Kind = static_cast<uint8_t>(*kind);
  if (sample) s.SampleSize = static_cast<int32_t>(*sample);
  const int before = ws->StakesCount();
  if (!ws->StakeAdd(s, draws)) return 1;
  ctx.out << ws->StakesCount() - before << '\n';
  return 0;
}

int RunStakesList(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  // Only reads: it works beside a running window and never mends the file.
  TWorkspace* ws = &ctx.Workspace();
  if (!ws->StakesOpenReadOnly()) return 1;
  ws->StakesFile().ForEach(0, [&ctx](const TStake& s) {
    ctx.out << static_cast<int>(s.Version) << '\t' << static_cast<int>(s.Kind) << '\t'
            << s.DrawNumber << '\t' << static_cast<int>(s.Checked) << '\t' << s.SampleSize << '\t'
            << s.Numbers.Count << '\t' << Joined(s.Numbers.Numbers.data(), s.Numbers.Count) << '\t'
            << Joined(s.DrawValues.data(), CombSize) << '\t' << s.Matches() << '\t'
            << Joined(s.Matched.Numbers.data(), s.Matches()) << '\t' << s.Profit << '\t'
            << MoneyText(s.Profit) << '\t' << CliEscapeField(s.Comment) << '\n';
  });
  return 0;
}

int RunStakesCheck(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  TWorkspace* ws = OpenStakes(ctx);
  if (!ws) return 1;
  ctx.out << ws->StakesCheckAndRefresh() << '\n';
  return 0;
}

int RunStakesDelete(TCliContext& ctx, TCliArgs& args) {
  const int condition =
      static_cast<int>(*TakeRanged(args, "--condition", 0, StakeConditionsCount - 1));
  const int value = static_cast<int>(*TakeRanged(args, "--value", -2147483647, 2147483647));
  args.ExpectEnd();
  TWorkspace* ws = OpenStakes(ctx);
  if (!ws) return 1;
  const int64_t dropped = ws->StakesDeleteByCondition(condition, value);
  if (ctx.host.ErrorShown()) return 1;
  ctx.out << dropped << '\n';
  return 0;
}

int RunStakesClear(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  TWorkspace* ws = OpenStakes(ctx);
  if (!ws) return 1;
  return ws->StakeClear(false) ? 0 : 1;
}

const TCliRegistration StakesCommands[] = {
    TCliRegistration{{
        .name = "stakes",
        .sub = "add",
        .help = "Makes a stake as \"Сделать ставку\" does, checks the stakes and prints the "
                "number of records appended",
        .options =
            {{.name = "--numbers",
              .value = "\"1;2;3;4;5\"",
              .help = "5 to 12 different numbers 1..36, separated by \";\" or \",\"",
              .required = true},
             {.name = "--draw",
              .value = "N",
              .help = "the first draw (the next one when not given)"},
             {.name = "--draws", .value = "K", .help = "for K draws from it, 1..65535 (1)"},
             {.name = "--comment", .value = "TEXT", .help = "the comment (Ставка \"вручную\")"},
             {.name = "--kind", .value = "1..4", .help = "where the stake came from (1, by hand)"},
             {.name = "--sample",
              .value = "S",
              .help = "the sample size (the count of the list generated at start-up)"}},
        .run = &RunStakesAdd,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "stakes",
        .sub = "list",
        .help = "Prints every record in file order, thirteen TAB-separated fields",
        .run = &RunStakesList,
    }},
    TCliRegistration{{
        .name = "stakes",
        .sub = "check",
        .help = "Checks the stakes whose draws are in the archive; prints how many",
        .run = &RunStakesCheck,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "stakes",
        .sub = "delete",
        .help = "Deletes the stakes whose match count meets the condition (separators stay); "
                "prints the number of records dropped",
        .options = {{.name = "--condition",
                     .value = "0..4",
                     .help = "=, >, >=, <, <= (an unchecked stake has -1 matches)",
                     .required = true},
                    {.name = "--value", .value = "V", .help = "the match count", .required = true}},
        .run = &RunStakesDelete,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "stakes",
        .sub = "clear",
        .help = "Deletes every stake",
        .run = &RunStakesClear,
        .writes = true,
    }},
};

}  // namespace

}  // namespace kvarn
