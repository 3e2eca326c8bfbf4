// Helpers shared by the file devices.
#include "HYX/DeviceTool.h"

#include "HYX/File.h"
#include "HYX/Hyx.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace HYX {

int DeviceTool::toByte(float c) {
    if (!(c > 0)) return 0;
    if (c >= 1) return 255;
    return static_cast<int>(c * 255);
}

int DeviceTool::packColor(float r, float g, float b) {
    return (toByte(r) << 16) + (toByte(g) << 8) + toByte(b);
}

int DeviceTool::openOutput(File& file, const char* name, bool pipes, int& append) {
    append = 0;
    if (!name) return 0;
    if (pipes && name[0] == '|') {
        Hyx::outMessage("Spooling to: %s\n", name + 1);
        return file.open(name, "w");
    }
    if (name[0] == '+') {
        Hyx::outMessage("Appending to: %s\n", name + 1);
        append = 1;
        return file.open(name + 1, "a");
    }
    Hyx::outMessage("Creating: %s\n", name);
    return file.open(name, "w");
}

int DeviceTool::openBeside(File& file, const char* name, std::string& temp) {
    temp.clear();
    if (!name || !name[0]) {
        errno = ENOENT;
        return 0;
    }
    const std::string path = name;
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) {
        errno = EISDIR;
        return 0;
    }
    std::string tmpl = dir + "." + base + ".XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back(0);
    const int fd = mkstemp(buf.data());
    if (fd < 0) return 0;
    // The finished file gets the permissions a newly created one would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    temp = buf.data();
    if (file.open(temp.c_str(), "wb")) return 1;
    const int err = errno;
    std::remove(temp.c_str());
    temp.clear();
    errno = err;
    return 0;
}

} // namespace HYX
