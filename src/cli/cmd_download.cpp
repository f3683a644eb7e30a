// kvarn-cli download: the draws after the last one from the web archive.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"

KVARN_CLI_COMMAND(download, "download", "download [--host URL] [--cacert FILE]") {
  std::optional<std::string> host = args.TakeOption("--host");
  std::optional<std::string> cacert = args.TakeOption("--cacert");
  args.ExpectEnd();
  kvarn::TWorkspace& ws = ctx.Workspace();
  // Given here, they serve this run only; the configuration file keeps its own.
  if (host) ws.Settings().Download.Host = *host;
  if (cacert) ws.Settings().Download.CaCertFile = *cacert;
  ctx.host.SetAnswer(false);  // no retry after a failure
  int added = ws.DrawsDownload();
  ctx.out << added << '\t' << ws.DrawsCount() << '\n';
  return ws.DownloadFailed() ? 1 : 0;
}
