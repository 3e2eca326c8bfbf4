// The input-file selector of a drawing.
#include "HYX/Filename.h"

#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/NameConvFile.h"
#include "HYX/Prog.h"
#include "HYX/StrLib.h"

#include <cctype>
#include <cstdio>

namespace HYX {

namespace {

constexpr int MAX_ASK = 4;

// [-]H[:M] in seconds; false when the text has no hours or minutes.
bool readSpan(const char*& p, long& secs) {
    long h = 0, m = 0;
    bool any = false;
    for (int k = 0; std::isdigit(static_cast<unsigned char>(*p)); ++p, ++k) {
        if (k < 6) h = h * 10 + (*p - '0');
        any = true;
    }
    if (*p == ':') {
        ++p;
        for (int k = 0; std::isdigit(static_cast<unsigned char>(*p)); ++p, ++k) {
            if (k < 6) m = m * 10 + (*p - '0');
            any = true;
        }
    }
    secs = h * 3600 + m * 60;
    return any;
}

} // namespace

Filename::Filename() { init(); }

Filename::Filename(const char* tag) : Filename() { setNameConv(tag); }

Filename::Filename(const char* tag, const char* n) : Filename(tag) { setFile(n); }

Filename::Filename(const char* tag, const Date& d) : Filename(tag) { setDate(d); }

void Filename::init() {
    is_set = false;
    fixed = false;
    named = false;
    given.clear();
    type[0] = param[0] = 0;
    name.clear();
    hdr.clear();
    date.init();
    base_date.init();
    conv.init();
    conv.initParam();
    files.set(0);
    num_file = 1;
    file_off = Const::MISS;
    num_type = 0;
    num_dir = 1;
}

int Filename::setNameConv(const char* tag) {
    const int ok = conv.set(tag);
    file_off = conv.getOffset();
    StrLib::copy(type, sizeof type, conv.getType());
    StrLib::copy(param, sizeof param, conv.getParam());
    return ok;
}

void Filename::takeRecord(const NameConvFile& rec) {
    name.copy(rec.getFilename());
    hdr.copy(rec.getHeader());
    date = rec.getDate();
    base_date = date;
    is_set = true;
    fixed = !conv.hasTimeCode() || !date.isSet();
}

int Filename::setLiteral(const char* text) {
    name.copy(text ? text : "");
    hdr.clear();
    date.init();
    is_set = true;
    fixed = true;
    return exist() ? 1 : 0;
}

int Filename::setLatest(const char* spec) {
    named = false;
    NameConvFile rec;
    conv.setLatest(spec, rec);
    takeRecord(rec);
    return exist() ? 1 : 0;
}

int Filename::setDate(const Date& d) {
    named = false;
    NameConvFile rec;
    conv.setFile(d, rec);
    takeRecord(rec);
    if (!base_date.isSet()) base_date = d;
    return exist() ? 1 : 0;
}

int Filename::getDate(Date& d) const {
    d = date;
    return date.isSet() ? 1 : 0;
}

const char* Filename::getName(int i) const {
    if (num_type == 2) return files.getString(i);
    return i == 0 ? name.get() : nullptr;
}

int Filename::setName(const char* n) {
    name.copy(n ? n : "");
    is_set = name.valid();
    return 1;
}

int Filename::setHeader(const char* h) { return hdr.copy(h ? h : ""); }

int Filename::setType(const char* t) { return StrLib::copy(type, sizeof type, t ? t : ""); }

bool Filename::exist() const {
    const char* n = name.get();
    if (!StrLib::valid(n)) return false;
    if (n[0] == '|' || FileTool::isStdio(n)) return true;
    return FileTool::exist(n);
}

int Filename::checkFile(const char* text) {
    if (!text) text = "";
    if (StrLib::iequal(text, "exit")) Hyx::exit(Hyx::NOERR);
    given.copy(text);
    named = true; // unless a date request below chooses the file
    if (text[0] == '@') return setLiteral(text + 1);
    if (FileTool::isStdio(text)) return setLiteral("-");
    const char* tpl = conv.getFile();
    if (!StrLib::valid(tpl) || StrLib::iequal(tpl, "none")) return setLiteral(text);
    if (text[0] == '#') return setLatest(text);
    if (StrLib::iequal(text, "cu=", 3)) return setLatest(text + 3);
    if (StrLib::iequal(text, "cu") || StrLib::iequal(text, "current")) return setLatest("");
    // "la", "latest", "la#24", "la-6"; a file that merely begins with "la" is a name.
    if (StrLib::iequal(text, "la", 2)) {
        const char* p = text;
        while (std::isalpha(static_cast<unsigned char>(*p))) ++p;
        if (!*p || *p == '#' || *p == '+' || *p == '-') return setLatest(text);
    }
    if (FileTool::isFullPath(tpl) && FileTool::isFullPath(text)) return setLiteral(text);
    if (!conv.decode(text)) return setLiteral(text);
    Date d;
    conv.getDate(d);
    NameConvFile rec;
    conv.setFile(d, rec);
    takeRecord(rec);
    return exist() ? 1 : 0;
}

int Filename::useFileList(const char* list, const char* current) {
    files.set(list, StrLib::index(list, '\n') >= 0 ? '\n' : ',');
    if (files.getNum() > 1) {
        num_file = files.getNum();
        num_type = 2;
    }
    if (current) {
        setNameConv(files.getString(0));
        return setLatest(current);
    }
    return checkFile(files.getString(0));
}

int Filename::setFilePrompt(const char* prompt) {
    const char* fname = Hyx::getResrc("filename");
    const char* current = Hyx::getResrc("current");
    if (fname && StrLib::iequal(fname, "list")) {
        listFile();
        Hyx::exit(Hyx::NOERR);
    }
    if (fname) return useFileList(fname, current);
    if (current) return setLatest(current);
    if (!Hyx::getResrc("inter")) return setLatest("la");

    Hyx::outMessage("List of available files:\n");
    listFile();
    Hyx::outMessage("\n");
    for (int i = 0; i < MAX_ASK; ++i) {
        String answer;
        Prog::prompt(prompt ? prompt : "Enter the filename: ", answer);
        // At the end of the input there is no one left to ask.
        if (std::feof(stdin) && !answer.valid()) return checkFile("");
        if (answer.iequal("list")) {
            listFile();
            continue;
        }
        if (checkFile(answer.get()) && exist()) return 1;
        Hyx::outMessage("File not found: %s\n", name.get());
    }
    return 0;
}

int Filename::setFile(const char* text) {
    if (!text) {
        const char* fname = Hyx::getResrc("filename");
        if (fname) return useFileList(fname, nullptr);
        const char* current = Hyx::getResrc("current");
        return setLatest(current ? current : "la");
    }
    files.set(text, ',');
    const int n = files.getNum();
    if (n > 1 && StrLib::equal(files.getString(1), "nh=", 3)) {
        const int ok = checkFile(files.getString(0));
        setNumFiles(files.getString(1) + 3);
        return ok;
    }
    if (n > 1) {
        num_file = n;
        num_type = 2;
    }
    return checkFile(files.getString(0));
}

void Filename::setNumFiles(int n) {
    if (n >= 0) {
        num_file = n;
    } else {
        num_file = -n;
        num_dir = -1;
    }
}

int Filename::setNumFiles(const char* text) {
    if (!StrLib::valid(text)) return 0;
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    const bool back = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    long span = 0;
    if (!readSpan(p, span)) {
        Hyx::outWarning("Filename::setNumFiles: not a span of hours: %s\n", text);
        return 0;
    }
    long spacing = conv.getOffset();
    if (*p == ',') {
        ++p;
        if (!readSpan(p, spacing)) spacing = conv.getOffset();
    }
    if (spacing == Const::MISS) {
        num_file = 1;
    } else if (spacing <= 0) {
        num_file = static_cast<int>(span / 3600 + 1);
        spacing = 3600;
    } else {
        num_file = static_cast<int>(span / spacing + 1);
    }
    file_off = static_cast<int>(spacing);
    num_dir = back ? -1 : 1;
    num_type = 1;
    Hyx::outDebug(5, "Set NumFiles: %ld %ld = %d\n", span, spacing, num_file);
    return 1;
}

int Filename::setFile(int i) {
    if (i < 0 || i >= num_file) return 0;
    if (num_type == 2) {
        const char* e = files.getString(i);
        if (!e) return 0;
        const Date base = base_date;
        checkFile(e);
        base_date = base;
        return 1;
    }
    if (fixed) return i == 0 ? 1 : 0;
    if (!base_date.isSet() || file_off == Const::MISS) return i == 0 ? 1 : 0;
    const long k = num_dir < 0 ? i - (num_file - 1) : i;
    const long s = k * file_off;
    Date d(base_date);
    if (s % 60 == 0)
        d.addMinutes(static_cast<int>(s / 60));
    else
        d.addSeconds(static_cast<float>(s));
    NameConvFile rec;
    conv.setFile(d, rec);
    name.copy(rec.getFilename());
    hdr.copy(rec.getHeader());
    date = rec.getDate();
    is_set = true;
    return 1;
}

int Filename::listFile() const {
    String pattern;
    if (!conv.makePattern(pattern)) pattern.copy("*");
    String cmd("ls -x ");
    cmd.append(pattern);
    Hyx::outDebug(1, "SEARCH: %s\n", cmd.get());
    String pipe("|");
    pipe.append(cmd);
    pipe.append(" 2>&1");
    File f(pipe.get(), "r");
    if (!f.isOpen()) {
        Hyx::outWarning("Filename::listFile: cannot run: %s\n", cmd.get());
        return 0;
    }
    char buf[512];
    while (f.getLine(buf, sizeof buf) > 0) Hyx::print(buf);
    std::fflush(stdout);
    f.close();
    return f.getStatus() == 0 ? 1 : 0;
}

void Filename::print() const {
    String d, b;
    date.toText(d);
    base_date.toText(b);
    std::printf("Filename: %s hdr=%s type=%s fixed=%d files=%d off=%d dir=%d\n", name.get(),
                hdr.get(), type, fixed ? 1 : 0, num_file, file_off, num_dir);
    std::printf("  date=%s base=%s\n", d.get(), b.get());
}

} // namespace HYX
