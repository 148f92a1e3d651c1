#include "paths.h"

#include <cstring>

void ProgramDirectoryFromModulePath(const char* modulePath, char* directory)
{
    size_t length = std::strlen(modulePath);
    size_t end = length; // characters kept
    bool found = false;
    for (size_t i = length; i >= 1 && !found; --i) {
        if (modulePath[i] == '\\' || modulePath[i] == ':') {
            end = i + 1;
            found = true;
        }
    }
    bool marked = found && end > LONGEST_USABLE_DIRECTORY;
    if (end + (marked ? 1 : 0) >= PATH_SIZE) {
        directory[0] = '\0';
        return;
    }
    std::memcpy(directory, modulePath, end);
    if (marked)
        directory[end++] = '?';
    directory[end] = '\0';
}

bool JoinPath(const char* directory, const char* name, char* path)
{
    size_t head = std::strlen(directory);
    size_t tail = std::strlen(name);
    if (head == 0 || head + tail >= PATH_SIZE) {
        path[0] = '\0';
        return false;
    }
    std::memcpy(path, directory, head);
    std::memcpy(path + head, name, tail + 1);
    return true;
}
