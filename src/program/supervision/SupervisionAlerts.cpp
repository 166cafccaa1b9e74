#include "alerts/AlertSettings.h"
#include "program/supervision/SupervisionParts.h"

namespace tc {

// Each alert is a line in the log (and so on the page), counted for
// /metrics, posted to the webhook, and an event on the broker (the bridge
// follows the alerts itself).
void Supervision::startAlerts(Parts& p) {
    const AlertSettings settings = AlertSettings::read(p.form.settingsFile());
    p.alerts = std::make_unique<alerts::AlertWatch>(p.form.events, settings.kerchunksPerHour);
    if (!settings.webhook.empty())
        p.webhook = std::make_unique<Webhook>(settings.webhook, [&p](const std::string& why) {
            p.mailbox->send([&p, why] { p.log.line("alert " + Transcript::quoted("the webhook refused it: " + why)); });
        });
    p.alertsTold = p.alerts->subscribe([&p](const alerts::Alert& a) {
        p.log.line("alert " + Transcript::quoted(std::string(alerts::kindName(a.kind)) + ": " + a.text));
        if (p.metrics) p.metrics->alert(alerts::kindName(a.kind));
        if (p.webhook) p.webhook->post(alerts::alertJson(a, p.form.panel.Callsign.text));
    });
}

}  // namespace tc
