// Helpers shared by the test suites: scratch directories, captured output, running vsect.
#ifndef HYX_TESTUTIL_H
#define HYX_TESTUTIL_H

#include <string>
#include <vector>

namespace testutil {

// A fresh empty directory under /tmp, removed with its content at destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }
    void write(const std::string& name, const std::string& content) const;

private:
    std::string dir;
};

std::string readFile(const std::string& path);

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line with sh -c, capturing standard output and error.
RunResult run(const std::string& cmdline);
// Runs vsect with a clean environment (plus env entries "NAME=value") in directory cwd.
RunResult runVsect(const std::vector<std::string>& args, const std::string& cwd,
                   const std::vector<std::string>& env = {});
std::string shellQuote(const std::string& s);

// Captures what a function writes to standard output (or standard error).
std::string captureStdout(void (*fn)(void*), void* arg);
std::string captureStderr(void (*fn)(void*), void* arg);

// A binary PPM picture ("P6") as Ghostscript's ppmraw device writes it.
struct Ppm {
    struct Pixel {
        int r = -1, g = -1, b = -1;
    };
    bool read(const std::string& bytes);
    Pixel at(int col, int row) const;
    int w = 0, h = 0;
    std::string data;
};

template <class F> std::string captureOut(F f) {
    return captureStdout([](void* a) { (*static_cast<F*>(a))(); }, &f);
}
template <class F> std::string captureErr(F f) {
    return captureStderr([](void* a) { (*static_cast<F*>(a))(); }, &f);
}

} // namespace testutil

#endif
