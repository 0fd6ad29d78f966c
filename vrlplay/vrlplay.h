/* vrlplay: speaks phoneme text and command streams through the varelo engine to the sound
   device or a sound file. One player per process, created at the first call of any export;
   every export works on it. Usable from C and C++, 32- and 64-bit.

   Strings in and out are NUL-terminated 8-bit strings in the ANSI code page, copied before the
   call returns. Buffers filled by the library follow one rule: with n the smaller of (source
   length + 1) and len, the first n - 1 characters and a NUL are written and n is returned;
   nothing is written and 0 is returned when there is no source text, buf is null or len < 1. */
#ifndef VRLPLAY_H
#define VRLPLAY_H

#include <stdint.h>

#ifdef _WIN32
#define VRL_API __stdcall
#else
#define VRL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Pointer-sized message parameter (a text or sample address, or a small number). */
typedef intptr_t VRL_PARAM;

/* Notification function (VRL_CALLBACK_FUNCTION): message number, first and second parameter;
   runs on the play thread; its result is the reply. */
typedef int(VRL_API *VRL_NOTIFY_FUNCTION)(unsigned int message, VRL_PARAM first, VRL_PARAM second);

/* Enumeration function of VRL_RegEnumDatabaseCallback: the id (valid during the call) and the
   caller's value; a zero result stops the enumeration. */
typedef int(VRL_API *VRL_ENUM_FUNCTION)(const char *id, VRL_PARAM user);

/* Flag word of VRL_Play. */
#define VRL_NOTIFY_START 0x00001      /* VRL_MSG_START before the request; non-zero reply skips it */
#define VRL_NOTIFY_LINE 0x00002       /* VRL_MSG_LINE before each line; non-zero reply skips it */
#define VRL_NOTIFY_QUEUE_END 0x00004  /* VRL_MSG_QUEUE_END after the last queued request (needs KEEP_OUTPUT) */
#define VRL_NOTIFY_AUDIO 0x00008      /* VRL_MSG_AUDIO per sample block; non-zero reply drops it */
#define VRL_NOTIFY_END 0x00010        /* VRL_MSG_END after the request, also when it failed */
#define VRL_FROM_FILE 0x00020         /* text is a file name */
#define VRL_WAIT 0x00040              /* return when the queue is empty */
#define VRL_CALLBACK_FUNCTION 0x00080 /* target is a VRL_NOTIFY_FUNCTION, not a window */
#define VRL_KEEP_OUTPUT 0x00100       /* leave the output open for the next request */
#define VRL_COMMANDS 0x00200          /* text (or file content) is a command stream */
#define VRL_OUT_FILE_TYPE0 0x00400    /* audio to outFile, audio-library file type 0 */
#define VRL_OUT_FILE_TYPE1 0x00800    /* file type 1 (when 0x400 is clear) */
#define VRL_OUT_FILE_TYPE2 0x01000    /* file type 2 (when 0x400 and 0x800 are clear) */
#define VRL_ALAW 0x04000              /* file type 0: 8-bit G.711 A-law at half rate */
#define VRL_MULAW 0x08000             /* file type 0 without VRL_ALAW: 8-bit mu-law at half rate */
#define VRL_NO_OUTPUT 0x10000         /* synthesize without writing samples */

/* Notification numbers, added to the message base (VRL_SetCallbackMsgBase, 8191 at first). */
#define VRL_DEFAULT_MSG_BASE 0x1FFF
#define VRL_MSG_START 0     /* first: request text address, second: kind; reply non-zero skips */
#define VRL_MSG_LINE 1      /* first: line address (ends in LF), second: 0; non-zero skips */
#define VRL_MSG_QUEUE_END 2 /* 0, 0 */
#define VRL_MSG_AUDIO 3     /* first: 16-bit samples address, second: count; non-zero drops */
#define VRL_MSG_END 4       /* first: request text address, second: kind */

/* Kind of a request, as VRL_MSG_START and VRL_MSG_END give it. */
#define VRL_KIND_PHONEMES 0x000
#define VRL_KIND_PHONEME_FILE 0x020
#define VRL_KIND_COMMANDS 0x200
#define VRL_KIND_COMMAND_FILE 0x220

