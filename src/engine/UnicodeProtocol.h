// The "unicode" file protocol.
//
// File names travel through the engine as UTF-8. A name that the process's 8-bit code page
// cannot represent is handed to the media libraries as "unicode:utf8:" + the UTF-8 name; the
// engine opens such URLs itself through custom AVIOContexts (the libraries have no protocol of
// that name). Names that the code page represents, and URLs of the known network protocols,
// pass unchanged. On Linux the file system holds the UTF-8 bytes, so the unchanged name and the
// decoded URL reach the same file. Files opened for reading, whatever their names, are read
// through the same routines, so that a stop can end a wait for a pipe or FIFO that stalls.
//
// Thread: every function may be called from any thread; each opened file has its own context.
#pragma once

#include <string>

struct AVFormatContext;
struct AVIOContext;
struct AVInputFormat;
struct AVDictionary;
struct AVIOInterruptCB;

inline constexpr const char* UnicodeURLPrefix = "unicode:utf8:";
inline constexpr const char* KnownProtocols = ":unicode:stream:gopher:http:pipe:rtp:tcp:udp:";
// Longest URL, in bytes, the engine hands to the libraries.
inline constexpr size_t MaxURLBytes = 2047;

// The character set of the process locale (nl_langinfo(CODESET)), as "UTF-8" or
// "ANSI_X3.4-1968".
std::string SystemCodePage();

// True when Name must travel as a "unicode:utf8:" URL: it is not a URL of a known protocol and
// converting it to CodePage and back does not give it again.
bool NeedsUnicodeName(const std::string& Name, const std::string& CodePage);
bool NeedsUnicodeName(const std::string& Name);

// The text handed to the libraries for Name. The caller refuses results longer than
// MaxURLBytes.
std::string FileNameToURL(const std::string& Name, const std::string& CodePage);
std::string FileNameToURL(const std::string& Name);

// The file name behind a text the libraries hold (the inverse of FileNameToURL).
std::string URLToFileName(const std::string& URL);

// One-time set-up, run by the loader once avformat is available.
void RegisterUnicodeProtocol();
bool UnicodeProtocolRegistered();

// Opens URL for the given AVIO_FLAG_* access through the engine's own file routines:
// "unicode:utf8:" URLs, plain file names and "file:" URLs; everything else goes through
// avio_open2 (with Interrupt). A file opened for writing is created anew
// (O_CREAT|O_EXCL|O_NOFOLLOW): an existing file or link at its name fails the open with
// AVERROR(EEXIST) and stays as it was. The engine's reads of a pipe, FIFO,
// socket or device wait for data in slices of 100 ms and give up (AVERROR_EXIT) once Interrupt
// says so; regular files are read with plain blocking reads. Returns 0 or a negative library
// error code (AVERROR(ENOENT) when a file to read does not exist). Interrupt is copied; what its
// opaque pointer names must outlive the context.
int UnicodeIOOpen(AVIOContext** Context, const std::string& URL, int Flags,
                  AVDictionary** Options = nullptr, const AVIOInterruptCB* Interrupt = nullptr);
// A context over the open descriptor Fd, served by the engine's file routines (writable with
// AVIO_FLAG_WRITE). With OwnsFd the context owns Fd from here on, also when this fails, and
// closes it in UnicodeIOClose; otherwise the caller keeps Fd open until the context is closed.
// 0 or a negative library error code.
int UnicodeIOOpenFd(AVIOContext** Context, int Fd, int Flags, bool OwnsFd = true);
// Closes a context opened by UnicodeIOOpen (either kind) and sets *Context to null.
void UnicodeIOClose(AVIOContext** Context);
// True for contexts the engine's own file routines serve.
bool IsUnicodeIO(const AVIOContext* Context);

// A WAV or Wave64 file states its streams in its header, yet the stream-information pass would
// read up to the default probe size (5 MB) of its samples, probing them against every format in
// case compressed audio hides behind a PCM tag: most of the cost of opening a short file. 64 KB
// still finds such audio (its frames are a few KB) and makes the open several times cheaper.
// A probe size the caller set is kept. UnicodeOpenInput applies it to every input it opens.
void LimitHeaderDeclaredProbe(AVFormatContext* Context);

// avformat_open_input for a URL made by FileNameToURL. *Context may be a context allocated by
// the caller (options, flags and interrupt callback set) or null; on failure it is freed and set
// to null, as avformat_open_input does. A local file (see UnicodeIOOpen) is read through the
// engine's own routines, which ask the context's interrupt callback while a pipe or FIFO keeps
// them waiting; the files its demuxer opens itself are then limited to the protocols the
// libraries' file protocol allows them ("file,crypto,data") unless the caller set a whitelist.
// The context gets the io callbacks of InstallUnicodeIO so files the demuxer opens itself work
// alike. Close the context with UnicodeCloseInput, never with
// avformat_close_input directly.
int UnicodeOpenInput(AVFormatContext** Context, const std::string& URL, const AVInputFormat* Format,
                     AVDictionary** Options);
void UnicodeCloseInput(AVFormatContext** Context);
// Sets the context's io_open/io_close2 (and io_close, which some nested contexts copy instead)
// so that "unicode:utf8:" URLs the (de)muxer opens itself go to the engine's file routines and
// every other URL to the libraries' own opener, which keeps applying the context's protocol
// whitelist and interrupt callback.
void InstallUnicodeIO(AVFormatContext* Context);
