#pragma once
// Generated sessions of n and 10n events run three times each, interleaved, on one surface: the
// median times with their growth, and how many message boxes appeared (none are expected).

#include "bench/scale/ScaleReport.h"
#include "bench/scale/SessionScript.h"

#include <chrono>
#include <string>
#include <vector>

namespace kalpeno::bench {

struct SessionRun {
    double seconds;
    std::size_t messages;
};

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// runSession(const SessionScript&) -> SessionRun, on a fresh program each time.
template <class RunSession>
void compareSessions(ScaleReport& report, const std::string& surface, std::size_t small,
                     double perEventGoalSeconds, RunSession runSession) {
    const std::size_t large = small * 10;
    const SessionScript smallScript = SessionScript::generate(small);
    const SessionScript largeScript = SessionScript::generate(large);
    std::vector<double> smallTimes;
    std::vector<double> largeTimes;
    std::size_t messages = 0;
    for (int run = 0; run < 3; ++run) {
        const SessionRun s = runSession(smallScript);
        const SessionRun l = runSession(largeScript);
        smallTimes.push_back(s.seconds);
        largeTimes.push_back(l.seconds);
        messages += s.messages + l.messages;
    }
    report.sessionPair(surface + " session", small, ScaleReport::median(smallTimes), large,
                       ScaleReport::median(largeTimes), perEventGoalSeconds);
    report.row(surface + " session, message boxes raised", std::to_string(messages), "0",
               messages == 0);
}

} // namespace kalpeno::bench