/* Error codes; VRL_LastError gives the message of the last one. */
#define VRL_OK 0
#define VRL_ERR_CANCELLED (-1)
#define VRL_ERR_ENGINE (-2)
#define VRL_ERR_WRITE (-3)
#define VRL_ERR_OPEN_FILE (-4)
#define VRL_ERR_BAD_COMMAND (-5)
#define VRL_ERR_OPEN_OUTPUT (-6)
#define VRL_ERR_LOAD_DATABASE (-7)
#define VRL_ERR_THREAD (-8)
#define VRL_ERR_RESOURCE (-9)
#define VRL_ERR_REGISTRY (-10)
#define VRL_ERR_NO_ENGINE (-11)
#define VRL_ERR_NOT_PLAYING (-12) /* VRL_Pause or VRL_Resume with nothing queued */

/* Play control. VRL_Play queues text (phoneme text, command text, or with VRL_FROM_FILE a file
   name) and returns the error code, after the queue has emptied with VRL_WAIT. outFile may be
   null; target may be 0 without notification bits. A null text gives VRL_ERR_BAD_COMMAND. */
int VRL_API VRL_Play(const char *text, int flags, const char *outFile, void *target);
/* Drops everything queued; the code once the queue is empty. From a notification function on
   the play thread it returns at once, and the request in progress ends at its next line. */
int VRL_API VRL_Stop(void);
int VRL_API VRL_WaitForEnd(void);  /* the code once the queue is empty */
int VRL_API VRL_IsPlaying(void);   /* 1 while any request is queued or in progress */
/* Pause: the request in progress holds where it is at its next block of samples, and the
   sound device holds what it has queued (a file output is simply not written meanwhile);
   queued requests wait behind it. VRL_IsPlaying stays 1, VRL_Stop still ends everything at
   once (and ends the pause), and the play thread sleeps while paused. VRL_Resume plays on from
   where it held. Both return 0; VRL_ERR_NOT_PLAYING when nothing is queued or in progress
   (pausing a paused player or resuming a playing one is not an error), a refusal that leaves
   the last error and its text as they were; the start-up error code without a play thread. A pause left when the queue runs empty ends with it. */
int VRL_API VRL_Pause(void);
int VRL_API VRL_Resume(void);
int VRL_API VRL_IsPaused(void);    /* 1 between VRL_Pause and VRL_Resume, VRL_Stop or the queue's end */

/* Voice settings. Ratio setters are queued and applied in order by the play thread; they
   return 0, or the start-up error code when the player has an engine but no play thread. The
   other setters act at once and return 0, or the start-up error code without an engine.
   A ratio the engine cannot use is refused with VRL_ERR_BAD_COMMAND and a message, and the
   old ratio stays: pitch and duration ratios must be 0.05 to 20, a volume ratio 0 to 20 (NaN
   and infinities never). Command streams refuse such "pitch=", "time=" and "vol=" values the
   same way, ending the request. */
int VRL_API VRL_SetPitchRatio(float ratio);
int VRL_API VRL_SetDurationRatio(float ratio);
float VRL_API VRL_GetPitchRatio(void);
float VRL_API VRL_GetDurationRatio(void);
int VRL_API VRL_SetVoiceFreq(int frequency);
int VRL_API VRL_GetVoiceFreq(void);   /* 0 without an engine */
int VRL_API VRL_GetDefaultFreq(void); /* -1 without an engine */
int VRL_API VRL_SetVolumeRatio(float ratio);
float VRL_API VRL_GetVolumeRatio(void); /* 0.0 without an engine */
int VRL_API VRL_SetNoError(int flag);
int VRL_API VRL_GetNoError(void);       /* 0 without an engine */

/* Database selection: queued, then waits for the queue; the code of the selection (0, or
   VRL_ERR_LOAD_DATABASE), the start-up code when the registry or the engine is missing or
   there is no play thread, VRL_ERR_BAD_COMMAND for a null id. */
