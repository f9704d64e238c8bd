#include "tests/fakes/FakeUi.h"

#include "forms/Catalogue.h"
#include "forms/routing/Routing.h"
#include "search/Patterns.h"
#include "shell/App.h"
#include "shell/main/Startup.h"

namespace dv {

namespace {

// A control without a colour of its own shows its container's, in the end the window's.
uint32_t shownBackColour(const ControlSpec* spec) {
    for (int depth = 0; spec && depth < 8; ++depth) {
        if (spec->backColour != kNoColour) return spec->backColour;
        if (spec->parent == Ctl::None) break;
        spec = windowTables().control(spec->parent);
    }
    const WindowSpec* w = spec ? windowTables().window(windowTables().windowOf(spec->id)) : nullptr;
    return w ? w->backColour : 0;
}

FakeUi::ControlState initialState(Ctl c) {
    FakeUi::ControlState s;
    if (const ControlSpec* spec = windowTables().control(c)) {
        s.text = spec->text ? spec->text : "";
        s.tooltip = spec->tooltip ? spec->tooltip : "";
        s.visible = !(spec->flags & kHidden);
        s.enabled = !(spec->flags & kDisabled);
        s.checked = (spec->flags & kChecked) != 0;
        s.width = spec->width;
        s.backColour = shownBackColour(spec);
        s.timer = spec->timerMs;
        if (spec->kind == Kind::Combo) s.items = storedComboItems(c);
    } else if (const WindowSpec* w = windowTables().window(c)) {
        s.text = w->caption ? w->caption : "";
        s.visible = false;  // windows appear when shown or opened
        s.width = w->width;
        s.backColour = w->backColour;
    }
    return s;
}

}  // namespace

FakeUi::ControlState& FakeUi::state(Ctl c) {
    auto it = controls_.find(c);
    if (it == controls_.end()) it = controls_.emplace(c, initialState(c)).first;
    return it->second;
}

const FakeUi::ControlState& FakeUi::state(Ctl c) const {
    return const_cast<FakeUi*>(this)->state(c);
}

void FakeUi::atProcessCall(int n, std::function<void()> action) {
    processActions_[n].push_back(std::move(action));
}

void FakeUi::whileModal(Ctl window, std::function<void()> action) {
    modalActions_[window].push_back(std::move(action));
}

void FakeUi::raise(Ctl control, Event event) {
    if (app) raiseEvent(*app, control, event);
}

void FakeUi::click(Ctl control) {
    const ControlSpec* spec = windowTables().control(control);
    if (spec && spec->kind == Kind::Check) setChecked(control, !isChecked(control));
    if (spec && spec->kind == Kind::Radio) setChecked(control, true);
    raise(control, Event::Click);
}

void FakeUi::setChecked(Ctl c, bool checked) {
    state(c).checked = checked;
    const ControlSpec* spec = windowTables().control(c);
    if (!checked || !spec || spec->kind != Kind::Radio) return;
    // Radio buttons of one parent form one group.
    const WindowSpec* w = windowTables().window(windowTables().windowOf(c));
    if (!w) return;
    for (size_t i = 0; i < w->controlCount; ++i) {
        const ControlSpec& o = w->controls[i];
        if (o.id != c && o.kind == Kind::Radio && o.parent == spec->parent) state(o.id).checked = false;
    }
}

std::string FakeUi::comboItem(Ctl c, int index) const {
    const auto& items = state(c).items;
    return index >= 0 && index < int(items.size()) ? items[index] : std::string();
}

void FakeUi::comboSetItem(Ctl c, int index, const std::string& item) {
    auto& s = state(c);
    if (index >= 0 && index < int(s.items.size())) s.items[size_t(index)] = item;
    if (s.selection == index) s.text = item;
}

void FakeUi::setComboSelection(Ctl c, int index) {
    auto& s = state(c);
    s.selection = (index >= 0 && index < int(s.items.size())) ? index : -1;
    if (s.selection >= 0) s.text = s.items[s.selection];
}

void FakeUi::clearRows(Ctl list) {
    state(list).rows.clear();
    state(list).currentRow = -1;
}

void FakeUi::removeRow(Ctl list, int row) {
    auto& s = state(list);
    if (row < 0 || row >= int(s.rows.size())) return;
    s.rows.erase(s.rows.begin() + row);
    if (s.currentRow >= int(s.rows.size())) s.currentRow = int(s.rows.size()) - 1;
}

int FakeUi::appendRow(Ctl list, const std::string& firstColumn) {
    auto& s = state(list);
    Row r;
    r.cells.assign(5, std::string());
    r.cells[0] = firstColumn;
    s.rows.push_back(r);
    return int(s.rows.size()) - 1;
}

void FakeUi::setCell(Ctl list, int row, int column, const std::string& text) {
    auto& s = state(list);
    if (row < 0 || row >= int(s.rows.size()) || column < 0) return;
    auto& cells = s.rows[row].cells;
    if (int(cells.size()) <= column) cells.resize(column + 1);
    cells[column] = text;
}

std::string FakeUi::cell(Ctl list, int row, int column) const {
    const auto& s = state(list);
    if (row < 0 || row >= int(s.rows.size()) || column < 0) return std::string();
    const auto& cells = s.rows[row].cells;
    return column < int(cells.size()) ? cells[column] : std::string();
}

bool FakeUi::isTicked(Ctl list, int row) const {
    const auto& s = state(list);
    return row >= 0 && row < int(s.rows.size()) && s.rows[row].ticked;
}

void FakeUi::setTicked(Ctl list, int row, bool ticked) {
    auto& s = state(list);
    if (row >= 0 && row < int(s.rows.size())) s.rows[row].ticked = ticked;
}

void FakeUi::popupMenu(Ctl menu) {
    menus.push_back(menu);
    if (menuChoices.empty()) return;
    Ctl item = menuChoices.front();
    menuChoices.pop_front();
    if (item != Ctl::None) raise(item, Event::Click);
}

int FakeUi::messageBox(const std::string& text, const std::string& title, unsigned style) {
    messages.push_back({text, title, style});
    if (!answers.empty()) {
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
}

void FakeUi::openModal(Ctl window) {
    opened.push_back(window);
    openWindows.insert(window);
    state(window).visible = true;
    raise(window, Event::Created);
    auto actions = std::move(modalActions_[window]);
    modalActions_.erase(window);
    for (auto& a : actions) {
        if (!openWindows.count(window)) break;
        a();
    }
    // Without a script, running timers of the window tick until it closes itself.
    if (const WindowSpec* w = windowTables().window(window)) {
        for (int round = 0; round < 1000 && openWindows.count(window); ++round) {
            bool ticked = false;
            for (size_t i = 0; i < w->controlCount && openWindows.count(window); ++i) {
                const ControlSpec& c = w->controls[i];
                if (c.kind == Kind::Timer && state(c.id).timer > 0) {
                    raise(c.id, Event::Tick);
                    ticked = true;
                }
            }
            if (!ticked) break;
        }
    }
    if (openWindows.count(window)) closeWindow(window);  // the user closed it
}

void FakeUi::closeWindow(Ctl window) {
    openWindows.erase(window);
    state(window).visible = false;
}

void FakeUi::setWindowState(Ctl window, WindowState s) {
    windowStates[window] = s;
    if (s != WindowState::Minimised) state(window).visible = true;
}

void FakeUi::processPendingMessages() {
    ++processCalls;
    auto it = processActions_.find(processCalls);
    if (it == processActions_.end()) return;
    auto actions = std::move(it->second);
    processActions_.erase(it);
    for (auto& a : actions) a();
}

void FakeUi::endProgram(int code) {
    ended = true;
    exitCode = code;
    if (app) exitRoutine(*app);
}

std::vector<std::string> FakeUi::messageTexts() const {
    std::vector<std::string> texts;
    for (const Message& m : messages) texts.push_back(m.text);
    return texts;
}

std::vector<std::string> FakeUi::rowTexts(Ctl list) const {
    std::vector<std::string> out;
    for (const auto& r : state(list).rows) {
        std::string line;
        for (size_t i = 0; i < r.cells.size(); ++i) line += (i ? " | " : "") + r.cells[i];
        out.push_back(line);
    }
    return out;
}

}  // namespace dv
