// The common part of the readers of soundings from other systems' files: the whole input
// held in memory (from a file, standard input or a caller's buffer), taken line by line,
// and one warning line per problem naming the input and the line.
#ifndef HYX_UPAREADER_H
#define HYX_UPAREADER_H

#include "HYX/Export.h"

#include <string>
#include <string_view>
#include <vector>

namespace HYX {

class UpaData;
class UpaLevel;

class HYX_API UpaReader {
public:
    // Inputs larger than this are refused: no sounding archive file comes near it.
    static constexpr size_t MAX_INPUT = size_t(1) << 30;

    UpaReader() = default;
    UpaReader(const UpaReader&) = delete;
    UpaReader& operator=(const UpaReader&) = delete;
    virtual ~UpaReader() = default;

    // Reads the file ("-" for standard input); 0, after a warning, when it cannot.
    int open(const char* name);
    // Reads from a copy of len bytes of data instead; label names it in warnings.
    void setText(const char* data, size_t len, const char* label = "(buffer)");
    // The next sounding, its levels as the input gives them (not sorted or filled): 1,
    // or -1 at the end of the input. Parts of the input that cannot be read are named in
    // warnings and skipped.
    virtual int read(UpaData& out) = 0;

    const char* getName() const { return name.c_str(); }
    // Warnings given for the current input.
    int getErrors() const { return errors; }
    // Reports of the current input that gave no sounding, each with why (a page saying
    // that its sounding is missing, a coded report without levels).
    const std::vector<std::string>& getSkipped() const { return skipped; }

    // Reads a whole file (standard input for "-") into out, at most MAX_INPUT bytes; 0
    // with why in err when it cannot.
    static int slurp(const char* name, std::string& out, std::string& err);

protected:
    // Called whenever new input has been set, to start reading from its beginning.
    virtual void start() {}
    // The next line (without its line end) and its number; false at the end.
    bool nextLine(std::string_view& line);
    // Puts the line last taken back, to be taken again.
    void unread();
    int getLine() const { return lineno; }
    // Warns "<class>: <input> line <n>: <what>"; line 0 leaves the line out.
    void warn(int line, const char* what, const std::string& detail = std::string());
    // Appends a level to a sounding; once a sounding is full a warning says so (once).
    int addLevel(UpaData& d, const UpaLevel& lev);
    // Starts a new sounding for addLevel's warning.
    void beginSounding() { full = false; }
    // Input replaced by other bytes (the inflated member of a zip archive).
    void replaceText(std::string&& text);
    virtual const char* kind() const = 0;

    void skip(const std::string& why) { skipped.push_back(why); }

    std::string buf;

private:
    void reset();

    std::string name;
    size_t pos = 0;
    size_t last = 0;
    int lineno = 0;
    int errors = 0;
    bool full = false;
    std::vector<std::string> skipped;
};

} // namespace HYX

#endif
