#include "FuzzTarget.h"

#include "HYX/Level.h"
#include "HYX/String.h"
#include "HYX/VarSpec.h"
#include "HYX/Variable.h"

// A variable spec with its level, time and options, and its parts alone.
HYX_FUZZ_TARGET(varspec) {
    const std::string in = fuzz::text(data, size);
    HYX::VarSpec s(in.c_str());
    HYX::String out;
    s.toString(out);
    s.toInfoLabel(out);
    HYX::VarSpec again(out.get());
    HYX::Level lev(in.c_str());
    HYX::Variable v;
    v.decode(in.c_str());
}
