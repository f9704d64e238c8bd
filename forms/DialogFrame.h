// The frame every secondary window draws for itself instead of a system frame: a
// background and a panel label, the program icon, the title, a close button and a rule.
// Positions follow from the window's size, so each table names only its size.
#pragma once
#include "forms/ControlIds.h"
#include "forms/FormColours.h"
#include "platform/WindowTables.h"

namespace dv::frame {

constexpr ControlSpec background(Ctl id, int w, int h) {
    return {id, Kind::Label, Ctl::None, 0, 0, w, h, "", nullptr, 0, 0, kDrags, 0, kNoColour, kNoColour};
}

// `flags`: kDrags where the window's panel drags it too.
constexpr ControlSpec panel(Ctl id, int w, int h, uint32_t flags) {
    return {id, Kind::Label, Ctl::None, 9, 41, w - 19, h - 52, "", nullptr, 0, 0, flags, 0,
            kNoColour, kNoColour};
}

constexpr ControlSpec icon(Ctl id) {
    return {id, Kind::Picture, Ctl::None, 5, 5, 21, 21, nullptr, nullptr, 0, 0, 0, 0, kNoColour,
            kNoColour};
}

// The title is wider in the 387-px-wide windows; its text stands level with the icon.
constexpr ControlSpec title(Ctl id, int w, const char* text) {
    return {id, Kind::TransparentLabel, Ctl::None, 26, 1, w == 387 ? 296 : 194, 32, text, nullptr,
            0, 0, kDrags | kMiddle, 0, kNoColour, kNoColour};
}

constexpr ControlSpec closeButton(Ctl id, int w) {
    return {id, Kind::PictureButton, Ctl::None, w - 27, 7, 20, 17, nullptr, "Close", 0, 0, 0, 0,
            kNoColour, kNoColour, 0, Glyph::Close};
}

constexpr ControlSpec rule(Ctl id, int w) {
    return {id, Kind::Rule, Ctl::None, 8, 32, w - 17, 1, nullptr, nullptr, 0, 0, 0, 0, kNoColour,
            kRuleGrey};
}

}  // namespace dv::frame
