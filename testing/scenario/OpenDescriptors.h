#pragma once

namespace kalpeno::scenario {

// How many files the process has open (descriptors; on Windows, handles): the same before and
// after an operation that must leave none open.
int openDescriptors();

} // namespace kalpeno::scenario
