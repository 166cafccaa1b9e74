#include "web/http/Admission.h"

namespace tc {

Admission::Verdict Admission::admit(Id id, const std::string& address) {
    Verdict v;
    const auto it = from_.find(address);
    if (it != from_.end() && it->second >= perAddress_)
        v.evicted = longestWaiting(&address);
    else if (held_.size() >= total_)
        v.evicted = longestWaiting(nullptr);
    const bool full = (it != from_.end() && it->second >= perAddress_) || held_.size() >= total_;
    if (full && !v.evicted) return v;
    leave(v.evicted);
    held_[id] = Held{address, true, ++order_};
    ++from_[address];
    v.admitted = true;
    return v;
}

void Admission::waiting(Id id) {
    auto it = held_.find(id);
    if (it == held_.end()) return;
    it->second.waiting = true;
    it->second.since = ++order_;
}

void Admission::answering(Id id) {
    auto it = held_.find(id);
    if (it != held_.end()) it->second.waiting = false;
}

void Admission::leave(Id id) {
    auto it = held_.find(id);
    if (it == held_.end()) return;
    auto from = from_.find(it->second.address);
    if (--from->second == 0) from_.erase(from);
    held_.erase(it);
}

Admission::Id Admission::longestWaiting(const std::string* address) const {
    Id found = 0;
    std::uint64_t since = 0;
    for (const auto& [id, h] : held_)
        if (h.waiting && (!address || h.address == *address) && (!found || h.since < since)) {
            found = id;
            since = h.since;
        }
    return found;
}

}  // namespace tc
