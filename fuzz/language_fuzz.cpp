// Feeds arbitrary bytes to the language file reader and looks every key up in the lines
// it gives. A line holds a line end or an end-of-text byte only as the second byte of a
// double-byte character, and a text is its line without the first "K=" (so never longer
// than the line).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/Texts.h"
#include "tests/fakes/FakePlatform.h"
#include "text/LineText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static dv::FakePlatform* platform = new dv::FakePlatform;
    dv::App& app = platform->app;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    app.state.languageLines = dv::splitListLines(bytes, dv::TrailRule::AnyByte);
    for (const std::string& line : app.state.languageLines) {
        if (line.empty()) std::abort();
        for (size_t i = 0; i < line.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            if (c >= 0x80)
                ++i;  // its trail byte may be anything
            else if (c == '\n' || c == 0 || c == 0x1A)
                std::abort();
        }
    }
    const int keys = int(app.state.languageLines.size()) + 2;
    for (int key = 0; key <= keys; ++key) {
        const std::string text = dv::textOfKey(app, key);
        if (key < 1 || key > int(app.state.languageLines.size())) {
            if (!text.empty()) std::abort();
            continue;
        }
        const std::string& line = app.state.languageLines[size_t(key) - 1];
        const std::string marker = std::to_string(key) + "=";
        if (!text.empty() && text.size() + marker.size() != line.size()) std::abort();
    }
    return 0;
}
