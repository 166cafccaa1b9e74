#include "alerts/JsonPost.h"

#include "alerts/curl/JsonPost.h"
#include "platform/posix/Module.h"

namespace tc {

// libcurl comes with the webhook's module, loaded at the first alert.
std::string postJson(const std::string& url, const std::string& json, long timeoutS,
                     const std::function<bool()>& givingUp) {
    static std::string problem;
    static auto* post = moduleFunction<WebhookPostEntry>(kWebhookModule, kWebhookModuleEntry, problem);
    if (!post) return "no webhook: " + problem;
    return post(url, json, timeoutS, givingUp);
}

}  // namespace tc
