// The interactive window device on an X display. Everything is drawn into an off-screen
// pixmap that update() copies to the window, so exposures are repaired without redrawing;
// up to 128 animation frames are kept as pixmaps. manage() runs the program's event loop:
// X events become named events with a data text ("KeyPress" "z-Alt:120:80", "Configure"
// "640:512", ...) delivered to the registered listeners in registration order, the window
// itself first, and an "Idle" event follows every pass of the loop. The device can also
// draw into a window of another program (the "wp" parameter, see getDevice).
//
// Xlib types stay out of this header (its macros clash with common names): X resource ids
// are kept as XId, the display and graphics contexts through their opaque structures.
#ifndef HYX_XWINDOW_H
#define HYX_XWINDOW_H

#include "HYX/Device.h"
#include "HYX/Export.h"
#include "HYX/Listener.h"
#include "HYX/Rect.h"

#include <array>
#include <memory>

struct _XDisplay;
struct _XGC;
struct _XImage;
union _XEvent;

namespace HYX {

class HYX_API XWindow : public Device, public Listener {
public:
    using XId = unsigned long; // an X window, pixmap, drawable, cursor or colormap id

    static constexpr int MAX_WINDOW = 10;
    // Size of a new window, pixels.
    static constexpr int DEFAULT_WIDTH = 640;
    static constexpr int DEFAULT_HEIGHT = 512;
    static constexpr int MAX_FRAME = 128;
    static constexpr int NUM_FILL_PAT = 20;
    static constexpr int ICON_SIZE = 48;
    // Event type codes of the events the device makes up itself.
    static constexpr int REDRAW_EVENT = 50;
    static constexpr int IDLE_EVENT = 999;
    // Frame indexes with a meaning of their own.
    static constexpr int LAST_FRAME = -1;
    static constexpr int SHOWN_FRAME = -2;
    static constexpr int DRAW_PIXMAP = -3;
    // Cursor codes.
    enum CursorCode {
        CUR_X = 0,
        CUR_PTR,
        CUR_MOVE,
        CUR_LOOP,
        CUR_STOP,
        CUR_DRAW,
        CUR_READY,
        CUR_TEXT,
        CUR_BUSY
    };

    // One registered listener; the items form one process-wide list in registration order.
    struct XCallbackItem {
        int type = 0; // X event type code; 0 = any event
        XId window = 0;
        Listener* listener = nullptr; // not owned
        const void* data = nullptr;   // passed back as the callback's third argument
        std::unique_ptr<XCallbackItem> next;
    };

    // One animation frame.
    struct XFrame {
        char title[50] = {};
        XId pixmap = 0;  // 0 when none
        float delay = 0; // seconds shown while looping
        int flag = 0;
    };

    // Same layout as an X rectangle.
    struct ClipRect {
        short x = 0;
        short y = 0;
        unsigned short width = 0;
        unsigned short height = 0;
    };

    XWindow() { init(); }
    ~XWindow() override { close(); }
    XWindow(const XWindow&) = delete;
    XWindow& operator=(const XWindow&) = delete;

    int init() override;
    int setParam(const char* param) override;
    int open() override;
    // A device string with which another program draws into this window.
    int getDevice(String& s) override;
    int resize(float w, float h) override;
    int manage() override;
    int unmanage() override { return managed = false, 1; }
    int addCallback(const char* type, Listener* l, const void* data) override;
    int doCallback(const char* type, const char* data) override;
    // The window's own reactions to its events.
    void callback(const char* type, const char* data, const void* arg) override;
    int close() override;
    int update() override;
    int clear() override;
    int clearRect(Rect& r) override;
    int setTitle(const char* str) override;
    int setIcon(bool b) override { return icon = b, 1; }
    int setFixed(bool b) override { return fixed = b ? 1 : 0, 1; }
    int setInverse(bool b) override { return inverse = b, 1; }
    bool getInverse() override { return inverse; }
    // Inverse video, or (once open) a background colour lighter than mid-grey.
    bool isLightGround() override { return opened ? light_ground : inverse; }
    int setBackground(const char* colour) override;
    int setSize(float w, float h) override;
    int getSize(float& w, float& h) override {
        w = static_cast<float>(width), h = static_cast<float>(height);
        return 1;
    }
    float getWidth() override { return static_cast<float>(width); }
    float getHeight() override { return static_cast<float>(height); }
    int setOffset(float px, float py) override;
    int getOffset(float& px, float& py) override {
        px = static_cast<float>(x), py = static_cast<float>(y);
        return 1;
    }
    int getCoords(Rect& r) override { return r = getCoords(), 1; }
    Rect getCoords() override;
    // Returns the X pixel value; a red of -1 gives the background pixel.
    int allocColor(float r, float g, float b) override;
    int setColor(int type, int pixel) override;
    int setLineWidth(int type, float w) override;
    int setLineStyle(int type, int style) override;
    int setFillStyle(int type, int style) override;
    int drawLine(int type, float x1, float y1, float x2, float y2) override;
    int drawLine(int type, Points& pts) override;
    int drawFill(int type, Points& pts) override;
    int setImageAlign(int h, int v) override { return image_halign = h, image_valign = v, 1; }
    int drawImage(Image& img, float px, float py) override;
    int drawImage(Image& img, int color, float px, float py) override;
    int getImage(Image& img) override;
    // 1 loaded, -1 when the font cannot be loaded (no device font then).
    int setFont(const char* fontname) override;
    int setTextAlign(int h, int v) override { return text_halign = h, text_valign = v, 1; }
    int drawText(Point& pt, const char* str) override;
    Rect getClip() override;
    int setClip(float x1, float y1, float x2, float y2) override;
    int setClip(Rect r) override { return setClip(r.xmin, r.ymin, r.xmax, r.ymax); }
    // Returns the previous cursor code.
    int setCursor(int code) override;
    int copyFrame(int dest, int src) override;
    int displayFrame(int f) override;
    int clearFrame(int f) override;
    int newFrame(int f) override;
    int newFrame() override;
    bool isLooping() override { return looping != 0; }
    int getFrame() override { return cur_frame; }
    int setFrame(int f) override;
    int incFrame(int step) override;
    int deleteFrame(int f) override;
    int deleteFrame();
    int getNumFrames() override { return num_frame; }
    int message(const char* str) override;
    int bell(int volume) override;

