#include "broker/BrokerSettings.h"
#include "program/supervision/SupervisionParts.h"

namespace tc {

// This build has no broker bridge: a station that asks for one is told so
// in its log, and runs on without.
void Supervision::startBridge(Parts& p, const SupervisionOptions& options) {
    std::string problem;
    if (BrokerSettings::read(p.form.settingsFile(), options.mqtt, problem) || !problem.empty())
        p.log.line("mqtt " + Transcript::quoted("no bridge: this build has none"));
}

}  // namespace tc
