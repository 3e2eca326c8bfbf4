// Near misses of a name.
#include "HYX/SpellTool.h"

#include <algorithm>
#include <cctype>

namespace HYX {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

} // namespace

int SpellTool::distance(const std::string& a, const std::string& b) {
    const size_t n = a.size(), m = b.size();
    // Three rows of the table: two back for a swap, one back, and the current one.
    std::vector<int> back2(m + 1), back1(m + 1), cur(m + 1);
    for (size_t j = 0; j <= m; ++j) back1[j] = static_cast<int>(j);
    for (size_t i = 1; i <= n; ++i) {
        cur[0] = static_cast<int>(i);
        for (size_t j = 1; j <= m; ++j) {
            const bool same = lower(a[i - 1]) == lower(b[j - 1]);
            int d = std::min({back1[j] + 1, cur[j - 1] + 1, back1[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
                lower(a[i - 2]) == lower(b[j - 1]))
                d = std::min(d, back2[j - 2] + 1);
            cur[j] = d;
        }
        std::swap(back2, back1);
        std::swap(back1, cur);
    }
    return back1[m];
}

std::string SpellTool::nearest(const std::string& word, const std::vector<std::string>& known) {
    if (word.empty()) return "";
    const int most = word.size() <= 4 ? 1 : static_cast<int>(word.size() / 3);
    std::string best;
    int best_d = most + 1;
    for (const std::string& k : known) {
        const int d = distance(word, k);
        if (d == 0) return "";
        if (d < best_d) {
            best_d = d;
            best = k;
        }
    }
    return best;
}

} // namespace HYX
