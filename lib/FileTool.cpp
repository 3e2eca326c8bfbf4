// Path functions over ":"-separated directory lists.
#include "HYX/FileTool.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace HYX {

namespace {

bool statPath(const char* path, struct stat& st) {
    if (!StrLib::valid(path)) return false;
    String full(256);
    FileTool::addUserPath(path, full);
    return ::stat(full.get(), &st) == 0;
}

} // namespace

bool FileTool::isFullPath(const char* text) {
    if (!text) return false;
    return StrLib::equal(text, "http://", 7) || text[0] == '/' || text[0] == '.' || text[0] == '~';
}

bool FileTool::isStdio(const char* text) {
    return StrLib::equal(text, "-") || StrLib::iequal(text, "std") || StrLib::iequal(text, "stdn");
}

int FileTool::numPath(const char* list) {
    if (!list) return 0;
    return StrLib::occurs(list, ':') + 1;
}

int FileTool::getPath(const char* list, int i, String& out) {
    Strings parts(list, ':');
    const char* p = parts.getString(i);
    if (i < 0 || i >= parts.getNum()) return 0;
    out.copy(p ? p : "");
    return 1;
}

int FileTool::addPathDelim(String& path) {
    if (path.length() > 0 && path.getChar(-1) != '/') path.append('/');
    return 1;
}

int FileTool::addUserPath(const char* text, String& out) {
    if (!text) {
        out.clear();
        return 0;
    }
    if (text[0] != '~') return out.copy(text);
    const char* rest = text + 1;
    const char* slash = std::strchr(rest, '/');
    std::string user = slash ? std::string(rest, slash - rest) : std::string(rest);
    const char* home = nullptr;
    if (user.empty()) {
        home = std::getenv("HOME");
        if (!home) {
            const passwd* pw = getpwuid(getuid());
            home = pw ? pw->pw_dir : nullptr;
        }
    } else {
        const passwd* pw = getpwnam(user.c_str());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home) return out.copy(text);
    out.copy(home);
    if (slash) out.append(slash);
    return 1;
}

int FileTool::addPath(const char* list, const char* file, String& out) {
    if (!file) {
        out.clear();
        return 0;
    }
    if (isStdio(file) || isFullPath(file)) {
        out.copy(file);
        return exist(file) ? 1 : 0;
    }
    if (!StrLib::valid(list)) {
        out.copy(file);
        return exist(file) ? 1 : 0;
    }
    Strings dirs(list, ':');
    for (int i = 0; i < dirs.getNum(); ++i) {
        out.copy(dirs.getString(i) ? dirs.getString(i) : "");
        addPathDelim(out);
        out.append(file);
        if (exist(out.get())) return 1;
    }
    return 0;
}

int FileTool::addOutPath(const char* list, const char* file, String& out) {
    if (!file) {
        out.clear();
        return 0;
    }
    if (isStdio(file) || isFullPath(file) || file[0] == '|' || !StrLib::valid(list)) {
        out.copy(file);
        return 1;
    }
    getPath(list, 0, out);
    addPathDelim(out);
    out.append(file);
    return 1;
}

bool FileTool::exist(const char* path) {
    struct stat st;
    return statPath(path, st);
}

bool FileTool::isDir(const char* path) {
    struct stat st;
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

bool FileTool::isFile(const char* path) {
    struct stat st;
    return statPath(path, st) && S_ISREG(st.st_mode);
}

std::string FileTool::inputProblem(const char* path) {
    struct stat st;
    if (!statPath(path, st))
        return errno == ENOENT || errno == ENOTDIR || !StrLib::valid(path)
                   ? "does not exist"
                   : std::string("cannot be read (") + std::strerror(errno) + ")";
    if (S_ISDIR(st.st_mode)) return "is a directory";
    if (!S_ISREG(st.st_mode)) return "is not a regular file";
    String full(256);
    addUserPath(path, full);
    if (::access(full.get(), R_OK) != 0)
        return std::string("cannot be read (") + std::strerror(errno) + ")";
    if (st.st_size == 0) return "is empty";
    return "";
}

bool FileTool::isFifo(const char* path) {
    struct stat st;
    return statPath(path, st) && S_ISFIFO(st.st_mode);
}

bool FileTool::isDevice(const char* path) {
    struct stat st;
    return statPath(path, st) && (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode));
}

long FileTool::getSize(const char* path) {
    struct stat st;
    return statPath(path, st) ? static_cast<long>(st.st_size) : -1;
}

time_t FileTool::getModTime(const char* path) {
    struct stat st;
    return statPath(path, st) ? st.st_mtime : 0;
}

int FileTool::remove(const char* path) {
    if (!StrLib::valid(path)) return 0;
    return std::remove(path) == 0 ? 1 : 0;
}

int FileTool::makeDir(const char* path, int file_path) {
    if (!StrLib::valid(path)) return 0;
    String full(256);
    addUserPath(path, full);
    std::string p = full.get();
    if (file_path) {
        const size_t slash = p.rfind('/');
        if (slash == std::string::npos || slash == 0) return 1;
        p.erase(slash);
    }
    for (size_t pos = 1; pos <= p.size(); ++pos) {
        if (pos < p.size() && p[pos] != '/') continue;
        const std::string part = p.substr(0, pos);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return 0;
    }
    return isDir(p.c_str()) ? 1 : 0;
}

int FileTool::checkPath(const char* list) {
    Strings dirs(list, ':');
    for (int i = 0; i < dirs.getNum(); ++i)
        if (isDir(dirs.getString(i))) return 1;
    return 0;
}

} // namespace HYX
