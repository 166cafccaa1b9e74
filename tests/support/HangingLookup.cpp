// Preloaded into the program by a test: a name look-up of "hang.test" waits
// until the file TAILCHIME_LOOKUP_GATE exists and then finds nothing, as a
// name server that answers late does; every other name is looked up as usual.
#include <dlfcn.h>
#include <netdb.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** found) {
    if (node && std::strcmp(node, "hang.test") == 0) {
        for (const char* gate = std::getenv("TAILCHIME_LOOKUP_GATE"); gate && access(gate, F_OK) != 0;) usleep(10000);
        return EAI_NONAME;
    }
    using LookUp = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    return reinterpret_cast<LookUp>(dlsym(RTLD_NEXT, "getaddrinfo"))(node, service, hints, found);
}
