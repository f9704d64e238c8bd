// HTTP through WinINet.
#pragma once
#include "platform/Http.h"

namespace dv {

class Win32Http : public Http {
public:
    std::shared_ptr<HttpSession> newSession() override;
    bool setCookie(const std::string& url, const std::string& name,
                   const std::string& data) override;
};

}  // namespace dv
