// Station look-ups in city files (by identifier, name or WMO number) and the
// conversions between WMO station numbers and station identifiers.
#ifndef HYX_CITYTOOL_H
#define HYX_CITYTOOL_H

#include "HYX/Export.h"

namespace HYX {

class CityData;
class EarthPoint;
class String;
class Strings;

class HYX_API CityTool {
public:
    static constexpr int id_size = 6; // room toId needs: five characters and the end

    // The city file under the database directory: name, or the resource "city_file"
    // (default "sao.cty"); 0 for "none".
    static int getFilename(const char* name, String& path);
    // The first station whose identifier, name or five-digit WMO number equals key,
    // ignoring case.
    static int search(const char* file, const char* key, CityData& c);
    static int locate(const char* file, const char* key, EarthPoint& e);
    // Index of the first key that matches the station, -1 when none does.
    static int compareData(const Strings& keys, const CityData& c);
    // WMO number to identifier (id needs id_size characters); 1 with a prefix.
    static int toId(long wmo, char* id);
    // Identifier to WMO number (99999 when it has no number); 0 when it has none.
    static int toWmo(const char* id, int& wmo);
};

} // namespace HYX

#endif
