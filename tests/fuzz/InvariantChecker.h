#pragma once
// Watches a running program through the model's own change reports and its message box, and
// notes the first broken rule: a tape line or total box text that is not a display text, a
// message that is none of the program's, a wrong message box title. The state fields are
// checked after each event by checkState(). Everything reported is also added to a digest.

#include "forms/ModelObserver.h"
#include "fuzz/Digest.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kalpeno::calculator {
class Kalpeno;
}

namespace kalpeno::fuzz {

class InvariantChecker : public forms::ModelObserver, public forms::MessageBoxPort {
public:
    // The first rule broken, in words; nothing while all is well.
    const std::optional<std::string>& failure() const { return failure_; }
    std::size_t messagesShown() const { return messages_; }
    // Of every change the program reported and every message it showed, in order.
    std::uint64_t digest() const { return digest_.value(); }

    void checkState(const calculator::Kalpeno& window);
    // Notes a broken rule found by the caller; the first one is kept.
    void report(std::string what, std::u16string_view text = {});

    void controlChanged(forms::Control& control, forms::Property property) override;
    void formLoaded(forms::Form& form) override;
    void formShown(forms::Form&) override {}
    void formUnloading(forms::Form&) override {}
    void focusChanged(forms::Control*) override {}
    void programEnded() override {}
    void showMessage(std::u16string_view text, std::u16string_view title) override;

private:
    void checkTapeLine(const forms::Control& tape);
    void addToDigest(const forms::Control& control, forms::Property property);

    std::optional<std::string> failure_;
    std::size_t messages_ = 0;
    Digest digest_;
};

} // namespace kalpeno::fuzz
