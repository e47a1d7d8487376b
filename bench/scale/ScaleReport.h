#pragma once
// The rows of the scale table: figure, measured, goal, met. Printed as they are measured, so a
// long run shows its progress and a crash keeps the rows before it.

#include <string>
#include <vector>

namespace kalpeno::bench {

// Where a load is measured: the headless model, the real widgets, or a bare QPlainTextEdit
// given the same text with a paragraph per line (what Qt's text document costs alone, for
// comparison).
enum class Surface { Headless, Widgets, QtAlone };

class ScaleReport {
public:
    ScaleReport();

    void row(const std::string& figure, const std::string& measured, const std::string& goal,
             bool met);
    // Two sessions of n and 10n events: each time with its cost per event, and the growth,
    // which must stay within 11x for 10x the events.
    void sessionPair(const std::string& figure, std::size_t smallEvents, double smallSeconds,
                     std::size_t largeEvents, double largeSeconds, double perEventGoalSeconds);
    // Two loads of sizes `factor` apart: each time, and the growth, within 1.1 x factor.
    void sizePair(const std::string& figure, const std::string& smallName, double smallSeconds,
                  const std::string& largeName, double largeSeconds, double factor);

    // The same two loads on something measured for comparison only: one row with both times
    // and their ratio, without a goal.
    void comparedPair(const std::string& figure, const std::string& smallName, double smallSeconds,
                      const std::string& largeName, double largeSeconds);

    static double median(std::vector<double> values);
    static std::string count(std::size_t n);     // "100k", "1M"
    static std::string duration(double seconds); // "12.3 ms", "1.23 s", "45.6 µs"
    static std::string format(const char* pattern, double value);
};

// Pastes of 10k, 100k and 1M characters (a tenth with --quick), each the median of three on a
// fresh program: each time, the growth of each step within 11x, and the largest within 2 s.
void pastes(ScaleReport& report, const std::string& surface, double (*paste)(std::size_t length),
            std::size_t scale, const std::string& into = "an entry box");

} // namespace kalpeno::bench
