// Compares two metafiles ("HYXMETA2") record by record, for the golden drawings.
#ifndef HYX_TEST_METACOMPARE_H
#define HYX_TEST_METACOMPARE_H

#include <string>

namespace testutil {

// Empty when both hold the same records, comment lines ("#...") left out: kinds in the same
// order and number, point counts, attributes and texts exactly, and coordinates within
// tolerance times the larger side of the page (the SZ record). Otherwise the first
// differing record (its line in both files, both texts, what differs) and the number of
// records of each kind in both.
std::string compareMeta(const std::string& golden, const std::string& got, double tolerance = 1e-4);

} // namespace testutil

#endif
