// The rating file as bytes: every whole record (a torn tail is refused by the file reader before
// it gets here) decodes to values that encode to a record decoding to the same values.
#include <cstdint>

#include "stakes/rating.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (size_t at = 0; at + kvarn::RatingRecordSize <= size; at += kvarn::RatingRecordSize) {
    const kvarn::TRatingRecord r = kvarn::RatingFromBytes(data + at);
    uint8_t bytes[kvarn::RatingRecordSize];
    kvarn::RatingToBytes(r, bytes);
    const kvarn::TRatingRecord again = kvarn::RatingFromBytes(bytes);
    if (again.Name != r.Name || again.Count != r.Count || again.Overlap != r.Overlap ||
        again.Overlaps != r.Overlaps || again.Profit != r.Profit)
      __builtin_trap();
    kvarn::TRatingsArray ratings{r};
    kvarn::RatingsFind(ratings, r.Name);
  }
  return 0;
}
