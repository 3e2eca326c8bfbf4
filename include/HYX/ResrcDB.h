// Builds the program-wide resource store at start-up: program values, then resource
// files along the search path, then the environment, then the command line, each later
// origin replacing the earlier.
#ifndef HYX_RESRCDB_H
#define HYX_RESRCDB_H

#include "HYX/Export.h"

namespace HYX {

class ResrcDBList;
class String;
class Strings;

class HYX_API ResrcDB {
public:
    // Search path of resource files when the resource default is not set.
    static constexpr const char* DEFAULT_PATH = ".:/home/hyx/etc:/usr/local/hyx/etc:/etc/hyx";

    static int create(const Strings& args, ResrcDBList& keyed, ResrcDBList& positional);
    // The text after the last "/"; 0 for a null path.
    static int decodeProgramName(const char* path, String& name);
    // The syntax listing of the options.
    static int printHelp(const char* prog, const ResrcDBList& keyed, const ResrcDBList& positional);
};

} // namespace HYX

#endif
