// kvarn-cli download: the draws after the last one from the web archive.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"

namespace kvarn {

namespace {

int Download(TCliContext& ctx, TCliArgs& args) {
  std::optional<std::string> host = args.TakeOption("--host");
  std::optional<std::string> cacert = args.TakeOption("--cacert");
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  // Given here, they serve this run only; the configuration file keeps its own.
  if (host) ws.Settings().Download.Host = *host;
  if (cacert) ws.Settings().Download.CaCertFile = *cacert;
  ctx.host.SetAnswer(false);  // no retry after a failure
  int added = ws.DrawsDownload();
  ctx.out << added << '\t' << ws.DrawsCount() << '\n';
  return ws.DownloadFailed() ? 1 : 0;
}

const TCliRegistration DownloadCommand{{
    .name = "download",
    .help = "Appends the draws after the last one from the web archive; prints the number "
            "added and the archive's count",
    .options = {{.name = "--host", .value = "URL", .help = "the web archive for this run"},
                {.name = "--cacert",
                 .value = "FILE",
                 .help = "trust the certificates of this PEM file instead of the system's"}},
    .run = &Download,
    .writes = true,
}};

}  // namespace

}  // namespace kvarn
