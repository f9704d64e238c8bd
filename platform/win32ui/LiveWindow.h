// The state the window layer keeps for each open window and each of its controls.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowTables.h"
#include "platform/win32ui/Canvas.h"
#include "platform/win32ui/ListView.h"

namespace dv {

// Where the window layer reports what the user did.
class WindowEvents {
public:
    virtual void raise(Ctl control, Event event) = 0;
    // The window's own close request (Alt+F4, system close). True lets it close.
    virtual bool closeAllowed(Ctl window) = 0;
    virtual void closeWindow(Ctl window) = 0;
    virtual void dragWindow(Ctl window) = 0;
    virtual void setChecked(Ctl control, bool checked) = 0;
    // The window is going away; its state may be released once no handler runs.
    virtual void windowDestroyed(Ctl window) = 0;

protected:
    ~WindowEvents() = default;
};

constexpr char kWindowClass[] = "DustvaneWindow";
constexpr char kPanelClass[] = "DustvanePanel";

// Control ids, menu commands and timer ids of a control are all this base + its name.
constexpr int kIdBase = 1000;
inline int idOf(Ctl c) { return kIdBase + int(c); }
inline Ctl ctlOfId(int id) { return id > kIdBase ? Ctl(id - kIdBase) : kNoControl; }

struct LiveControl {
    Ctl id = kNoControl;
    Kind kind = Kind::Label;
    const ControlSpec* spec = nullptr;
    HWND hwnd = nullptr;         // null for timers and menus
    Ctl container = kNoControl;  // the Panel / GroupBox / Menu it sits in; none: the window
    HFONT font = nullptr;
    uint32_t backRgb = kNoColour;  // own back colour (0xRRGGBB); kNoColour: the container's
    HBRUSH brush = nullptr;        // made when first needed, in brushRgb
    uint32_t brushRgb = kNoColour;
    uint32_t textRgb = 0;
    std::string tooltip;
    int width = 0;               // in table units; setWidth changes it
    std::string caption;         // a button named by its tooltip: the caption it draws
    bool hasTool = false;        // registered with the window's tooltip control
    bool hover = false;          // the mouse is over this button
    HMENU menu = nullptr;        // Menu: its pop-up; MenuItem: the menu holding it
    int timerMs = 0;             // Timer: running interval, 0 stopped
    size_t order = 0;            // row in the window's table; later rows draw over earlier ones
    std::unique_ptr<ListRows> rows;  // ReportList, CheckList: the rows it shows
    std::unique_ptr<Canvas> still;   // an animated Picture: what does not move, drawn once
};

class WindowKit;

struct LiveWindow {
    Ctl id = kNoControl;
    const WindowSpec* spec = nullptr;
    WindowKit* kit = nullptr;
    HWND hwnd = nullptr;
    int dpi = 96;               // the display scale it is laid out for
    int width = 0, height = 0;  // client size in table units
    HWND tooltip = nullptr;
    WindowEvents* events = nullptr;
    uint32_t backRgb = 0;
    HBRUSH brush = nullptr;
    uint32_t brushRgb = kNoColour;
    std::map<Ctl, LiveControl> controls;
    std::vector<HWND> disabledOthers;  // top-level windows this modal window disabled
    bool alive = true;
    HWND lastFocus = nullptr;  // restored when the window is activated again
    bool showMinimised = false;  // minimised while hidden: it appears minimised when shown
    std::string helpFile;
    int animationFrame = 0;

    LiveWindow() = default;
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;
    ~LiveWindow();

    LiveControl* find(Ctl c);
    LiveControl* findByHwnd(HWND h);
    // The colour a control shows behind its content, and the one of a container (a Panel
    // or GroupBox name; kNoControl: the window).
    uint32_t backOf(const LiveControl& c) const;
    uint32_t containerBack(Ctl container) const;
    HBRUSH brushOf(LiveControl& c);
    HBRUSH windowBrush();
    // Tells every list of the window the rows appended, removed and changed (ListRows::sync).
    void syncLists(bool now = true);
};

// The live window a window handle (the window itself or any control in it) belongs to.
LiveWindow* liveWindowOf(HWND hwnd);

// 0xRRGGBB to the system's colour order.
inline COLORREF colourRef(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace dv
