#include "tests/fakes/FakeServices.h"

#include <algorithm>
#include <cctype>

namespace dv {

namespace {

std::string lower(std::string s) {
    for (auto& c : s) c = (char)std::tolower((unsigned char)c);
    return s;
}

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return std::string();
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

void civilFromDays(long long z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = (long long)yoe + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = int(yy + (m <= 2));
}

constexpr long long kUnixEpochDays1601 = 134774;  // days from 1601-01-01 to 1970-01-01
constexpr long long kTicksPerDay = 864000000000LL;

}  // namespace

FileTime fileTimeOf(int year, int month, int day, int hour, int minute, int second, int ms) {
    long long days = daysFromCivil(year, unsigned(month), unsigned(day)) + kUnixEpochDays1601;
    long long t = days * kTicksPerDay + ((hour * 60LL + minute) * 60 + second) * 10000000LL +
                  ms * 10000LL;
    return FileTime(t);
}

SystemTime systemTimeOf(FileTime t) {
    long long days = (long long)(t / kTicksPerDay);
    long long rest = (long long)(t % kTicksPerDay);
    int y;
    unsigned m, d;
    civilFromDays(days - kUnixEpochDays1601, y, m, d);
    SystemTime st;
    st.year = uint16_t(y);
    st.month = uint16_t(m);
    st.day = uint16_t(d);
    st.dayOfWeek = uint16_t((days + 1) % 7);  // 1601-01-01 was a Monday
    st.hour = uint16_t(rest / 36000000000LL);
    st.minute = uint16_t(rest / 600000000LL % 60);
    st.second = uint16_t(rest / 10000000LL % 60);
    st.milliseconds = uint16_t(rest / 10000LL % 1000);
    return st;
}

// ---- registry -------------------------------------------------------------------

std::string FakeRegistry::keyId(int root, const std::string& key) {
    return std::to_string(root) + ":" + lower(key);
}

bool FakeRegistry::hasKey(int root, const std::string& key) const {
    return keys_.count(keyId(root, key)) > 0;
}

const FakeRegistry::Value* FakeRegistry::value(int root, const std::string& key,
                                               const std::string& name) const {
    auto k = keys_.find(keyId(root, key));
    if (k == keys_.end()) return nullptr;
    auto v = k->second.values.find(lower(name));
    return v == k->second.values.end() ? nullptr : &v->second;
}

bool FakeRegistry::query(int root, const std::string& key, const std::string& value,
                         uint32_t& type, std::string& data) {
    const Value* v = this->value(root, key, value);
    if (!v) return false;
    type = v->type;
    data = v->data;
    return true;
}

bool FakeRegistry::set(int root, const std::string& key, const std::string& value, uint32_t type,
                       const std::string& data) {
    if (readOnly || root < 1 || root > 5) return false;
    // Creating a key creates its parents.
    std::string path = key;
    for (size_t at = 0;; ++at) {
        at = path.find('\\', at);
        keys_[keyId(root, path.substr(0, at))];
        if (at == std::string::npos) break;
    }
    Key& k = keys_[keyId(root, key)];
    std::string folded = lower(value);
    if (!k.values.count(folded)) k.order.push_back(folded);
    k.names[folded] = value;
    k.values[folded] = Value{type, data};
    return true;
}

bool FakeRegistry::deleteValue(int root, const std::string& key, const std::string& value) {
    auto k = keys_.find(keyId(root, key));
    if (readOnly || k == keys_.end()) return false;
    std::string folded = lower(value);
    if (!k->second.values.erase(folded)) return false;
    auto& o = k->second.order;
    o.erase(std::remove(o.begin(), o.end(), folded), o.end());
    return true;
}

bool FakeRegistry::deleteKey(int root, const std::string& key) {
    std::string id = keyId(root, key);
    if (readOnly || !keys_.count(id)) return false;
    for (const auto& kv : keys_)  // a key with subkeys cannot be deleted
        if (kv.first.size() > id.size() && kv.first.compare(0, id.size(), id) == 0 &&
            kv.first[id.size()] == '\\')
            return false;
    keys_.erase(id);
    return true;
}

bool FakeRegistry::valueNames(int root, const std::string& key, std::vector<std::string>& names) {
    names.clear();
    auto k = keys_.find(keyId(root, key));
    if (k == keys_.end()) return false;
    for (const auto& f : k->second.order) names.push_back(k->second.names.at(f));
    return true;
}

// ---- INI files --------------------------------------------------------------------

std::string FakeIniFiles::read(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& fallback,
                               size_t bufferSize) {
    ++reads;
    std::string result = fallback;
    if (fs_.exists(file)) {
        std::string text = fs_.content(file);
        std::string current;
        size_t pos = 0;
        while (pos <= text.size()) {
            size_t end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            pos = end + 1;
            std::string t = trim(line);
            if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
                current = lower(trim(t.substr(1, t.size() - 2)));
                continue;
            }
            size_t eq = t.find('=');
            if (eq == std::string::npos || current != lower(section)) continue;
            if (lower(trim(t.substr(0, eq))) == lower(key)) {
                result = trim(t.substr(eq + 1));
                if (result.size() >= 2 && result.front() == '"' && result.back() == '"')
                    result = result.substr(1, result.size() - 2);
                break;
            }
        }
    }
    if (bufferSize > 0 && result.size() > bufferSize - 1) result.resize(bufferSize - 1);
    return result;
}

