// Helpers shared by the file devices.
#include "HYX/DeviceTool.h"

#include "HYX/Hyx.h"
#include "HYX/OutputFile.h"

namespace HYX {

int DeviceTool::toByte(float c) {
    if (!(c > 0)) return 0;
    if (c >= 1) return 255;
    return static_cast<int>(c * 255);
}

int DeviceTool::packColor(float r, float g, float b) {
    return (toByte(r) << 16) + (toByte(g) << 8) + toByte(b);
}

int DeviceTool::openOutput(OutputFile& file, const char* name, bool pipes, int& append) {
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

} // namespace HYX
