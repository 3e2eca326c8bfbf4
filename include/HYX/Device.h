// The output-device interface: everything Graph asks of a PostScript file, a plotter file,
// a metafile or a window. Coordinates are the device's own plot coordinates; the first
// int argument of attribute and drawing calls is the primitive kind (1 line, 2 mark,
// 3 fill, 4 text). A device keeps one colour (and, where it has them, one width and one
// style) per kind. Every device derives from Device first and Listener second.
#ifndef HYX_DEVICE_H
#define HYX_DEVICE_H

#include "HYX/Export.h"
#include "HYX/Rect.h"

namespace HYX {

class Image;
class Listener;
class Point;
class Points;
class String;

class HYX_API Device {
public:
    // Primitive kinds.
    enum Kind { LINE = 1, MARK = 2, FILL = 3, TEXT = 4 };

    virtual ~Device() = default;

    virtual int init() = 0;
    virtual int setParam(const char* param) = 0;
    virtual int open() = 0;
    virtual int getDevice(String& name) = 0;
    virtual int resize(float w, float h) = 0;
    virtual int manage() = 0;
    virtual int unmanage() = 0;
    virtual int addCallback(const char* type, Listener* l, const void* arg) = 0;
    virtual int doCallback(const char* type, const char* data) = 0;
    virtual void callback(const char* type, const char* data, const void* arg) = 0;
    virtual int close() = 0;
    virtual int update() = 0;
    virtual int clear() = 0;
    virtual int clearRect(Rect& r) = 0;
    virtual int setTitle(const char* title) = 0;
    virtual int setIcon(bool icon) = 0;
    virtual int setFixed(bool fixed) = 0;
    virtual int setInverse(bool inverse) = 0;
    virtual bool getInverse() = 0;
    // Whether the picture lies on a light ground (paper, or a window with a light or inverse
    // background), where the usual white of lines and text would not show.
    virtual bool isLightGround() { return getInverse(); }
    virtual int setBackground(const char* colour) = 0;
    virtual int setSize(float w, float h) = 0;
    virtual int getSize(float& w, float& h) = 0;
    virtual float getWidth() = 0;
    virtual float getHeight() = 0;
    virtual int setOffset(float x, float y) = 0;
    virtual int getOffset(float& x, float& y) = 0;
    virtual int getCoords(Rect& r) = 0;
    virtual Rect getCoords() = 0;
    // Components 0..1; returns the device's colour value.
    virtual int allocColor(float r, float g, float b) = 0;
    virtual int setColor(int type, int ind) = 0;
    virtual int setLineWidth(int type, float width) = 0;
    virtual int setLineStyle(int type, int style) = 0;
    virtual int setFillStyle(int type, int style) = 0;
    virtual int drawLine(int type, float x1, float y1, float x2, float y2) = 0;
    virtual int drawLine(int type, Points& pts) = 0;
    virtual int drawFill(int type, Points& pts) = 0;
    virtual int setImageAlign(int h, int v) = 0;
    virtual int drawImage(Image& img, float x, float y) = 0;
    // The same, with the pixels of colour index color left transparent.
    virtual int drawImage(Image& img, int color, float x, float y) = 0;
    virtual int getImage(Image& img) = 0;
    virtual int setFont(const char* spec) = 0;
    // h 1 left, 2 centre, 3 right; v 1 top, 2 centre, 3 baseline.
    virtual int setTextAlign(int h, int v) = 0;
    virtual int drawText(Point& pt, const char* str) = 0;
    virtual Rect getClip() = 0;
    virtual int setClip(float x1, float y1, float x2, float y2) = 0;
    virtual int setClip(Rect r) = 0;
    virtual int setCursor(int cursor) = 0;
    virtual int copyFrame(int from, int to) = 0;
    virtual int displayFrame(int frame) = 0;
    virtual int clearFrame(int frame) = 0;
    virtual int newFrame(int frame) = 0;
    virtual int newFrame() = 0;
    virtual bool isLooping() = 0;
    virtual int getFrame() = 0;
    virtual int setFrame(int frame) = 0;
    virtual int incFrame(int step) = 0;
    virtual int deleteFrame(int frame) = 0;
    virtual int getNumFrames() = 0;
    virtual int message(const char* text) = 0;
    virtual int bell(int volume) = 0;
    // Closes the device without completing its output, for a run that failed: a file device
    // leaves no file behind. A device without such output simply closes.
    virtual int discard() { return close(); }
};

} // namespace HYX

#endif
