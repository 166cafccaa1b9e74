#include "broker/Bridge.h"
#include "program/supervision/SupervisionParts.h"

namespace tc {

const bool Supervision::kHasBridge = true;

void Supervision::startBridge(Parts& p, const SupervisionOptions& options) {
    std::string problem;
    auto settings = BrokerSettings::read(p.form.settingsFile(), options.mqtt, problem);
    auto tell = [&p](const std::string& text) { p.log.line("mqtt " + Transcript::quoted(text)); };
    if (!settings) {
        if (!problem.empty()) tell("no bridge: " + problem);
        return;
    }
    Bridge::Parts parts{p.form.events, *p.alerts, p.form, *p.mailbox, p.log, [&p] { return p.today(); },
                        p.form.status(), p.form.panel.Ver.text};
    auto bridge = std::make_unique<Bridge>(*settings, std::move(parts));
    if (!bridge->start(problem)) {
        tell("no bridge: " + problem);
        return;
    }
    p.bridge = std::move(bridge);
}

}  // namespace tc
