// BUFR messages unpacked by ecCodes in a helper process.
#include "HYX/BufrUnpacker.h"

#include <eccodes.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>

namespace HYX {

using namespace BufrKey;
using Unpacked = BufrUnpacker::Unpacked;

namespace {

constexpr int SOUNDING_CATEGORY = 2; // vertical soundings other than satellite

const char* const KEYS[NKEY] = {"pressure",
                                "nonCoordinateGeopotential",
                                "nonCoordinateGeopotentialHeight",
                                "geopotentialHeight",
                                "airTemperature",
                                "dewpointTemperature",
                                "windDirection",
                                "windSpeed",
                                "verticalSoundingSignificance",
                                "extendedVerticalSoundingSignificance",
                                "blockNumber",
                                "stationNumber",
                                "shipOrMobileLandStationIdentifier",
                                "latitude",
                                "longitude",
                                "heightOfStationGroundAboveMeanSeaLevel",
                                "heightOfStation",
                                "year",
                                "month",
                                "day",
                                "hour",
                                "minute"};

struct Handle {
    codes_handle* h = nullptr;
    ~Handle() {
        if (h) codes_handle_delete(h);
    }
};

double get(codes_handle* h, const char* key) {
    double v = CODES_MISSING_DOUBLE;
    if (codes_get_double(h, key, &v) != CODES_SUCCESS) return CODES_MISSING_DOUBLE;
    return v;
}

// ecCodes reads its definitions when it meets its first message, which takes longer than
// unpacking one. Reading them once here, from a TEMP built on its own BUFR sample, lets each
// helper start with them rather than read them again.
void loadDefinitions() {
    static const bool loaded = [] {
        Handle m;
        m.h = codes_bufr_handle_new_from_samples(nullptr, "BUFR4");
        if (m.h && codes_set_long(m.h, "unexpandedDescriptors", 309052) == CODES_SUCCESS)
            codes_set_long(m.h, "unpack", 1);
        return true;
    }();
    (void)loaded;
}

// Unpacks a message and walks its keys. The attributes of the elements, which the walk
// skips, are left out of the unpacking: they cost ecCodes more than the elements.
void unpack(const char* data, size_t length, Unpacked& u) {
    Handle m;
    m.h = codes_handle_new_from_message(nullptr, data, length);
    if (!m.h) return;
    u.decoded = true;
    codes_get_long(m.h, "dataCategory", &u.cat);
    codes_get_long(m.h, "numberOfSubsets", &u.subsets);
    codes_get_long(m.h, "compressedData", &u.compressed);
    if (!u.wanted()) return;
    codes_set_long(m.h, "skipExtraKeyAttributes", 1);
    if (codes_set_long(m.h, "unpack", 1) != CODES_SUCCESS) return;
    u.unpacked = true;

    // Every value of each level element in the order of the data, paired below with the
    // places of the element in the walk.
    std::vector<double> vals[NSLOT];
    for (int s = 0; s < NSLOT; ++s) {
        size_t n = 0;
        if (codes_get_size(m.h, KEYS[s], &n) != CODES_SUCCESS || n == 0) continue;
        vals[s].resize(n);
        if (codes_get_double_array(m.h, KEYS[s], vals[s].data(), &n) != CODES_SUCCESS)
            vals[s].clear();
        else
            vals[s].resize(n);
    }
    size_t used[NSLOT] = {0};
    codes_bufr_keys_iterator* it = codes_bufr_keys_iterator_new(m.h, 0);
    while (it && codes_bufr_keys_iterator_next(it)) {
        const char* ranked = codes_bufr_keys_iterator_get_name(it);
        if (!ranked || std::strstr(ranked, "->")) continue; // attributes of elements
        const char* key = ranked;
        if (key[0] == '#') {
            const char* end = std::strchr(key + 1, '#');
            if (!end) continue;
            key = end + 1;
        }
        int k = 0;
        while (k < NKEY && std::strcmp(key, KEYS[k]) != 0) ++k;
        if (k == NKEY) continue;
        if (k < NSLOT) {
            if (used[k] < vals[k].size()) u.items.push_back({k, vals[k][used[k]++], {}});
        } else if (k == SHIP) {
            char s[32];
            size_t n = sizeof s;
            const bool ok = codes_get_string(m.h, ranked, s, &n) == CODES_SUCCESS;
            u.items.push_back({k, 0, ok ? std::string(s) : std::string()});
        } else {
            u.items.push_back({k, get(m.h, ranked), {}});
        }
    }
    if (it) codes_bufr_keys_iterator_delete(it);
}

bool sendAll(int fd, const void* p, size_t n) {
    const char* c = static_cast<const char*>(p);
    while (n > 0) {
        const ssize_t k = send(fd, c, n, MSG_NOSIGNAL);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        c += k;
        n -= static_cast<size_t>(k);
    }
    return true;
}

using Clock = std::chrono::steady_clock;

// Receives n bytes; false when the other end closed first, or the time ran out.
bool recvAll(int fd, void* p, size_t n, Clock::time_point until = Clock::time_point::max()) {
    char* c = static_cast<char*>(p);
    while (n > 0) {
        if (until != Clock::time_point::max()) {
            // Rounded up: poll must not come back before the time is out, or a message that
            // is only slow would pass for one the helper died on.
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
            if (left <= 0) return false;
            pollfd pfd = {fd, POLLIN, 0};
            const int r = poll(&pfd, 1, static_cast<int>(std::min<long long>(left, 1 << 30)));
            if (r == 0 || (r < 0 && errno == EINTR)) continue;
            if (r < 0) return false;
        }
        const ssize_t k = recv(fd, c, n, 0);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        c += k;
        n -= static_cast<size_t>(k);
    }
    return true;
}

// Some damaged data sections make ecCodes read through a null pointer while unpacking them.
// Messages are therefore unpacked in a helper process, one after the other; when the helper
// dies on one, that message is left out rather than taking the program down with it, and
// the next starts a new helper. The helper keeps the tables ecCodes loads for the messages
// from one to the next; it is replaced now and then, since ecCodes keeps some of what it
// allocates for damaged messages until the process ends.
class Unpacker {
public:
    ~Unpacker() { stop(); }

