// Every shipped language file, read under the code page it is written in, has valid
// characters that really render and texts that fit the controls showing them, measured with
// each control's own font. Wine takes the ANSI code page from the locale a program starts
// with, so ctest runs this program once per locale (DV_WINE_LOCALE): the default one checks
// the Windows-1252 files, the others the Chinese and Japanese ones. Under DV_WINE_DPI every
// font and room is the table's times the display scale, as the window layer makes them.
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Catalogue.h"
#include "platform/win32ui/Dpi.h"
#include "platform/win32ui/WindowBuilder.h"
#include "shell/Language.h"
#include "shell/Texts.h"
#include "tests/wine/WinePlatform.h"
#include "text/Text.h"

namespace dv::winetest {
namespace {

struct ShippedFile {
    const char* name;  // below LANGUAGE\ beside the program; a wildcard lists a folder
    UINT codePage;
};
const ShippedFile kShipped[] = {
    {"English.lng", 1252},     {"Chinese-GB.lng", 936},   {"Chinese-Big5.lng", 950},
    {"Japanese.lng", 932},     {"others\\*.lng", 1252},
};

std::string languageFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\')) + "\\LANGUAGE\\";
}

// The shipped files written in the code page this process runs under.
std::vector<std::string> filesOfThisCodePage() {
    std::vector<std::string> files;
    for (const ShippedFile& s : kShipped) {
        if (s.codePage != GetACP()) continue;
        const std::string pattern = languageFolder() + s.name;
        const std::string folder = pattern.substr(0, pattern.rfind('\\') + 1);
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "not shipped: " << pattern;
            continue;
        }
        do files.push_back(folder + fd.cFileName);
        while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return files;
}

std::wstring wide(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), int(text.size()),
                                nullptr, 0);
    std::wstring w(size_t(std::max(n, 0)), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), &w[0], n);
    return w;
}

// One text in the control that shows it.
struct Placed {
    const ControlSpec* control;
    std::string text;
    std::string what;  // key and control, for messages
    int room = 0;      // width it may take; the control's, or a list column's
};

// What is left over: pixels across, and whole lines in labels that hold several.
struct Spare {
    int across;
    int lines;
    bool oneLine;
};

class Measure {
public:
    Measure() : dc_(CreateCompatibleDC(nullptr)) {}
    ~Measure() { DeleteDC(dc_); }
    WindowKit kit{windowTables(), nullptr};  // the window layer's fonts
    const int dpi = dpiOf(nullptr);

    HFONT font(int px, bool bold) { return kit.font(scaled(px, dpi), bold); }

    Spare of(const Placed& p) {
        const ControlSpec& c = *p.control;
        const int room = scaled(p.room, dpi);
        SelectObject(dc_, font(c.fontPx > 0 ? c.fontPx : 12, (c.flags & kBold) != 0));
        SIZE size = {};
        GetTextExtentPoint32A(dc_, p.text.c_str(), int(p.text.size()), &size);
        switch (c.kind) {
            case Kind::ImageButton:  // caption centred in the face, 2 px in from each side
                return {room - scaled(4, dpi) - size.cx, 0, true};
            case Kind::Check:
            case Kind::Radio: {  // the box, then half a digit's width before the text
                INT digit = 0;
                GetCharWidth32A(dc_, '0', '0', &digit);
                return {room - (12 * dpi / kBaseDpi + 1) - digit / 2 - size.cx, 0, true};
            }
            case Kind::ReportList:  // a column title, with the header's margins
                return {room - 6 * GetSystemMetrics(SM_CXEDGE) - size.cx, 0, true};
            default: {  // labels wrap at spaces the way the window layer draws them
                TEXTMETRICA tm;
                GetTextMetricsA(dc_, &tm);
                RECT r = {0, 0, room, 0};
                DrawTextA(dc_, p.text.c_str(), int(p.text.size()), &r,
                          DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
                const int lines = std::max(1, int(scaled(c.height, dpi) / tm.tmHeight));
                const int used = int((r.bottom + tm.tmHeight - 1) / tm.tmHeight);
                return {room - r.right, lines - used, lines == 1};
            }
        }
    }

    // Whether a character has a glyph in the font, or only the box of a missing one.
    bool hasGlyph(HFONT font, wchar_t ch) {
        SelectObject(dc_, font);
        return picture(ch) != picture(0x0378);  // an unassigned code point
    }

private:
    std::vector<uint32_t> picture(wchar_t ch) {
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof bi.bmiHeader, 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc_, bitmap);
        PatBlt(dc_, 0, 0, 32, 32, WHITENESS);
        TextOutW(dc_, 4, 4, &ch, 1);
        GdiFlush();
        const uint32_t* first = static_cast<uint32_t*>(bits);
        std::vector<uint32_t> pixels(first, first + 32 * 32);
        SelectObject(dc_, old);
        DeleteObject(bitmap);
        return pixels;
    }

    HDC dc_;
};

