// Process environment, clock, time zone and disk queries.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace dv {

// Folders that Windows and the shell keep for the user and for all users.
enum class KnownFolder {
    LocalAppData, RoamingAppData, LocalLowAppData, ProgramData, UserProfile, Public, Windows,
    ProgramFiles, ProgramFilesX86, CommonProgramFiles, CommonProgramFilesX86,
    Documents, Desktop, Pictures, Music, Videos, Downloads,
};

class System {
public:
    virtual ~System() = default;
    // An environment variable; the empty text when unset.
    virtual std::string environment(const std::string& name) = 0;
    // UTC file time -> local broken-down time (FileTimeToLocalFileTime + FileTimeToSystemTime).
    virtual bool utcToLocal(FileTime utc, SystemTime& local) = 0;
    // Local broken-down time -> UTC file time (SystemTimeToFileTime + LocalFileTimeToFileTime).
    virtual bool localToUtc(const SystemTime& local, FileTime& utc) = 0;
    virtual uint32_t tickCount() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
    // Total bytes and bytes free to the caller on a root such as "C:\"; false when unreadable.
    virtual bool diskSpace(const std::string& root, uint64_t& total, uint64_t& freeToCaller) = 0;
    // The kind of drive at a root such as "C:\" (GetDriveTypeA); None without a drive.
    virtual DriveKind driveKind(const std::string& root) = 0;
    // The folder Windows is installed in, shared by all users ("C:\Windows").
    virtual std::string windowsFolder() = 0;
    virtual std::string tempPath() = 0;
    // Where a known folder lies now, without a "\" at the end; empty when the system has
    // none or its path cannot be written in the process's code page.
    virtual std::string knownFolder(KnownFolder folder) = 0;
    // The version of Windows, as major * 100 + minor (601 for Windows 7, 1000 for 10 and 11).
    virtual unsigned windowsVersion() = 0;
    // UTF-8 text in the process's ANSI code page; false when the text is no UTF-8 or holds
    // a character the code page cannot show (which would become a "?", a wildcard).
    virtual bool ansiFromUtf8(const std::string& utf8, std::string& ansi) = 0;
    // The current local date and time (GetLocalTime).
    virtual SystemTime localTime() = 0;
};

}  // namespace dv
