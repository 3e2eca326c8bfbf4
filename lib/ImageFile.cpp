// One image file in any of the formats.
#include "HYX/ImageFile.h"

#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/StrLib.h"

#include <cstdio>
#include <cstring>

namespace HYX {

int ImageFile::getType(const char* word) {
    if (!word) return UNKNOWN;
    if (StrLib::iequal(word, "img")) return IMG;
    if (StrLib::iequal(word, "imgz")) return IMGZ;
    if (StrLib::iequal(word, "gif")) return GIF;
    if (StrLib::iequal(word, "png")) return PNG;
    return UNKNOWN;
}

int ImageFile::checkFilename(const char* name) {
    const int dot = StrLib::lastIndex(name, '.');
    if (dot < 0) return UNKNOWN;
    const int slash = StrLib::lastIndex(name, '/');
    if (slash > dot) return UNKNOWN;
    return getType(name + dot + 1);
}

int ImageFile::typeOf(const unsigned char* head, int n) {
    if (n >= 3 && std::memcmp(head, "GIF", 3) == 0) return GIF;
    if (n >= 4 && std::memcmp(head + 1, "PNG", 3) == 0) return PNG;
    if (n >= 6 && std::memcmp(head, "HYXIMG", 6) == 0) return IMG;
    return UNKNOWN;
}

int ImageFile::checkType(const char* name) {
    File f;
    unsigned char head[10] = {};
    int n = 0;
    if (name && name[0] != '|' && f.open(name, "rb")) n = f.read(head, 1, sizeof head);
    const int t = typeOf(head, n);
    return t != UNKNOWN ? t : checkFilename(name);
}

long ImageFile::remaining(File& f) {
    const long size = f.size(), pos = f.tell();
    return size < 0 || pos < 0 ? -1 : size - pos;
}

int ImageFile::open(const char* name, int acc, int t) {
    close();
    if (!name || !*name) return 0;
    access = acc == WRITE ? WRITE : READ;
    type = t != UNKNOWN ? t : (access == READ ? checkType(name) : checkFilename(name));
    if (type < IMG || type > PNG) {
        Hyx::outDebug(1, "ImageFile::open: unknown image type: %s\n", name);
        type = UNKNOWN;
        return 0;
    }
    if (!file.open(name, access == READ ? "rb" : "wb")) {
        Hyx::outDebug(1, "ImageFile::open: unable to open: %s\n", name);
        return 0;
    }
    return attach(name);
}

int ImageFile::attach(const char* name) {
    int ok = 0;
    switch (type) {
    case IMG:
    case IMGZ:
        img.setCompress(type == IMGZ);
        ok = img.open(file, access, name);
        break;
    case GIF:
        ok = gif.open(file, access);
        break;
    case PNG:
        ok = png.open(file, access);
        break;
    default:
        break;
    }
    if (!ok) {
        file.close();
        return 0;
    }
    opened = true;
    return 1;
}

int ImageFile::open(const char* name, int acc, const char* word) {
    return open(name, acc, getType(word));
}

int ImageFile::read(Image& image) {
    if (!opened || access != READ) return 0;
    switch (type) {
    case IMG:
    case IMGZ:
        return img.read(image);
    case GIF:
        return gif.read(image);
    case PNG:
        return png.read(image);
    default:
        return 0;
    }
}

int ImageFile::write(Image& image) {
    if (!opened || access != WRITE) return 0;
    switch (type) {
    case IMG:
    case IMGZ:
        return img.write(image);
    case GIF:
        return gif.write(image);
    case PNG:
        return png.write(image);
    default:
        return 0;
    }
}

int ImageFile::close() {
    gif.close();
    png.close();
    img.close();
    const bool was = opened;
    opened = false;
    if (file.isOpen()) file.close();
    return was ? 1 : 0;
}

int ImageFile::read(const char* name, Image& image) {
    if (!open(name, READ, UNKNOWN)) return 0;
    const int ok = read(image);
    close();
    return ok;
}

int ImageFile::read(const void* bytes, size_t n, const char* name, Image& image) {
    close();
    access = READ;
    if (!file.openMemory(bytes, n)) return 0;
    type = typeOf(static_cast<const unsigned char*>(bytes), static_cast<int>(n < 10 ? n : 10));
    if (type == UNKNOWN && name) type = checkFilename(name);
    if (type < IMG || type > PNG || !attach(name)) {
        type = UNKNOWN;
        file.close();
        return 0;
    }
    const int ok = read(image);
    close();
    return ok;
}

int ImageFile::write(const char* name, Image& image) { return write(name, UNKNOWN, image); }

int ImageFile::write(const char* name, int t, Image& image) {
    if (!open(name, WRITE, t)) return 0;
    int ok = write(image);
    if (!close()) ok = 0;
    return ok;
}

} // namespace HYX
