// Resource-file reader. A line holds a key and a value ("vsect.background: black",
// "*title \"My plot\""); "#" starts a comment line; DEF/UNDEF define tags and
// IF/ELIF/ELSE/END select sections by tag. Tags and open sections are kept across the
// files one reader opens.
#ifndef HYX_RESRCFILE_H
#define HYX_RESRCFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"
#include "HYX/String.h"

#include <array>

namespace HYX {

class Resrc;

class HYX_API ResrcFile {
public:
    static constexpr int NAME_SIZE = 30; // program and instance names: 29 characters
    static constexpr int MAX_TAG = 10;
    static constexpr int TAG_SIZE = 20;    // 19 characters
    static constexpr int MAX_NEST = 10;    // depth of IF sections that are evaluated
    static constexpr int KEY_SIZE = 50;    // first word: 49 characters
    static constexpr int VALUE_SIZE = 250; // second word, and pieces of long lines
    // Section states.
    static constexpr unsigned char FALSE_SO_FAR = 0;
    static constexpr unsigned char TAKEN = 1;
    static constexpr unsigned char CLOSED = 99;

    // Takes the program and instance names from the resources prog and name.
    explicit ResrcFile(const Resrc& store);
    ResrcFile(const Resrc& store, const char* path);
    ResrcFile(const ResrcFile&) = delete;
    ResrcFile& operator=(const ResrcFile&) = delete;

    void set(const char* prog, const char* name);

    // An empty path is hyx.cfg in the working directory; a directory gives the first
    // existing of hyx.cfg, .hyxdef and Hyx.res in it.
    int open(const char* path);
    bool isOpen() const { return opened; }
    int close();

    // 0 when MAX_TAG tags are defined, else adds the tag (cut to 19 characters).
    int setTag(const char* tag);
    bool hasTag(const char* tag) const;
    int getNumTag() const { return num_tag; }
    int getDepth() const { return num_match + num_refused; }

    // The next resource line: 1 with key (lower case, one trailing ":" removed) and value;
    // -1 at the end of the file or when no file is open.
    int get(String& key, String& value);
    // 1 when the file key (a pattern, "*" matching any run) matches the qualified name of
    // the resource name.
    int compare(const char* name, const char* key) const;
    // The qualified name of a resource: prog.res, prog.inst.res for an instance "+inst",
    // inst.res for another instance name.
    int qualify(const char* res, String& out) const;
    // 1 when the key pattern matches the qualified name.
    static int matchKey(const char* key, const char* qualified);
    // 1 when the key addresses this program under its own last component.
    int valid(const char* key) const;
    // The last component of a key: the text after the last "." or "*".
    static int parseName(const char* key, String& name);
    // The next line with a valid key, the key reduced to its last component.
    int getValid(String& key, String& value);
    // Puts every valid line of the file into the store (origin run time); 0 when the file
    // does not open.
    int readFile(Resrc& store, const char* path);

private:
    bool readPiece();
    bool directive(const char* word, const char* arg, int nwords);
    void warnStray(const char* word) const;
    void computeMatches();
    bool isDefined(const char* tag) const;

    File file;
    char prog[NAME_SIZE] = "";
    char name[NAME_SIZE] = "";
    std::array<std::array<char, TAG_SIZE>, MAX_TAG> tag{};
    int num_tag = 0;
    std::array<unsigned char, MAX_NEST> match{};
    int num_match = 0;
    // IF sections beyond MAX_NEST: skipped whole until their END.
    int num_refused = 0;
    bool matches = true;
    bool opened = false;

    String path_name;
    int line_num = 0;
    bool at_line_start = true;
    char piece[VALUE_SIZE] = "";
};

} // namespace HYX

#endif
