// The window operations handlers use. Controls are addressed by name only; the Win32
// implementation lives in platform/win32ui, an in-memory one in tests/fakes. Both build
// their windows from the window tables (platform/WindowTables.h) the program gives them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace dv {

// The name of a window, control, menu item or timer. The program's window tables (forms/)
// give the names their values; a window layer only keeps and compares them. 0 names nothing.
enum class Ctl : int;
constexpr Ctl kNoControl = Ctl(0);

// What happened to a control. The window layer raises these; the program routes them.
enum class Event {
    Created,       // a window was created (its start-up work runs here)
    Click,         // buttons, check boxes, radio buttons, menu items
    DoubleClick,
    KeyEnter,      // the Enter key on a window
    SelChange,     // combo selection changed by the user
    TextChange,    // edit box content changed
    LeftDown,      // left mouse button pressed on a label or window background
    RowActivated,  // list row double-clicked
    RowContext,    // list row right-clicked
    Tick,          // timer tick
    Help,          // F1 on a window that has a help file
};

// Where a window layer reports what the user did: the program's event routing.
struct UiEvents {
    std::function<void(Ctl control, Event event)> raise;
    // A window's own close request (system close, Alt+F4); true lets the window close.
    std::function<bool(Ctl window)> closeRequested;
};

enum class WindowState { Normal = 0, Centred = 1, Minimised = 2 };

// Message box styles and answers, numerically equal to the system's.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbTaskModal = 0x2000;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class Ui {
public:
    virtual ~Ui() = default;

    // Captions and tooltips.
    virtual void setText(Ctl c, const std::string& text) = 0;
    virtual std::string text(Ctl c) const = 0;
    virtual void setTooltip(Ctl c, const std::string& text) = 0;
    virtual std::string tooltip(Ctl c) const = 0;

    // Visibility, enabled state, check marks. isVisible reports the control's own flag.
    virtual void setVisible(Ctl c, bool visible) = 0;
    virtual bool isVisible(Ctl c) const = 0;
    virtual void setEnabled(Ctl c, bool enabled) = 0;
    virtual bool isEnabled(Ctl c) const = 0;
    virtual void setChecked(Ctl c, bool checked) = 0;
    virtual bool isChecked(Ctl c) const = 0;

    // Combo boxes. Setting the selection from code raises no SelChange event; it also
    // writes the item's text as the combo's own text.
    virtual int comboCount(Ctl c) const = 0;
    virtual std::string comboItem(Ctl c, int index) const = 0;
    virtual void comboAdd(Ctl c, const std::string& item) = 0;
    // Gives an item a new text in its place; a selected item stays selected.
    virtual void comboSetItem(Ctl c, int index, const std::string& item) = 0;
    virtual int comboSelection(Ctl c) const = 0;  // -1 when none
    virtual void setComboSelection(Ctl c, int index) = 0;

    // Labels, timers, progress bars. Widths and sizes are in the units of the window tables
    // (pixels of a 96-DPI display); the window layer scales them to the window's display.
    virtual void setWidth(Ctl c, int width) = 0;
    virtual void setBackColour(Ctl c, uint32_t rgb) = 0;  // 0xRRGGBB
    virtual uint32_t backColour(Ctl c) const = 0;
    virtual void setTimer(Ctl timer, int intervalMs) = 0;  // 0 stops it
    virtual int timerInterval(Ctl timer) const = 0;
    virtual void setProgress(Ctl bar, int value) = 0;

    // Report lists and check lists: rows of texts with a tick each, addressed from 0.
    virtual int rowCount(Ctl list) const = 0;
    virtual void clearRows(Ctl list) = 0;
    virtual void removeRow(Ctl list, int row) = 0;
    virtual int appendRow(Ctl list, const std::string& firstColumn) = 0;  // returns its index
    virtual void setCell(Ctl list, int row, int column, const std::string& text) = 0;
    virtual std::string cell(Ctl list, int row, int column) const = 0;
    virtual bool isTicked(Ctl list, int row) const = 0;
    virtual void setTicked(Ctl list, int row, bool ticked) = 0;
    virtual int currentRow(Ctl list) const = 0;  // -1 when none
    virtual void setCurrentRow(Ctl list, int row) = 0;
    virtual void setColumnTitle(Ctl list, int column, const std::string& title) = 0;

    // Menus, message boxes and windows.
    // Pops a menu up 3 px (at 96 DPI) right of and below the mouse pointer; the chosen item
    // raises Click.
    virtual void popupMenu(Ctl menu) = 0;
    // A message box with no owner window.
    virtual int messageBox(const std::string& text, const std::string& title, unsigned style) = 0;
    // Creates a window from its table, raises Created, and returns once it has closed.
    virtual void openModal(Ctl window) = 0;
    virtual void closeWindow(Ctl window) = 0;
    virtual void setWindowSize(Ctl window, int width, int height) = 0;
    virtual void setWindowState(Ctl window, WindowState state) = 0;
    virtual void addWindowStyle(Ctl window, uint32_t styleBits) = 0;
    virtual void setHelpFile(Ctl window, const std::string& helpFile) = 0;
    // Lets the system move the window with the mouse (non-client drag on the caption).
    virtual void dragWindow(Ctl window) = 0;

    // Dispatches every waiting message of the GUI thread, then returns.
    virtual void processPendingMessages() = 0;
    // Whether a loop that meets a processing point very often (the search, at every
    // folder) should process messages now: input is waiting, or a few milliseconds have
    // passed since messages were last processed. Such a loop writes its progress caption
    // and calls processPendingMessages only then, so the window still answers within a
    // few tens of milliseconds without paying for thousands of calls a second.
    virtual bool messagesDue() { return true; }
    // Ends the process with the exit code, after the exit routine ran.
    virtual void endProgram(int exitCode) = 0;
};

}  // namespace dv
