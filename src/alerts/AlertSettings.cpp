#include "alerts/AlertSettings.h"

#include "core/NumberText.h"
#include "core/Profile.h"
#include "core/RuntimeError.h"

namespace tc {

AlertSettings AlertSettings::read(Profile& profile) {
    AlertSettings s;
    const std::string count = profile.GetString(kSection, "KERCHUNKS_PER_HOUR", "");
    try {
        if (!count.empty()) {
            const long long n = wholeNumber(count);
            if (n >= 0 && n <= 100000) s.kerchunksPerHour = static_cast<int>(n);
        }
    } catch (const RuntimeError&) {
        // not a number: the default stands
    }
    s.webhook = profile.GetString(kSection, "WEBHOOK", "");
    return s;
}

}  // namespace tc
