// A fresh data directory per test and kvarn-cli run in-process over it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/archives.h"
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

// Over draws 11..14 (17 3 30 8 21, 1 2 3 4 5, 36 3 12 7 1, 2 4 6 8 10), as drawn, unsorted.
class TFourDrawsCliTest : public TCliTest {
 protected:
  void SetUp() override {
    WriteArchive(
        dir_,
        Archive({{17, 3, 30, 8, 21}, {1, 2, 3, 4, 5}, {36, 3, 12, 7, 1}, {2, 4, 6, 8, 10}}, 11));
  }
};

}  // namespace kvarn::test
