// The sound file by name where the ANSI code page can write its path and
// mmioOpen takes its length, so that the player reads it its own way, as it
// always has; read with the wide call otherwise, so that a folder named in any
// language, or a deep one, works. sndPlaySoundW exists only on Windows NT and
// later, and opens the file through the same mmioOpen with the same length
// limit: the ANSI call serves every Windows.
#include "sound.h"

#include <windows.h>

#include <mmsystem.h>

#include "../base/globals.h"

char edgeSoundName[SOUND_NAME_SIZE];
unsigned char* edgeSoundImage;

// Unit for unit (no lstrcmpW: Windows 98 need not have it).
static bool SameWideText(const WCHAR* a, const WCHAR* b)
{
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The wide sound path as ANSI text into edgeSoundName, when every character
// has its own there (no best fit: "?" would name another file) and mmioOpen,
// which the player opens a named file through, takes the name: at most 128
// characters with the terminating zero.
static bool NameWideSoundPath()
{
    int bytes;
    if (GetACP() == CP_UTF8) {
        // The UTF-8 code page takes neither flags nor a used-default flag
        // (the call fails with them): convert plainly, then check that the
        // text names the same file.
        WCHAR back[PATH_SIZE];
        bytes = WideCharToMultiByte(CP_ACP, 0, soundPathWide, -1, edgeSoundName, SOUND_NAME_SIZE, nullptr, nullptr);
        if (bytes != 0 && (MultiByteToWideChar(CP_ACP, 0, edgeSoundName, -1, back, PATH_SIZE) == 0
                           || !SameWideText(back, soundPathWide)))
            bytes = 0;
    } else {
        BOOL lossy = FALSE;
        bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, soundPathWide, -1, edgeSoundName, SOUND_NAME_SIZE,
                                    nullptr, &lossy);
        if (lossy)
            bytes = 0;
    }
    if (bytes == 0 || bytes > LONGEST_SOUND_NAME + 1) {
        edgeSoundName[0] = '\0';
        return false;
    }
    return true;
}

static unsigned char* ReadSoundImage(HANDLE file)
{
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (high != 0 || size == 0 || size > LARGEST_SOUND_FILE)
        return nullptr;
    unsigned char* image =
        static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + SOUND_IMAGE_PADDING));
    if (image == nullptr)
        return nullptr;
    DWORD read = 0;
    if (ReadFile(file, image, size, &read, nullptr) && read == size && SoundImageIsWhole(image, size))
        return image;
    HeapFree(GetProcessHeap(), 0, image);
    return nullptr;
}

void LoadEdgeSound()
{
    if (edgeSoundImage != nullptr) {
        // The player reads a sound in memory while it plays: stop it first.
        sndPlaySoundA(nullptr, 0);
        HeapFree(GetProcessHeap(), 0, edgeSoundImage);
        edgeSoundImage = nullptr;
    }
    edgeSoundName[0] = '\0';
    if (soundPathWide[0] == 0) {
        // Windows 98/ME: the ANSI path, or none. There is no wide call to read
        // a long one with, so it goes to the player by name whatever its length.
        lstrcpynA(edgeSoundName, soundPath, SOUND_NAME_SIZE);
        return;
    }
    if (NameWideSoundPath())
        return;
    HANDLE file = CreateFileW(soundPathWide, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    edgeSoundImage = ReadSoundImage(file);
    CloseHandle(file);
}

void PlayEdgeSound()
{
    if (edgeSoundName[0] != '\0')
        sndPlaySoundA(edgeSoundName, SND_ASYNC | SND_NODEFAULT);
    else if (edgeSoundImage != nullptr)
        sndPlaySoundA(reinterpret_cast<LPCSTR>(edgeSoundImage), SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
