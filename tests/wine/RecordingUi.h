// A window layer without windows: it keeps captions, states, check marks, timers, list
// rows and the texts of message boxes in memory, so handlers can run on the real file
// system and registry without a main window.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Ui.h"

namespace dv::winetest {

class RecordingUi : public Ui {
public:
    struct Row {
        std::vector<std::string> cells = std::vector<std::string>(5);
        bool ticked = false;
    };
    std::map<Ctl, std::string> texts;
    std::map<Ctl, bool> visible, enabled;
    std::map<Ctl, int> timers, selections;
    std::map<Ctl, std::vector<std::string>> items;
    std::map<Ctl, bool> checked;
    std::vector<Row> rows;  // resultList only
    std::vector<std::string> messages;  // texts of the message boxes shown
    int current = -1;       // the list's current row
    int processCalls = 0;

    void setText(Ctl c, const std::string& t) override { texts[c] = t; }
    std::string text(Ctl c) const override { return get(texts, c, std::string()); }
    void setTooltip(Ctl, const std::string&) override {}
    std::string tooltip(Ctl) const override { return {}; }
    void setVisible(Ctl c, bool v) override { visible[c] = v; }
    bool isVisible(Ctl c) const override { return get(visible, c, true); }
    void setEnabled(Ctl c, bool e) override { enabled[c] = e; }
    bool isEnabled(Ctl c) const override { return get(enabled, c, true); }
    void setChecked(Ctl c, bool on) override { checked[c] = on; }
    bool isChecked(Ctl c) const override { return get(checked, c, false); }
    int comboCount(Ctl c) const override { return int(get(items, c, std::vector<std::string>()).size()); }
    std::string comboItem(Ctl c, int i) const override {
        auto list = get(items, c, std::vector<std::string>());
        return i >= 0 && i < int(list.size()) ? list[i] : std::string();
    }
    void comboAdd(Ctl c, const std::string& item) override { items[c].push_back(item); }
    void comboSetItem(Ctl c, int i, const std::string& t) override { items[c].at(size_t(i)) = t; }
    int comboSelection(Ctl c) const override { return get(selections, c, -1); }
    void setComboSelection(Ctl c, int i) override { selections[c] = i; }
    void setWidth(Ctl, int) override {}
    void setBackColour(Ctl, uint32_t) override {}
    uint32_t backColour(Ctl) const override { return 0; }
    void setTimer(Ctl c, int ms) override { timers[c] = ms; }
    int timerInterval(Ctl c) const override { return get(timers, c, 0); }
    void setProgress(Ctl, int) override {}
    int rowCount(Ctl) const override { return int(rows.size()); }
    void clearRows(Ctl) override { rows.clear(); }
    void removeRow(Ctl, int r) override {
        if (r >= 0 && r < int(rows.size())) rows.erase(rows.begin() + r);
    }
    int appendRow(Ctl, const std::string& first) override {
        rows.emplace_back();
        rows.back().cells[0] = first;
        return int(rows.size()) - 1;
    }
    void setCell(Ctl, int r, int col, const std::string& t) override {
        if (r >= 0 && r < int(rows.size()) && col >= 0 && col < 5) rows[r].cells[col] = t;
    }
    std::string cell(Ctl, int r, int col) const override {
        return r >= 0 && r < int(rows.size()) && col >= 0 && col < 5 ? rows[r].cells[col] : "";
    }
    bool isTicked(Ctl, int r) const override { return r >= 0 && r < int(rows.size()) && rows[r].ticked; }
    void setTicked(Ctl, int r, bool t) override {
        if (r >= 0 && r < int(rows.size())) rows[r].ticked = t;
    }
    int currentRow(Ctl) const override { return current; }
    void setCurrentRow(Ctl, int r) override { current = r; }
    void setColumnTitle(Ctl, int, const std::string&) override {}
    void popupMenu(Ctl) override {}
    int messageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return kIdOk;
    }
    void openModal(Ctl) override {}
    void closeWindow(Ctl) override {}
    void setWindowSize(Ctl, int, int) override {}
    void setWindowState(Ctl, WindowState) override {}
    void addWindowStyle(Ctl, uint32_t) override {}
    void setHelpFile(Ctl, const std::string&) override {}
    void dragWindow(Ctl) override {}
    void processPendingMessages() override { ++processCalls; }
    void endProgram(int) override {}

private:
    template <class Map, class Value>
    static Value get(const Map& m, Ctl c, Value fallback) {
        auto it = m.find(c);
        return it == m.end() ? fallback : it->second;
    }
};

}  // namespace dv::winetest
