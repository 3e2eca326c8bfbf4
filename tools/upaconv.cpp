// upaconv: turns soundings from the files of other systems (University of Wyoming pages and
// tables, Iowa Environmental Mesonet tables, SPC/SHARPpy files, the radiosonde archive
// IGRA 2, BUFR reports, coded TEMP and PILOT bulletins, plain text) into upper-air files,
// one per observation time.
#include "HYX/Date.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFileSet.h"
#include "HYX/UpaFormat.h"
#include "HYX/UpaIdentity.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaReader.h"
#include "HYX/UpaTool.h"
#include "HYX/UpaWmoReader.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace HYX;

// ecCodes keeps some of what it allocates for damaged BUFR messages until the process ends;
// the leak checker of the sanitizer build is not to count that against this program.
extern "C" const char* __lsan_default_suppressions() { return "leak:libeccodes.so\n"; }

namespace {

const char* const USAGE =
    "usage: upaconv [options] input ...\n"
    "\n"
    "Writes the soundings of the inputs (\"-\" for standard input) to upper-air files, one\n"
    "per observation time, named by the naming convention (YYYYMMDDHH_upa.cvt).\n"
    "\n"
    "  -f FORMAT     the inputs' format: wyoming, csv (or iem), spc (or sharppy), igra,\n"
    "                bufr, coded, text; without it each input's format is recognised\n"
    "                from its contents\n"
    "  -c            the same as -f coded\n"
    "  -d DATE       YYYYMM[DDHH]: the year and month of coded reports (they give only\n"
    "                the day and hour); for other formats, the observation time of all\n"
    "  -dp DIR       the directory of the output files (default .)\n"
    "  -nc TAG       the naming convention of the output files (default upa_cvt)\n"
    "  -o FILE       writes every sounding into FILE instead (those of other times are\n"
    "                skipped)\n"
    "  -a            adds to existing output files instead of replacing them\n"
    "  -ot           an off-hour sounding goes into a file of its own hour instead of the\n"
    "                file of its nominal time\n"
    "  -t FROM[,TO]  only soundings observed from FROM to TO (YYYYMMDDHH)\n"
    "  -s FILE       the station file (default upa.cty in the database; none for no file)\n"
    "  -k            keeps the input's station identifiers\n"
    "  -p            plain decoding of coded reports (leaves out significant winds of\n"
    "                parts B and D, dew-point depression code 99 and 925 hPa heights of\n"
    "                1000 m and more)\n"
    "  -fp DIR       the database directory (station file and naming conventions)\n"
    "  -h            this help\n"
    "\n"
    "Formats: wyoming   University of Wyoming TEXT:LIST pages (HTML or text)\n"
    "         csv       University of Wyoming CSV, Iowa Environmental Mesonet RAOB CSV\n"
    "         spc       SPC and SHARPpy %TITLE%/%RAW% files\n"
    "         igra      IGRA version 2 station files, plain or zipped\n"
    "         bufr      radiosonde (TEMP) and pilot reports in BUFR\n"
    "         coded     bulletins of coded TEMP and PILOT reports\n"
    "         text      DATE YYYYMMDDHH / STATION id wmo lat lon elev / p h t td dir spd\n"
    "                   [S|T|W] / END, one item a line\n";

struct Options {
    std::string format, date, dir = ".", conv = "upa_cvt", single, stations = "upa.cty", range,
                              dbase;
    bool append = false, ownTime = false, keepIds = false, plain = false;
    std::vector<std::string> inputs;
};

[[noreturn]] void usage(const char* why) {
    if (why) std::fprintf(stderr, "upaconv: %s\n", why);
    std::fputs(USAGE, stderr);
    Hyx::exit(Hyx::MISC);
}

Options parse(int argc, char** argv) {
    Options o;
    const std::map<std::string, std::string Options::*> valued = {
        {"-f", &Options::format},   {"-d", &Options::date},   {"-dp", &Options::dir},
        {"-nc", &Options::conv},    {"-o", &Options::single}, {"-t", &Options::range},
        {"-s", &Options::stations}, {"-fp", &Options::dbase}};
    const std::map<std::string, bool Options::*> flags = {{"-a", &Options::append},
                                                          {"-ot", &Options::ownTime},
                                                          {"-k", &Options::keepIds},
                                                          {"-p", &Options::plain}};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::fputs(USAGE, stdout);
            Hyx::exit(Hyx::NOERR);
        }
        if (a == "-c") {
            o.format = "coded";
        } else if (valued.count(a)) {
            if (i + 1 >= argc) usage(("option " + a + " needs a value").c_str());
            o.*valued.at(a) = argv[++i];
        } else if (flags.count(a)) {
            o.*flags.at(a) = true;
        } else if (a.size() > 1 && a[0] == '-') {
            usage(("unknown option " + a).c_str());
        } else {
            o.inputs.push_back(a);
        }
    }
    if (o.inputs.empty()) usage("no input");
    return o;
}

