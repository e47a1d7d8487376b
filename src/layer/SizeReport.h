#pragma once

#include "forms/Form.h"
#include "layer/UserEvents.h"

#include <functional>
#include <memory>
#include <utility>

namespace kalpeno::layer {

// A window's client size told to the model, in twips: at once, or, while the model is busy (a
// handler showing the window, a message box waiting while the window is resized), once the
// handler has finished, measured again then. One report waits at a time, and none is told once
// the window has gone or its form has been unloaded.
class SizeReport {
public:
    // form: the window's form, none once it is unloaded; measure: the client area's size now.
    SizeReport(UserEvents& events, std::function<forms::Form*()> form,
               std::function<std::pair<int, int>()> measure)
        : events_(events), form_(std::move(form)), measure_(std::move(measure)) {}
    ~SizeReport() { *alive_ = false; }
    SizeReport(const SizeReport&) = delete;
    SizeReport& operator=(const SizeReport&) = delete;

    void report();

private:
    UserEvents& events_;
    std::function<forms::Form*()> form_;
    std::function<std::pair<int, int>()> measure_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool pending_ = false;
};

} // namespace kalpeno::layer
