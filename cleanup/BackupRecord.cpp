// The BackupRecord byte format. Pure functions: no platform access.
#include "cleanup/BackupStore.h"

namespace dv {

namespace {

void putWord(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void putLong(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

void putTime(std::string& out, const SystemTime& t) {
    for (uint16_t w : {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second,
                       t.milliseconds})
        putWord(out, w);
}

uint16_t getWord(const std::string& in, size_t at) {
    return uint16_t(uint8_t(in[at]) | uint8_t(in[at + 1]) << 8);
}

uint32_t getLong(const std::string& in, size_t at) {
    return uint32_t(uint8_t(in[at])) | uint32_t(uint8_t(in[at + 1])) << 8 |
           uint32_t(uint8_t(in[at + 2])) << 16 | uint32_t(uint8_t(in[at + 3])) << 24;
}

SystemTime getTime(const std::string& in, size_t at) {
    SystemTime t;
    uint16_t* words[] = {&t.year, &t.month,  &t.dayOfWeek, &t.day,
                         &t.hour, &t.minute, &t.second,    &t.milliseconds};
    for (int i = 0; i < 8; ++i) *words[i] = getWord(in, at + 2 * i);
    return t;
}

// Every time a real file can have, as the system breaks it down.
bool isValidTime(const SystemTime& t) {
    return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 &&
           t.dayOfWeek <= 6 && t.day >= 1 && t.day <= 31 && t.hour <= 23 && t.minute <= 59 &&
           t.second <= 59 && t.milliseconds <= 999;
}

}  // namespace

bool isRecordablePath(const std::string& path) {
    if (path.size() < 4 || path.size() > kMaxRecordPath) return false;
    char drive = path[0];
    bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    if (!letter || path[1] != ':' || path[2] != '\\') return false;
    // Bytes below 0x40 never occur as the trail byte of a double-byte character, so
    // these are real characters that no file name may contain.
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || c == '*' || c == '?' || c == '"' || c == '<' || c == '>') return false;
        if (c == ':' && i != 1) return false;
    }
    return true;
}

std::string serializeBackupHeader(const BackupRecord& record, uint32_t contentLength) {
    std::string out;
    out.reserve(record.sourcePath.size() + kRecordFixedBytes);
    out += record.sourcePath;
    out.push_back('\0');
    putLong(out, record.attributes & kRecordAttributeMask);
    putTime(out, record.creationTime);
    putTime(out, record.lastAccessTime);
    putTime(out, record.lastWriteTime);
    putLong(out, contentLength);
    return out;
}

std::string serializeBackupRecord(const BackupRecord& record) {
    return serializeBackupHeader(record, uint32_t(record.content.size())) + record.content;
}

bool parseBackupHeader(const std::string& bytes, BackupRecord& record, size_t& headerSize,
                       uint32_t& contentLength) {
    size_t zero = bytes.find('\0');
    if (zero == std::string::npos || zero > kMaxRecordPath) return false;
    if (bytes.size() - zero < kRecordFixedBytes) return false;
    BackupRecord parsed;
    parsed.sourcePath = bytes.substr(0, zero);
    if (!isRecordablePath(parsed.sourcePath)) return false;
    size_t at = zero + 1;
    parsed.attributes = getLong(bytes, at);
    if (parsed.attributes & ~kRecordAttributeMask) return false;
    at += 4;
    parsed.creationTime = getTime(bytes, at);
    parsed.lastAccessTime = getTime(bytes, at + 16);
    parsed.lastWriteTime = getTime(bytes, at + 32);
    if (!isValidTime(parsed.creationTime) || !isValidTime(parsed.lastAccessTime) ||
        !isValidTime(parsed.lastWriteTime))
        return false;
    at += 48;
    contentLength = getLong(bytes, at);
    headerSize = at + 4;
    record = std::move(parsed);
    return true;
}

bool parseBackupRecord(const std::string& bytes, BackupRecord& record) {
    BackupRecord parsed;
    size_t headerSize = 0;
    uint32_t length = 0;
    if (!parseBackupHeader(bytes, parsed, headerSize, length)) return false;
    if (bytes.size() - headerSize != length) return false;
    parsed.content = bytes.substr(headerSize);
    record = std::move(parsed);
    return true;
}

}  // namespace dv