bool FakeIniFiles::write(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& value) {
    std::string text = fs_.exists(file) ? fs_.content(file) : std::string();
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    bool inSection = false, done = false;
    size_t sectionEnd = std::string::npos;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string t = trim(lines[i]);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            if (inSection) {
                sectionEnd = i;
                break;
            }
            inSection = lower(trim(t.substr(1, t.size() - 2))) == lower(section);
            continue;
        }
        size_t eq = t.find('=');
        if (inSection && eq != std::string::npos && lower(trim(t.substr(0, eq))) == lower(key)) {
            lines[i] = key + "=" + value;
            done = true;
        }
    }
    if (!done) {
        if (inSection) {
            lines.insert(sectionEnd == std::string::npos ? lines.end() : lines.begin() + sectionEnd,
                         key + "=" + value);
        } else {
            lines.push_back("[" + section + "]");
            lines.push_back(key + "=" + value);
        }
    }
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    auto f = fs_.open(file, OpenMode::CreateShared);
    return f && f->write(out.data(), out.size());
}

// ---- shell ------------------------------------------------------------------------

int FakeShellOps::deleteOperation(const std::string& from, unsigned flags, bool& aborted) {
    deleteCalls.push_back({from, flags});
    aborted = false;
    if (failDeletes || !fs_.exists(from)) return 2;
    uint32_t a = fs_.attributes(from);
    if (a & (kAttrDirectory | kAttrReparsePoint)) {  // the shell takes folders whole
        fs_.removeTree(from);
        trash.push_back(from);
        return 0;
    }
    fs_.setAttributes(from, a & ~kAttrReadOnly);
    if (!fs_.deleteFile(from)) {
        fs_.setAttributes(from, a);
        return 5;
    }
    fs_.deleted.pop_back();  // recycled, not deleted
    trash.push_back(from);
    return 0;
}

void FakeShellOps::emptyRecycleBin(const std::string&, unsigned flags) {
    emptyCalls.push_back(flags);
    trash.clear();
}

std::string FakeShellOps::browseForFolder(const std::string& title) {
    folderTitles.push_back(title);
    if (folderAnswers.empty()) return std::string();
    std::string a = folderAnswers.front();
    folderAnswers.pop_front();
    return a;
}

std::string FakeShellOps::openFileDialog() {
    if (fileAnswers.empty()) return std::string();
    std::string a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

bool FakeShellOps::openAddress(const std::string& address) {
    openedAddresses.push_back(address);
    return true;
}

void FakeShellOps::openHelp(const std::string& helpFile) { openedHelp.push_back(helpFile); }

bool FakeShellOps::openHtmlHelp(const std::string& helpFile) {
    if (!htmlHelpViewer) return false;
    openedHtmlHelp.push_back(helpFile);
    return true;
}

// ---- system -----------------------------------------------------------------------

FakeSystem::FakeSystem() {
    const std::string profile = "C:\\Users\\owner\\", files = "C:\\Program Files";
    using K = KnownFolder;
    knownFolders = {{K::LocalAppData, profile + "AppData\\Local"}, {K::RoamingAppData, profile + "AppData\\Roaming"},
                    {K::LocalLowAppData, profile + "AppData\\LocalLow"}, {K::ProgramData, "C:\\ProgramData"},
                    {K::UserProfile, "C:\\Users\\owner"}, {K::Public, "C:\\Users\\Public"},
                    {K::Windows, "C:\\Windows"}, {K::ProgramFiles, files}, {K::ProgramFilesX86, files + " (x86)"},
                    {K::CommonProgramFiles, files + "\\Common Files"},
                    {K::CommonProgramFilesX86, files + " (x86)\\Common Files"},
                    {K::Documents, profile + "Documents"}, {K::Desktop, profile + "Desktop"},
                    {K::Pictures, profile + "Pictures"}, {K::Music, profile + "Music"},
                    {K::Videos, profile + "Videos"}, {K::Downloads, profile + "Downloads"}};
}

bool FakeSystem::ansiFromUtf8(const std::string& utf8, std::string& ansi) {
    ansi.clear();
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = utf8[i], next = i + 1 < utf8.size() ? utf8[i + 1] : 0;
        if (c >= 0x80 && !((c == 0xC2 || c == 0xC3) && (next & 0xC0) == 0x80)) return false;
        ansi += c < 0x80 ? char(c) : char(((c & 3) << 6) | (utf8[++i] & 0x3F));
    }
    return true;
}

std::string FakeSystem::knownFolder(KnownFolder folder) {
    auto it = knownFolders.find(folder);
    return it == knownFolders.end() ? std::string() : it->second;
}

std::string FakeSystem::environment(const std::string& name) {
    for (const auto& kv : env)
        if (lower(kv.first) == lower(name)) return kv.second;
    return std::string();
}

bool FakeSystem::utcToLocal(FileTime utc, SystemTime& local) {
    long long shifted = (long long)utc + utcOffsetMinutes * 600000000LL;
    if (shifted < 0) return false;
    local = systemTimeOf(FileTime(shifted));
    return true;
}

bool FakeSystem::localToUtc(const SystemTime& local, FileTime& utc) {
    if (local.month < 1 || local.month > 12 || local.day < 1 || local.day > 31 ||
        local.hour > 23 || local.minute > 59 || local.second > 59 || local.milliseconds > 999 ||
        local.year < 1601)
        return false;
    long long t = (long long)fileTimeOf(local.year, local.month, local.day, local.hour,
                                        local.minute, local.second, local.milliseconds) -
                  utcOffsetMinutes * 600000000LL;
    if (t < 0) return false;
    utc = FileTime(t);
    return true;
}

bool FakeSystem::diskSpace(const std::string& root, uint64_t& total, uint64_t& freeToCaller) {
    auto it = disks.find(lower(root));
    if (it == disks.end()) return false;
    total = it->second.first;
    freeToCaller = it->second.second;
    return true;
}

DriveKind FakeSystem::driveKind(const std::string& root) {
    auto it = driveKinds.find(lower(root));
    return it == driveKinds.end() ? DriveKind::Fixed : it->second;
}

}  // namespace dv
