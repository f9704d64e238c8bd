// Environment, clock, time zone and disk queries through kernel32.
#pragma once
#include "platform/System.h"

namespace dv {

class Win32System : public System {
public:
    std::string environment(const std::string& name) override;
    bool utcToLocal(FileTime utc, SystemTime& local) override;
    bool localToUtc(const SystemTime& local, FileTime& utc) override;
    uint32_t tickCount() override;
    void sleep(uint32_t milliseconds) override;
    bool diskSpace(const std::string& root, uint64_t& total, uint64_t& freeToCaller) override;
    DriveKind driveKind(const std::string& root) override;
    std::string windowsFolder() override;
    std::string tempPath() override;
    std::string knownFolder(KnownFolder folder) override;
    unsigned windowsVersion() override;
    bool ansiFromUtf8(const std::string& utf8, std::string& ansi) override;
    SystemTime localTime() override;
};

}  // namespace dv
