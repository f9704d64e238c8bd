// An in-memory window layer. Controls start in the state their catalogue table gives;
// events can be scripted to run inside processPendingMessages, modal windows and menus.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace dv {

struct App;

class FakeUi : public Ui {
public:
    struct Row {
        std::vector<std::string> cells;
        bool ticked = false;
    };
    struct Message {
        std::string text, title;
        unsigned style;
    };
    struct ControlState {
        std::string text, tooltip;
        bool visible = true, enabled = true, checked = false;
        std::vector<std::string> items;
        int selection = -1;
        int width = 0;
        uint32_t backColour = 0;
        int timer = 0;
        int progress = 0;
        std::vector<Row> rows;
        int currentRow = -1;
        std::map<int, std::string> columnTitles;
    };

    App* app = nullptr;  // events are raised through forms' routing on this app

    // Scripting.
    // Runs `action` inside the n-th call of processPendingMessages (counted from 1).
    void atProcessCall(int n, std::function<void()> action);
    // Runs `action` while `window` is open modally, right after its Created event.
    void whileModal(Ctl window, std::function<void()> action);
    // Answers of the next message boxes; without one an OK box answers IDOK and a
    // Yes/No box IDNO.
    std::deque<int> answers;
    // Item chosen in the next pop-up menu (Ctl::None: dismissed).
    std::deque<Ctl> menuChoices;
    // Raises a user event through the routing, as the window layer would.
    void raise(Ctl control, Event event);
    // A click as the user makes it: check boxes and radio buttons change first.
    void click(Ctl control);

    // Records.
    std::vector<Message> messages;
    std::vector<Ctl> opened;  // windows opened modally, in order
    std::vector<Ctl> menus;   // menus popped up
    std::vector<Ctl> drags;
    std::set<Ctl> openWindows;
    std::map<Ctl, std::pair<int, int>> windowSizes;
    std::map<Ctl, WindowState> windowStates;
    std::map<Ctl, uint32_t> windowStyles;
    std::map<Ctl, std::string> helpFiles;
    int processCalls = 0;
    bool ended = false;
    int exitCode = -1;

    ControlState& state(Ctl c);
    const ControlState& state(Ctl c) const;

    // Ui
    void setText(Ctl c, const std::string& text) override { state(c).text = text; }
    std::string text(Ctl c) const override { return state(c).text; }
    void setTooltip(Ctl c, const std::string& text) override { state(c).tooltip = text; }
    std::string tooltip(Ctl c) const override { return state(c).tooltip; }
    void setVisible(Ctl c, bool visible) override { state(c).visible = visible; }
    bool isVisible(Ctl c) const override { return state(c).visible; }
    void setEnabled(Ctl c, bool enabled) override { state(c).enabled = enabled; }
    bool isEnabled(Ctl c) const override { return state(c).enabled; }
    void setChecked(Ctl c, bool checked) override;
    bool isChecked(Ctl c) const override { return state(c).checked; }
    int comboCount(Ctl c) const override { return int(state(c).items.size()); }
    std::string comboItem(Ctl c, int index) const override;
    void comboAdd(Ctl c, const std::string& item) override { state(c).items.push_back(item); }
    void comboSetItem(Ctl c, int index, const std::string& item) override;
    int comboSelection(Ctl c) const override { return state(c).selection; }
    void setComboSelection(Ctl c, int index) override;
    void setWidth(Ctl c, int width) override { state(c).width = width; }
    void setBackColour(Ctl c, uint32_t rgb) override { state(c).backColour = rgb; }
    uint32_t backColour(Ctl c) const override { return state(c).backColour; }
    void setTimer(Ctl timer, int intervalMs) override { state(timer).timer = intervalMs; }
    int timerInterval(Ctl timer) const override { return state(timer).timer; }
    void setProgress(Ctl bar, int value) override { state(bar).progress = value; }
    int rowCount(Ctl list) const override { return int(state(list).rows.size()); }
    void clearRows(Ctl list) override;
    void removeRow(Ctl list, int row) override;
    int appendRow(Ctl list, const std::string& firstColumn) override;
    void setCell(Ctl list, int row, int column, const std::string& text) override;
    std::string cell(Ctl list, int row, int column) const override;
    bool isTicked(Ctl list, int row) const override;
    void setTicked(Ctl list, int row, bool ticked) override;
    int currentRow(Ctl list) const override { return state(list).currentRow; }
    void setCurrentRow(Ctl list, int row) override { state(list).currentRow = row; }
    void setColumnTitle(Ctl list, int column, const std::string& title) override {
        state(list).columnTitles[column] = title;
    }
    void popupMenu(Ctl menu) override;
    int messageBox(const std::string& text, const std::string& title, unsigned style) override;
    void openModal(Ctl window) override;
    void closeWindow(Ctl window) override;
    void setWindowSize(Ctl window, int width, int height) override {
        windowSizes[window] = {width, height};
    }
    void setWindowState(Ctl window, WindowState s) override;
    void addWindowStyle(Ctl window, uint32_t bits) override { windowStyles[window] |= bits; }
    void setHelpFile(Ctl window, const std::string& helpFile) override { helpFiles[window] = helpFile; }
    void dragWindow(Ctl window) override { drags.push_back(window); }
    void processPendingMessages() override;
    void endProgram(int code) override;

    // Rows as texts, for assertions: each row's cells joined with " | ".
    std::vector<std::string> rowTexts(Ctl list) const;
    std::vector<Row>& rows(Ctl list) { return state(list).rows; }
    const std::vector<Row>& rows(Ctl list) const { return state(list).rows; }
    std::vector<std::string> messageTexts() const;

private:
    mutable std::map<Ctl, ControlState> controls_;
    std::map<int, std::vector<std::function<void()>>> processActions_;
    std::map<Ctl, std::vector<std::function<void()>>> modalActions_;
};

}  // namespace dv
