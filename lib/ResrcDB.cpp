// Start-up builder of the resource store.
#include "HYX/ResrcDB.h"

#include "HYX/Hyx.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcCL.h"
#include "HYX/ResrcDBList.h"
#include "HYX/ResrcEnv.h"
#include "HYX/ResrcFile.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cstring>

namespace HYX {

namespace {

// Keys handled by the first pass: the instance name and the resource-file path.
bool isFirstPassKey(const char* key) {
    const int n = StrLib::length(key);
    if (n == 0) return false;
    return (n <= 4 && StrLib::iequal(key, "name", n)) || StrLib::iequal(key, "default", 7) ||
           StrLib::iequal(key, "df", 2);
}

// First pass over the command line: the instance name and the resource-file path.
void readFirstPass(Resrc& store, ResrcCL& cl) {
    String key, value;
    cl.rewind();
    for (;;) {
        const int r = cl.getKeyed(key, value);
        if (r < 0) break;
        if (r == 0) {
            cl.getPosition(value);
            continue;
        }
        if (ResrcCL::compare(key.get(), "name", "na")) store.add("name", value.get(), Resrc::CMDLN);
        if (key.iequal("default") || key.iequal("df"))
            store.add("default", value.get(), Resrc::CMDLN);
    }
}

// Every item of both lists whose qualified name the key matches gets the value; a valid
// key that matches none is stored under its own last component.
void storeFileLine(Resrc& store, const ResrcFile& rf, ResrcDBList* const lists[2],
                   const String& key, const String& value) {
    bool matched = false;
    for (int l = 0; l < 2; ++l) {
        for (int i = 0; i < lists[l]->getNum(); ++i) {
            const ResrcDBItem* item = lists[l]->get(i);
            if (rf.compare(item->name, key.get())) {
                store.add(item->name, value.get(), Resrc::FILE);
                matched = true;
            }
        }
    }
    if (!matched && rf.valid(key.get())) {
        String last;
        ResrcFile::parseName(key.get(), last);
        store.add(last.get(), value.get(), Resrc::FILE);
    }
}

void readFiles(Resrc& store, ResrcDBList* lists[2]) {
    Strings path(store.get("default", ResrcDB::DEFAULT_PATH), ':');
    ResrcFile rf(store);
    String tag, key, value;
    for (int i = 0; i < path.getNum(); ++i) {
        const char* elem = path.getString(i);
        if (elem && elem[0] == '+') {
            tag.copy(elem + 1);
            continue;
        }
        if (!rf.open(elem ? elem : "")) continue;
        if (tag.valid() && !rf.hasTag(tag.get())) rf.setTag(tag.get());
        while (rf.get(key, value) == 1) storeFileLine(store, rf, lists, key, value);
        rf.close();
    }
}

void readEnvironment(Resrc& store, ResrcDBList* lists[2]) {
    String value;
    for (int l = 0; l < 2; ++l) {
        for (int i = 0; i < lists[l]->getNum(); ++i) {
            const ResrcDBItem* item = lists[l]->get(i);
            if (ResrcEnv::get(store, item->name, item->env, value))
                store.add(item->name, value.get(), Resrc::ENV);
        }
    }
}

// The resource a keyed argument sets: the first item whose short option is the key,
// else the first item whose name begins with the key; null when none.
const char* keyedName(ResrcDBList& keyed, const char* key) {
    for (int i = 0; i < keyed.getNum(); ++i)
        if (ResrcCL::compare(key, keyed.get(i)->name, keyed.get(i)->cmdln) == 2)
            return keyed.get(i)->name;
    for (int i = 0; i < keyed.getNum(); ++i)
        if (ResrcCL::compare(key, keyed.get(i)->name, keyed.get(i)->cmdln))
            return keyed.get(i)->name;
    return nullptr;
}

void readCommandLine(Resrc& store, ResrcCL& cl, ResrcDBList& keyed, ResrcDBList& positional) {
    String key, value;
    cl.rewind();
    for (;;) {
        const int r = cl.getKeyed(key, value);
        if (r < 0) break;
        if (r == 1) {
            if (isFirstPassKey(key.get())) continue;
            const char* res = keyedName(keyed, key.get());
            store.add(res ? res : key.get(), value.get(), Resrc::CMDLN);
            continue;
        }
        const int n = cl.getPosition(value);
        if (positional.getNum() == 0) continue;
        const int last = positional.getNum() - 1;
        const ResrcDBItem* item = positional.get(n < last ? n : last);
        if (store.getType(item->name) == Resrc::CMDLN)
            store.append(item->name, value.get(), '\n');
        else
            store.add(item->name, value.get(), Resrc::CMDLN);
    }
}

} // namespace

int ResrcDB::decodeProgramName(const char* path, String& name) {
    if (!path) {
        name.clear();
        return 0;
    }
    const char* slash = std::strrchr(path, '/');
    name.copy(slash ? slash + 1 : path);
    return 1;
}

int ResrcDB::create(const Strings& args, ResrcDBList& keyed, ResrcDBList& positional) {
    Resrc& store = Hyx::getResrcStore();
    ResrcDBList* lists[2] = {&keyed, &positional};

    String prog;
    decodeProgramName(args.getString(0), prog);
    store.add("prog", prog.get(), Resrc::PROG);
    Hyx::setProgramName(prog.get());
    store.add("name", prog.get(), Resrc::PROG);

    String value;
    if (ResrcEnv::get(store, "default", nullptr, value))
        store.add("default", value.get(), Resrc::ENV);

    ResrcCL cl(args);
    readFirstPass(store, cl);
    readFiles(store, lists);
    readEnvironment(store, lists);
    readCommandLine(store, cl, keyed, positional);

    Hyx::setMessageLevel(store.get("message"));
    if (const char* fp = store.get("file_path")) Hyx::setDatabasePath(fp);
    if (Hyx::isDebug(5)) Hyx::printAllResrc();
    return 1;
}

int ResrcDB::printHelp(const char* prog, const ResrcDBList& keyed, const ResrcDBList& positional) {
    const char* p = prog ? prog : "";
    Hyx::outMessage("%s syntax (version:%s)\n", p, Hyx::getVersion());
    Hyx::outMessage("   %s [options...]\n", p);
    Hyx::outMessage("Keyed options...\n");
    Hyx::outMessage(" -df file...  Resource/defaults file name\n");
    Hyx::outMessage(" -na name     Program name\n");
    const auto row = [](const ResrcDBItem* item) {
        Hyx::outMessage(" %s\n", item->help ? item->help : item->name ? item->name : "");
    };
    for (int i = 0; i < keyed.getNum(); ++i) row(keyed.get(i));
    Hyx::outMessage("Positional options...\n");
    for (int i = 0; i < positional.getNum(); ++i) row(positional.get(i));
    return 1;
}

} // namespace HYX
