// A fresh data directory per test and kvarn-cli run in-process over it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/data_dir_test.h"

namespace kvarn::test {

class TCliTest : public TDataDirTest {
 protected:
  // Runs kvarn-cli with --dir of the test; out_ and err_ keep what it printed.
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir_});
    std::ostringstream o, e;
    const int rc = CliMain(args, o, e);
    out_ = o.str();
    err_ = e.str();
    return rc;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out_);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }

  std::string out_, err_;
};

}  // namespace kvarn::test
