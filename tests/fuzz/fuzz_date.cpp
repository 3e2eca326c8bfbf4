#include "FuzzTarget.h"

#include "HYX/Date.h"
#include "HYX/DateTool.h"
#include "HYX/String.h"

// Dates and times as texts, and the input as a date template.
HYX_FUZZ_TARGET(date) {
    const std::string in = fuzz::text(data, size);
    HYX::Date d;
    HYX::DateTool::decode(in.c_str(), d);
    HYX::DateTool::getSeconds(in.c_str());
    HYX::DateTool::getMinutes(in.c_str());
    HYX::DateTool::decodeMonth(in.c_str());
    HYX::Date t(in.c_str());
    HYX::String out;
    HYX::Date(1980, 5, 18, 12, 30, 0.0f).toText(in.c_str(), out);
}
