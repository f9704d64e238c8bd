// The publisher's addresses. A reserved example domain stands in until the
// publisher has a site of its own; every address is built from this one place.
#pragma once

namespace dv {

constexpr const char* kPublisherSite = "http://www.example.com";
// Opened by visitWebsiteButton (websiteLink) and when a newer version is found.
constexpr const char* kWebsiteAddress = "http://www.example.com/en/dustvane/";
// The version file the update check downloads unless dustvaneset.ini names another.
constexpr const char* kUpdateListAddress = "http://www.example.com/en/dustvane/update.ini";

}  // namespace dv
