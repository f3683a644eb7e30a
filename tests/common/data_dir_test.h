// A test fixture with a data directory of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/temp_dir.h"

namespace kvarn::test {

// A test over a data directory of its own.
class TDataDirTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return tmp_.File(name); }

  TTempDir tmp_;
  const std::string dir_ = tmp_.Path();
};

}  // namespace kvarn::test
