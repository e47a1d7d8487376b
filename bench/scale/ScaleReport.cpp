#include "bench/scale/ScaleReport.h"

#include <algorithm>
#include <cstdio>

namespace kalpeno::bench {

std::string ScaleReport::format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

ScaleReport::ScaleReport() {
    std::printf("| figure | measured | goal | met |\n|---|---|---|---|\n");
    std::fflush(stdout);
}

void ScaleReport::row(const std::string& figure, const std::string& measured,
                      const std::string& goal, bool met) {
    std::printf("| %s | %s | %s | %s |\n", figure.c_str(), measured.c_str(), goal.c_str(),
                goal.empty() ? "" : (met ? "yes" : "**no**"));
    std::fflush(stdout);
}

void ScaleReport::sessionPair(const std::string& figure, std::size_t smallEvents,
                              double smallSeconds, std::size_t largeEvents, double largeSeconds,
                              double perEventGoalSeconds) {
    const std::string goal = "< " + duration(perEventGoalSeconds) + " per event";
    for (const auto& [events, seconds] :
         {std::pair{smallEvents, smallSeconds}, std::pair{largeEvents, largeSeconds}}) {
        const double perEvent = seconds / static_cast<double>(events);
        row(figure + ", " + count(events) + " events",
            duration(seconds) + " (" + duration(perEvent) + " per event)", goal,
            perEvent < perEventGoalSeconds);
    }
    const double growth = largeSeconds / smallSeconds;
    const double factor = static_cast<double>(largeEvents) / static_cast<double>(smallEvents);
    row(figure + ", time for " + count(largeEvents) + " / " + count(smallEvents) + " events",
        format("%.2f×", growth), format("≤ %.1f× (linear)", factor * 1.1), growth <= factor * 1.1);
}

void ScaleReport::sizePair(const std::string& figure, const std::string& smallName,
                           double smallSeconds, const std::string& largeName, double largeSeconds,
                           double factor) {
    row(figure + ", " + smallName, duration(smallSeconds), "", true);
    row(figure + ", " + largeName, duration(largeSeconds), "", true);
    const double growth = largeSeconds / smallSeconds;
    row(figure + ", time for " + largeName + " / " + smallName, format("%.2f×", growth),
        format("≤ %.1f× (linear)", factor * 1.1), growth <= factor * 1.1);
}

void ScaleReport::comparedPair(const std::string& figure, const std::string& smallName,
                               double smallSeconds, const std::string& largeName,
                               double largeSeconds) {
    row(figure + ", time for " + largeName + " / " + smallName + " (for comparison)",
        duration(largeSeconds) + " / " + duration(smallSeconds) + " = " +
            format("%.2f×", largeSeconds / smallSeconds),
        "", true);
}

double ScaleReport::median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    if (n == 0) {
        return 0;
    }
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string ScaleReport::count(std::size_t n) {
    if (n >= 1'000'000 && n % 1'000'000 == 0) {
        return std::to_string(n / 1'000'000) + "M";
    }
    if (n >= 1'000 && n % 1'000 == 0) {
        return std::to_string(n / 1'000) + "k";
    }
    return std::to_string(n);
}

std::string ScaleReport::duration(double seconds) {
    if (seconds >= 1) {
        return format("%.2f s", seconds);
    }
    if (seconds >= 1e-3) {
        return format("%.1f ms", seconds * 1e3);
    }
    return format("%.2f µs", seconds * 1e6);
}

void pastes(ScaleReport& report, const std::string& surface, double (*paste)(std::size_t length),
            std::size_t scale, const std::string& into) {
    const std::size_t lengths[] = {10'000 / scale, 100'000 / scale, 1'000'000 / scale};
    double times[3];
    for (int i = 0; i < 3; ++i) {
        std::vector<double> runs;
        for (int run = 0; run < 3; ++run) {
            runs.push_back(paste(lengths[i]));
        }
        times[i] = ScaleReport::median(runs);
    }
    const std::string name = surface + ": paste into " + into;
    report.sizePair(name, ScaleReport::count(lengths[0]), times[0], ScaleReport::count(lengths[1]),
                    times[1], 10);
    report.sizePair(name, ScaleReport::count(lengths[1]), times[1], ScaleReport::count(lengths[2]),
                    times[2], 10);
    report.row(name + " of " + ScaleReport::count(lengths[2]) + " characters, until shown",
               ScaleReport::duration(times[2]), "≤ 2 s", times[2] <= 2.0);
}

} // namespace kalpeno::bench
