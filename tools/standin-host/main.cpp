// The stand-in host: a local COM server under the host program's class id,
// for trying Tailchime on Windows (and under Wine) without the real host.
//
//   standin-host /RegServer [--timeline FILE] [--log FILE] [--no-typeinfo]
//   standin-host /UnregServer
//
// COM starts it with the registered arguments and -Embedding. It raises the
// timeline's events from the first connection to its events and records every
// call and event in the log (standard error without one). --no-typeinfo
// makes its objects refuse GetTypeInfo, as some hosts' objects do.
#include <iostream>
#include <string>
#include <vector>

#include "ClassFactory.h"
#include "HostObject.h"
#include "Record.h"
#include "Registration.h"
#include "Server.h"
#include "Timeline.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/ComApartment.h"
#include "ui/win32/WinEventLoop.h"

namespace {

bool isSwitch(const std::string& arg, const char* name) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return false;
    return _stricmp(arg.c_str() + 1, name) == 0;
}

std::string quotedIfNeeded(const std::string& arg) {
    return arg.find_first_of(" \t") == std::string::npos ? arg : "\"" + arg + "\"";
}

struct Settings {
    std::string timeline, log;
    bool ownTypeInfo = true;
};

bool readSettings(const std::vector<std::string>& args, Settings& s) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (isSwitch(args[i], "Embedding")) continue;
        if (args[i] == "--no-typeinfo") {
            s.ownTypeInfo = false;
        } else if ((args[i] == "--timeline" || args[i] == "--log") && i + 1 < args.size()) {
            (args[i] == "--timeline" ? s.timeline : s.log) = args[i + 1];
            ++i;
        } else {
            std::cerr << "standin-host: unknown argument '" << args[i] << "'\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && isSwitch(args[0], "UnregServer")) return standin::unregisterServer() ? 0 : 1;
    if (!args.empty() && isSwitch(args[0], "RegServer")) {
        Settings check;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (!readSettings(rest, check)) return 2;
        std::string stored;
        for (const std::string& a : rest) stored += (stored.empty() ? "" : " ") + quotedIfNeeded(a);
        tc::win32::ComApartment com;
        return standin::registerServer(stored) ? 0 : 1;
    }

    Settings settings;
    if (!readSettings(args, settings)) return 2;
    tc::win32::ComApartment com;
    tc::win32::WinEventLoop loop;
    standin::Record record(settings.log, [&loop] { return loop.nowMs(); });

    std::optional<tc::Script> timeline;
    if (!settings.timeline.empty()) {
        std::string problem;
        timeline = standin::loadTimeline(settings.timeline, problem);
        if (!timeline) {
            record.line("refused " + problem);
            return 2;
        }
    }
    Microsoft::WRL::ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(tc::win32::wide(standin::typeLibraryPath()).c_str(), REGKIND_NONE, &library))) {
        record.line("refused cannot load " + standin::typeLibraryPath());
        return 2;
    }

    standin::Server server(loop, record, std::move(timeline), library.Get(), settings.ownTypeInfo);
    standin::ClassFactory factory(server);
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(CLSID_StandInHostApp, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &cookie))) {
        record.line("refused cannot register the class object");
        return 1;
    }
    loop.run();
    CoRevokeClassObject(cookie);
    return 0;
}
