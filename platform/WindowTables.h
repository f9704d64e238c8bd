// What a window and each of its controls look like: the rows of the window tables. The
// program keeps its tables (forms/) and hands them to its window layer, which builds real
// windows from them; nothing else describes how a control looks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace dv {

enum class Kind {
    Label,             // static text, opaque back colour
    TransparentLabel,  // static text drawn over its parent
    Picture,           // program-drawn artwork, no text: the program mark or the splash
    PictureButton,     // small artwork button without caption (title strip, footer)
    ImageButton,       // push button: artwork for normal / hover / pressed, caption drawn over it
    Rule,              // 1-px line in its back colour
    Panel,             // container (picture box); children are placed relative to it
    GroupBox,          // framed container with a caption
    Combo,             // drop-down list
    Radio,
    Check,
    Edit,
    ReportList,        // report list view with a tick box per row
    CheckList,         // list box with a tick box per row
    Progress,
    Timer,             // no window; only an interval
    Menu,              // pop-up menu; its items follow it in the table with parent = the menu
    MenuItem,
    MenuSeparator,
};

// Flags of a table row.
enum : uint32_t {
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kChecked = 1u << 2,
    kBold = 1u << 3,
    kDrags = 1u << 4,        // left button pressed here drags the window
    kFirstRadio = 1u << 5,   // starts a radio group
    kMiddle = 1u << 6,       // text centred in the control's height (title strips)
    kAnimated = 1u << 7,     // a Picture showing the splash, drawn anew at every animation tick
    kNamedByTooltip = 1u << 8,  // an ImageButton whose caption is a symbol: screen readers
                                // name it by its tooltip (picture buttons always are)
};

struct ControlSpec;
// Whether a button's window text is its tooltip (what a screen reader announces) rather
// than the caption it draws.
bool namedByTooltip(const ControlSpec& s);

constexpr uint32_t kNoColour = 0xFF000000u;

// The symbol a button shows instead of a caption.
enum class Glyph { None, Help, Minimise, Close, About, Power, Globe };

struct ControlSpec {
    Ctl id;
    Kind kind;
    Ctl parent;  // kNoControl: the window itself; otherwise a Panel, GroupBox or Menu
    int x, y, width, height;
    const char* text;     // stored caption (menu item caption, combo: none)
    const char* tooltip;  // stored tooltip or nullptr
    int captionKey;       // language key of the caption, 0 for none
    int tooltipKey;       // language key of the tooltip, 0 for none
    uint32_t flags;
    int fontPx;              // 0: the default 12 px
    uint32_t textColour;     // kNoColour: black
    uint32_t backColour;     // kNoColour: the window background
    int timerMs = 0;         // timers: interval when the window is created, 0 stopped
    Glyph glyph = Glyph::None;  // picture and image buttons
};

// One column of a report list, left to right.
struct ListColumn {
    Ctl list;
    const char* title;
    int width;
};

struct WindowSpec {
    Ctl id;
    const char* caption;  // taskbar text
    int width, height;    // client size
    uint32_t backColour;
    const ControlSpec* controls;  // creation order: a container before its children,
    size_t controlCount;          // each row drawn over the rows before it
    bool main = false;            // the program's main window: its end ends the message loop
    Ctl escape = kNoControl;      // the button the Esc key presses (its Return or close)
};

// The items a combo box holds when it is created.
using ComboItems = std::vector<std::string> (*)(Ctl combo);

// Every window of a program, the columns of its report lists, and look-ups into them.
class WindowTables {
public:
    WindowTables(std::vector<const WindowSpec*> windows, std::vector<ListColumn> columns)
        : windows_(std::move(windows)), columns_(std::move(columns)) {}

    const WindowSpec* window(Ctl window) const;    // null when it has no table
    const ControlSpec* control(Ctl control) const; // null for windows and unknown names
    Ctl windowOf(Ctl control) const;               // a window is its own; kNoControl: none
    std::vector<ListColumn> columns(Ctl list) const;
    const std::vector<const WindowSpec*>& windows() const { return windows_; }

private:
    std::vector<const WindowSpec*> windows_;
    std::vector<ListColumn> columns_;
};

}  // namespace dv
