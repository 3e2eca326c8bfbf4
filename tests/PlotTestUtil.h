// Set-up shared by the tests that draw on a plot: a clean resource store with the
// installed database, and a plot opened on a recording device with device text ("hfont"),
// so that labels arrive as text primitives.
#ifndef HYX_TEST_PLOTTESTUTIL_H
#define HYX_TEST_PLOTTESTUTIL_H

#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Resrc.h"

#include "RecordDevice.h"

#include <gtest/gtest.h>

#include <memory>

namespace testutil {

inline void resetPlotState() {
    HYX::Hyx::getResrcStore().clear();
    HYX::Hyx::setDatabasePath(HYX_SHARE);
    HYX::Hyx::setMessageLevel("mess");
    HYX::Hyx::setInitTime(HYX::Const::MISS);
}

// The device belongs to the plot; the pointer stays valid until the plot closes.
inline RecordDevice* openRecording(HYX::Plot& plot, float w, float h) {
    auto dev = std::make_unique<RecordDevice>(w, h);
    RecordDevice* d = dev.get();
    plot.setDevice(std::move(dev), HYX::Graph::XWINDOW);
    EXPECT_EQ(plot.open("hfont"), 1);
    return d;
}

} // namespace testutil

#endif
