// Method classes made for tests declare their class operations in one line.
#pragma once

#include <cstdint>
#include <string>

// Identifier, caption, group and features of a test method class.
#define KVARN_TEST_METHOD_INFO(IDENT, CAPTION, GROUP, FEATURES) \
  static std::string Ident() {                                  \
    return IDENT;                                               \
  }                                                             \
  static std::string Caption() {                                \
    return CAPTION;                                             \
  }                                                             \
  static int Group() {                                          \
    return GROUP;                                               \
  }                                                             \
  static uint8_t Features() {                                   \
    return FEATURES;                                            \
  }
