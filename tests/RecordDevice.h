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

    void reset() {
        log.clear();
        prims.clear();
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& l : log)
            if (l.compare(0, prefix.size(), prefix) == 0) ++n;
        return n;
    }
    std::vector<Prim> drawn(const std::string& op) const {
        std::vector<Prim> out;
        for (const auto& p : prims)
            if (p.op == op) out.push_back(p);
        return out;
    }

    int init() override { return rec("init"); }
    int setParam(const char* p) override { return rec("setParam " + str(p)); }
    int open() override {
        rec("open");
        return fail_open ? 0 : 1;
    }
    int getDevice(HYX::String& name) override {
        name.copy("record");
        return rec("getDevice");
    }
    int resize(float w, float h) override {
        width = w;
        height = h;
        return rec("resize " + num(w) + " " + num(h));
    }
    int manage() override { return rec("manage"); }
    int unmanage() override { return rec("unmanage"); }
    int addCallback(const char* type, HYX::Listener*, const void*) override {
        return rec("addCallback " + str(type));
    }
    int doCallback(const char* type, const char* data) override {
        return rec("doCallback " + str(type) + " " + str(data));
    }
    void callback(const char* type, const char*, const void*) override {
        rec("callback " + str(type));
    }
    int close() override { return rec("close"); }
    int update() override { return rec("update"); }
    int clear() override { return rec("clear"); }
    int clearRect(HYX::Rect& r) override {
        return rec("clearRect " + num(r.xmin) + " " + num(r.ymin) + " " + num(r.xmax) + " " +
                   num(r.ymax));
    }
    int setTitle(const char* t) override { return rec("setTitle " + str(t)); }
    int setIcon(bool b) override { return rec("setIcon " + std::to_string(b)); }
    int setFixed(bool b) override { return rec("setFixed " + std::to_string(b)); }
    int setInverse(bool b) override {
        inverse = b;
        return rec("setInverse " + std::to_string(b));
    }
    bool getInverse() override { return inverse; }
    int setBackground(const char* c) override { return rec("setBackground " + str(c)); }
    int setSize(float w, float h) override { return rec("setSize " + num(w) + " " + num(h)); }
    int getSize(float& w, float& h) override {
        w = width;
        h = height;
        return 1;
    }
    float getWidth() override { return width; }
    float getHeight() override { return height; }
    int setOffset(float x, float y) override {
        return rec("setOffset " + num(x) + " " + num(y));
    }
    int getOffset(float& x, float& y) override {
        x = y = 0;
        return 1;
    }
    int getCoords(HYX::Rect& r) override {
        r = getCoords();
        return 1;
    }
    HYX::Rect getCoords() override {
        HYX::Rect r;
        r.xmin = 0;
        r.xmax = width;
        r.ymin = up ? height : 0;
        r.ymax = up ? 0 : height;
        return r;
    }
    int allocColor(float r, float g, float b) override {
        return (static_cast<int>(r * 255) << 16) + (static_cast<int>(g * 255) << 8) +
               static_cast<int>(b * 255);
    }
    int setColor(int type, int ind) override {
        return rec("color " + std::to_string(type) + " " + std::to_string(ind));
    }
    int setLineWidth(int type, float w) override {
        return rec("width " + std::to_string(type) + " " + num(w));
    }
    int setLineStyle(int type, int s) override {
        return rec("style " + std::to_string(type) + " " + std::to_string(s));
    }
    int setFillStyle(int type, int s) override {
        return rec("fstyle " + std::to_string(type) + " " + std::to_string(s));
    }
    int drawLine(int type, float x1, float y1, float x2, float y2) override {
        Prim p{"line", type, {HYX::Point(x1, y1), HYX::Point(x2, y2)}, ""};
        return addPrim(p);
    }
    int drawLine(int type, HYX::Points& pts) override { return addPrim(fromPoints("pline", type, pts)); }
    int drawFill(int type, HYX::Points& pts) override { return addPrim(fromPoints("fill", type, pts)); }
    int setImageAlign(int h, int v) override {
        return rec("imageAlign " + std::to_string(h) + " " + std::to_string(v));
    }
    int drawImage(HYX::Image& img, float x, float y) override {
        return rec("image " + std::to_string(img.getWidth()) + "x" +
                   std::to_string(img.getHeight()) + " " + num(x) + "," + num(y));
    }
    int drawImage(HYX::Image& img, int color, float x, float y) override {
        return rec("image " + std::to_string(img.getWidth()) + "x" +
                   std::to_string(img.getHeight()) + " " + num(x) + "," + num(y) + " trans " +
                   std::to_string(color));
    }
    int getImage(HYX::Image& img) override {
        img.init();
        return rec("getImage");
    }
    int setFont(const char* spec) override { return rec("font " + str(spec)); }
    int setTextAlign(int h, int v) override {
        return rec("talign " + std::to_string(h) + " " + std::to_string(v));
    }
    int drawText(HYX::Point& pt, const char* s) override {
        Prim p{"text", 4, {pt}, str(s)};
        return addPrim(p);
    }
    HYX::Rect getClip() override { return clip; }
    int setClip(float x1, float y1, float x2, float y2) override {
        clip.xmin = x1;
        clip.ymin = y1;
        clip.xmax = x2;
        clip.ymax = y2;
        return rec("clip " + num(x1) + " " + num(y1) + " " + num(x2) + " " + num(y2));
    }
    int setClip(HYX::Rect r) override { return setClip(r.xmin, r.ymin, r.xmax, r.ymax); }
    int setCursor(int c) override { return rec("cursor " + std::to_string(c)); }
    int copyFrame(int a, int b) override {
        return rec("copyFrame " + std::to_string(a) + " " + std::to_string(b));
    }
    int displayFrame(int f) override { return rec("displayFrame " + std::to_string(f)); }
    int clearFrame(int f) override { return rec("clearFrame " + std::to_string(f)); }
    int newFrame(int f) override { return rec("newFrame " + std::to_string(f)); }
    int newFrame() override { return rec("newFrame"); }
    bool isLooping() override { return false; }
    int getFrame() override { return 0; }
    int setFrame(int f) override { return rec("setFrame " + std::to_string(f)); }
    int incFrame(int s) override { return rec("incFrame " + std::to_string(s)); }
    int deleteFrame(int f) override { return rec("deleteFrame " + std::to_string(f)); }
    int getNumFrames() override { return 0; }
    int message(const char* m) override { return rec("message " + str(m)); }
    int bell(int v) override { return rec("bell " + std::to_string(v)); }

    static std::string num(float v) {
        char b[32];
        std::snprintf(b, sizeof b, "%.2f", v);
        return b;
    }

private:
    static std::string str(const char* s) { return s ? s : "(null)"; }
    int rec(const std::string& line) {
        log.push_back(line);
        return 1;
    }
    static Prim fromPoints(const char* op, int type, const HYX::Points& pts) {
        Prim p{op, type, {}, ""};
        for (int i = 0; i < pts.getNum(); ++i) p.pts.push_back(pts.get(i));
        return p;
    }
    int addPrim(const Prim& p) {
        std::string line = p.op + " " + std::to_string(p.kind) + " " + std::to_string(p.pts.size());
        for (const auto& q : p.pts) line += " " + num(q.x) + "," + num(q.y);
        if (!p.text.empty()) line += " " + p.text;
        prims.push_back(p);
        return rec(line);
    }

    bool inverse = false;
};

} // namespace testutil

#endif
