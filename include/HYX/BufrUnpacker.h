// Unpacking of BUFR messages by ecCodes in a helper process. Some damaged data sections make
// ecCodes read through a null pointer, or unpack for good: a message that does so is left
// out instead of taking the program down or holding it up. The helper keeps the tables
// ecCodes loads from one message to the next, and sends back only what a sounding needs.
#ifndef HYX_BUFRUNPACKER_H
#define HYX_BUFRUNPACKER_H

#include "HYX/Export.h"

#include <cstddef>
#include <string>
#include <vector>

namespace HYX {

namespace BufrKey {
// The elements read from a message: those of each level (the slots, in no particular order),
// then those of the station, time and position of a subset.
// clang-format off
enum Key {
    PRES, GEOPOT, GEOHGT, HEIGHT, TEMP, DEWP, DIR, SPD, SIG, EXTSIG, NSLOT,
    BLOCK = NSLOT, STATION, SHIP, LAT, LON, GROUND, ELEV, YEAR, MONTH, DAY, HOUR, MINUTE, NKEY
};
// clang-format on
} // namespace BufrKey

class HYX_API BufrUnpacker {
public:
    // What ecCodes makes of a message: whether it could read the sections before the data
    // and unpack the data, the kind of data, and the elements (BufrKey) read in the order of
    // the data, each value of a level element paired with its place in the key walk.
    struct Unpacked {
        struct Item {
            int key;
            double v;
            std::string text;
        };
        bool decoded = false, unpacked = false;
        long cat = -1, subsets = 1, compressed = 0;
        std::vector<Item> items;

        // A sounding this reader takes: not compressed with several subsets.
        bool wanted() const;
        // The form in which the helper sends this back, and the reading of it: false, with
        // nothing kept, for bytes that are not such a reply.
        std::string bytes() const;
        bool setBytes(const char* data, size_t length);
    };
    enum Result { DONE, DIED, SLOW };

    // Unpacks a message in the helper (in this process when no helper can be started):
    // DIED when the helper died on it, SLOW when it took longer than the time limit.
    static Result run(const char* data, size_t length, Unpacked& u);
    // The longest a message may take to unpack, in seconds (5 unless set).
    static void setTimeLimit(double seconds);

    // Puts a function in the place of ecCodes, for tests of what is made of the unpacked
    // elements; nullptr gives ecCodes back.
    using Unpacking = Result (*)(const char* data, size_t length, Unpacked& u);
    static void setUnpacking(Unpacking fn);
};

} // namespace HYX

#endif
