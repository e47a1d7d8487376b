#pragma once
// Turns bytes into user events on a fresh headless program and checks the program's rules after
// every event. The fuzz target of the events and the soak share it. When the program ends (its
// quit command, or its last window closed) a fresh one starts, as a user would start it again.

#include "forms/Application.h"
#include "fuzz/ByteReader.h"
#include "fuzz/InvariantChecker.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace kalpeno::fuzz {

class EventDriver {
public:
    // appPath: the program folder the program is started with (it need not hold a Help.txt).
    explicit EventDriver(std::u16string appPath);
    ~EventDriver();
    EventDriver(const EventDriver&) = delete;
    EventDriver& operator=(const EventDriver&) = delete;

    // Runs the event the next bytes describe, then checks the rules.
    void step(ByteReader& input);
    // Runs events until the bytes are used up or a rule is broken.
    void run(ByteReader& input);

    const std::optional<std::string>& failure() const { return checker_.failure(); }
    std::size_t events() const { return events_; }
    std::size_t starts() const { return starts_; }
    std::size_t messagesShown() const { return checker_.messagesShown(); }
    // Of all the programs showed so far (InvariantChecker::digest).
    std::uint64_t digest() const { return checker_.digest(); }
    // UTF-16 units held by the boxes and tapes of the loaded windows.
    std::size_t unitsHeld() const;
    forms::Application& application() { return *app_; }

private:
    void start();
    void dispatch(std::uint8_t kind, ByteReader& input);
    void afterEvent();

    std::u16string appPath_;
    InvariantChecker checker_;
    std::unique_ptr<forms::Application> app_;
    std::size_t events_ = 0;
    std::size_t starts_ = 0;
};

} // namespace kalpeno::fuzz
