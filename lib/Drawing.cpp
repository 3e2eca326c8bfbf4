// Defaults of the drawing interface: no data of its own, no part in choosing frames.
#include "HYX/Drawing.h"

#include <cstdio>

namespace HYX {

Drawing::~Drawing() = default;

int Drawing::init() { return 1; }
int Drawing::getDomain(Domain&) { return 0; }
int Drawing::setFile() { return 0; }
int Drawing::setInput(const char*) { return 0; }
int Drawing::setNameConv(const char*) { return 0; }
int Drawing::setFilename() { return 0; }
int Drawing::setFilename(const char*) { return 0; }
int Drawing::setFilename(Date&) { return 1; }
int Drawing::setFilename(Date&, const char*) { return 1; }
int Drawing::setForeTime(const char*) { return 0; }
int Drawing::setParam(const char*) { return 1; }
int Drawing::getDate(Date&) { return 0; }
int Drawing::getLoopType() { return NO_LOOP; }
int Drawing::getInitDate(Date&) { return 0; }
int Drawing::getDateOffset() { return -1; }
int Drawing::getNumFrames() { return 1; }
int Drawing::getSync() { return 0; }
int Drawing::print() {
    std::printf("Drawing\n");
    return 1;
}

} // namespace HYX
