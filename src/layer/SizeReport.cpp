#include "layer/SizeReport.h"

namespace kalpeno::layer {

void SizeReport::report() {
    forms::Form* form = form_();
    if (!form) {
        return;
    }
    if (events_.busy()) {
        if (!pending_) {
            pending_ = true;
            events_.whenIdle([this, alive = alive_] {
                if (*alive) {
                    pending_ = false;
                    report();
                }
            });
        }
        return;
    }
    const auto [width, height] = measure_();
    events_.resize(*form, width, height);
}

} // namespace kalpeno::layer
