// The common ground of the devices that write a picture to a file (PostScript, HP-GL/2, the
// metafile): the output opened by the file-name convention with a header and a trailer, the
// page size and offset, the title, the inverse flag, the colour, width and style kept per
// primitive kind, the clip box, and the operations of a window that a file has no use for
// (events, frames, cursor, bell), which do nothing and succeed. A device adds its own
// parameters, header, trailer and primitive output, and overrides what it does differently.
// Each device closes itself in its own destructor, while its trailer can still be written.
#ifndef HYX_PAGEDEVICE_H
#define HYX_PAGEDEVICE_H

#include "HYX/Device.h"
#include "HYX/Export.h"
#include "HYX/GeomBox.h"
#include "HYX/Listener.h"
#include "HYX/OutputFile.h"

#include <string_view>

namespace HYX {

class HYX_API PageDevice : public Device, public Listener {
public:
    PageDevice(const PageDevice&) = delete;
    PageDevice& operator=(const PageDevice&) = delete;

    // Opens the output ("|command" a pipe where the device takes pipes, "+name" appended,
    // anything else created), makes the whole page the clip box unless one was set, and
    // writes the header. Failure: "<Device>: unable to output to file" and 0.
    int open() override;
    // Writes the trailer and closes the output; 0 when it was not open, and when the output
    // could not be completed ("<Device>: unable to write <name>: <reason>"), in which case
    // nothing of it is left behind.
    int close() override;
    // Closes the output without completing it: the page is not kept.
    int discard() override;
    int getDevice(String& name) override;
    int resize(float, float) override { return 1; }
    int manage() override { return 1; }
    int unmanage() override { return 1; }
    int addCallback(const char*, Listener*, const void*) override { return 1; }
    int doCallback(const char*, const char*) override { return 1; }
    void callback(const char*, const char*, const void*) override {}
    int update() override { return 1; }
    int clear() override { return 1; }
    int clearRect(Rect&) override { return 1; }
    int setTitle(const char* str) override;
    int setIcon(bool) override { return 1; }
    int setFixed(bool) override { return 1; }
    int setInverse(bool b) override {
        inverse = b;
        return 1;
    }
    bool getInverse() override { return inverse; }
    // A page is white paper, whatever the inverse flag says.
    bool isLightGround() override { return true; }
    int setBackground(const char*) override { return 1; }
    // Sizes and offsets arrive in hundredths of an inch and are kept as points (times 0.72).
    int setSize(float w, float h) override;
    int getSize(float& w, float& h) override;
    float getWidth() override { return width; }
    float getHeight() override { return height; }
    int setOffset(float px, float py) override;
    int getOffset(float& px, float& py) override;
    int getCoords(Rect& r) override;
    // (0, height)-(width, 0): y runs upward as on paper, NDC top maps to the page height.
    Rect getCoords() override;
    // The packed value (r << 16) + (g << 8) + b of the components scaled to 0..255.
    int allocColor(float r, float g, float b) override;
    // Stored per kind; 0 for a kind without that attribute.
    int setColor(int type, int ind) override;
    int setLineWidth(int type, float w) override;
    int setLineStyle(int type, int style) override;
    int setFillStyle(int type, int style) override;
    int setImageAlign(int, int) override { return 1; }
    // Transparency is not kept: the image is drawn whole.
    int drawImage(Image& img, int, float px, float py) override { return drawImage(img, px, py); }
    using Device::drawImage;
    int getImage(Image& img) override;
    // Text arrives as stroke-font polylines: device fonts and text calls are ignored.
    int setFont(const char*) override { return 1; }
    int setTextAlign(int, int) override { return 1; }
    int drawText(Point&, const char*) override { return 1; }
    // The clip box as (x, y)-(x + width, y + height), unordered.
    Rect getClip() override;
    int setClip(Rect r) override { return setClip(r.xmin, r.ymin, r.xmax, r.ymax); }
    using Device::setClip;
    int setCursor(int) override { return 1; }
    int copyFrame(int, int) override { return 1; }
    int displayFrame(int) override { return 1; }
    int clearFrame(int) override { return 1; }
    int newFrame(int) override { return 1; }
    int newFrame() override { return 1; }
    bool isLooping() override { return false; }
    int getFrame() override { return 0; }
    int setFrame(int) override { return 1; }
    int incFrame(int) override { return 1; }
    int deleteFrame(int) override { return 1; }
    int getNumFrames() override { return 0; }
    int bell(int) override { return 1; }

    // A named page: its printable area in inches, width first (landscape).
    struct PageSize {
        const char* name;
        float w, h;
    };
    // letter, legal, 11x17, a4, a3, ansid.
    static const PageSize PAGE_SIZES[6];

    // The printable area of a named page of PAGE_SIZES in inches, width first (landscape).
    // False for any other name.
    static bool pageInches(const char* name, float& w, float& h);
    // A paper item of a device's parameters: "sz" and after one more character
    // width:height in inches, or a page name (any case) of pages. 1: the size read into w
    // and h; 0: not a paper item; -1: an "sz" item whose size cannot be read (w and h may
    // have changed).
    static int paperOption(std::string_view item, const PageSize* pages, size_t npages, float& w,
                           float& h);

    bool isOpen() const { return opened; }
    const char* getFilename() const { return filename; }
    float getBaseWidth() const { return base_width; }

protected:
    // device: the class name that failure messages carry; takes_pipes: whether open runs a
    // "|" name as a command; literal: the output name is taken as it is (no pipe, no "+"
    // for appending), for pictures that can only be written whole.
    PageDevice(const char* device, bool takes_pipes, bool literal = false)
        : device_name(device), pipes(takes_pipes), literal_name(literal) {}

    // Gives the shared fields their defaults: a 756 by 576 page at offset 0, title
    // "HYX Plot", the output name deflt, base width and bold 1, line style 1, fill style 0,
    // all widths 1 and all colours 0. The output stays as it is.
    void initPage(const char* deflt);
    // Written by open once the output is open, and by close before it is closed. A header or
    // trailer that cannot be made sets failed: the output is then not kept.
    virtual void writeHeader() = 0;
    virtual void writeTrailer() = 0;
    // The colour (every kind) and width (line, mark, text) fields of a kind; null for none.
    int* colorOf(int type);
    float* widthOf(int type);
    // The output's name without its "+" or "|" (or a longer name a device keeps itself).
    virtual const char* outputName() const;
    const char* deviceName() const { return device_name; }

    OutputFile file;
    bool inverse = false;
    float width = 0;
    float height = 0;
    float x = 0;
    float y = 0;
    int fixed = 0;
    bool icon = false;
    bool opened = false;
    char name[30] = {};
    char filename[60] = {};
    char title[60] = {};
    int append = 0;
    int fore_color = 0;
    int back_color = 0;
    GeomBox clip;
    float base_width = 1.0f;
    int line_bold = 1;
    int line_color = 0;
    int line_style = 1;
    float line_width = 1.0f;
    int text_color = 0;
    float text_width = 1.0f;
    int fill_color = 0;
    int fill_style = 0;
    int mark_color = 0;
    float mark_width = 1.0f;
    bool failed = false;

private:
    const char* device_name;
    bool pipes;
    bool literal_name;
};

} // namespace HYX

#endif
