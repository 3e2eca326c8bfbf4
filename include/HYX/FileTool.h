// Path functions over ":"-separated directory lists; the first existing entry wins.
#ifndef HYX_FILETOOL_H
#define HYX_FILETOOL_H

#include "HYX/Export.h"

#include <ctime>
#include <string>

namespace HYX {

class String;

class HYX_API FileTool {
public:
    static bool isFullPath(const char* text);
    static bool isStdio(const char* text);
    static int numPath(const char* list);
    static int getPath(const char* list, int i, String& out);
    static int addPathDelim(String& path);
    static int addUserPath(const char* text, String& out);
    // Joins file with each directory of list; keeps the first that exists (else the last join).
    static int addPath(const char* list, const char* file, String& out);
    // Output name: file joined with the first directory of list (full paths unchanged).
    static int addOutPath(const char* list, const char* file, String& out);

    static bool exist(const char* path);
    static bool isDir(const char* path);
    static bool isFile(const char* path);
    static bool isFifo(const char* path);
    static bool isDevice(const char* path);
    // Why a file cannot serve as input: "does not exist", "is a directory", "is not a
    // regular file" (a device or a pipe, which might never end), "cannot be read (reason)"
    // or "is empty"; empty when it is a readable regular file with something in it.
    static std::string inputProblem(const char* path);
    static long getSize(const char* path);
    static time_t getModTime(const char* path);
    static int remove(const char* path);
    // file_path 1: creates the directories leading to the file; 0: the directory itself too.
    static int makeDir(const char* path, int file_path);
    // 1 when some directory of the list exists.
    static int checkPath(const char* list);
};

} // namespace HYX

#endif
