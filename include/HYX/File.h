// Thin wrapper over a file, a standard stream or a "|command" pipe.
#ifndef HYX_FILE_H
#define HYX_FILE_H

#include "HYX/Export.h"
#include "HYX/FileAttr.h"

#include <cstdio>

namespace HYX {

class String;

class HYX_API File : public FileAttr {
public:
    File() = default;
    File(const char* name, const char* mode) { open(name, mode); }
    File(const String& name, const char* mode);
    File(const char* name, int acc) { open(name, acc); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { close(); }

    // Mode as for fopen; a leading "p" is skipped. "-", "std" and "stdn" are the standard
    // streams; a name beginning with "|" runs the rest as a command.
    int open(const char* name, const char* mode);
    int open(const char* name, int access);
    // Reads the n bytes at data, which must stay there while the file is open.
    int openMemory(const void* data, size_t n);
    // 0 when nothing was open, or when the stream could not be completed (a failed write or
    // flush, a pipe that could not be closed).
    int close();
    bool isOpen() const { return opened; }
    int getAccess() const { return access; }

    // Reads up to size - 1 characters, stopping after a line feed (kept); 0 at the end.
    int getLine(char* buf, int size);
    int getLine(String& line);
    int skipLine();
    int rewind();
    bool endFile() const;
    int scanf(const char* fmt, ...) __attribute__((format(scanf, 2, 3)));
    int printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    int puts(const char* text);
    int read(void* bytes, int size, int n);
    int read(void* bytes, int n) { return read(bytes, 1, n); }
    int getc();
    int write(const void* bytes, int size, int n);
    int write(const void* bytes, int n) { return write(bytes, 1, n); }
    int seek(long offset, int whence);
    long tell();
    // The bytes of a regular file or of one in memory; -1 for other streams.
    long size() const;
    int flush();
    FILE* getFP() const { return fp; }
    void setShare(int s) { shared = s; }
    // Exit status of a closed pipe (-1 when not a pipe).
    int getStatus() const { return status; }

private:
    int type = 0;  // 0 file or standard stream, 1 command pipe
    int stype = 0; // 1 standard input or output
    FILE* fp = nullptr;
    int fd = -1;
    bool opened = false;
    int access = READ;
    int shared = 0;
    int status = -1;
    long memory = -1; // the size of one in memory
};

} // namespace HYX

#endif
