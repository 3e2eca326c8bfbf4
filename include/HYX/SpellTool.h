// Near misses of a name among the names a user could have meant: the edit distance behind
// every "did you mean" of the programs (variables, units, plot types, options, keys).
#ifndef HYX_SPELLTOOL_H
#define HYX_SPELLTOOL_H

#include "HYX/Export.h"

#include <string>
#include <vector>

namespace HYX {

class HYX_API SpellTool {
public:
    // Insertions, deletions, substitutions and swaps of two neighbouring characters that
    // turn a into b, letter case ignored.
    static int distance(const std::string& a, const std::string& b);
    // The known name nearest to word: one edit away for names of up to four characters, a
    // third of the word's length for longer ones; the first of equally near names wins.
    // Empty when none is that near, or when word itself is known.
    static std::string nearest(const std::string& word, const std::vector<std::string>& known);
};

} // namespace HYX

#endif
