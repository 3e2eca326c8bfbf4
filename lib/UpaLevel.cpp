// One sounding level.
#include "HYX/UpaLevel.h"

#include <cstdio>

namespace HYX {

namespace {

const float MANDATORY[UpaLevel::NUM_MANDATORY] = {1000, 925, 850, 700, 500, 400, 300, 250,
                                                  200,  150, 100, 70,  50,  30,  20,  10};

void fill(float& mine, float theirs) {
    if (mine == Const::FMISS) mine = theirs;
}

} // namespace

void UpaLevel::update(const UpaLevel& o) {
    if (type == 0) type = o.type;
    fill(p, o.p);
    fill(h, o.h);
    fill(t, o.t);
    fill(td, o.td);
    fill(dir, o.dir);
    fill(spd, o.spd);
}

void UpaLevel::print() const {
    std::printf("P:%6.1f H:%7.0f T:%7.1f Td:%7.1f Dir:%6.0f Spd:%6.0f\n", p, h, t, td, dir, spd);
}

int UpaLevel::getMandatoryIndex(float pres) {
    for (int i = 0; i < NUM_MANDATORY; ++i)
        if (MANDATORY[i] == pres) return i;
    return -1;
}

float UpaLevel::getMandatoryPres(int i) {
    return i >= 0 && i < NUM_MANDATORY ? MANDATORY[i] : Const::FMISS;
}

} // namespace HYX
