// Record-by-record comparison of metafiles for the golden drawings.
#include "MetaCompare.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

namespace testutil {

namespace {

struct Record {
    int line = 0; // in the file, from 1
    std::string text;
};

std::string kindOf(const std::string& record) { return record.substr(0, record.find(' ')); }

std::vector<Record> recordsOf(const std::string& text) {
    std::vector<Record> out;
    std::istringstream in(text);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n)
        if (!line.empty() && line[0] != '#') out.push_back({n, line});
    return out;
}

std::vector<std::string> fieldsOf(const std::string& record) {
    std::istringstream in(record);
    std::vector<std::string> out;
    for (std::string f; in >> f;) out.push_back(f);
    return out;
}

// The numbers of a field such as "0.25,0.5"; false when it holds anything else.
bool numbersOf(const std::string& field, std::vector<double>& out) {
    out.clear();
    const char* p = field.c_str();
    for (;;) {
        char* end = nullptr;
        out.push_back(std::strtod(p, &end));
        if (end == p) return false;
        if (*end == 0) return true;
        if (*end != ',') return false;
        p = end + 1;
    }
}

// The larger side of the page (the SZ record), which the tolerance is a fraction of.
double pageOf(const std::vector<Record>& records) {
    for (const Record& r : records) {
        double w = 0, h = 0;
        std::istringstream in(r.text.substr(kindOf(r.text).size()));
        if (kindOf(r.text) == "SZ" && in >> w >> h) return std::max({w, h, 1e-30});
    }
    return 1.0;
}

// What differs between two records; empty when they agree. Lines, fills, texts, clips and
// the page size carry coordinates, compared within tol; everything else is compared as
// text.
std::string differs(const std::string& a, const std::string& b, double tol) {
    if (a == b) return "";
    const std::string kind = kindOf(a);
    if (kind != kindOf(b)) return "the record kinds differ";
    const bool points = kind == "L" || kind == "F";
    if (!points && kind != "T" && kind != "CL" && kind != "SZ") return "the records differ";
    std::vector<std::string> fa = fieldsOf(a), fb = fieldsOf(b);
    size_t first = 1;
    if (points) {
        if (fa.size() < 2 || fb.size() < 2 || fa[1] != fb[1]) return "the point counts differ";
        first = 2;
    } else if (kind == "T") {
        // The text after the position as it is, blanks included.
        const auto text = [](const std::string& s) {
            const size_t p = s.find(' ', 2);
            return p == std::string::npos ? std::string() : s.substr(p + 1);
        };
        if (text(a) != text(b)) return "the texts differ";
        fa.resize(std::min<size_t>(fa.size(), 2));
        fb.resize(std::min<size_t>(fb.size(), 2));
    }
    if (fa.size() != fb.size()) return "the numbers of fields differ";
    std::vector<double> va, vb;
    for (size_t i = first; i < fa.size(); ++i) {
        if (!numbersOf(fa[i], va) || !numbersOf(fb[i], vb) || va.size() != vb.size()) {
            if (fa[i] != fb[i]) return "field " + std::to_string(i + 1) + " differs";
            continue;
        }
        for (size_t k = 0; k < va.size(); ++k) {
            const double d = std::fabs(va[k] - vb[k]);
            if (d <= tol) continue;
            std::ostringstream why;
            why << (points ? "point " + std::to_string(i - first + 1) : "field " + std::to_string(i + 1))
                << " differs: " << fa[i] << " against " << fb[i] << ", by " << d << " (tolerance "
                << tol << ")";
            return why.str();
        }
    }
    return "";
}

std::string shortened(const std::string& text) {
    constexpr size_t MAX = 160;
    return text.size() <= MAX ? text : text.substr(0, MAX) + " ...";
}

std::string kindCounts(const std::vector<Record>& a, const std::vector<Record>& b) {
    std::map<std::string, std::pair<int, int>> n;
    for (const Record& r : a) ++n[kindOf(r.text)].first;
    for (const Record& r : b) ++n[kindOf(r.text)].second;
    std::string out = "records by kind (golden/new):";
    for (const auto& [kind, c] : n)
        out += " " + kind + " " + std::to_string(c.first) + "/" + std::to_string(c.second);
    return out;
}

} // namespace

std::string compareMeta(const std::string& expected, const std::string& actual, double tolerance) {
    const std::vector<Record> a = recordsOf(expected), b = recordsOf(actual);
    const double tol = tolerance * pageOf(a);
    const size_t n = std::min(a.size(), b.size());
    std::ostringstream out;
    for (size_t i = 0; i < n; ++i) {
        const std::string why = differs(a[i].text, b[i].text, tol);
        if (why.empty()) continue;
        out << "first difference at record " << i + 1 << " (golden line " << a[i].line
            << ", new line " << b[i].line << "): " << why << "\n  golden: " << shortened(a[i].text)
            << "\n  new:    " << shortened(b[i].text) << "\n";
        return out.str() + kindCounts(a, b);
    }
    if (a.size() == b.size()) return "";
    const bool longer = b.size() > a.size();
    const Record& extra = longer ? b[n] : a[n];
    out << "the " << (longer ? "golden" : "new") << " recording ends after record " << n
        << "; the " << (longer ? "new" : "golden") << " one goes on at line " << extra.line
        << ":\n  " << shortened(extra.text) << "\n";
    return out.str() + kindCounts(a, b);
}

} // namespace testutil
