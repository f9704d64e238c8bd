#include "rules/RuleFile.h"

#include <algorithm>
#include <memory>

#include "text/Text.h"

namespace dv {

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "FileKey12" is the key "FileKey" numbered; `numberOptional` also takes "Detect" alone.
bool isKey(const std::string& key, const char* base, bool numberOptional = false) {
    const std::string name = base;
    if (key.size() < name.size() || !startsWithNoCase(key, name)) return false;
    if (key.size() == name.size()) return numberOptional;
    return key.find_first_not_of("0123456789", name.size()) == std::string::npos;
}

// A name pattern: no folder, drive or stream in it.
bool isNamePattern(const std::string& pattern) {
    return !pattern.empty() && pattern.find_first_of("\\/:") == std::string::npos;
}

std::vector<std::string> patternsOf(const std::string& text) {
    std::vector<std::string> patterns;
    for (const std::string& piece : splitText(text, ';')) {
        const std::string pattern = trimmed(piece);
        if (pattern.empty()) continue;
        if (!isNamePattern(pattern)) return {};
        patterns.push_back(pattern);
    }
    return patterns;
}

void addFileKey(Rule& rule, const std::string& value) {
    const std::vector<std::string> pieces = splitText(value, '|');
    if (pieces.size() < 2) return;
    FileKey key;
    key.folder = trimmed(pieces[0]);
    key.patterns = patternsOf(pieces[1]);
    if (key.folder.empty() || key.patterns.empty()) return;
    for (size_t i = 2; i < pieces.size(); ++i) {
        const std::string flag = trimmed(pieces[i]);
        if (sameNoCase(flag, "RECURSE")) {
            key.recurse = true;
        } else if (sameNoCase(flag, "REMOVESELF")) {
            key.recurse = key.removeSelf = true;
        } else if (!flag.empty()) {
            return;  // a flag we do not know may mean anything
        }
    }
    rule.fileKeys.push_back(std::move(key));
}

// FILE|folder\|name (or FILE|folder\name), PATH|folder\|pattern (or PATH|folder\ for all of
// it); REG| exclusions belong to registry cleaning. False for one that cannot be read.
bool addExcludeKey(Rule& rule, const std::string& value) {
    const std::vector<std::string> pieces = splitText(value, '|');
    const std::string kind = pieces.empty() ? std::string() : trimmed(pieces[0]);
    if (sameNoCase(kind, "REG")) return true;
    const bool subfolders = sameNoCase(kind, "PATH");
    if ((!subfolders && !sameNoCase(kind, "FILE")) || pieces.size() < 2 || pieces.size() > 3)
        return false;
    std::string folder = trimmed(pieces[1]);
    std::vector<std::string> names;
    if (pieces.size() == 3) {
        names = patternsOf(pieces[2]);
    } else if (subfolders) {
        names = {"*"};
    } else {
        const size_t cut = folder.find_last_of("\\/");
        if (cut == std::string::npos) return false;
        names = patternsOf(folder.substr(cut + 1));
        folder.erase(cut);
    }
    if (folder.empty() || names.empty()) return false;
    for (const std::string& name : names) rule.excludeKeys.push_back({folder, name, subfolders});
    return true;
}

// A line with a control character could name another path than it shows.
bool isPlainLine(const std::string& line) {
    for (unsigned char c : line)
        if (c < 0x20 && c != '\t') return false;
    return true;
}

bool hasHighByte(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

// See readRuleFile. A file with no line in UTF-8 but its ASCII ones, and no byte order mark,
// is in the code page already.
std::string inCodePage(System& system, std::string bytes) {
    const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (bom) bytes.erase(0, 3);
    if (!hasHighByte(bytes)) return bytes;
    bool utf8 = bom;
    std::string text, line;
    for (const std::string& raw : splitText(bytes, '\n')) {
        if (!hasHighByte(raw)) {
            line = raw;
        } else if (system.ansiFromUtf8(raw, line)) {
            utf8 = true;
        } else {  // unreadable: see parseRules
            line = trimmed(raw).compare(0, 1, "[") == 0 ? "[]" : "\x01";
        }
        text += line + "\n";
    }
    return utf8 ? text : bytes;
}

void addKey(Rule& rule, const std::string& key, const std::string& value) {
    if (value.empty()) return;
    if (isKey(key, "FileKey")) {
        addFileKey(rule, value);
    } else if (isKey(key, "ExcludeKey")) {
        // A rule may clean what an exclusion it cannot be held to would keep.
        if (!addExcludeKey(rule, value)) rule.leftOut = true;
    } else if (isKey(key, "Detect", true)) {
        rule.detectKeys.push_back(value);
    } else if (isKey(key, "DetectFile", true)) {
        rule.detectFiles.push_back(value);
    } else if (sameNoCase(key, "DetectOS")) {
        rule.detectOS = value;
    } else if (sameNoCase(key, "Warning")) {
        rule.leftOut = true;
    } else if (sameNoCase(key, "Default")) {
        if (sameNoCase(value, "False") || value == "0") rule.leftOut = true;
    } else if (sameNoCase(key, "Section")) {
        rule.group = value;
    } else if (sameNoCase(key, "LangSecRef")) {
        if (rule.group.empty()) rule.group = value;
    }
    // RegKeyN, SpecialDetect and anything else: not for file cleaning.
}

}  // namespace

std::vector<Rule> parseRules(const std::string& text) {
    std::vector<Rule> rules;
    Rule* current = nullptr;
    const size_t bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (std::string line : splitText(text.substr(bom), '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (!isPlainLine(line)) {  // it may have been an exclusion: the section is left out
            if (current) current->leftOut = true;
            continue;
        }
        if (line[0] == '[') {
            current = nullptr;
            if (line.back() != ']') continue;
            std::string name = trimmed(line.substr(1, line.size() - 2));
            if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
                name = trimmed(name.substr(0, name.size() - 2));
            if (name.empty()) continue;
            rules.push_back(Rule{});
            current = &rules.back();
            current->name = name;
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos) continue;
        addKey(*current, trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)));
    }
    return rules;
}

std::vector<Rule> readRuleFile(App& app, const std::string& path) {
    std::unique_ptr<File> file = app.fs.open(path, OpenMode::ReadExisting);
    if (!file || file->size() > kMaxRuleFileBytes) return {};
    std::string bytes;
    char buffer[64 * 1024];
    for (size_t n; (n = file->read(buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, n);
        if (bytes.size() > kMaxRuleFileBytes) return {};  // grew while being read
    }
    return parseRules(inCodePage(app.system, std::move(bytes)));
}

}  // namespace dv
