// An output file written whole.
#include "HYX/OutputFile.h"

#include "HYX/FileTool.h"
#include "HYX/String.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace HYX {

namespace {

// Permissions of a new file: those the user's umask allows.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

int OutputFile::open(const char* name, const char* mode) {
    discard();
    err = 0;
    if (!name || !mode) return 0;
    const bool append = mode[0] == 'a';
    if (name[0] == '|' || FileTool::isStdio(name)) {
        if (File::open(name, append ? "a" : "w")) return 1;
        err = errno;
        return 0;
    }
    String path(256);
    FileTool::addUserPath(name, path);
    target = path.get();
    FileTool::makeDir(target.c_str(), 1);

    struct stat st;
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        // A device, a pipe or a link: written where it is.
        if (File::open(target.c_str(), append ? "a" : "w")) return 1;
        err = errno;
        return 0;
    }
    if (append && exists) {
        kept = static_cast<long>(st.st_size);
        if (File::open(target.c_str(), "a")) return 1;
        err = errno;
        kept = -1;
        return 0;
    }
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string tmpl = dir + "." + base + ".XXXXXX";
    const int tmp = ::mkstemp(&tmpl[0]);
    if (tmp < 0) {
        // No room for a temporary beside it (a directory the user cannot write to, say):
        // the file itself, as far as it can be written.
        if (File::open(target.c_str(), "w")) return 1;
        err = errno;
        return 0;
    }
    ::fchmod(tmp, exists ? (st.st_mode & 07777) : newFileMode());
    ::close(tmp);
    if (!File::open(tmpl.c_str(), "w")) {
        err = errno;
        ::unlink(tmpl.c_str());
        return 0;
    }
    temp = tmpl;
    return 1;
}

int OutputFile::printf(const char* fmt, ...) {
    if (!isOpen() || !fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vfprintf(getFP(), fmt, ap);
    va_end(ap);
    if (n < 0) failed();
    return n;
}

int OutputFile::puts(const char* text) {
    if (!isOpen() || !text) return 0;
#ifdef __GLIBC__
    // One thread writes a file; the stream's lock costs as much as a short line.
    if (fputs_unlocked(text, getFP()) >= 0) return 1;
#else
    if (std::fputs(text, getFP()) >= 0) return 1;
#endif
    failed();
    return 0;
}

int OutputFile::write(const void* bytes, int size, int n) {
    const int done = File::write(bytes, size, n);
    if (done < n && size > 0 && n > 0) failed();
    return done;
}

void OutputFile::failed() {
    if (!err) err = errno ? errno : EIO;
}

int OutputFile::close() {
    if (!isOpen()) return 0;
    // Flushed here, where the reason of a failure is still known.
    errno = 0;
    if (std::fflush(getFP()) != 0 || std::ferror(getFP())) failed();
    errno = 0;
    if (!File::close()) failed();
    if (err) {
        undo();
        return 0;
    }
    if (!temp.empty() && std::rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        undo();
        return 0;
    }
    temp.clear();
    kept = -1;
    return 1;
}

int OutputFile::discard() {
    if (!isOpen()) return 0;
    File::close();
    undo();
    return 1;
}

void OutputFile::undo() {
    if (!temp.empty()) ::unlink(temp.c_str());
    if (kept >= 0 && ::truncate(target.c_str(), static_cast<off_t>(kept)) != 0) {
        // The addition stays: there is nothing more that can be done about it here.
    }
    temp.clear();
    kept = -1;
}

const char* OutputFile::getError() const { return err ? std::strerror(err) : ""; }

} // namespace HYX