    BufrUnpacker::Result run(const char* data, size_t length, Unpacked& u) {
        const std::lock_guard<std::mutex> lock(mutex);
        if (served >= MAX_SERVED) stop();
        const uint64_t n = length;
        bool sent = false;
        for (int tries = 0; tries < 2 && !sent; ++tries) {
            if (fd < 0 && !start()) {
                unpack(data, length, u); // no process to try in: unpack here as ever
                return BufrUnpacker::DONE;
            }
            sent = sendAll(fd, &n, sizeof n) && sendAll(fd, data, length);
            if (!sent) stop(); // gone since the last message
        }
        ++served;
        const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(limit.load()));
        uint64_t size = 0;
        std::string reply;
        if (sent && recvAll(fd, &size, sizeof size, until) && size < (uint64_t(1) << 32)) {
            reply.resize(size);
            if (recvAll(fd, &reply[0], size, until) && u.setBytes(reply.data(), reply.size()))
                return BufrUnpacker::DONE;
        }
        const bool slow = sent && Clock::now() >= until;
        stop();
        u = Unpacked();
        return slow ? BufrUnpacker::SLOW : BufrUnpacker::DIED;
    }

    // Some damaged messages keep ecCodes unpacking for good.
    static std::atomic<double> limit;

private:
    static constexpr int MAX_SERVED = 2000;

    bool start() {
        loadDefinitions();
        int sv[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0) return false;
        const pid_t p = fork();
        if (p < 0) {
            close(sv[0]);
            close(sv[1]);
            return false;
        }
        if (p == 0) {
            close(sv[0]);
            serve(sv[1]);
        }
        close(sv[1]);
        pid = p;
        fd = sv[0];
        served = 0;
        return true;
    }

    [[noreturn]] static void serve(int in) {
        for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(sig, SIG_DFL);
        std::string msg;
        for (uint64_t n = 0; recvAll(in, &n, sizeof n);) {
            msg.resize(n);
            if (!recvAll(in, &msg[0], n)) break;
            Unpacked u;
            unpack(msg.data(), msg.size(), u);
            const std::string out = u.bytes();
            const uint64_t size = out.size();
            if (!sendAll(in, &size, sizeof size) || !sendAll(in, out.data(), out.size())) break;
        }
        _exit(0);
    }

    void stop() {
        if (fd >= 0) close(fd);
        fd = -1;
        if (pid > 0) {
            kill(pid, SIGKILL);
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        pid = -1;
    }

    std::mutex mutex;
    pid_t pid = -1;
    int fd = -1;
    int served = 0;
};

std::atomic<double> Unpacker::limit{5.0};

std::atomic<BufrUnpacker::Unpacking> replacement{nullptr};

Unpacker& unpacker() {
    static Unpacker u;
    return u;
}

} // namespace

std::string BufrUnpacker::Unpacked::bytes() const {
    std::string b;
    auto put = [&b](const void* p, size_t n) { b.append(static_cast<const char*>(p), n); };
    const long head[5] = {decoded, unpacked, cat, subsets, compressed};
    put(head, sizeof head);
    for (const Item& it : items) {
        const unsigned char k = static_cast<unsigned char>(it.key),
                            n = static_cast<unsigned char>(std::min<size_t>(it.text.size(), 255));
        put(&k, 1);
        put(&it.v, sizeof it.v);
        put(&n, 1);
        put(it.text.data(), n);
    }
    return b;
}

bool BufrUnpacker::Unpacked::setBytes(const char* data, size_t length) {
    size_t at = 0;
    auto take = [&](void* p, size_t n) {
        if (length - at < n) return false;
        if (n) std::memcpy(p, data + at, n);
        at += n;
        return true;
    };
    long head[5];
    if (!take(head, sizeof head)) return false;
    Unpacked u;
    u.decoded = head[0] != 0;
    u.unpacked = head[1] != 0;
    u.cat = head[2];
    u.subsets = head[3];
    u.compressed = head[4];
    while (at < length) {
        Item it;
        unsigned char k = 0, n = 0;
        if (!take(&k, 1) || !take(&it.v, sizeof it.v) || !take(&n, 1) || k >= NKEY) return false;
        it.key = k;
        it.text.resize(n);
        if (!take(&it.text[0], n)) return false;
        u.items.push_back(std::move(it));
    }
    *this = std::move(u);
    return true;
}

bool BufrUnpacker::Unpacked::wanted() const {
    return cat == SOUNDING_CATEGORY && !(compressed && subsets > 1);
}

BufrUnpacker::Result BufrUnpacker::run(const char* data, size_t length, Unpacked& u) {
    if (const Unpacking fn = replacement) return fn(data, length, u);
    return unpacker().run(data, length, u);
}

void BufrUnpacker::setUnpacking(Unpacking fn) { replacement = fn; }

void BufrUnpacker::setTimeLimit(double seconds) {
    if (seconds > 0) Unpacker::limit = seconds;
}

} // namespace HYX
