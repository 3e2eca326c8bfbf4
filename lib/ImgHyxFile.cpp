// The suite's own image format.
#include "HYX/ImgHyxFile.h"

#include "HYX/Date.h"
#include "HYX/DateTool.h"
#include "HYX/Domain.h"
#include "HYX/DomainTool.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/ImageFile.h"
#include "HYX/ImageMath.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Swap.h"
#include "HYX/Zlib.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace HYX {

namespace {

struct ProjWord {
    const char* word;
    int proj;
};
const ProjWord PROJ_WORDS[] = {{"LL", Domain::LATLON},
                               {"ME", Domain::MERC},
                               {"PS", Domain::PSTEREO},
                               {"LC", Domain::LAMB},
                               {"SAT", Domain::SAT}};

} // namespace

int ImgHyxFile::open(File& f, int acc, const char* n) {
    close();
    if (!f.isOpen()) return 0;
    file = &f;
    access = acc;
    name = n ? n : "";
    return 1;
}

int ImgHyxFile::open(const char* n, int acc) {
    close();
    if (!own.open(n, acc == 1 ? "wb" : "rb")) return 0;
    file = &own;
    access = acc;
    name = n ? n : "";
    return 1;
}

int ImgHyxFile::close() {
    file = nullptr;
    return own.isOpen() ? own.close() : 1;
}

int ImgHyxFile::readLine(char* buf, int size) {
    return LineTool::getLine(*file, buf, size) >= 0 ? 1 : 0;
}

int ImgHyxFile::decodePlacement(const char* line, File& f, Domain& d, int& nx, int& ny) {
    d.init();
    nx = ny = 0;
    if (StrLib::equal(line, "NONE", 4)) {
        char next[LINE_SIZE];
        if (LineTool::getLine(f, next, sizeof next) < 0) return 0;
        return std::sscanf(next, "%d %d", &nx, &ny) == 2 ? 1 : 0;
    }
    for (const ProjWord& pw : PROJ_WORDS) {
        const int wl = StrLib::length(pw.word);
        if (!StrLib::equal(line, pw.word, wl)) continue;
        const char* p = line + wl;
        DomainVal v;
        v.proj = pw.proj;
        if (*p == ':') {
            // One value: the central longitude; five: pole latitude and longitude and the
            // projection parameters (standard parallels of the Lambert map).
            float a[5];
            const int k = pw.proj == Domain::LAMB ? std::sscanf(p + 1, "%f:%f:%f:%f:%f", &a[0],
                                                                &a[1], &a[2], &a[3], &a[4])
                                                  : std::sscanf(p + 1, "%f", &a[0]);
            if (k == 5) {
                v.plat = a[0];
                v.plon = a[1];
                v.param[0] = a[2];
                v.param[1] = a[3];
                v.param[2] = a[4];
            } else if (k >= 1) {
                v.plon = a[0];
                if (pw.proj == Domain::LAMB) {
                    v.param[0] = 30;
                    v.param[1] = 60;
                }
            } else {
                return 0;
            }
            while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
        }
        if (pw.proj == Domain::SAT && v.plat == Const::FMISS) v.plat = 0;
        float lat1, lon1, lat2, lon2;
        if (std::sscanf(p, "%f %f %f %f %d %d", &lat1, &lon1, &lat2, &lon2, &nx, &ny) != 6)
            return 0;
        d.DomainVal::set(v);
        if (!d.set(EarthPoint(lat1, lon1), EarthPoint(lat2, lon2), nx, ny)) d.init();
        return 1;
    }
    char extra;
    if (std::sscanf(line, "%d %d %c", &nx, &ny, &extra) == 2) return 1;
    if (line[0] && !std::strchr(line, ' ') && !std::strchr(line, '\t')) {
        DomainVal v;
        if (!DomainTool::decode(v, line) || !v.isSet() || !d.set(v)) return 0;
        nx = d.nx;
        ny = d.ny;
        return 1;
    }
    return 0;
}

