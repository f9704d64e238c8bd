#include "platform/WindowTables.h"

namespace dv {

bool namedByTooltip(const ControlSpec& s) {
    return s.kind == Kind::PictureButton || (s.kind == Kind::ImageButton && (s.flags & kNamedByTooltip));
}

const WindowSpec* WindowTables::window(Ctl window) const {
    for (const WindowSpec* w : windows_)
        if (w->id == window) return w;
    return nullptr;
}

const ControlSpec* WindowTables::control(Ctl control) const {
    if (control == kNoControl) return nullptr;  // menu separators carry no name
    for (const WindowSpec* w : windows_)
        for (size_t i = 0; i < w->controlCount; ++i)
            if (w->controls[i].id == control) return &w->controls[i];
    return nullptr;
}

Ctl WindowTables::windowOf(Ctl control) const {
    if (window(control)) return control;
    if (control == kNoControl) return kNoControl;
    for (const WindowSpec* w : windows_)
        for (size_t i = 0; i < w->controlCount; ++i)
            if (w->controls[i].id == control) return w->id;
    return kNoControl;
}

std::vector<ListColumn> WindowTables::columns(Ctl list) const {
    std::vector<ListColumn> columns;
    for (const ListColumn& c : columns_)
        if (c.list == list) columns.push_back(c);
    return columns;
}

}  // namespace dv
