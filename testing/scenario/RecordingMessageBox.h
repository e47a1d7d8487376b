#pragma once

#include "forms/ModelObserver.h"

#include <string>
#include <vector>

namespace kalpeno::scenario {

// The headless message box: it records each text and is closed with OK at once.
class RecordingMessageBox : public forms::MessageBoxPort {
public:
    void showMessage(std::u16string_view text, std::u16string_view title) override {
        texts.emplace_back(text);
        lastTitle = title;
    }
    std::vector<std::u16string> texts;
    std::u16string lastTitle;
};

} // namespace kalpeno::scenario