int ImgHyxFile::readPixels(File& f, bool zipped, Image& img) {
    const long total = static_cast<long>(img.getBytesLine()) * img.getHeight();
    // A file too short to hold the pixels is refused before they are allocated.
    const long left = ImageFile::remaining(f);
    if (left >= 0 &&
        (zipped ? ImageFile::inflateLimit(left) < static_cast<double>(total) : left < total))
        return 0;
    img.allocData(false);
    unsigned char* out = img.getData();
    if (!zipped) return f.read(out, 1, static_cast<int>(total)) == total ? 1 : 0;
    Zlib z(Zlib::DECOMP);
    if (z.isError()) return 0;
    std::vector<unsigned char> in(Zlib::CHUNK);
    long done = 0;
    while (done < total) {
        const int n = f.read(in.data(), 1, Zlib::CHUNK);
        if (n <= 0) break;
        z.set(in.data(), n, out + done, static_cast<int>(total - done));
        while (z.decomp() && z.getAvailIn() > 0 && z.getAvailOut() > 0) continue;
        done = z.getTotalOut();
        if (z.isError() || z.isEnd()) break;
    }
    if (z.isError()) {
        Hyx::outWarning("ImgHyxFile::read: corrupt compressed pixel data (%s)\n",
                        z.getResultName());
        return 0;
    }
    return done == total ? 1 : 0;
}

int ImgHyxFile::read(Image& img) {
    img.init();
    if (!file || access != 0) return 0;
    char line[LINE_SIZE];
    if (!readLine(line, sizeof line) || !StrLib::equal(line, MAGIC, 6)) {
        Hyx::outWarning("ImgHyxFile::read: not a HYXIMG file: %s\n", name.c_str());
        return 0;
    }
    bool separate = false, zipped = false, has_values = false, has_cut = false;
    int ver = 3;
    for (const char* p = line + 6; *p; ++p) {
        if (*p == '4') ver = 4;
        if (*p == '*') separate = true;
        if (*p == 'Z') zipped = true;
        if (*p == 'V') has_values = true;
        if (*p == 'C') has_cut = true;
    }
    char datim[LINE_SIZE], info[LINE_SIZE], place[PLACE_SIZE];
    if (!readLine(datim, sizeof datim) || !readLine(info, sizeof info) ||
        !readLine(place, sizeof place)) {
        Hyx::outWarning("ImgHyxFile::read: truncated header: %s\n", name.c_str());
        return 0;
    }
    Domain dom;
    int nx = 0, ny = 0;
    if (!decodePlacement(place, *file, dom, nx, ny)) {
        Hyx::outWarning("ImgHyxFile::read: invalid placement: %s\n", place);
        return 0;
    }
    if (!Image::sizeAllowed(nx, ny)) {
        Hyx::outWarning("ImgHyxFile::read: image size not supported: %dx%d\n", nx, ny);
        return 0;
    }
    std::vector<float> values;
    if (has_values) {
        unsigned char raw[Image::NUM_VALUES * 4];
        if (file->read(raw, 1, sizeof raw) != static_cast<int>(sizeof raw)) {
            Hyx::outWarning("ImgHyxFile::read: truncated value table: %s\n", name.c_str());
            return 0;
        }
        for (int i = 0; i < Image::NUM_VALUES; ++i) values.push_back(Swap::getFloatBE(raw + 4 * i));
    }
    int cutbase = -1, numcut = 0;
    std::vector<int> cuts;
    if (has_cut) {
        unsigned char head[4];
        if (file->read(head, 1, 4) != 4) return 0;
        cutbase = static_cast<int16_t>(Swap::getShortBE(head));
        numcut = Swap::getShortBE(head + 2);
        for (int i = 0; i < numcut; ++i) {
            unsigned char b[2];
            if (file->read(b, 1, 2) != 2) {
                Hyx::outWarning("ImgHyxFile::read: truncated cut-off table: %s\n", name.c_str());
                return 0;
            }
            cuts.push_back(static_cast<int16_t>(Swap::getShortBE(b)));
        }
    }

    img.set(dom, 8);
    img.set(nx, ny, 8);
    img.setColorType(has_values ? Image::VALUES : Image::MAPPED);
    img.setSource(1);
    img.setType(zipped ? 2 : 1);
    img.setVersion(ver);
    img.setDatim(datim);
    if (!DateTool::decode(datim, img.date) &&
        (datim[0] == '#' || std::isdigit(static_cast<unsigned char>(datim[0]))))
        img.date.set(datim);
    img.setInfo(info);
    if (has_values) img.setValues(values);
    img.cutbase = cutbase;
    img.numcut = numcut < Image::NUM_CUTOFF ? numcut : Image::NUM_CUTOFF;
    for (int i = 0; i < img.numcut; ++i) img.cutoff[i] = cuts[i];

    int ok;
    if (separate) {
        char dname[LINE_SIZE] = {};
        if (!readLine(line, sizeof line) || std::sscanf(line, "%80s", dname) != 1) return 0;
        // The name comes from the file: it is never a command or the standard input.
        if (dname[0] == '|' || FileTool::isStdio(dname)) {
            Hyx::outError("ImgHyxFile::read: %s: refused pixel file name %s\n", name.c_str(),
                          dname);
            return 0;
        }
        File data;
        if (!data.open(dname, "rb")) {
            // A plain name is looked for beside the header file.
            const int slash = StrLib::lastIndex(name.c_str(), '/');
            if (dname[0] != '/' && slash >= 0) {
                const std::string full = name.substr(0, static_cast<size_t>(slash) + 1) + dname;
                data.open(full.c_str(), "rb");
            }
        }
        if (!data.isOpen()) {
            Hyx::outWarning("ImgHyxFile::read: unable to open pixel file: %s\n", dname);
            img.data.clear();
            return 0;
        }
        ok = readPixels(data, zipped, img);
    } else {
        ok = readPixels(*file, zipped, img);
    }
    if (!ok) {
        Hyx::outWarning("ImgHyxFile::read: missing pixel data: %s\n", name.c_str());
        img.data.clear();
        return 0;
    }
    return 1;
}

