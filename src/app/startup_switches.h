// The command line of the interactive program: the data directory and the start-up switches.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvarn {

struct TStartSwitches {
  bool restart = false;       // wait for the previous instance to end first
  bool loadOnly = false;      // download draws, then end
  bool fullRecreate = false;  // rebuild every full-set comparison file, then end
  bool fullRefresh = false;   // build the missing comparison files, then end
  std::string dir;            // "--dir DIR"; empty when not given
  bool Maintenance() const { return loadOnly || fullRecreate || fullRefresh; }
};

// True when `arg` is the switch `name`, bare or behind one of "-", "--", "/", "\", without
// regard to case.
bool IsStartSwitch(std::string_view arg, std::string_view name);

// Reads the arguments after the program name; unknown arguments are ignored.
TStartSwitches ParseStartSwitches(const std::vector<std::string>& args);

// Waits while another process runs the same program file as this one, checking every 100 ms
// for at most `checks` checks; true when none runs any more.
// `program` names the executable to look for; empty means this program's own file.
bool WaitForOtherInstances(int checks = 601, const std::string& program = {});

}  // namespace kvarn
