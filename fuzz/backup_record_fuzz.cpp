// Feeds arbitrary bytes to the backup record parser. Whatever it accepts must be one
// exact record: writing it out again gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cleanup/BackupStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    dv::BackupRecord record;
    if (dv::parseBackupRecord(bytes, record)) {
        if (dv::serializeBackupRecord(record) != bytes) std::abort();
        if (!dv::isRecordablePath(record.sourcePath)) std::abort();
    }
    dv::BackupRecord header;
    size_t headerSize = 0;
    uint32_t length = 0;
    if (dv::parseBackupHeader(bytes, header, headerSize, length)) {
        if (headerSize != header.sourcePath.size() + dv::kRecordFixedBytes) std::abort();
        if (dv::serializeBackupHeader(header, length) != bytes.substr(0, headerSize)) std::abort();
    }
    return 0;
}
