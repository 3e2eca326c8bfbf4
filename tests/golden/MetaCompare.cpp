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
    int line; // in the file, from 1
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

// The numbers of a field such as "0.25,0.5"; false when it holds anything else.
bool numbersOf(const std::string& field, std::vector<double>& out) {
    out.clear();
    for (const char* p = field.c_str();; ++p) {
        char* end = nullptr;
        out.push_back(std::strtod(p, &end));
        if (end == p || (*end && *end != ',')) return false;
        if (!*end) return true;
        p = end;
    }
}

double pageOf(const std::vector<Record>& records) {
    for (const Record& r : records) {
        std::istringstream in(r.text);
        std::string kind;
        double w = 0, h = 0;
        if (in >> kind >> w >> h && kind == "SZ") return std::max(w, h);
    }
    return 1.0;
}

// What differs between two records; empty when they agree. Lines and fills ("L n x,y ..."),
// texts ("T x,y text"), clips and the page size carry coordinates; other records are
// compared as they are.
std::string differs(const std::string& a, const std::string& b, double tol) {
    if (a == b) return "";
    const std::string kind = kindOf(a);
    if (kind != kindOf(b)) return "the record kinds differ";
    const bool points = kind == "L" || kind == "F";
    if (!points && kind != "T" && kind != "CL" && kind != "SZ") return "the records differ";
    // A text's own words come after its position and must agree exactly.
    const size_t end_a = kind == "T" ? a.find(' ', 2) : a.size();
    const size_t end_b = kind == "T" ? b.find(' ', 2) : b.size();
    if (kind == "T" && a.substr(std::min(end_a, a.size())) != b.substr(std::min(end_b, b.size())))
        return "the texts differ";
    std::istringstream in_a(a.substr(0, end_a)), in_b(b.substr(0, end_b));
    std::string fa, fb;
    in_a >> fa, in_b >> fb; // the kind
    if (points && (!(in_a >> fa) || !(in_b >> fb) || fa != fb)) return "the point counts differ";
    std::vector<double> va, vb;
    for (int field = 1;; ++field) {
        const bool more_a = static_cast<bool>(in_a >> fa), more_b = static_cast<bool>(in_b >> fb);
        if (more_a != more_b) return "the numbers of fields differ";
        if (!more_a) return "";
        if (!numbersOf(fa, va) || !numbersOf(fb, vb) || va.size() != vb.size())
            return "field " + std::to_string(field) + " differs";
        for (size_t k = 0; k < va.size(); ++k) {
            const double d = std::fabs(va[k] - vb[k]);
            if (d <= tol) continue;
            std::ostringstream why;
            why << (points ? "point " : "field ") << field << " differs: " << fa << " against "
                << fb << ", by " << d << " (tolerance " << tol << ")";
            return why.str();
        }
    }
}

std::string shortened(const std::string& text) {
    return text.size() <= 160 ? text : text.substr(0, 160) + " ...";
}

std::string kindCounts(const std::vector<Record>& a, const std::vector<Record>& b) {
    std::map<std::string, std::pair<int, int>> n;
    for (const Record& r : a) ++n[kindOf(r.text)].first;
    for (const Record& r : b) ++n[kindOf(r.text)].second;
    std::string out = "\nrecords by kind (golden/new):";
    for (const auto& [kind, c] : n)
        out += " " + kind + " " + std::to_string(c.first) + "/" + std::to_string(c.second);
    return out;
}

} // namespace

std::string compareMeta(const std::string& golden, const std::string& got, double tolerance) {
    const std::vector<Record> a = recordsOf(golden), b = recordsOf(got);
    const double tol = tolerance * pageOf(a);
    const size_t n = std::min(a.size(), b.size());
    std::ostringstream out;
    for (size_t i = 0; i < n; ++i) {
        const std::string why = differs(a[i].text, b[i].text, tol);
        if (why.empty()) continue;
        out << "first difference at record " << i + 1 << " (golden line " << a[i].line
            << ", new line " << b[i].line << "): " << why << "\n  golden: " << shortened(a[i].text)
            << "\n  new:    " << shortened(b[i].text);
        return out.str() + kindCounts(a, b);
    }
    if (a.size() == b.size()) return "";
    const bool longer = b.size() > a.size();
    const Record& extra = longer ? b[n] : a[n];
    out << "the " << (longer ? "golden" : "new") << " recording ends after record " << n << "; the "
        << (longer ? "new" : "golden") << " one goes on at line " << extra.line << ": "
        << shortened(extra.text);
    return out.str() + kindCounts(a, b);
}

} // namespace testutil
