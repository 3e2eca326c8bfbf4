// Compares two metafiles ("HYXMETA2") record by record, as the golden drawings need.
#ifndef HYX_TEST_METACOMPARE_H
#define HYX_TEST_METACOMPARE_H

#include <string>

namespace testutil {

// Coordinates may differ by this fraction of the page (the larger side of the SZ record):
// a hundredth of a pixel on a window, far below anything a drawing change moves.
constexpr double META_TOLERANCE = 1e-4;

// Empty when the two metafiles hold the same records, comment lines ("#...") left out:
// the same kinds in the same order and number, the same point counts, texts and
// attributes, and coordinates within the tolerance. Otherwise a report of the first
// differing record: its line in both files, both texts and what differs in it, followed
// by the number of records of each kind in both files.
std::string compareMeta(const std::string& expected, const std::string& actual,
                        double tolerance = META_TOLERANCE);

} // namespace testutil

#endif