int VRL_API VRL_SetDatabase(const char *id);
int VRL_API VRL_SetDatabaseEx(const char *id, const char *first, const char *second);
/* The id of the loaded database, by the buffer rule (0 when none is loaded). */
int VRL_API VRL_GetDatabase(char *buf, int len);
/* Information text number index of the loaded database: its length (without the NUL), 0 when
   the engine has no such text, -1 without an engine; with a buffer the text is copied by the
   buffer rule as well. */
int VRL_API VRL_GetDatabaseInfo(int index, char *buf, int len);
/* All information texts one after another: with buf null their total length, else 0 after
   copying them by the buffer rule; -1 without an engine. */
int VRL_API VRL_GetDatabaseAllInfo(char *buf, int len);

/* Version, errors, notifications, teardown, control panel. */
/* The engine's version number with its text in buf; -1 for a null buf or len < 1; the start-up
   code without an engine. */
int VRL_API VRL_GetVersion(char *buf, int len);
int VRL_API VRL_LastError(char *buf, int len); /* buf null: the code; else the message, by the buffer rule */
/* Sets the message base unless start-up failed with VRL_ERR_THREAD or worse; returns the
   current error code either way. */
int VRL_API VRL_SetCallbackMsgBase(unsigned int base);
/* Ends the player (its thread, engine and outputs); the next call starts a new one. From a
   notification function it ends the request and drops the queue as VRL_Stop does there. The
   library stays loaded once any export has been called, so FreeLibrary is safe at any time. */
void VRL_API VRL_VRLUnload(void);
int VRL_API VRL_StartControlPanel(void *ownerWindow); /* exit code, -1 when it cannot start */

/* Registry list of voice databases. Each call states its result; "by the buffer rule" text is
   copied as the top of this file says. A null or unusable argument counts as "not found". */
int VRL_API VRL_RegEnumDatabase(char *buf, int len); /* NUL-separated ids, one more NUL: 1; 0 when
                                                       buf is null, len < 1 or the list cannot be read */
int VRL_API VRL_RegEnumDatabaseCallback(VRL_ENUM_FUNCTION function, VRL_PARAM user); /* calls made */
int VRL_API VRL_RegGetDatabaseLabel(const char *id, char *buf, int len); /* 0 and the text; 2 not found */
int VRL_API VRL_RegGetDatabasePath(const char *id, char *buf, int len);  /* 0 and the text; 2 not found */
int VRL_API VRL_RegGetDatabaseCount(void);                               /* count; -1 unreadable */
int VRL_API VRL_RegGetDefaultDatabase(char *buf, int len);               /* 0 and the id; 2 none */
int VRL_API VRL_RegSetDefaultDatabase(const char *id);                   /* 1 written; 0 not */
/* Adds a database: 1 and the id it was stored under (id with '1's appended when taken) in buf
   by the buffer rule; 0 when refused (empty id, id over 31 characters or with a backslash,
   null path, a path of 260 characters or more, no room for a unique id, a registry failure). */
int VRL_API VRL_RegisterDatabase(const char *id, const char *path, const char *label,
                                 int makeDefault, char *buf, int len);
/* 1 only when the removed database was the default and another one became the default; 0
   otherwise (also when it was removed without moving the default). */
int VRL_API VRL_UnregisterDatabase(const char *id);
int VRL_API VRL_UnregisterAll(void);              /* 1 when the list held a database; 0 when empty */
int VRL_API VRL_DatabaseExist(const char *id);    /* 1 when an id matches exactly (case counts); 0 */
int VRL_API VRL_RegIdxGetDatabaseId(int index, char *buf, int len);    /* 0 and the text; 2 not found */
int VRL_API VRL_RegIdxGetDatabasePath(int index, char *buf, int len);  /* 0 and the text; 2 not found */
int VRL_API VRL_RegIdxGetDatabaseLabel(int index, char *buf, int len); /* 0 and the text; 2 not found */
int VRL_API VRL_RegIdxGetDatabaseIndex(const char *id); /* index, case ignored; -1 not found */
int VRL_API VRL_RegIdxGetDefaultDatabase(void);         /* index of the default; -1 none */

#ifdef __cplusplus
}
#endif

#endif /* VRLPLAY_H */
