#pragma once
// What the forms runtime asks of the operating system. There is one implementation per system,
// chosen by the build: Linux.cpp (ICU and POSIX) and Windows.cpp (the Win32 API). The UTF-8
// conversions of forms/Utf.h are implemented there too. Every rule built on these, the code page
// 932 rule included (forms/Cp932.h), is the same on both systems.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kalpeno::forms::system {

// The separator of the program folder's path ("/"; "\").
char16_t folderSeparator();
// Whether a folder is a root, whose path ends in its separator ("/"; "C:\", "\").
bool isRoot(std::u16string_view folder);

// The system's own table of code page 932, asked one character at a time: the UTF-16 unit of one
// byte or of a lead and a trail byte, and the bytes of a character. Nothing where the table has
// none. Not for use by two threads at once.
class Cp932Table {
public:
    Cp932Table();
    ~Cp932Table();
    Cp932Table(const Cp932Table&) = delete;
    Cp932Table& operator=(const Cp932Table&) = delete;

    std::optional<char16_t> character(std::string_view bytes) const;
    std::optional<std::string> bytes(char16_t character) const;

private:
    struct Converters;
    std::unique_ptr<Converters> converters_;
};

// Reads a regular file (also behind a symbolic link) of at most limit bytes: tells its size once
// it is open, then hands its bytes on piece by piece as they come. False when the path names no
// such file (missing, a folder, a FIFO, a device...), when it is or grows larger than limit,
// when a read fails, or when piece answers false. Never blocks on a FIFO or a device, and
// leaves nothing open.
bool readRegularFile(std::u16string_view path, std::size_t limit,
                     const std::function<void(std::size_t size)>& opened,
                     const std::function<bool(std::string_view piece)>& piece);

} // namespace kalpeno::forms::system
