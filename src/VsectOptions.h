// The options vsect offers, in the order of its help listing and of matching abbreviated
// keys; shared by the program and the tests that start it in-process.
#ifndef VSECT_OPTIONS_H
#define VSECT_OPTIONS_H

#include "HYX/HyxResrc.h"
#include "HYX/ResrcDBList.h"

inline void vsectOptions(HYX::ResrcDBList& keyed, HYX::ResrcDBList& positional) {
    using H = HYX::HyxResrc;
    for (int id : {H::GROUP_PROGRAM, H::GROUP_PATHS, H::GROUP_MAPS, H::GROUP_NAMING, H::GROUP_TIME,
                   H::GROUP_DOMAIN, H::GROUP_IDENT, H::GROUP_PLOT, H::GROUP_COLORS, H::GROUP_WINDOW,
                   H::VARIABLE})
        H::add(keyed, id);
    H::add(positional, H::FILENAME);
}

#endif
