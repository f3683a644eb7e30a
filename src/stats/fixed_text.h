// Fixed-point texts of the statistics table's real columns, written without printf where that
// is safe: a table of thousands of rows formats four reals per row.
#pragma once

#include <string>

namespace kvarn {

// The text printf's "%.*Lf" gives for v with 0..5 decimals: the digits of the value scaled to an
// integer when the value lies clearly off a rounding tie, printf itself otherwise (ties, large
// and non-finite values), so that every text is the one printf would write.
std::string FixedText(long double v, int decimals);
// The same into out, reusing its buffer.
void FixedTextTo(std::string& out, long double v, int decimals);

}  // namespace kvarn
