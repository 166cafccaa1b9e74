#include "web/PlainWords.h"
#include "program/supervision/SupervisionParts.h"

namespace tc {

void Supervision::startWeb(Parts& p, const SupervisionOptions& options) {
    WebSettings settings = WebSettings::read(p.form.settingsFile());
    ListenAt at = options.web.value_or(ListenAt{settings.address, settings.port});
    if (at.port == 0) return;
    auto tell = [&p](const std::string& text) { p.log.line("web " + Transcript::quoted(text)); };

    // The page's view is what the station last told of its panel; its log
    // is the station's.
    p.hub.publish(p.form.status());
    p.viewFollows = p.form.events.subscribe([&p](const StationEvent& e, std::int64_t) {
        if (auto* status = std::get_if<event::Status>(&e)) p.hub.publish(*status);
        // Today's counts have changed: the view is told again.
        if (std::holds_alternative<event::OverEnded>(e) || std::holds_alternative<event::IdentEnded>(e))
            p.hub.publish(p.hub.view());
        if (auto words = plainWords(e)) p.hub.publishLine(timeOfDay() + "  " + *words);
    });
    if (p.alerts)
        p.alertsOnPage = p.alerts->subscribe(
            [&p](const alerts::Alert& a) { p.hub.publishLine(timeOfDay() + "  Alert: " + a.text); });
    p.metrics = std::make_unique<Metrics>(p.form.events, p.form.status(), p.form.panel.Ver.text);

    Served served{p.hub,
                  [&p] { return p.today(); },
                  [&p](std::int64_t widthMs, int count) { return p.buckets(widthMs, count); },
                  [&p](const Control& control, std::function<void()> done) {
                      p.mailbox->send([&p, control, done = std::move(done)] {
                          carryOut(control, p.form);
                          done();
                      });
                  },
                  [&p](const std::string& text) {
                      p.hub.publishLine(timeOfDay() + "  " + text);
                      p.mailbox->send([&p, text] { p.log.line("web " + Transcript::quoted(text)); });
                  },
                  [&p] { return p.metrics ? p.metrics->text() : std::string(); }};
    auto server = std::make_unique<WebServer>(settings, at, std::move(served));
    std::string problem;
    if (!server->start(problem)) {
        tell("not served: " + problem);
        return;
    }
    p.server = std::move(server);
    const std::string host = at.address.find(':') != std::string::npos ? "[" + at.address + "]" : at.address;
    tell(std::string("serving ") + (p.server->tls() ? "https" : "http") + "://" + host + ":" + std::to_string(at.port) +
         "/");
    if (settings.passwordHash.empty())
        tell("no password is set, so the controls are refused: set one with tailchime --web-password");
}

}  // namespace tc
