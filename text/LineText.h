// Lines of the program's plain text files (language files, list files): where a line ends,
// and which byte after a high byte belongs to its character.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace dv {

// What the byte after a byte of 0x80 or above is.
enum class TrailRule {
    CodePage,  // a trail byte only in the trail range of the code pages (0x40 and up)
    AnyByte,   // always a trail byte, even LF, NUL or 0x1A: the rule of language files
};

// Splits raw file bytes into non-empty lines: a line ends at LF, NUL or 0x1A (the last
// two also end the text), a CR before the end is dropped, a double-byte character is
// never split.
std::vector<std::string> splitListLines(const std::string& bytes,
                                        TrailRule rule = TrailRule::CodePage);

// Collects lines byte by byte, so a file can be fed in pieces of any size.
class LineSplitter {
public:
    explicit LineSplitter(TrailRule rule = TrailRule::CodePage) : rule_(rule) {}

    // Feeds bytes; returns false once the text has ended (NUL or 0x1A).
    template <typename OnLine>
    bool feed(const char* data, size_t n, OnLine onLine) {
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(data[i]);
            if (trailPending_) {
                trailPending_ = false;
                if (c >= 0x40 || rule_ == TrailRule::AnyByte) {  // never a line end
                    line_ += static_cast<char>(c);
                    continue;
                }
            }
            if (c == '\n' || c == 0 || c == 0x1A) {
                endLine(onLine);
                if (c != '\n') return false;
                continue;
            }
            line_ += static_cast<char>(c);
            if (c >= 0x80) trailPending_ = true;
        }
        return true;
    }

    template <typename OnLine>
    void finish(OnLine onLine) { endLine(onLine); }

private:
    template <typename OnLine>
    void endLine(OnLine onLine) {
        // A CR before the LF ends the line even where a high byte took it along.
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        if (!line_.empty()) onLine(line_);
        line_.clear();
        trailPending_ = false;
    }

    TrailRule rule_;
    std::string line_;
    bool trailPending_ = false;
};

}  // namespace dv