int ImgHyxFile::write(Image& src) {
    if (!file || access != 1) return 0;
    Image img;
    const bool values = src.getColorType() == Image::VALUES && !src.values.empty();
    if (src.getDepth() == 8 && src.getBitsPixel() == 8 && src.getColorType() != Image::DIRECT)
        img = src;
    else if (!ImageMath::toIndex(src, 8, img))
        return 0;
    if (!img.validData()) return 0;
    file->printf("%s%s%s%s\n", MAGIC, version == 4 ? "4" : "", compress ? "Z" : "",
                 values ? "V" : "");
    file->printf("%s\n%s\n", img.getDatim(), img.getInfo());
    if (img.hasDomain()) {
        String d(256);
        img.getDomain().toString(d);
        file->printf("%s\n", d.get());
    } else {
        file->printf("%d %d\n", img.getWidth(), img.getHeight());
    }
    if (values) {
        unsigned char raw[Image::NUM_VALUES * 4];
        for (int i = 0; i < Image::NUM_VALUES; ++i)
            Swap::putFloatBE(raw + 4 * i, img.getValueOf(i));
        file->write(raw, 1, sizeof raw);
    }
    const int w = img.getWidth(), h = img.getHeight();
    std::vector<unsigned char> pix(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(pix.data() + static_cast<size_t>(y) * w, img.getRow(y), w);
    if (!compress)
        return file->write(pix.data(), 1, static_cast<int>(pix.size())) ==
                       static_cast<int>(pix.size())
                   ? 1
                   : 0;
    Zlib z(Zlib::COMP);
    std::vector<unsigned char> out(Zlib::CHUNK * 4);
    z.set(pix.data(), static_cast<int>(pix.size()), out.data(), static_cast<int>(out.size()));
    for (;;) {
        z.comp(4); // finish
        const int n = static_cast<int>(out.size()) - z.getAvailOut();
        if (n > 0 && file->write(out.data(), 1, n) != n) return 0;
        if (z.isEnd() || z.isError()) break;
        z.setOut(out.data(), static_cast<int>(out.size()));
    }
    return z.isError() ? 0 : 1;
}

} // namespace HYX
