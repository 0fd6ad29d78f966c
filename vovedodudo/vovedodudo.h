#pragma once
// The audio library: the sound device (waveOut) and sound files behind seven functions
// exported by ordinal only. Link the import library, which imports them by ordinal.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* AUDIOHANDLE;

// Modes of AudioOpen.
#define AUDIO_MODE_DEVICE 1
#define AUDIO_MODE_FILE 2

// File types of AudioOpen in file mode.
#define AUDIO_FILE_WAVE 0  // RIFF WAVE
#define AUDIO_FILE_AU 1  // Sun/NeXT .au, big-endian
#define AUDIO_FILE_RAW 2  // samples alone, 16-bit little-endian or 8-bit G.711 bytes

// Wave format tags of AudioSetFormat.
#define AUDIO_TAG_PCM 1
#define AUDIO_TAG_ALAW 6
#define AUDIO_TAG_MULAW 7

// Posted to the window given to AudioOpen in device mode: playback is under way (the device
// went from idle to playing), and everything written so far has been played.
#define AUDIO_MSG_PLAYING (WM_USER + 100)  // 0x464
#define AUDIO_MSG_PLAYED (WM_USER + 101)  // 0x465

// Ordinal 1. Opens the sound device (mode 1; fileName is not used) or creates the file
// fileName of fileType (mode 2), replacing one of that name; reserved is 0. window receives
// the two messages and may be null. Returns the handle, or 0 when the device is missing or
// the file cannot be created, or for a mode or file type outside those above.
AUDIOHANDLE WINAPI AudioOpen(int mode, HWND window, const char* fileName, int reserved, int fileType);

// Ordinal 2. The device falls silent at once; everything queued is dropped. Later writes
// play again. Nothing for a file.
void WINAPI AudioStop(AUDIOHANDLE audio);

// Ordinal 3. Releases the device (after silencing it) or completes the file's header with
// its sizes and closes it; the handle is no longer valid.
void WINAPI AudioClose(AUDIOHANDLE audio);

// Ordinal 4. Sets the format of the samples that follow: samples per second, bits per
// sample, channels (1 or 2) and wave format tag: 1 (PCM) with 16 bits, or for files also 6
// (A-law) or 7 (mu-law) with 8 bits; reserved is 0. A file's format can change until its
// first samples. Returns 0 when accepted, non-zero when refused.
int WINAPI AudioSetFormat(AUDIOHANDLE audio, int samplesPerSecond, int bitsPerSample, int channels,
                          int formatTag, int reserved);

// Ordinal 5. Writes count samples of bytesPerSample bytes each (2 or 1, as the format has
// them). Returns the number taken. A file takes them all. The device copies them into its own
// buffers and takes fewer, possibly none, when about half a second is already queued; it then
// first waits a little for room, so a caller that offers the rest again is paced by the device.
// Negative when nothing can ever be taken: a bad handle or arguments, no format, a failed
// or stalled device, a write error or a full file.
int WINAPI AudioWrite(const void* samples, int bytesPerSample, int count, AUDIOHANDLE audio);

// Ordinal 6. The device holds its place: nothing more is played, what is queued stays queued,
// and a device held this way is not taken for a stalled one. Writes while paused take samples
// only while there is room. Returns 0, or non-zero for a bad handle or a device that refused;
// a file ignores it (0). Pausing a paused device does nothing.
int WINAPI AudioPause(AUDIOHANDLE audio);

// Ordinal 7. A paused device plays on from where it was held. Returns as AudioPause does;
// resuming a device that is not paused does nothing.
int WINAPI AudioResume(AUDIOHANDLE audio);

#ifdef __cplusplus
}
#endif