// Every keyed caption of every window, each column title, and the texts the program puts
// together from keys and figures at run time, with the largest figures they meet.
std::vector<Placed> placedTexts(const App& app) {
    std::vector<Placed> placed;
    auto key = [&](int k) { return textOfKey(app, k); };
    auto add = [&](Ctl id, const std::string& text, const std::string& what, int room = 0) {
        const ControlSpec* c = windowTables().control(id);
        placed.push_back({c, text, what + " in " + controlName(id), room ? room : c->width});
    };
    for (int w = 1; w < int(Ctl::Count); ++w) {
        const WindowSpec* spec = windowTables().window(Ctl(w));
        if (!spec) continue;
        for (size_t i = 0; i < spec->controlCount; ++i) {
            const ControlSpec& c = spec->controls[i];
            if (!c.captionKey || c.kind == Kind::MenuItem) continue;  // menus size themselves
            const std::string what = "key " + std::to_string(c.captionKey);
            if (c.kind == Kind::ReportList) {
                const auto columns = windowTables().columns(c.id);
                const auto titles = splitText(key(c.captionKey), ';');
                EXPECT_GE(titles.size(), columns.size()) << what;
                for (size_t n = 0; n < std::min(titles.size(), columns.size()); ++n)
                    add(c.id, titles[n], what + " column " + std::to_string(n + 1),
                        columns[n].width);
            } else {
                add(c.id, key(c.captionKey), what);
            }
        }
    }
    add(Ctl::statusLabel, "1234567.89" + key(53), "key 53");
    add(Ctl::statisticsTitleLabel, key(54) + " 12345 " + key(55), "keys 54, 55");
    add(Ctl::currentFileLabel, key(56) + " 3600 " + key(57), "keys 56, 57");
    add(Ctl::criteriaTitleLabel, key(52) + "C:\\Windows\\)", "key 52");
    add(Ctl::alertLabel, key(58), "key 58");
    add(Ctl::alertLabel, key(59), "key 59");
    add(Ctl::recoveredLabel, key(61) + " 12345.67" + key(62), "keys 61, 62");
    add(Ctl::recoveredLabel, key(56) + " 12345.67" + key(62), "keys 56, 62");
    add(Ctl::diskSpaceText, key(50) + " 1907348.63 MB\r\n" + key(51) + " 1907348.63 MB",
        "keys 50, 51");
    add(Ctl::updateStatusLabel, key(129), "key 129");
    add(Ctl::updateStatusLabel, key(130) + "9", "key 130");
    add(Ctl::updateStatusLabel, key(131), "key 131");
    return placed;
}

TEST(ShippedLanguages, TextsOfThisCodePageAreValidRenderAndFit) {
    const std::vector<std::string> files = filesOfThisCodePage();
    if (files.empty()) GTEST_SKIP() << "no shipped file is written in code page " << GetACP();
    Measure measure;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        RealPlatform p;
        ASSERT_TRUE(readLanguageFile(p.app, file));
        ASSERT_EQ(p.app.state.languageLines.size(), 140u);

        std::set<wchar_t> letters;  // everything beyond ASCII
        for (int k = 1; k <= 140; ++k) {
            const std::string text = textOfKey(p.app, k);
            const std::wstring w = wide(text);
            EXPECT_TRUE(text.empty() || !w.empty()) << "key " << k << " is not valid code page "
                                                    << GetACP() << " text";
            for (wchar_t ch : w)
                if (ch > 0x7F) letters.insert(ch);
        }
        for (bool bold : {false, true})
            for (wchar_t ch : letters)
                EXPECT_TRUE(measure.hasGlyph(measure.font(12, bold), ch))
                    << "no glyph for U+" << std::hex << int(ch) << (bold ? " in bold" : "");

        std::vector<std::pair<Spare, std::string>> spares;
        for (const Placed& placed : placedTexts(p.app)) {
            const Spare s = measure.of(placed);
            EXPECT_GE(s.across, 0) << placed.what << " is " << -s.across << " px too wide: "
                                   << placed.text;
            EXPECT_GE(s.lines, 0) << placed.what << " needs " << -s.lines
                                  << " more line(s): " << placed.text;
            spares.push_back({s, placed.what});
        }
        // The tightest places, for whoever writes a text next.
        std::stable_sort(spares.begin(), spares.end(), [](const auto& a, const auto& b) {
            return a.first.oneLine > b.first.oneLine ||
                   (a.first.oneLine == b.first.oneLine && a.first.across < b.first.across);
        });
        std::printf("%s at %d DPI, tightest one-line places:\n", file.c_str(), measure.dpi);
        for (size_t i = 0; i < std::min<size_t>(spares.size(), 5); ++i)
            std::printf("  %4d px spare  %s\n", spares[i].first.across, spares[i].second.c_str());
        for (const auto& [s, what] : spares)
            if (!s.oneLine && s.lines == 0) std::printf("  no line spare  %s\n", what.c_str());
    }
}

}  // namespace
}  // namespace dv::winetest
