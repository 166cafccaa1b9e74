#include "core/StationEvents.h"

namespace tc {

const char* askerName(Asker asker) {
    switch (asker) {
        case Asker::Station: return "station";
        case Asker::Panel: return "panel";
        case Asker::Script: return "script";
        case Asker::Page: return "page";
        case Asker::Broker: return "broker";
    }
    return "";
}

}  // namespace tc
