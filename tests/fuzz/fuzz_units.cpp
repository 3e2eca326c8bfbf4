#include "FuzzTarget.h"

#include "HYX/String.h"
#include "HYX/Unit.h"
#include "HYX/UnitData.h"

// A unit table (the database's units.lup) and unit texts: the first line holds the two units
// to convert between, the rest is the table.
HYX_FUZZ_TARGET(units) {
    const std::string in = fuzz::text(data, size);
    const size_t nl = in.find('\n');
    const std::string pair = in.substr(0, nl);
    const std::string table = nl == std::string::npos ? "" : in.substr(nl + 1);
    fuzz::toFile(reinterpret_cast<const uint8_t*>(table.data()), table.size(), "units.lup");
    const std::string from = pair.substr(0, pair.find(' '));
    const std::string to = pair.find(' ') == std::string::npos ? "" : pair.substr(pair.find(' ') + 1);
    const std::string db = HYX::Hyx::getDatabasePath() ? HYX::Hyx::getDatabasePath() : "";
    HYX::Hyx::setDatabasePath(fuzz::scratch().c_str());
    HYX::Unit u;
    u.convert(1.5f, from.c_str(), to.c_str());
    u.convert(-3.0f, to.c_str(), from.c_str());
    HYX::String name, units;
    HYX::Unit::getFactor(pair.c_str(), name);
    HYX::Unit::parse(pair.c_str(), name, units);
    HYX::Unit::simplify(units);
    HYX::Unit::scale(from.c_str(), 10.0f, to.c_str(), name);
    HYX::Hyx::setDatabasePath(db.c_str());
}
