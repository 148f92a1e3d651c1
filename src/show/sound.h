// The edge sound: the sound file, played by its name where the ANSI code
// page can write its path in at most LONGEST_SOUND_NAME bytes; otherwise read
// into memory when a show is prepared and played from there.
#pragma once
#include <cstddef>

// Room for the sound path as ANSI text, whose characters may take two bytes
// (four in the UTF-8 code page, where a surrogate pair takes two of the 256).
constexpr int SOUND_NAME_SIZE = 2 * 256;

// The longest name mmioOpen takes, in bytes: 128 with its terminating zero.
constexpr int LONGEST_SOUND_NAME = 127;

// A larger file is not read into memory: an edge sound is short, and it
// stays there. Played by name, a file of any size is the player's business.
constexpr size_t LARGEST_SOUND_FILE = 4 * 1024 * 1024;

// Zero bytes kept after the copy of the file: the player reads 12 bytes at
// each chunk header, which can reach a little past a short last chunk.
constexpr size_t SOUND_IMAGE_PADDING = 16;

// Portable. Whether bytes hold a RIFF WAVE image the player can read without
// leaving it: the RIFF chunk and every chunk in it end within size, and a
// "fmt " chunk comes before a "data" chunk. The player takes a sound in
// memory by the sizes its headers state and looks for those two chunks until
// it finds them, so a file cut short, one whose sizes claim more than it
// holds, or one without them would make it read past the copy.
bool SoundImageIsWhole(const unsigned char* bytes, size_t size);

// The sound path as the player takes it, when the ANSI code page can write
// it short enough (on Windows 98/ME, whatever its length); empty otherwise.
extern char edgeSoundName[SOUND_NAME_SIZE];

// The sound file's bytes while one is loaded (only for a path the ANSI code
// page cannot write); null otherwise.
extern unsigned char* edgeSoundImage;

// Prepares the sound of a show, after stopping a sound that may still play
// from an earlier copy: its name where the ANSI code page can write it;
// otherwise the file read anew, of which a missing or unreadable file, one
// larger than LARGEST_SOUND_FILE or one that is no whole RIFF WAVE image
// leaves none.
void LoadEdgeSound();

// Starts the sound without waiting for it; without one, nothing.
void PlayEdgeSound();
