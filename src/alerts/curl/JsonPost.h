#pragma once
#include <functional>
#include <string>

// The webhook's post over libcurl, as the module tailchime-webhook.so gives
// it: only a station with a webhook maps libcurl for it.
extern "C" std::string tailchime_webhook_post(const std::string& url, const std::string& json, long timeoutS,
                                              const std::function<bool()>& givingUp);

namespace tc {

using WebhookPostEntry = decltype(tailchime_webhook_post);
inline constexpr const char* kWebhookModule = "tailchime-webhook.so";
inline constexpr const char* kWebhookModuleEntry = "tailchime_webhook_post";

}  // namespace tc
