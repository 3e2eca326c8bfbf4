#include "FuzzTarget.h"

#include "HYX/ForeTime.h"
#include "HYX/String.h"

HYX_FUZZ_TARGET(foretime) {
    const std::string in = fuzz::text(data, size);
    HYX::ForeTime f(in.c_str());
    HYX::String out;
    f.toString(out);
    f.toTimeLabel(out);
    f.toTimeLabelDay(out);
    f.toVarLabel(out);
    HYX::ForeTime(f.toCode());
}
