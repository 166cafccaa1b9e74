#include "broker/BrokerSettings.h"
#include "program/supervision/SupervisionParts.h"

namespace tc {

const bool Supervision::kHasBridge = false;

// This build has no broker bridge: --mqtt is refused before the station
// starts; a station whose settings ask for one is told so in its log, and
// runs on without.
void Supervision::startBridge(Parts& p, const SupervisionOptions& options) {
    std::string problem;
    if (BrokerSettings::read(p.form.settingsFile(), options.mqtt, problem) || !problem.empty())
        p.log.line("mqtt " + Transcript::quoted("no bridge: this build has none"));
}

}  // namespace tc
