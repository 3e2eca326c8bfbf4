// An output file written whole: a new or replaced file is written under a temporary name
// beside it and renamed into place only when it has been completed without error, so that
// a failed run leaves neither a partial file nor a damaged earlier one. An appended file is
// cut back to its former length when the addition fails. Pipes, standard output and
// devices are written directly; their write errors are still reported by close.
#ifndef HYX_OUTPUTFILE_H
#define HYX_OUTPUTFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"

#include <string>

namespace HYX {

class HYX_API OutputFile : private File {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // An output that was never completed is discarded.
    ~OutputFile() { discard(); }

    // mode "w" creates or replaces name, "a" appends to it; names as for File ("|command",
    // "-", "~/..."), and missing directories are created. 0 when it cannot be opened.
    int open(const char* name, const char* mode);
    // Completes the output: 1 when all of it was written and is in place; otherwise 0,
    // nothing of it is left behind and getError tells why.
    int close();
    // Ends the output without completing it, as if it had failed.
    int discard();
    const char* getError() const;

    // As for File; the first write that fails is remembered for close to report.
    int printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    int puts(const char* text);
    int write(const void* bytes, int size, int n);

    // The file itself, for writers that take one (images); what they fail to write still
    // shows when the output is closed.
    File& asFile() { return *this; }

    using File::flush;
    using File::getFP;
    using File::isOpen;
    using File::seek;
    using File::tell;

private:
    void undo();
    // Keeps errno of the first failure.
    void failed();

    std::string target; // the name the output ends up under
    std::string temp;   // the temporary it is written to, empty when written in place
    long kept = -1;     // length of an appended file before this output, -1 when not appending
    int err = 0;        // errno of the failure
};

} // namespace HYX

#endif
