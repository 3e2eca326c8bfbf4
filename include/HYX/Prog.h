// Program-level helpers: the help listing, the title line, a resource-file loader for
// programs without option lists, and the interactive prompt with its "set" and "exit"
// commands.
#ifndef HYX_PROG_H
#define HYX_PROG_H

#include "HYX/Export.h"
#include "HYX/String.h"

namespace HYX {

class ResrcDBList;

class HYX_API Prog {
public:
    // Buffer size of the String forms of prompt().
    static constexpr int PROMPT_SIZE = 160;
    // Search path of readResrcFile when none is given and hyxdefault is not set.
    static constexpr const char* DEFAULT_PATH = ".:/home/hyx/etc:/usr/local/hyx/etc";

    // When the resource help is set: prints "<prog>: <description>" and the option
    // listing, and returns 1. Otherwise prints nothing and returns 0.
    static int printHelp(const ResrcDBList& keyed, const ResrcDBList& positional,
                         const char* description);

    // Prints "      <title> (Ver <version>)" and a blank line at the given message level
    // (mess by default).
    static int printProg(const char* title);
    static int printProg(int level, const char* title);

    // Writes text, reads one line from standard input into buf (at most size - 2
    // characters), trims trailing white space and repeats while the line was a command.
    // End of input gives an empty answer.
    static int prompt(const char* text, char* buf, int size);
    static int prompt(const char* text, String& out);
    static String prompt(const char* text);

    // Reads resource files along path (else $hyxdefault, else DEFAULT_PATH) into the
    // program-wide store: every valid key under its last component, a later value
    // winning; tag, when given, is defined in every file. Then applies the resources
    // message and file_path. A null prog is "hyx"; the shorter forms use prog as name.
    static int readResrcFile(const char* prog, const char* name, const char* tag, const char* path);
    static int readResrcFile(const char* prog, const char* path);
    static int readResrcFile(const char* prog);
    static int readResrcFile();

    // "set" lists the resources, "set name value" / "set name=value" stores a value,
    // "exit" ends the program. 1 when the line was a command, 0 otherwise.
    static int setCommand(const char* line);
};

} // namespace HYX

#endif
