// Tables read from a plain file once, and again only when the file changes: look-ups that
// went through the whole file each time are answered from memory.
#ifndef HYX_FILECACHE_H
#define HYX_FILECACHE_H

#include "HYX/File.h"
#include "HYX/FileStamp.h"
#include "HYX/FileTool.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace HYX {

template <class Table> class FileCache {
public:
    using Reader = Table (*)(File& f);
    explicit FileCache(Reader r) : read(r) {}

    // The table of the file at path; null when there is none. Only plain files are read:
    // some names come from data files, and must not make this read a device, a command or
    // the standard input, which might never end.
    std::shared_ptr<const Table> get(const char* path) {
        FileStamp now;
        if (!path || path[0] == '|' || FileTool::isStdio(path) || !now.take(path) || !now.regular())
            return nullptr;
        const std::lock_guard<std::mutex> lock(mutex);
        if (entries.size() >= MAX_FILES && entries.count(path) == 0) entries.clear();
        Entry& e = entries[path];
        if (e.table && e.stamp == now) return e.table;
        File f(path, "r");
        if (!f.isOpen()) return nullptr;
        e.stamp = now;
        e.table = std::make_shared<const Table>(read(f));
        return e.table;
    }

private:
    static constexpr size_t MAX_FILES = 16;
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const Table> table;
    };
    Reader read;
    std::mutex mutex;
    std::map<std::string, Entry> entries;
};

} // namespace HYX

#endif
