// Upper-air files by observation time, each replaced whole.
#include "HYX/UpaFileSet.h"

#include "HYX/FileAttr.h"
#include "HYX/String.h"
#include "HYX/UpaRawinData.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace HYX {

namespace {

// The convention's template with its hour code made hourly ("%12h" becomes "%h").
std::string hourly(const char* tmpl) {
    std::string t(tmpl), out;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '%' && i + 1 < t.size() && std::isdigit(static_cast<unsigned char>(t[i + 1]))) {
            size_t j = i + 1;
            while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) ++j;
            if (j < t.size() && t[j] == 'h') {
                out += "%h";
                i = j;
                continue;
            }
        }
        out += t[i];
    }
    return out;
}

bool copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!in || !out) return false;
    out << in.rdbuf();
    return static_cast<bool>(out);
}

// The whole hour of a time, minutes and seconds left unset as in the files' date lines.
Date hourOf(long secs) {
    const Date t(secs);
    char text[16];
    std::snprintf(text, sizeof text, "#%04d%02d%02d%02d", t.getYear(), t.getMonth(), t.getDay(),
                  t.getHour());
    return Date(text);
}

} // namespace

int UpaFileSet::setConvention(const char* tag, const char* dir) {
    if (!conv.set(tag) || !conv.hasTimeCode()) return 0;
    conv.setPath(dir);
    conv.setOutput(true);
    ownConv.set(("@" + hourly(conv.getFile())).c_str());
    ownConv.setExt(conv.getExt());
    ownConv.setPath(dir);
    ownConv.setOutput(true);
    return 1;
}

Date UpaFileSet::fileTime(const Date& obs, bool& offHour) const {
    const long step = conv.getOffset() == Const::MISS ? 0 : conv.getOffset();
    const long t = obs.getSeconds();
    long nominal = t;
    if (step > 0) {
        // The nearest of the convention's times; halfway goes to the later one.
        const long base = t - ((t % step) + step) % step;
        nominal = t - base >= step / 2 ? base + step : base;
    }
    offHour = std::labs(t - nominal) > ON_TIME;
    return hourOf(offHour && own ? t : nominal);
}

std::string UpaFileSet::nameOf(const Date& d, bool ownHour) {
    String name;
    (ownHour ? ownConv : conv).encodeFile(d, name);
    return name.get();
}

int UpaFileSet::openGroup(const std::string& name, const Date& d, std::string& why) {
    if (name == current && file.isOpen()) return 1;
    if (!closeCurrent(why)) return -1;
    auto at = groups.find(name);
    const bool fresh = at == groups.end();
    if (fresh) {
        Group g;
        g.temp = name + ".tmp" + std::to_string(::getpid());
        g.output = outputs.size();
        Output o;
        o.name = name;
        o.date = d;
        // Adding to an existing file: its records (and its date) come along.
        if (append && UpaFile::checkType(name.c_str()) == UpaFile::HYX) {
            if (!copyFile(name, g.temp)) {
                why = "cannot copy " + name;
                std::remove(g.temp.c_str());
                return -1;
            }
            UpaFile old(name.c_str());
            String id;
            while (old.readId(id) == 1) g.stations.insert(id.get());
            o.date = old.getDate();
        }
        outputs.push_back(o);
        at = groups.emplace(name, g).first;
    }
    file.setDate(outputs[at->second.output].date);
    const bool exists = !fresh || append;
    if (!file.open(at->second.temp.c_str(), exists ? FileAttr::APPEND : FileAttr::WRITE,
                   UpaFile::HYX)) {
        why = "cannot write " + at->second.temp + ": " + std::strerror(errno);
        return -1;
    }
    current = name;
    return 1;
}

int UpaFileSet::add(UpaRawinData& rec, std::string& why, std::string& note) {
    why.clear();
    note.clear();
    bool off = false;
    const Date when = fileTime(rec.getDate(), off);
    std::string name;
    if (!single.empty()) {
        name = single;
        if (!outputs.empty()) {
            Date fileDate = outputs[0].date;
            if (fileDate.getSeconds() != when.getSeconds()) {
                why = "of another time than " + single;
                return 0;
            }
        }
    } else {
        name = nameOf(when, off && own);
    }
    if (off) {
        String label, obs;
        rec.getDate().toText("%H:%M UTC %d %b %Y", obs);
        when.toText("%H UTC", label);
        note = std::string(rec.getId()) + " observed " + obs.get() + " goes into the " +
               label.get() + " file " + name;
    }
    if (openGroup(name, when, why) < 0) return -1;
    Group& g = groups[name];
    if (!g.stations.insert(rec.getId()).second) {
        why = std::string("a sounding of ") + rec.getId() + " is already in " + name;
        return 0;
    }
    rec.setDate(outputs[g.output].date);
    file.write(rec);
    ++outputs[g.output].count;
    return 1;
}

int UpaFileSet::closeCurrent(std::string& why) {
    const bool open = file.isOpen();
    const int ok = file.close();
    if (open && !ok) {
        why = "cannot write " + groups[current].temp + ": " + std::strerror(errno);
        current.clear();
        return 0;
    }
    current.clear();
    return 1;
}

int UpaFileSet::finish(std::string& err) {
    if (!closeCurrent(err)) {
        discard();
        return 0;
    }
    int ok = 1;
    for (auto& [name, g] : groups) {
        if (std::rename(g.temp.c_str(), name.c_str()) != 0) {
            err = "cannot put " + name + " in place: " + std::strerror(errno);
            std::remove(g.temp.c_str());
            ok = 0;
        }
    }
    groups.clear();
    return ok;
}

void UpaFileSet::discard() {
    file.close();
    current.clear();
    for (auto& [name, g] : groups) std::remove(g.temp.c_str());
    groups.clear();
}

} // namespace HYX
