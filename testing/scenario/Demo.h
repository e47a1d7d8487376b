#pragma once

#include "scenario/Session.h"

namespace kalpeno::scenario {

// What the screenshots show, played on any session: a short calculation on each calculator
// (12+3= on A, 7*6= on B, 100/8= on C), then the Help and the Version window opened.
void playDemo(Session& session);

} // namespace kalpeno::scenario
