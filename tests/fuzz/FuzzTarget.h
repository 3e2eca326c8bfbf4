// One fuzz target per reader. In a fuzz build (HYX_FUZZING) HYX_FUZZ_TARGET(name) defines
// libFuzzer's entry point; otherwise it registers the body under its name, so that the test
// suite replays the corpus and the regression inputs through the same code.
#ifndef HYX_FUZZTARGET_H
#define HYX_FUZZTARGET_H

#include "HYX/Hyx.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>

namespace fuzz {

using Body = void (*)(const uint8_t* data, size_t size);

inline std::map<std::string, Body>& targets() {
    static std::map<std::string, Body> all;
    return all;
}

// Calls of each target's body, counted by name.
inline std::map<std::string, int>& calls() {
    static std::map<std::string, int> n;
    return n;
}

inline int add(const char* name, Body fn) {
    targets()[name] = fn;
    return 0;
}

// Quiet messages and the source tree's database, set once per process.
inline void setup() {
    static const bool done = [] {
        HYX::Hyx::setMessageMask(0);
        HYX::Hyx::setDatabasePath(HYX_FUZZ_SHARE);
        return true;
    }();
    (void)done;
}

// A private directory of this process, removed at exit. It is in memory where the system
// offers one: the inputs written there for the readers that take a file name are rewritten
// for each run, and a disk file system writes each back before it is replaced.
inline const std::string& scratch() {
    static std::string dir = [] {
        const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string tmpl = base + "/hyxfuzz.XXXXXX";
        std::string d = mkdtemp(&tmpl[0]) ? tmpl : base;
        static std::string keep = d;
        std::atexit([] { std::system(("rm -rf '" + keep + "'").c_str()); });
        return d;
    }();
    return dir;
}

// The input written to a file of the scratch directory; returns its path.
inline std::string toFile(const uint8_t* data, size_t size, const char* name = "input") {
    const std::string path = scratch() + "/" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

inline std::string text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzz

#ifdef HYX_FUZZING
#define HYX_FUZZ_TARGET(name)                                                                      \
    static void hyxFuzzBody(const uint8_t* data, size_t size);                                     \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {                      \
        fuzz::setup();                                                                             \
        hyxFuzzBody(data, size);                                                                   \
        return 0;                                                                                  \
    }                                                                                              \
    static void hyxFuzzBody(const uint8_t* data, size_t size)
#else
#define HYX_FUZZ_TARGET(name)                                                                      \
    static void hyxFuzzBody_##name(const uint8_t* data, size_t size);                              \
    static const int hyxFuzzAdded_##name = fuzz::add(#name, [](const uint8_t* d, size_t n) {       \
        ++fuzz::calls()[#name];                                                                    \
        hyxFuzzBody_##name(d, n);                                                                  \
    });                                                                                            \
    static void hyxFuzzBody_##name(const uint8_t* data, size_t size)
#endif

#endif
