#pragma once
// The event benchmarks on the real widgets (offscreen), registered with Google Benchmark beside
// the headless ones.

#include <map>
#include <memory>
#include <string>

class QApplication;

namespace kalpeno::bench {

// Creates the QApplication, which the caller keeps until the benchmarks have run, and registers
// the benchmarks; their goals, in microseconds, are added to `goals` under their names.
std::unique_ptr<QApplication> registerWidgetEvents(int& argc, char** argv,
                                                   std::map<std::string, double>& goals);

} // namespace kalpeno::bench
