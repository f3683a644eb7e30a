// The favourite methods from the command line: ticks, names and name files, saved to the method
// list file as the favourites manager's OK does.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"

namespace kvarn {

namespace {

int Set(TCliContext& ctx, TCliArgs& args) {
  const bool off = args.TakeFlag("--off");
  args.TakeFlag("--on");
  std::vector<std::string> idents;
  while (std::optional<std::string> w = args.TakePositional()) idents.push_back(*w);
  if (idents.empty()) throw TCliUsageError{"at least one method identifier is needed"};
  ctx.Workspace().FavouritesSet(idents, !off);
  return 0;
}

const TCliRegistration SetCommand{{
    .name = "favourites",
    .sub = "set",
    .synopsis = "IDENT...",
    .help = "Ticks (or unticks) methods in the favourites; unticking every method offers all",
    .options = {{.name = "--on", .help = "tick the methods (the default)", .group = "tick"},
                {.name = "--off", .help = "untick the methods", .group = "tick"}},
    .run = &Set,
}};

int Rename(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> ident = args.TakePositional();
  const std::optional<std::string> name = args.TakePositional();
  if (!ident || !name) throw TCliUsageError{"a method identifier and a name are needed"};
  args.ExpectEnd();
  ctx.Workspace().FavouritesRename(*ident, *name);
  return 0;
}

const TCliRegistration RenameCommand{{
    .name = "favourites",
    .sub = "rename",
    .synopsis = "IDENT NAME",
    .help = "Gives a method a name of its own; an empty name or the default caption removes it",
    .run = &Rename,
}};

std::string TakeFile(TCliArgs& args) {
  return args.TakeLastPositional("a file is needed");
}

int Import(TCliContext& ctx, TCliArgs& args) {
  return ctx.Workspace().FavouritesImport(TakeFile(args)) ? 0 : 1;
}

const TCliRegistration ImportCommand{{
    .name = "favourites",
    .sub = "import",
    .synopsis = "FILE.flt",
    .help = "Takes the methods' names from a name file (methods without one get their default "
            "caption back)",
    .run = &Import,
}};

int Export(TCliContext& ctx, TCliArgs& args) {
  return ctx.Workspace().FavouritesExport(TakeFile(args)) ? 0 : 1;
}

const TCliRegistration ExportCommand{{
    .name = "favourites",
    .sub = "export",
    .synopsis = "FILE.flt",
    .help = "Writes every method's name (its own or the default caption) into a name file",
    .run = &Export,
}};

}  // namespace

}  // namespace kvarn