// The database directory beside the running executable (symbolic links resolved), or the
// empty text when there is none.
std::string databaseBesideProgram() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    std::string dir(buf, static_cast<size_t>(n));
    dir.erase(dir.rfind('/') + 1);
    char* real = realpath((dir + UPACONV_RELATIVE_SHARE_DIR).c_str(), nullptr);
    if (!real) return "";
    dir = real;
    std::free(real);
    return dir;
}

// Without a database directory the program uses the one installed beside it (so that a moved
// tree still works), then the one of the configured prefix, then the source tree's.
void useDatabase(const std::string& dir) {
    if (!dir.empty()) {
        Hyx::setDatabasePath(dir.c_str());
        return;
    }
    const std::string beside = databaseBesideProgram();
    for (const char* d : {beside.c_str(), UPACONV_SHARE_DIR, UPACONV_SOURCE_SHARE_DIR})
        if (*d && FileTool::isDir(d)) {
            Hyx::setDatabasePath(d);
            return;
        }
}

bool readDate(const std::string& text, Date& d) {
    return !text.empty() && d.set(("#" + text).c_str()) && d.getYear() != Const::MISS &&
           d.getMonth() != Const::MISS;
}

struct Range {
    long from = Const::MISS, to = Const::MISS;
    bool holds(const Date& d) const {
        return (from == Const::MISS || d.getSeconds() >= from) &&
               (to == Const::MISS || d.getSeconds() <= to);
    }
};

// What the run did, for the summary.
struct Summary {
    std::map<std::string, int> skips;
    int read = 0, inputErrors = 0;
    void skip(const std::string& why, const std::string& reason) {
        std::fprintf(stderr, "upaconv: skipped: %s\n", why.c_str());
        ++skips[reason];
    }
};

} // namespace

