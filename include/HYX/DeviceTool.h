// Helpers shared by the file devices: packed colour values and opening the output by the
// file-name convention ("|command" a pipe, "+name" appended, anything else created).
#ifndef HYX_DEVICETOOL_H
#define HYX_DEVICETOOL_H

#include "HYX/Export.h"

namespace HYX {

class OutputFile;

class HYX_API DeviceTool {
public:
    // A colour component 0..1 as a byte 0..255 (truncated; out-of-range values clamped).
    static int toByte(float c);
    // The packed value (r << 16) + (g << 8) + b of components 0..1.
    static int packColor(float r, float g, float b);
    // Opens name for writing and says so on standard output ("Spooling to: ", "Appending
    // to: ", "Creating: "); append becomes 1 for a "+" name. A "|" name is a pipe only when
    // pipes is true (the File class runs it either way). Returns 0 when it cannot be opened.
    static int openOutput(OutputFile& file, const char* name, bool pipes, int& append);
};

} // namespace HYX

#endif
