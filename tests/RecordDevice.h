// A device for tests: records every call as one text line ("pline 1 3 10.00,20.00 ...")
// and keeps the drawn primitives with their points, so that drawing layers can be checked
// without pixels. Its surface is width x height units, y down like a window, or y up
// like a page.
#ifndef HYX_TEST_RECORDDEVICE_H
#define HYX_TEST_RECORDDEVICE_H

#include "HYX/Device.h"
#include "HYX/Image.h"
#include "HYX/Listener.h"
#include "HYX/Point.h"
#include "HYX/Points.h"
#include "HYX/String.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace testutil {

class RecordDevice : public HYX::Device, public HYX::Listener {
public:
    // One drawn primitive: op is "line", "pline", "fill" or "text".
    struct Prim {
        std::string op;
        int kind = 0;
        std::vector<HYX::Point> pts;
        std::string text;
    };

    RecordDevice(float w = 1000, float h = 1000, bool y_up = false)
        : width(w), height(h), up(y_up) {}

    std::vector<std::string> log;
    std::vector<Prim> prims;
    float width, height;
    bool up;
    bool fail_open = false;
    HYX::Rect clip{0, 0, 0, 0};

    void reset() { log.clear(), prims.clear(); }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& l : log) n += l.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
    std::vector<Prim> drawn(const std::string& op) const {
        std::vector<Prim> out;
        for (const auto& p : prims)
            if (p.op == op) out.push_back(p);
        return out;
    }
    // Numbers as "%.2f", texts as they are, separated by blanks.
    static std::string num(float v) {
        char b[32];
        std::snprintf(b, sizeof b, "%.2f", v);
        return b;
    }

    int init() override { return rec("init"); }
    int setParam(const char* p) override { return rec("setParam", p); }
    int open() override { return rec("open") && !fail_open; }
    int getDevice(HYX::String& name) override { return name.copy("record"), rec("getDevice"); }
    int resize(float w, float h) override { return width = w, height = h, rec("resize", w, h); }
    int manage() override { return rec("manage"); }
    int unmanage() override { return rec("unmanage"); }
    int addCallback(const char* t, HYX::Listener*, const void*) override {
        return rec("addCallback", t);
    }
    int doCallback(const char* t, const char* d) override { return rec("doCallback", t, d); }
    void callback(const char* t, const char*, const void*) override { rec("callback", t); }
    int close() override { return rec("close"); }
    int update() override { return rec("update"); }
    int clear() override { return rec("clear"); }
    int clearRect(HYX::Rect& r) override {
        return rec("clearRect", r.xmin, r.ymin, r.xmax, r.ymax);
    }
    int setTitle(const char* t) override { return rec("setTitle", t); }
    int setIcon(bool b) override { return rec("setIcon", int(b)); }
    int setFixed(bool b) override { return rec("setFixed", int(b)); }
    int setInverse(bool b) override { return inverse = b, rec("setInverse", int(b)); }
    bool getInverse() override { return inverse; }
    int setBackground(const char* c) override { return rec("setBackground", c); }
    int setSize(float w, float h) override { return rec("setSize", w, h); }
    int getSize(float& w, float& h) override { return w = width, h = height, 1; }
    float getWidth() override { return width; }
    float getHeight() override { return height; }
    int setOffset(float x, float y) override { return rec("setOffset", x, y); }
    int getOffset(float& x, float& y) override { return x = y = 0, 1; }
    int getCoords(HYX::Rect& r) override { return r = getCoords(), 1; }
    HYX::Rect getCoords() override {
        HYX::Rect r;
        r.xmin = 0, r.xmax = width;
        r.ymin = up ? height : 0, r.ymax = up ? 0 : height;
        return r;
    }
    int allocColor(float r, float g, float b) override {
        return (int(r * 255) << 16) + (int(g * 255) << 8) + int(b * 255);
    }
    int setColor(int type, int ind) override { return rec("color", type, ind); }
    int setLineWidth(int type, float w) override { return rec("width", type, w); }
    int setLineStyle(int type, int s) override { return rec("style", type, s); }
    int setFillStyle(int type, int s) override { return rec("fstyle", type, s); }
    int drawLine(int type, float x1, float y1, float x2, float y2) override {
        return add({"line", type, {HYX::Point(x1, y1), HYX::Point(x2, y2)}, ""});
    }
    int drawLine(int type, HYX::Points& pts) override { return add(from("pline", type, pts)); }
    int drawFill(int type, HYX::Points& pts) override { return add(from("fill", type, pts)); }
    int setImageAlign(int h, int v) override { return rec("imageAlign", h, v); }
    int drawImage(HYX::Image& img, float x, float y) override {
        return rec("image", img.getWidth(), img.getHeight(), x, y);
    }
    int drawImage(HYX::Image& img, int c, float x, float y) override {
        return rec("image", img.getWidth(), img.getHeight(), x, y, c);
    }
    int getImage(HYX::Image& img) override { return img.init(), rec("getImage"); }
    int setFont(const char* spec) override { return rec("font", spec); }
    int setTextAlign(int h, int v) override { return rec("talign", h, v); }
    int drawText(HYX::Point& pt, const char* s) override {
        return add({"text", 4, {pt}, s ? s : ""});
    }
    HYX::Rect getClip() override { return clip; }
    int setClip(float x1, float y1, float x2, float y2) override {
        clip.xmin = x1, clip.ymin = y1, clip.xmax = x2, clip.ymax = y2;
        return rec("clip", x1, y1, x2, y2);
    }
    int setClip(HYX::Rect r) override { return setClip(r.xmin, r.ymin, r.xmax, r.ymax); }
    int setCursor(int c) override { return rec("cursor", c); }
    int copyFrame(int a, int b) override { return rec("copyFrame", a, b); }
    int displayFrame(int f) override { return rec("displayFrame", f); }
    int clearFrame(int f) override { return rec("clearFrame", f); }
    int newFrame(int f) override { return rec("newFrame", f); }
    int newFrame() override { return rec("newFrame"); }
    bool isLooping() override { return false; }
    int getFrame() override { return 0; }
    int setFrame(int f) override { return rec("setFrame", f); }
    int incFrame(int s) override { return rec("incFrame", s); }
    int deleteFrame(int f) override { return rec("deleteFrame", f); }
    int getNumFrames() override { return 0; }
    int message(const char* m) override { return rec("message", m); }
    int bell(int v) override { return rec("bell", v); }

private:
    static void put(std::ostringstream& o, float v) { o << ' ' << num(v); }
    static void put(std::ostringstream& o, int v) { o << ' ' << v; }
    static void put(std::ostringstream& o, const char* s) { o << ' ' << (s ? s : "(null)"); }
    template <class... A> int rec(const char* name, A... args) {
        std::ostringstream o;
        o << name;
        (put(o, args), ...);
        log.push_back(o.str());
        return 1;
    }
    static Prim from(const char* op, int type, const HYX::Points& pts) {
        Prim p{op, type, {}, ""};
        for (int i = 0; i < pts.getNum(); ++i) p.pts.push_back(pts.get(i));
        return p;
    }
    int add(const Prim& p) {
        std::string line = p.op + " " + std::to_string(p.kind) + " " + std::to_string(p.pts.size());
        for (const auto& q : p.pts) line += " " + num(q.x) + "," + num(q.y);
        if (!p.text.empty()) line += " " + p.text;
        prims.push_back(p);
        log.push_back(line);
        return 1;
    }

    bool inverse = false;
};

} // namespace testutil

#endif
