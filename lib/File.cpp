// Thin wrapper over a file, a standard stream or a command pipe.
#include "HYX/File.h"

#include "HYX/FileTool.h"
#include "HYX/String.h"

#include <cstdarg>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>

namespace HYX {

File::File(const String& name, const char* mode) { open(name.get(), mode); }

int File::open(const char* name, int acc) {
    static const char* const modes[] = {"r", "w", "a"};
    if (acc < READ || acc > APPEND) acc = READ;
    return open(name, modes[acc]);
}

int File::open(const char* name, const char* mode) {
    close();
    if (!name || !mode) return 0;
    if (*mode == 'p') ++mode;
    const bool reading = *mode == 'r';
    access = reading ? READ : (*mode == 'a' ? APPEND : WRITE);
    if (FileTool::isStdio(name)) {
        fp = reading ? stdin : stdout;
        stype = 1;
        type = 0;
    } else if (name[0] == '|') {
        std::fflush(nullptr);
        fp = ::popen(name + 1, reading ? "r" : "w");
        type = 1;
        stype = 0;
    } else {
        String path(256);
        FileTool::addUserPath(name, path);
        if (!reading) FileTool::makeDir(path.get(), 1);
        fp = std::fopen(path.get(), mode);
        type = 0;
        stype = 0;
    }
    if (!fp) return 0;
    fd = fileno(fp);
    opened = true;
    status = -1;
    return 1;
}

int File::openMemory(const void* data, size_t n) {
    close();
    if (!data && n > 0) return 0;
    static char none;
    fp = ::fmemopen(const_cast<void*>(n > 0 ? data : &none), n, "rb");
    if (!fp) return 0;
    type = stype = 0;
    access = READ;
    fd = -1;
    memory = static_cast<long>(n);
    opened = true;
    status = -1;
    return 1;
}

long File::size() const {
    if (!opened) return -1;
    if (memory >= 0) return memory;
    struct stat st;
    if (fstat(fileno(fp), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long>(st.st_size);
}

int File::close() {
    if (!opened) return 0;
    // A write that failed earlier leaves the stream's error flag; closing flushes the rest.
    bool ok = !std::ferror(fp);
    if (type == 1) {
        const int rc = ::pclose(fp);
        ok = ok && rc != -1;
        status = (rc != -1 && WIFEXITED(rc)) ? WEXITSTATUS(rc) : -1;
    } else if (stype == 1) {
        ok = std::fflush(fp) == 0 && ok;
    } else if (!shared) {
        ok = std::fclose(fp) == 0 && ok;
    }
    fp = nullptr;
    fd = -1;
    memory = -1;
    opened = false;
    stype = 0;
    type = 0;
    return ok ? 1 : 0;
}

int File::getLine(char* buf, int size) {
    if (!opened || !buf || size < 2) return 0;
    if (!std::fgets(buf, size, fp)) {
        buf[0] = 0;
        return 0;
    }
    return static_cast<int>(std::strlen(buf));
}

int File::getLine(String& line) {
    const int n = getLine(line.buffer(), line.maxLength());
    if (n == 0) line.clear();
    line.reset();
    return n;
}

int File::skipLine() {
    if (!opened) return 0;
    int c;
    while ((c = std::fgetc(fp)) != EOF)
        if (c == '\n') return 1;
    return 0;
}

int File::rewind() {
    if (!opened || type == 1) return 0;
    std::rewind(fp);
    return 1;
}

bool File::endFile() const { return !opened || std::feof(fp); }

int File::scanf(const char* fmt, ...) {
    if (!opened || !fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vfscanf(fp, fmt, ap);
    va_end(ap);
    return n;
}

int File::printf(const char* fmt, ...) {
    if (!opened || !fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vfprintf(fp, fmt, ap);
    va_end(ap);
    return n;
}

int File::puts(const char* text) {
    if (!opened || !text) return 0;
    return std::fputs(text, fp) >= 0 ? 1 : 0;
}

int File::read(void* bytes, int size, int n) {
    if (!opened || !bytes || size <= 0 || n <= 0) return 0;
    return static_cast<int>(std::fread(bytes, size, n, fp));
}

int File::getc() { return opened ? std::fgetc(fp) : EOF; }

int File::write(const void* bytes, int size, int n) {
    if (!opened || !bytes || size <= 0 || n <= 0) return 0;
    return static_cast<int>(std::fwrite(bytes, size, n, fp));
}

int File::seek(long offset, int whence) {
    if (!opened) return 0;
    return std::fseek(fp, offset, whence) == 0 ? 1 : 0;
}

long File::tell() { return opened ? std::ftell(fp) : -1; }

int File::flush() { return opened && std::fflush(fp) == 0 ? 1 : 0; }

} // namespace HYX
