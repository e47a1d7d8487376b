#include "win32/MessageLoop.h"

#include "win32/Win32Layer.h"

namespace kalpeno::win32 {

namespace {

void deliver(Win32Layer& layer, MSG& message) {
    if (!layer.preTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int runMessageLoop(Win32Layer& layer) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        deliver(layer, message);
    }
    return static_cast<int>(message.wParam);
}

void handleWaitingMessages(Win32Layer& layer) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for whoever runs the loop
            return;
        }
        deliver(layer, message);
    }
}

} // namespace kalpeno::win32
