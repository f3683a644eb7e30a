// A fresh data directory per test and kvarn-cli run in-process over it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace kvarn::test {

class TCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kvarn_cli_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Runs kvarn-cli with --dir of the test; out_ and err_ keep what it printed.
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir_});
    std::ostringstream o, e;
    const int rc = CliMain(args, o, e);
    out_ = o.str();
    err_ = e.str();
    return rc;
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out_);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }

  std::string dir_, out_, err_;
};

}  // namespace kvarn::test
