// Helpers shared by the test suites.
#include "TestUtil.h"

#include <cctype>
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

bool Ppm::read(const std::string& bytes) {
    if (bytes.compare(0, 2, "P6") != 0) return false;
    size_t pos = 2;
    int fields[3] = {0, 0, 0};
    for (int& f : fields) {
        // Skip blanks and comment lines between the header fields.
        while (pos < bytes.size() &&
               (std::isspace(static_cast<unsigned char>(bytes[pos])) || bytes[pos] == '#')) {
            if (bytes[pos] == '#')
                pos = bytes.find('\n', pos);
            else
                ++pos;
            if (pos == std::string::npos) return false;
        }
        size_t end = pos;
        while (end < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[end]))) ++end;
        if (end == pos) return false;
        f = std::atoi(bytes.substr(pos, end - pos).c_str());
        pos = end;
    }
    w = fields[0];
    h = fields[1];
    data = bytes.substr(pos + 1);
    return w > 0 && h > 0 && data.size() >= static_cast<size_t>(w) * h * 3;
}

Ppm::Pixel Ppm::at(int col, int row) const {
    if (col < 0 || row < 0 || col >= w || row >= h) return Pixel();
    const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + (row * w + col) * 3;
    return Pixel{p[0], p[1], p[2]};
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
