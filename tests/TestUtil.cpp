// Helpers shared by the test suites.
#include "TestUtil.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace testutil {

ScratchDir::ScratchDir() {
    char tmpl[] = "/tmp/hyxtest.XXXXXX";
    const char* d = mkdtemp(tmpl);
    dir = d ? d : "/tmp";
}

ScratchDir::~ScratchDir() {
    if (dir.rfind("/tmp/hyxtest.", 0) == 0) {
        const std::string cmd = "rm -rf " + shellQuote(dir);
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", dir.c_str());
    }
}

void ScratchDir::write(const std::string& name, const std::string& content) const {
    std::ofstream f(file(name), std::ios::binary);
    f << content;
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

RunResult run(const std::string& cmdline) {
    char outTmpl[] = "/tmp/hyxrun.out.XXXXXX";
    char errTmpl[] = "/tmp/hyxrun.err.XXXXXX";
    const int fo = mkstemp(outTmpl);
    const int fe = mkstemp(errTmpl);
    if (fo >= 0) close(fo);
    if (fe >= 0) close(fe);
    const std::string cmd = "(" + cmdline + ") >" + outTmpl + " 2>" + errTmpl + " </dev/null";
    RunResult r;
    const int rc = std::system(cmd.c_str());
    r.status = (rc != -1 && WIFEXITED(rc)) ? WEXITSTATUS(rc) : -1;
    r.out = readFile(outTmpl);
    r.err = readFile(errTmpl);
    std::remove(outTmpl);
    std::remove(errTmpl);
    return r;
}

RunResult runVsect(const std::vector<std::string>& args, const std::string& cwd,
                   const std::vector<std::string>& env) {
    std::string cmd = "cd " + shellQuote(cwd) + " && env -i PATH=/usr/bin:/bin";
    const char* asan = std::getenv("ASAN_OPTIONS");
    if (asan) cmd += " " + shellQuote(std::string("ASAN_OPTIONS=") + asan);
    for (const auto& e : env) cmd += " " + shellQuote(e);
    cmd += " " + shellQuote(HYX_VSECT);
    for (const auto& a : args) cmd += " " + shellQuote(a);
    return run(cmd);
}

namespace {

std::string capture(FILE* stream, void (*fn)(void*), void* arg) {
    std::fflush(stream);
    const int saved = dup(fileno(stream));
    char tmpl[] = "/tmp/hyxcap.XXXXXX";
    const int fd = mkstemp(tmpl);
    dup2(fd, fileno(stream));
    fn(arg);
    std::fflush(stream);
    dup2(saved, fileno(stream));
    close(saved);
    close(fd);
    std::string text = readFile(tmpl);
    std::remove(tmpl);
    return text;
}

} // namespace

std::string captureStdout(void (*fn)(void*), void* arg) { return capture(stdout, fn, arg); }

std::string captureStderr(void (*fn)(void*), void* arg) { return capture(stderr, fn, arg); }

} // namespace testutil
