// Reading the sound file with the wide call where Windows has it, so that a
// folder named in any language works: the player's own file calls take only
// ANSI paths.
#include "sound.h"

#include <windows.h>

#include <mmsystem.h>

#include "../app/globals.h"

unsigned char* edgeSoundImage;

static HANDLE OpenSoundFile()
{
    if (soundPathWide[0] != 0)
        return CreateFileW(soundPathWide, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (soundPath[0] != '\0')
        return CreateFileA(soundPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    return INVALID_HANDLE_VALUE;
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
    HANDLE file = OpenSoundFile();
    if (file == INVALID_HANDLE_VALUE)
        return;
    edgeSoundImage = ReadSoundImage(file);
    CloseHandle(file);
}

void PlayEdgeSound()
{
    if (edgeSoundImage != nullptr)
        sndPlaySoundA(reinterpret_cast<LPCSTR>(edgeSoundImage), SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
