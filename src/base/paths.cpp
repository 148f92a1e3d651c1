#include "paths.h"

#include <cstring>

template <typename Unit> static size_t TextLength(const Unit* text)
{
    size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

template <typename Unit> static bool IsSeparator(Unit unit)
{
    return unit == Unit('\\') || unit == Unit(':');
}

// The first `end` units of modulePath, marked with "?" when they end at a
// separator and are 250 or more; empty when that does not fit the buffer.
template <typename Unit> static void KeepDirectory(const Unit* modulePath, size_t end, bool found, Unit* directory)
{
    bool marked = found && end > LONGEST_USABLE_DIRECTORY;
    if (end + (marked ? 1 : 0) >= PATH_SIZE) {
        directory[0] = 0;
        return;
    }
    std::memcpy(directory, modulePath, end * sizeof(Unit));
    if (marked)
        directory[end++] = Unit('?');
    directory[end] = 0;
}

void ProgramDirectoryFromModulePath(const char* modulePath, char* directory, LeadByteTest isLeadByte)
{
    // Forwards, one character at a time: the second byte of a double-byte
    // character can be 0x5C, which is no backslash there.
    size_t end = 0, i = 0;
    bool found = false;
    while (modulePath[i] != '\0') {
        if (i >= 1 && IsSeparator(modulePath[i])) {
            end = i + 1;
            found = true;
        }
        bool pair = isLeadByte(static_cast<unsigned char>(modulePath[i])) && modulePath[i + 1] != '\0';
        i += pair ? 2 : 1;
    }
    KeepDirectory(modulePath, found ? end : i, found, directory);
}

void ProgramDirectoryFromModulePath(const WideUnit* modulePath, WideUnit* directory)
{
    // No unit of a surrogate pair is a backslash or a colon.
    size_t end = 0, i = 0;
    bool found = false;
    for (; modulePath[i] != 0; ++i) {
        if (i >= 1 && IsSeparator(modulePath[i])) {
            end = i + 1;
            found = true;
        }
    }
    KeepDirectory(modulePath, found ? end : i, found, directory);
}

template <typename Unit> static bool Join(const Unit* directory, const Unit* name, Unit* path)
{
    size_t head = TextLength(directory);
    size_t tail = TextLength(name);
    if (head == 0 || head + tail >= PATH_SIZE) {
        path[0] = 0;
        return false;
    }
    std::memcpy(path, directory, head * sizeof(Unit));
    std::memcpy(path + head, name, (tail + 1) * sizeof(Unit));
    return true;
}

bool JoinPath(const char* directory, const char* name, char* path)
{
    return Join(directory, name, path);
}

bool JoinPath(const WideUnit* directory, const WideUnit* name, WideUnit* path)
{
    return Join(directory, name, path);
}

size_t WholeCharactersLength(const char* text, size_t limit, LeadByteTest isLeadByte)
{
    // A lead byte at the very end is a character cut short: it is not kept.
    size_t length = 0;
    while (text[length] != '\0') {
        size_t width = isLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
        if (length + width > limit || (width == 2 && text[length + 1] == '\0'))
            break;
        length += width;
    }
    return length;
}
