// Program-wide services.
#include "HYX/Hyx.h"

#include "HYX/Resrc.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/time.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace HYX {

namespace {

struct State {
    Resrc resrc;
    uint32_t message_mask = 63;
    std::string progname;
    std::string datapath;
    bool has_datapath = false;
    int init_time = -9999;
    Hyx::TimeReader time_reader = nullptr;
    std::vector<std::pair<void (*)(void*), void*>> exit_handlers;
};

State& state() {
    static State s;
    return s;
}

constexpr const char* LEVEL_NAMES[] = {"none",   "print",  "error",  "warn",   "mess",   "out1",
                                       "out2",   "out3",   "out4",   "out5",   "out6",   "out7",
                                       "out8",   "debug1", "debug2", "debug3", "debug4", "debug5",
                                       "debug6", "debug7", "debug8"};

int levelOf(const char* name) {
    if (StrLib::iequal(name, "debug")) return 20;
    for (int i = 0; i <= 20; ++i)
        if (StrLib::iequal(name, LEVEL_NAMES[i])) return i;
    return -1;
}

uint32_t maskUpTo(int n) { return n >= 32 ? 0xFFFFFFFFu : ((1u << n) - 1u); }

FILE* errStream() { return std::getenv("hyxerrtoout") ? stdout : stderr; }

void vout(FILE* fp, const char* fmt, va_list ap) {
    if (!fmt) return;
    std::vfprintf(fp, fmt, ap);
    std::fflush(fp);
}

} // namespace

void Hyx::setMessageLevel(int n) { state().message_mask = maskUpTo(n < 0 ? 0 : n); }

void Hyx::setMessageLevel(const char* spec) {
    if (!spec) return;
    Strings elems(spec, ',');
    uint32_t& mask = state().message_mask;
    for (int i = 0; i < elems.getNum(); ++i) {
        const char* e = elems.getString(i);
        if (!e) continue;
        const char sign = (*e == '+' || *e == '-') ? *e : 0;
        const int level = levelOf(sign ? e + 1 : e);
        if (level < 0) continue;
        const uint32_t bit = level > 0 ? 1u << (level - 1) : 0;
        if (sign == '+')
            mask |= bit;
        else if (sign == '-')
            mask ^= bit;
        else
            mask = maskUpTo(level);
    }
}

bool Hyx::checkMessage(int level) {
    if (level < 1 || level > 32) return false;
    return (state().message_mask >> (level - 1)) & 1u;
}

bool Hyx::isDebug() { return (state().message_mask & 0xFF000u) != 0; }

bool Hyx::isDebug(int n) { return checkMessage(n + 13); }

uint32_t Hyx::getMessageMask() { return state().message_mask; }

void Hyx::setMessageMask(uint32_t mask) { state().message_mask = mask; }

void Hyx::outMessage(const char* fmt, ...) {
    if (!checkMessage(PRINT)) return;
    va_list ap;
    va_start(ap, fmt);
    vout(stdout, fmt, ap);
    va_end(ap);
}

void Hyx::outMessage(int level, const char* fmt, ...) {
    if (!checkMessage(level)) return;
    va_list ap;
    va_start(ap, fmt);
    vout(stdout, fmt, ap);
    va_end(ap);
}

void Hyx::outDebug(const char* fmt, ...) {
    if (!checkMessage(DEBUG1)) return;
    va_list ap;
    va_start(ap, fmt);
    vout(stdout, fmt, ap);
    va_end(ap);
}

void Hyx::outDebug(int n, const char* fmt, ...) {
    if (!checkMessage(n + 12)) return;
    va_list ap;
    va_start(ap, fmt);
    vout(stdout, fmt, ap);
    va_end(ap);
}

void Hyx::outWarning(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    vout(errStream(), fmt, ap);
    va_end(ap);
}

void Hyx::outError(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    vout(errStream(), fmt, ap);
    va_end(ap);
}

void Hyx::print(const char* text) {
    if (text) std::fputs(text, stdout);
}

void Hyx::setProgramName(const char* name) { state().progname = name ? name : ""; }

const char* Hyx::getProgramName() {
    return state().progname.empty() ? "HYX" : state().progname.c_str();
}

void Hyx::setDatabasePath(const char* path) {
    state().datapath = path ? path : "";
    state().has_datapath = path != nullptr;
}

const char* Hyx::getDatabasePath() { return state().datapath.c_str(); }

void Hyx::setInitTime(int seconds) { state().init_time = seconds; }

int Hyx::getInitTime() { return state().init_time; }

void Hyx::setTimeReader(TimeReader reader) { state().time_reader = reader; }

long Hyx::readTime(const char* text) {
    const TimeReader reader = state().time_reader;
    return reader && text ? reader(text) : -9999;
}

const char* Hyx::getComputerName() {
    static char name[41];
    if (gethostname(name, sizeof name - 1) != 0) name[0] = 0;
    name[sizeof name - 1] = 0;
    return name;
}

Resrc& Hyx::getResrcStore() { return state().resrc; }

const char* Hyx::getResrc(const char* name) { return state().resrc.get(name); }

const char* Hyx::getResrc(const char* name, const char* def) {
    return state().resrc.get(name, def);
}

int Hyx::addResrc(const char* name, const char* value, int type) {
    return state().resrc.add(name, value, type);
}

int Hyx::appendResrc(const char* name, const char* value) {
    return state().resrc.append(name, value, '\n');
}

int Hyx::putResrc(const char* name, const char* value) { return state().resrc.put(name, value); }

int Hyx::getResrcType(const char* name) { return state().resrc.getType(name); }

void Hyx::printAllResrc() { state().resrc.printAll(); }

double Hyx::getTime() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return static_cast<double>(tv.tv_sec) + tv.tv_usec * 1e-6;
}

int Hyx::getVirtMem() {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(getpid()));
    FILE* fp = std::fopen(path, "r");
    if (!fp) return 0;
    char buf[1024];
    const size_t n = std::fread(buf, 1, sizeof buf - 1, fp);
    std::fclose(fp);
    buf[n] = 0;
    Strings fields(buf);
    const char* v = fields.getString(22);
    return v ? std::atoi(v) : 0;
}

void Hyx::sleep(float seconds) {
    if (seconds > 0) usleep(static_cast<useconds_t>(seconds * 1e6f));
}

void Hyx::pause() { std::getchar(); }

void Hyx::addExitHandler(void (*fn)(void*), void* arg) {
    if (fn) state().exit_handlers.emplace_back(fn, arg);
}

void Hyx::removeExitHandler(void* arg) {
    auto& h = state().exit_handlers;
    for (size_t i = h.size(); i-- > 0;)
        if (h[i].second == arg) h.erase(h.begin() + static_cast<long>(i));
}

void Hyx::exit(Error code) {
    auto& h = state().exit_handlers;
    while (!h.empty()) {
        const auto handler = h.back();
        h.pop_back();
        handler.first(handler.second);
    }
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(static_cast<int>(code));
}

} // namespace HYX
