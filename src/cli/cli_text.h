// Texts of kvarn-cli's output lines.
#pragma once

#include <string>
#include <string_view>

namespace kvarn {

// A free text as one TAB-separated field: backslash, TAB, CR and LF written as \\, \t, \r, \n.
std::string CliEscapeField(std::string_view text);

}  // namespace kvarn
