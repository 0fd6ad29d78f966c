/* varelo.dll: the diphone synthesis engine. Phoneme lines in, 16-bit signed mono samples out.
 * One engine per process. All functions use the WINAPI convention and undecorated names.
 *
 * A phoneme line: SYMBOL DURATION_MS [POSITION_PERCENT PITCH_HZ]... ("_" is silence), fields
 * separated by blanks or tabs, a CR before the LF counts as a blank. ";; F = x" sets the pitch
 * ratio and ";; T = x" the duration ratio for the phonemes after it; other lines starting with
 * ";" are comments. The pitch contour is the straight line through all targets, held before the
 * first and after the last. */
#ifndef VARELO_H
#define VARELO_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Largest block read_VRL hands out, and the size of the text lastErrorStr_VRL fills. */
#define VRL_BLOCK_SAMPLES 4096
#define VRL_ERROR_TEXT 200

/* Codes of lastError_VRL (and of a failed read_VRL). */
#define VARELO_ERR_BAD_LINE (-1)        /* a phoneme line could not be taken */
#define VARELO_ERR_NO_DATABASE (-2)     /* synthesis asked for with no database loaded */
#define VARELO_ERR_DATABASE (-3)        /* a database could not be loaded */
#define VARELO_ERR_SYMBOL_LIST (-4)     /* a rename or clone list is malformed */

/* A replaceable line parser (setParser_VRL): sees each line first. Return > 0 after writing a
 * replacement line (NUL-terminated, at most size bytes) to out, 0 to keep the line, < 0 to
 * drop it. */
typedef int(WINAPI* VRL_LINE_PARSER)(const char* line, char* out, int size);
/* A phone object (init_Phone). */
typedef void* VRL_PHONE;

/* Loads a voice database (replacing the current one); a path that does not exist as given is
 * also looked for beside varelo.dll. 0 when loaded, a negative code when refused. */
int WINAPI init_VRL(const char* path);
/* As init_VRL. rename: "from to" symbol pairs (separated by blanks, commas or line ends) that
 * the voice then accepts under the new name instead of the old; clone: "from to" pairs adding a
 * name that shares the diphones of an existing symbol. Either may be NULL. */
int WINAPI init_rename_VRL(const char* path, const char* rename, const char* clone);
/* Unloads the database. */
void WINAPI close_VRL(void);
/* Drops pending input and unread samples, and the error that stopped an utterance. */
void WINAPI reset_VRL(void);
/* Takes one line (or several, LF-separated). Non-zero when taken, 0 when the input is full:
 * read first, then write the line again. A bad line is reported by read_VRL. */
int WINAPI write_VRL(const char* line);
/* Ends the utterance so that everything written can be read. Non-zero, or 0 when full. */
int WINAPI flush_VRL(void);
/* Places up to capacity samples (at most 4096; capacity < 1 means 4096): the number placed,
 * 0 when nothing more is ready now, negative (an error code) after an error, which stays until
 * reset_VRL. Synthesis is incremental: samples are ready a few lines after the first. */
int WINAPI read_VRL(short* samples, int capacity);
/* As read_VRL; *type (when not NULL) receives 1 when the block holds sound, 0 when silence. */
int WINAPI readtype_VRL(short* samples, int capacity, int* type);
/* The code of the last error, 0 when none. */
int WINAPI lastError_VRL(void);
/* Copies the text of the last error (cut to size - 1 bytes; size outside 1..200 means 200)
 * and returns its length. */
int WINAPI lastErrorStr_VRL(char* text, int size);
/* No-error mode (non-zero): unknown phonemes become silence of their duration and bad values
 * are clamped instead of stopping the utterance. */
void WINAPI setNoError_VRL(int on);
int WINAPI getNoError_VRL(void);
/* Output sample rate in Hz (0: the database's own, 16000 for pl1). Durations stay in ms and
 * pitch in Hz; the formants move by new/old rate. Takes effect with the next utterance. */
void WINAPI setFreq_VRL(int hz);
int WINAPI getFreq_VRL(void);
/* Scales the samples handed out, with saturation. */
void WINAPI setVolumeRatio_VRL(float ratio);
float WINAPI getVolumeRatio_VRL(void);
/* Copies the engine's version text (when text is not NULL) and returns its version number. */
int WINAPI getVersion_VRL(char* text, int size);
/* Information text number index about the loaded voice (0 name, 1 language, 2 rate,
 * 3 symbols, 4 diphone count, 5 source, 6 how it was built). With NULL and 0: the bytes it
 * needs, NUL included; 0 when there is no such text. With a buffer: fills it, same result. */
int WINAPI getDatabaseInfo_VRL(char* text, int size, int index);
/* Installs a line parser; NULL restores the built-in one. Returns 1. */
int WINAPI setParser_VRL(VRL_LINE_PARSER parser);
/* A phone object: a symbol and a duration to which pitch targets are appended, then queued as
 * one phoneme line by close_Phone. init_Phone returns NULL for a NULL or over-long symbol or a
 * negative or non-finite duration. */
VRL_PHONE WINAPI init_Phone(const char* symbol, float durationMs);
/* Removes the phone's pitch targets. */
void WINAPI reset_Phone(VRL_PHONE phone);
/* Appends a target (position 0..100 percent, pitch in Hz): its number of targets, or 0 when
 * refused (NULL phone, values out of range, 64 targets already). */
int WINAPI appendf0_Phone(VRL_PHONE phone, float percent, float hz);
/* Queues the phone as write_VRL queues a line and frees it: non-zero when taken; 0 when the
 * input is full, and then the phone is kept (read, then call again); -1 for a NULL phone. */
int WINAPI close_Phone(VRL_PHONE phone);

#ifdef __cplusplus
}
#endif

#endif /* VARELO_H */
