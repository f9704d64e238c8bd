// Feeds arbitrary bytes to the parsers of what the update check reads from the network and
// its settings file: addresses, response headers, dates and numbers. The path always
// starts with "/", a plain ASCII host is lower case, and an accepted date writes back to
// a text that reads as the same date.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/HttpRequest.h"
#include "update/UpdateSchedule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string host = dv::UrlHost(bytes);
    bool ascii = true, upper = false;
    for (char c : host) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        upper = upper || (c >= 'A' && c <= 'Z');
    }
    if (ascii && upper) std::abort();
    const std::string path = dv::UrlPath(bytes);
    if (path.empty() || path[0] != '/') std::abort();
    dv::UrlPort(bytes);
    for (const auto& cookie : dv::cookiesInHeaders(bytes))
        if (cookie.first.empty() || cookie.first.find('\n') != std::string::npos) std::abort();
    dv::completeHeaders(bytes, bytes);
    dv::CalendarDate date, again;
    if (dv::parseDateText(bytes, date) &&
        (!dv::parseDateText(dv::dateText(date), again) || again.year != date.year ||
         again.month != date.month || again.day != date.day))
        std::abort();
    dv::updateCheckDue("T", bytes, bytes, {2010, 3, 8});
    dv::leadingWholeNumber(bytes);
    return 0;
}
