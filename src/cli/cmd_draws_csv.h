// The CSV sub-commands of "kvarn-cli draws".
#pragma once

#include "cli/cli.h"

namespace kvarn {

// draws import FILE.csv: prints the draws added and the archive count, TAB-separated.
int CliDrawsImport(TCliContext& ctx, TCliArgs& args);
// draws export FILE.csv: prints the number of draws written.
int CliDrawsExport(TCliContext& ctx, TCliArgs& args);

}  // namespace kvarn
