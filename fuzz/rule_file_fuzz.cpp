// Plans the rules of arbitrary bytes on a small profile: every folder planned lies below a
// drive's root, without "." or ".." parts, outside Documents and behind no link, and is
// never the profile, the Windows folder or a folder above them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rules/CachePlan.h"
#include "tests/fakes/FakePlatform.h"
#include "text/Text.h"

namespace {

dv::FakePlatform* made() {
    auto* p = new dv::FakePlatform;
    p->fs.addFolder("C:\\Users\\owner\\AppData\\Local\\Link", dv::kAttrDirectory | dv::kAttrReparsePoint);
    for (const char* folder : {"C:\\Users\\owner\\AppData\\Local\\App\\Default\\Cache", "C:\\Windows\\Temp",
                               "C:\\Users\\owner\\Documents\\Cache", "C:\\Users\\owner\\AppData\\Local\\Link\\Cache"})
        p->fs.addFolder(folder);
    return p;
}

// `path` (ending in "\") is `folder` or lies below it.
bool within(const std::string& path, const std::string& folder) {
    return dv::startsWithNoCase(path, folder + "\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static dv::FakePlatform* p = made();
    const dv::CachePlan plan = dv::planCaches(
        p->app, dv::parseRules(std::string(reinterpret_cast<const char*>(data), size)), {"C:\\"});
    for (const dv::CacheFolder& f : plan.folders) {
        const std::string& path = f.path;
        if (path.size() < 5 || path[1] != ':' || path[2] != '\\' || path.back() != '\\' ||
            dv::findNoCase("\\" + path, "\\.\\") != std::string::npos ||
            dv::findNoCase("\\" + path, "\\..\\") != std::string::npos ||
            within(path, "C:\\Users\\owner\\Documents") || within(path, "C:\\Users\\owner\\AppData\\Local\\Link") ||
            within("C:\\Users\\owner\\", path.substr(0, path.size() - 1)) ||
            within("C:\\Windows\\", path.substr(0, path.size() - 1)) ||
            f.rule >= plan.rules.size() || f.key >= plan.rules[f.rule].fileKeys.size())
            std::abort();
    }
    return 0;
}
