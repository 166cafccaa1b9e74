// Who keeps a connection to the page when there are too many.
#include <gtest/gtest.h>

#include "web/http/Admission.h"

using tc::Admission;

TEST(Admission, ANewcomerTakesThePlaceOfTheConnectionThatHasWaitedLongest) {
    Admission admission(3, 2);  // three in all, two from one address
    struct Step {
        char what;  // + arrives, a is answered, w waits again, - leaves
        Admission::Id id;
        const char* address;
        bool admitted;
        Admission::Id evicted;
    } steps[] = {
        {'+', 1, "A", true, 0},
        {'+', 2, "A", true, 0},
        {'+', 3, "A", true, 1},   // A's share is full: its longest waiting goes
        {'a', 2, "", true, 0},
        {'a', 3, "", true, 0},
        {'+', 4, "A", false, 0},  // each of A's is being answered: refused
        {'+', 5, "B", true, 0},
        {'w', 2, "", true, 0},    // waits again, after 5 began to
        {'+', 6, "C", true, 5},   // all are full: the longest waiting anywhere
        {'+', 7, "C", true, 2},
        {'-', 3, "", true, 0},
        {'+', 8, "A", true, 0},   // a place is free
    };
    for (const Step& s : steps) {
        const std::string at = std::string(1, s.what) + std::to_string(s.id);
        if (s.what == '+') {
            const Admission::Verdict v = admission.admit(s.id, s.address);
            EXPECT_EQ(v.admitted, s.admitted) << at;
            EXPECT_EQ(v.evicted, s.evicted) << at;
        } else if (s.what == 'a') {
            admission.answering(s.id);
        } else if (s.what == 'w') {
            admission.waiting(s.id);
        } else {
            admission.leave(s.id);
        }
        EXPECT_LE(admission.held(), 3u) << at;
    }
    EXPECT_EQ(admission.held(), 3u);  // 6, 7 and 8
}
