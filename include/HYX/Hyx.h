// Program-wide services: the resource store, message levels and output, program
// identity, the data base path, timing and the exit codes.
#ifndef HYX_HYX_H
#define HYX_HYX_H

#include "HYX/Export.h"

#include <cstdint>

namespace HYX {

class Resrc;

class HYX_API Hyx {
public:
    enum Error {
        NOERR = 0,
        NORUN = 1,
        MISC = 2,
        NOMEMORY = 3,
        NOGRAPH = 4,
        NOINIT = 5,
        NOFILE = 6,
        NODBASE = 7,
        NOWRITE = 8,
        NOINPUT = 9,
        NODATA = 10
    };

    // Message levels.
    enum Level {
        NONE = 0,
        PRINT = 1,
        ERROR = 2,
        WARN = 3,
        MESS = 4,
        OUT1 = 5,
        OUT2 = 6,
        OUT3 = 7,
        OUT4 = 8,
        OUT5 = 9,
        OUT6 = 10,
        OUT7 = 11,
        OUT8 = 12,
        DEBUG1 = 13,
        DEBUG2 = 14,
        DEBUG3 = 15,
        DEBUG4 = 16,
        DEBUG5 = 17,
        DEBUG6 = 18,
        DEBUG7 = 19,
        DEBUG8 = 20
    };

    static void setMessageLevel(int n);
    static void setMessageLevel(const char* spec);
    static bool checkMessage(int level);
    static bool isDebug();
    static bool isDebug(int n);
    static uint32_t getMessageMask();
    static void setMessageMask(uint32_t mask);

    static void outMessage(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
    static void outMessage(int level, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    static void outDebug(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
    static void outDebug(int n, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    static void outWarning(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
    static void outError(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
    static void print(const char* text);

    static void setProgramName(const char* name);
    static const char* getProgramName();
    static void setDatabasePath(const char* path);
    static const char* getDatabasePath();
    static void setInitTime(int seconds);
    static int getInitTime();
    // Reference times given as text (the resource cur_time) are read by the date layer, which
    // installs its reader here when the library is loaded: seconds since 1970, or missing.
    using TimeReader = long (*)(const char* text);
    static void setTimeReader(TimeReader reader);
    static long readTime(const char* text);
    static const char* getVersion() { return "6.65-LINUX-X11"; }
    static const char* getComputerName();

    // The program-wide resource store.
    static Resrc& getResrcStore();
    static const char* getResrc(const char* name);
    static const char* getResrc(const char* name, const char* def);
    static int addResrc(const char* name, const char* value, int type);
    static int appendResrc(const char* name, const char* value);
    static int putResrc(const char* name, const char* value);
    static int getResrcType(const char* name);
    static void printAllResrc();

    static double getTime();
    static int getVirtMem();
    static void sleep(float seconds);
    static void pause();
    // Runs the registered exit handlers (closing output), then ends the process.
    [[noreturn]] static void exit(Error code);
    [[noreturn]] static void exit(int code) { exit(static_cast<Error>(code)); }
    // Handlers run by exit(), most recent first, e.g. to complete file output.
    static void addExitHandler(void (*fn)(void*), void* arg);
    static void removeExitHandler(void* arg);
};

} // namespace HYX

#endif
