// Program-level helpers: title, prompt and interactive commands.
#include "HYX/Prog.h"

#include "HYX/Hyx.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcFile.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace HYX {

namespace {

constexpr int WORD_SIZE = 20; // command words and resource names: up to 19 characters

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Copies the run of characters at p that stops at a blank (or also at "=" when
// stopAtEqual), keeping at most WORD_SIZE - 1 of them; returns the position after the run.
const char* readWord(const char* p, char* word, bool stopAtEqual) {
    int n = 0;
    while (*p && !isBlank(*p) && !(stopAtEqual && *p == '=')) {
        if (n < WORD_SIZE - 1) word[n++] = *p;
        ++p;
    }
    word[n] = 0;
    return p;
}

} // namespace

int Prog::printHelp(const ResrcDBList& keyed, const ResrcDBList& positional,
                    const char* description) {
    if (!Hyx::getResrc("help")) return 0;
    const char* prog = Hyx::getResrc("prog", "");
    Hyx::outMessage("%s: %s\n", prog, description ? description : "");
    ResrcDB::printHelp(prog, keyed, positional);
    return 1;
}

int Prog::readResrcFile(const char* prog, const char* name, const char* tag, const char* path) {
    if (!prog) prog = "hyx";
    if (!path) path = std::getenv("hyxdefault");
    if (!path) path = DEFAULT_PATH;
    Resrc& store = Hyx::getResrcStore();
    ResrcFile rf(store);
    rf.set(prog, name ? name : prog);
    const Strings dirs(path, ':');
    for (int i = 0; i < dirs.getNum(); ++i) {
        if (StrLib::valid(tag) && !rf.hasTag(tag)) rf.setTag(tag);
        rf.readFile(store, dirs.getString(i) ? dirs.getString(i) : "");
    }
    Hyx::setMessageLevel(store.get("message"));
    if (const char* fp = store.get("file_path")) Hyx::setDatabasePath(fp);
    if (const char* t = store.get("cur_time"))
        Hyx::setInitTime(static_cast<int>(Hyx::readTime(t)));
    return 1;
}

int Prog::readResrcFile(const char* prog, const char* path) {
    return readResrcFile(prog, prog, nullptr, path);
}

int Prog::readResrcFile(const char* prog) { return readResrcFile(prog, prog, nullptr, nullptr); }

int Prog::readResrcFile() { return readResrcFile(nullptr, nullptr, nullptr, nullptr); }

int Prog::printProg(const char* title) { return printProg(Hyx::MESS, title); }

int Prog::printProg(int level, const char* title) {
    Hyx::outMessage(level, "      %s (Ver %s)\n\n", title ? title : "", Hyx::getVersion());
    return 1;
}

int Prog::prompt(const char* text, char* buf, int size) {
    if (!buf || size < 1) return 1;
    do {
        if (text) std::fputs(text, stdout);
        std::fflush(stdout);
        buf[0] = 0;
        // Room for size - 2 characters: the line end included, as the line reader counts.
        if (size < 3 || !std::fgets(buf, size - 1, stdin)) {
            buf[0] = 0;
        } else if (!StrLib::contains(buf, "\n")) {
            // An over-long line: what did not fit is dropped, not taken as the next answer.
            int c;
            while ((c = std::getc(stdin)) != EOF && c != '\n') {
            }
        }
        StrLib::trimWS(buf);
    } while (setCommand(buf));
    return 1;
}

int Prog::prompt(const char* text, String& out) {
    char buf[PROMPT_SIZE];
    prompt(text, buf, PROMPT_SIZE);
    out.copy(buf);
    return 1;
}

String Prog::prompt(const char* text) {
    String out;
    prompt(text, out);
    return out;
}

int Prog::setCommand(const char* line) {
    if (!line) return 0;
    const char* p = line;
    while (isBlank(*p)) ++p;
    char word[WORD_SIZE];
    p = readWord(p, word, false);
    if (StrLib::equal(word, "set")) {
        while (isBlank(*p)) ++p;
        char name[WORD_SIZE];
        p = readWord(p, name, true);
        if (!name[0]) {
            Hyx::print("Set resources\n");
            Hyx::printAllResrc();
            Hyx::print("\n");
            std::fflush(stdout);
            return 1;
        }
        while (*p == '=' || isBlank(*p)) ++p;
        Hyx::putResrc(name, p);
        return 1;
    }
    if (StrLib::equal(line, "exit")) Hyx::exit(Hyx::NOERR);
    return 0;
}

} // namespace HYX
