// What the BUFR reader makes of the elements of unpacked messages. ecCodes unpacks a few
// hundred messages a second under the sanitizers, so this target puts the helper's reply in
// its place: the input is such a reply, which the reader receives as one message.
#include "UpaReaderTarget.h"

#include "HYX/BufrUnpacker.h"

#include <algorithm>
#include <string>

namespace {

using HYX::BufrUnpacker;

constexpr size_t SECTION0 = 8, SECTION5 = 4, MAX_MESSAGE = 0xFFFFFF;

BufrUnpacker::Result fromReply(const char* data, size_t length, BufrUnpacker::Unpacked& u) {
    if (length < SECTION0 + SECTION5 || !u.setBytes(data + SECTION0, length - SECTION0 - SECTION5))
        return BufrUnpacker::DIED;
    return BufrUnpacker::DONE;
}

struct Replaced {
    Replaced() { BufrUnpacker::setUnpacking(fromReply); }
    ~Replaced() { BufrUnpacker::setUnpacking(nullptr); }
};

} // namespace

HYX_FUZZ_TARGET(bufrelements) {
    const Replaced replaced;
    const size_t n = std::min(size, MAX_MESSAGE - SECTION0 - SECTION5) + SECTION0 + SECTION5;
    std::string msg = "BUFR";
    for (int shift : {16, 8, 0}) msg += static_cast<char>((n >> shift) & 0xFF);
    msg += '\4';
    msg.append(reinterpret_cast<const char*>(data), n - SECTION0 - SECTION5);
    msg += "7777";
    fuzz::readSoundings(HYX::UpaFormat::BUFR, reinterpret_cast<const uint8_t*>(msg.data()),
                        msg.size());
}
