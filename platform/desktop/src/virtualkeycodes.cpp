#include "virtualkeycodes_p.h"

namespace platform::virtualkeycodes {

namespace {

    struct KeyPosition {
        quint16 virtualKeyCode;
        quint16 evdevCode;
        const char *usCharacter; // nullptr: types nothing printable
    };

    // Positions are the same on both kinds of keyboard; the Mac's Help key sits where PC keyboards have Insert.
    constexpr KeyPosition kPositions[] = {
        { 0, 30, "a" },
        { 1, 31, "s" },
        { 2, 32, "d" },
        { 3, 33, "f" },
        { 4, 35, "h" },
        { 5, 34, "g" },
        { 6, 44, "z" },
        { 7, 45, "x" },
        { 8, 46, "c" },
        { 9, 47, "v" },
        { 10, 86, "\xc2\xa7" },
        { 11, 48, "b" },
        { 12, 16, "q" },
        { 13, 17, "w" },
        { 14, 18, "e" },
        { 15, 19, "r" },
        { 16, 21, "y" },
        { 17, 20, "t" },
        { 18, 2, "1" },
        { 19, 3, "2" },
        { 20, 4, "3" },
        { 21, 5, "4" },
        { 22, 7, "6" },
        { 23, 6, "5" },
        { 24, 13, "=" },
        { 25, 10, "9" },
        { 26, 8, "7" },
        { 27, 12, "-" },
        { 28, 9, "8" },
        { 29, 11, "0" },
        { 30, 27, "]" },
        { 31, 24, "o" },
        { 32, 22, "u" },
        { 33, 26, "[" },
        { 34, 23, "i" },
        { 35, 25, "p" },
        { 36, 28, "\r" },
        { 37, 38, "l" },
        { 38, 36, "j" },
        { 39, 40, "'" },
        { 40, 37, "k" },
        { 41, 39, ";" },
        { 42, 43, "\\" },
        { 43, 51, "," },
        { 44, 53, "/" },
        { 45, 49, "n" },
        { 46, 50, "m" },
        { 47, 52, "." },
        { 48, 15, "\t" },
        { 49, 57, " " },
        { 50, 41, "`" },
        { 51, 14, "\b" },
        { 53, 1, "\x1b" },
        { 54, 126, nullptr },
        { 55, 125, nullptr },
        { 56, 42, nullptr },
        { 57, 58, nullptr },
        { 58, 56, nullptr },
        { 59, 29, nullptr },
        { 60, 54, nullptr },
        { 61, 100, nullptr },
        { 62, 97, nullptr },
        { 64, 187, nullptr },
        { 65, 83, "." },
        { 67, 55, "*" },
        { 69, 78, "+" },
        { 71, 69, nullptr },
        { 72, 115, nullptr },
        { 73, 114, nullptr },
        { 74, 113, nullptr },
        { 75, 98, "/" },
        { 76, 96, "\x03" },
        { 78, 74, "-" },
        { 79, 188, nullptr },
        { 80, 189, nullptr },
        { 81, 117, "=" },
        { 82, 82, "0" },
        { 83, 79, "1" },
        { 84, 80, "2" },
        { 85, 81, "3" },
        { 86, 75, "4" },
        { 87, 76, "5" },
        { 88, 77, "6" },
        { 89, 71, "7" },
        { 90, 190, nullptr },
        { 91, 72, "8" },
        { 92, 73, "9" },
        { 96, 63, nullptr },
        { 97, 64, nullptr },
        { 98, 65, nullptr },
        { 99, 61, nullptr },
        { 100, 66, nullptr },
        { 101, 67, nullptr },
        { 103, 87, nullptr },
        { 105, 183, nullptr },
        { 106, 186, nullptr },
        { 107, 184, nullptr },
        { 109, 68, nullptr },
        { 111, 88, nullptr },
        { 113, 185, nullptr },
        { 114, 110, nullptr },
        { 115, 102, nullptr },
        { 116, 104, nullptr },
        { 117, 111, "\x7f" },
        { 118, 62, nullptr },
        { 119, 107, nullptr },
        { 120, 60, nullptr },
        { 121, 109, nullptr },
        { 122, 59, nullptr },
        { 123, 105, nullptr },
        { 124, 106, nullptr },
        { 125, 108, nullptr },
        { 126, 103, nullptr },
    };

    const KeyPosition *find(quint16 virtualKeyCode)
    {
        for (const KeyPosition &position : kPositions) {
            if (position.virtualKeyCode == virtualKeyCode)
                return &position;
        }
        return nullptr;
    }

} // namespace

std::optional<quint16> evdevCode(quint16 virtualKeyCode)
{
    if (const KeyPosition *position = find(virtualKeyCode))
        return position->evdevCode;
    return std::nullopt;
}

std::optional<QString> usCharacter(quint16 virtualKeyCode)
{
    const KeyPosition *position = find(virtualKeyCode);
    if (!position)
        return std::nullopt;
    return position->usCharacter ? QString::fromUtf8(position->usCharacter) : QString();
}

} // namespace platform::virtualkeycodes
