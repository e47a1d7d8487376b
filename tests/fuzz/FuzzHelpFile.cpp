// Any bytes as Help.txt: the help window loads them from a program folder of its own. The text
// it shows must be valid UTF-16, each line followed by exactly one CR LF, and equal to the
// decoded bytes split at CR LF and lone CR; no message may appear for a readable file.
#include "forms/Application.h"
#include "forms/Cp932.h"
#include "forms/Form.h"
#include "forms/TextBox.h"
#include "forms/TextFileInput.h"
#include "fuzz/Digest.h"
#include "fuzz/DisplayForm.h"
#include "fuzz/FuzzCheck.h"
#include "program/Program.h"
#include "scenario/RecordingMessageBox.h"
#include "scenario/ScratchFolder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace kalpeno;
using fuzz::require;

// The text the window must show, from the decoded file: a line ends at CR LF or a lone CR.
std::u16string expectedText(std::u16string_view decoded) {
    std::u16string text;
    std::size_t start = 0;
    while (start < decoded.size()) {
        std::size_t end = decoded.find(u'\r', start);
        if (end == std::u16string_view::npos) {
            end = decoded.size();
        }
        text.append(decoded.substr(start, end - start));
        text += u"\r\n";
        start = end + 1;
        if (end < decoded.size() && start < decoded.size() && decoded[start] == u'\n') {
            ++start;
        }
    }
    return text;
}

void checkDecoded(std::string_view bytes, const std::u16string& decoded) {
    require(fuzz::isValidUtf16(decoded), "the decoded text has an unpaired surrogate");
    require(decoded.size() <= bytes.size(), "the decoded text is longer than its bytes");
    require(decoded.find(u'\0') == std::u16string::npos, "the decoded text holds a NUL");
    bool plain = true;
    for (char c : bytes) {
        plain = plain && c > 0 && c < 0x7F;
    }
    if (plain) {
        require(decoded == std::u16string(bytes.begin(), bytes.end()), "ASCII was not kept");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const scenario::ScratchFolder folder{"kalpeno-help"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = forms::decodeCp932(bytes);
    checkDecoded(bytes, decoded);

    {
        std::ofstream file(folder.path() / "Help.txt", std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        require(file.good(), "Help.txt could not be written");
    }
    scenario::RecordingMessageBox messages;
    forms::Application app(folder.path().u16string(), messages);
    startProgram(app);
    app.chooseMenu(app.loaded(u"Kalpeno")->menu(u"mnuHelp"));
    const forms::Form* help = app.loaded(u"frmHelp");
    require(help != nullptr && help->visible(), "the help window is not shown");
    require(messages.texts.empty(), "a readable Help.txt gave a message");
    const std::u16string& shown = help->textBox(u"Text1").text();
    require(fuzz::isValidUtf16(shown), "the help text has an unpaired surrogate");
    require(shown == expectedText(decoded), "the help text is not the file's lines");
    fuzz::inputDigest().add(shown);
    return 0;
}