    // Animation control.
    int toggleLoop();
    // 1 faster, -1 slower.
    int loopRate(int step);
    float getDelay() const { return delay; }
    float getEndDelay() const { return end_delay; }
    int setDelay(float d, float end);
    // 0 or 1 plain (1 forward), 2 or 3 back and forth (3 forward).
    int setDirect(int d) { return d >= 0 && d <= 3 ? (direct = d, 1) : 0; }
    int getDirect() const { return direct; }
    // First and last frame of the loop; -1 for the first / last frame.
    int setLoopRange(int start, int end) { return start_frame = start, end_frame = end, 1; }

    bool isOpen() const { return opened; }
    bool isMapped() const { return mapped; }
    int getType() const { return type; }
    int getCursor() const { return cursor; }
    const char* getTitle() const { return title; }
    XId getWindowId() const { return window; }
    XId getDrawable() const { return drawing; }

    // Debug aids.
    int printGC(int kind) const;
    static void printImage(const _XImage* xi);

    // Process-wide state: the display connection, the window table, the callback list.
    static void initStatic();
    static bool isConnected() { return display != nullptr; }
    static int getNumWindows() { return num_window; }
    // Runs the event loop until unmanage; 0 when no window exists.
    static int mainloop();
    // Reads and delivers every event waiting in the queue.
    static void processPending();
    static void processEvent(_XEvent& ev);
    // Delivers a named event to the listeners of a window registered for type (or any).
    static void procCallback(XId win, int type, const char* name, const char* data);

private:
    int openOwnWindow();
    int openOtherWindow();
    void createResources();
    void freeResources();
    int parseWindowParam(const char* str);
    _XGC* gcOf(int type) const;
    // Sets the clip rectangle on the graphics contexts that draw.
    void applyClip();
    void fillDrawable(XId d);
    XId newPixmap(int w, int h);
    int frameIndex(int f) const;
    XId framePixmap(int f) const;
    int putImage(Image& img, int ax, int ay, int color);
    void showTitle(const char* str);
    void loopBounds(int& lo, int& hi) const;
    float frameDelay() const;
    void pressButton(int b);
    friend class XDispatch; // the shared connection, listeners and event loop

    int type = 1;
    bool inverse = false;
    int width = DEFAULT_WIDTH;
    int height = DEFAULT_HEIGHT;
    int x = 100;
    int y = 100;
    int fixed = 1;
    bool mapped = false;
    bool icon = false;
    bool opened = false;
    char name[30] = {};
    char connect[40] = {};
    char title[60] = {};
    int window_num = -1;
    int show_win_num = 0;
    int screen = 0;
    XId color_map = 0;
    XId window = 0;
    XId dwindow = 0;
    XId drawing = 0;
    void* visual = nullptr; // the screen's Visual
    int depth = 0;
    XId icon_pixmap = 0;
    XId cursor_x = 0, cursor_ptr = 0, cursor_move = 0, cursor_loop = 0, cursor_stop = 0,
        cursor_draw = 0, cursor_rect = 0, cursor_text = 0, cursor_wait = 0;
    int cursor = -1;
    int fore_color = 0;
    int back_color = 0;
    char background[40] = {};
    int bg_color = 0;
    bool light_ground = false;
    ClipRect clip;
    _XGC* base_gc = nullptr;
    _XGC* draw_gc = nullptr;
    _XGC* line_gc = nullptr;
    _XGC* text_gc = nullptr;
    _XGC* fill_gc = nullptr;
    _XGC* mark_gc = nullptr;
    int line_style = 1;
    int line_width = 1;
    std::array<XId, NUM_FILL_PAT> fill_pat{};
    int text_halign = 2;
    int text_valign = 2;
    void* font_info = nullptr; // the device font's XFontStruct
    int image_halign = 1;
    int image_valign = 3;
    int max_frame = MAX_FRAME;
    int num_frame = 0;
    int cur_frame = 0;
    int looping = 0;
    int direct = 1;
    float delay = 0.5f;
    float end_delay = 1.0f;
    int start_frame = -1;
    int end_frame = -1;
    std::array<XFrame, MAX_FRAME> frames{};
    // The window given by a "wp" parameter: window, drawable and colormap ids.
    XId other_window = 0;
    XId other_drawable = 0;
    XId other_colormap = 0;

    static _XDisplay* display;
    static std::array<XWindow*, MAX_WINDOW> windows;
    static int num_window;
    static std::unique_ptr<XCallbackItem> callbacks;
    static bool managed;
    static int error;
    static int error_print;
    static bool io_error;
};

} // namespace HYX

#endif