int main(int argc, char** argv) {
    Hyx::setProgramName("upaconv");
    const Options opt = parse(argc, argv);
    useDatabase(opt.dbase);

    UpaFormat::Kind forced = UpaFormat::UNKNOWN;
    if (!opt.format.empty() &&
        (forced = UpaFormat::fromName(opt.format.c_str())) == UpaFormat::UNKNOWN)
        usage(("unknown format " + opt.format).c_str());
    Date base;
    if (!opt.date.empty() && !readDate(opt.date, base)) usage("-d needs YYYYMM[DDHH]");
    Range range;
    if (!opt.range.empty()) {
        const size_t comma = opt.range.find(',');
        Date a, b;
        if (!readDate(opt.range.substr(0, comma), a) ||
            (comma != std::string::npos && !readDate(opt.range.substr(comma + 1), b)))
            usage("-t needs YYYYMMDDHH[,YYYYMMDDHH]");
        range.from = a.getSeconds();
        if (b.isSet()) range.to = b.getSeconds();
    }

    UpaIdentity ident;
    ident.setKeepIds(opt.keepIds);
    if (opt.stations != "none" && !ident.setStations(opt.stations.c_str())) {
        std::fprintf(stderr, "upaconv: cannot read the station file %s\n", opt.stations.c_str());
        Hyx::exit(Hyx::NOFILE);
    }
    UpaFileSet out;
    out.setOwnTime(opt.ownTime);
    out.setAppend(opt.append);
    if (!opt.single.empty()) {
        out.setSingle(opt.single.c_str());
    } else if (!FileTool::isDir(opt.dir.c_str())) {
        std::fprintf(stderr, "upaconv: no directory %s\n", opt.dir.c_str());
        Hyx::exit(Hyx::NOWRITE);
    }
    if (!out.setConvention(opt.conv.c_str(), opt.dir.c_str()) && opt.single.empty()) {
        std::fprintf(stderr, "upaconv: no naming convention %s with a time code\n",
                     opt.conv.c_str());
        Hyx::exit(Hyx::NOFILE);
    }

    Summary sum;
    for (const std::string& name : opt.inputs) {
        std::string bytes, err;
        if (!UpaReader::slurp(name.c_str(), bytes, err)) {
            std::fprintf(stderr, "upaconv: cannot read %s: %s\n", name.c_str(), err.c_str());
            out.discard();
            Hyx::exit(Hyx::NOFILE);
        }
        const UpaFormat::Kind kind =
            forced != UpaFormat::UNKNOWN ? forced : UpaFormat::detect(bytes.data(), bytes.size());
        std::unique_ptr<UpaReader> reader = UpaFormat::makeReader(kind);
        if (!reader) {
            std::fprintf(stderr, "upaconv: %s: not a sounding file of a known format\n",
                         name.c_str());
            ++sum.inputErrors;
            continue;
        }
        if (kind == UpaFormat::CODED) {
            auto* coded = static_cast<UpaWmoReader*>(reader.get());
            if (!base.isSet()) {
                std::fputs("upaconv: coded reports need -d YYYYMM (they give only the day "
                           "and hour)\n",
                           stderr);
                out.discard();
                Hyx::exit(Hyx::MISC);
            }
            coded->setBase(base);
            coded->setMode(opt.plain ? UpaTool::PLAIN : UpaTool::FULL);
        }
        reader->setText(bytes.data(), bytes.size(), name.c_str());
        bytes.clear();
        UpaData d;
        while (reader->read(d) == 1) {
            ++sum.read;
            if (base.isSet() && kind != UpaFormat::CODED) d.setDate(base);
            ident.apply(d);
            if (!d.getDate().isSet()) {
                sum.skip(std::string(d.getId()) + " in " + name + " has no date", "without a date");
                continue;
            }
            if (!range.holds(d.getDate())) {
                ++sum.skips["outside the time range"];
                continue;
            }
            UpaRawinData rec;
            if (!UpaTool::unmerge(d, rec)) {
                sum.skip(std::string(d.getId()) + " in " + name + " has no levels with a pressure",
                         "without levels");
                continue;
            }
            std::string why, note;
            const int r = out.add(rec, why, note);
            if (!note.empty()) std::printf("upaconv: note: %s\n", note.c_str());
            if (r < 0) {
                std::fprintf(stderr, "upaconv: %s\n", why.c_str());
                out.discard();
                Hyx::exit(Hyx::NOWRITE);
            }
            if (r == 0)
                sum.skip(std::string(d.getId()) + " in " + name + ": " + why,
                         why.find("already") != std::string::npos ? "duplicate"
                                                                  : "of another time");
        }
        for (const std::string& why : reader->getSkipped())
            sum.skip(why + " (" + name + ")", "no sounding in the report");
        sum.inputErrors += reader->getErrors();
    }

    std::string err;
    if (!out.finish(err)) {
        std::fprintf(stderr, "upaconv: %s\n", err.c_str());
        Hyx::exit(Hyx::NOWRITE);
    }
    int written = 0;
    for (const UpaFileSet::Output& o : out.getOutputs()) {
        std::printf("upaconv: %d sounding%s written to %s\n", o.count, o.count == 1 ? "" : "s",
                    o.name.c_str());
        written += o.count;
    }
    for (const auto& [reason, n] : sum.skips)
        std::printf("upaconv: %d report%s skipped: %s\n", n, n == 1 ? "" : "s", reason.c_str());
    if (written == 0) {
        std::fputs("upaconv: no sounding written\n", stderr);
        Hyx::exit(Hyx::NODATA);
    }
    Hyx::exit(sum.inputErrors ? Hyx::NOINPUT : Hyx::NOERR);
}
