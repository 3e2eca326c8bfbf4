#include "FuzzTarget.h"

#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/CityIndex.h"

// A station file, read record by record and loaded as upaconv's index.
HYX_FUZZ_TARGET(station) {
    const std::string path = fuzz::toFile(data, size, "input.cty");
    {
        HYX::CityFile f(path.c_str());
        HYX::CityData c;
        for (int n = 0; n < 100000 && f.read(c) == 1; ++n) {
        }
    }
    HYX::CityIndex index;
    index.load(path.c_str());
}
