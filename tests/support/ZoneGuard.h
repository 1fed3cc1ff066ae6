#pragma once

// Sets the local time zone (TZ) for as long as the guard lives and restores
// the one before afterwards, telling the C library and the program's own
// table of offsets each time.
#include "platform/LocalTime.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace vc::testing {

class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        const char* old = std::getenv("TZ");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        use(zone);
    }
    ~ZoneGuard() {
        if (m_had)
            use(m_old.c_str());
        else
            use(nullptr);
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;

private:
    static void use(const char* zone) {
        if (zone)
            setenv("TZ", zone, 1);
        else
            unsetenv("TZ");
        tzset();
        forgetLocalTimeZone();
    }

    bool m_had = false;
    std::string m_old;
};

} // namespace vc::testing
