// Program-level helpers: the title line, the interactive prompt with its "set" and
// "exit" commands.
#ifndef HYX_PROG_H
#define HYX_PROG_H

#include "HYX/String.h"

namespace HYX {

class Prog {
public:
    // Buffer size of the String forms of prompt().
    static constexpr int PROMPT_SIZE = 160;

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

    // "set" lists the resources, "set name value" / "set name=value" stores a value,
    // "exit" ends the program. 1 when the line was a command, 0 otherwise.
    static int setCommand(const char* line);
};

} // namespace HYX

#endif
