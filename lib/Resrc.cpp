// The resource store.
#include "HYX/Resrc.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace HYX {

const Resrc::ResrcItem* Resrc::find(const char* name) const {
    if (!name) return nullptr;
    const auto it = index.find(name);
    return it == index.end() ? nullptr : &items[it->second];
}

Resrc::ResrcItem* Resrc::find(const char* name) {
    return const_cast<ResrcItem*>(static_cast<const Resrc*>(this)->find(name));
}

int Resrc::add(const char* name, const char* value, int type) {
    if (!name) return 0;
    ResrcItem* item = find(name);
    if (!item) {
        index.emplace(name, items.size());
        items.emplace_back();
        item = &items.back();
        item->name = name;
    }
    item->type = type;
    item->has_data = value != nullptr;
    item->data = value ? value : "";
    return 1;
}

int Resrc::set(const char* name, const String& value) { return add(name, value.get(), RUN); }

int Resrc::append(const char* name, const char* value, char sep) {
    if (!name || !value) return 0;
    ResrcItem* item = find(name);
    if (!item) return add(name, value, NONE);
    if (item->has_data) item->data += (sep ? sep : '\n');
    item->data += value;
    item->has_data = true;
    return 1;
}

int Resrc::prepend(const char* name, const char* value, char sep) {
    if (!name || !value) return 0;
    ResrcItem* item = find(name);
    if (!item) return add(name, value, NONE);
    if (item->has_data)
        item->data = std::string(value) + (sep ? sep : '\n') + item->data;
    else
        item->data = value;
    item->has_data = true;
    return 1;
}

const char* Resrc::get(const char* name) const {
    const ResrcItem* item = find(name);
    if (!item) return nullptr;
    return item->data.c_str();
}

const char* Resrc::get(const char* name, const char* def) const {
    const char* v = get(name);
    return v ? v : def;
}

float Resrc::get(const char* name, float def) const {
    const char* v = get(name);
    if (!v || !std::isdigit(static_cast<unsigned char>(v[0]))) return def;
    return static_cast<float>(std::atof(v));
}

int Resrc::get(const char* name, int def) const {
    const char* v = get(name);
    if (!v || !std::isdigit(static_cast<unsigned char>(v[0]))) return def;
    return std::atoi(v);
}

int Resrc::getType(const char* name) const {
    const ResrcItem* item = find(name);
    return item ? item->type : 0;
}

bool Resrc::getBool(const char* name) const {
    const char* v = get(name);
    if (!v) return false;
    return !(StrLib::iequal(v, "no") || StrLib::iequal(v, "off") || StrLib::iequal(v, "false"));
}

int Resrc::scanf(const char* name, const char* fmt, ...) const {
    const char* v = get(name);
    if (!v || !fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsscanf(v, fmt, ap);
    va_end(ap);
    return n;
}

const char* Resrc::getNext() {
    if (cur >= items.size()) return nullptr;
    return items[cur++].name.c_str();
}

int Resrc::getValues(String& name, String& value, int next) {
    if (!next) cur = 0;
    if (cur >= items.size()) return 0;
    const ResrcItem& item = items[cur++];
    name.copy(item.name.c_str());
    value.copy(item.data.c_str());
    return 1;
}

void Resrc::print(const char* name) const {
    const char* v = get(name);
    if (v)
        std::printf("%s: %s\n", name, v);
    else
        std::printf("%s: not set\n", name ? name : "");
}

void Resrc::printAll() const {
    for (const ResrcItem& item : items) {
        const char* sep = ": ";
        if (item.type == FILE) sep = " (file): ";
        if (item.type == ENV) sep = " (env): ";
        if (item.type == CMDLN) sep = " (cmd): ";
        std::printf("%s%s%s\n", item.name.c_str(), sep, item.data.c_str());
    }
}

void Resrc::clear() {
    items.clear();
    index.clear();
    cur = 0;
}

} // namespace HYX
