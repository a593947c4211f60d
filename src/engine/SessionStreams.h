// The making of an output file's streams (SessionStreams.cpp) and the small helpers it shares
// with the session's inputs and outputs (Session.cpp). Only those two files include it.
#pragma once

#include "engine/SessionTypes.h"

#include <string>

extern "C" {
#include <libavutil/avutil.h>
}

class TCustomFFmpeg;
struct AVDictionary;

namespace zeltasession {

// Sets Key in Dict; raises FFmpegException when the dictionary cannot grow.
void DictSet(AVDictionary** Dict, const char* Key, const std::string& Value, int Flags = 0);
// ThreadCount keeps its default of 1 because the threads option is refused; that default stands
// for "not set" and gives the libraries' automatic thread count.
int CodecThreads(int ThreadCount);
// The compliance level the option context of Type asks for.
int Strictness(TCustomFFmpeg& Core, AVMediaType Type);

// Add a stream of that kind to File from the core's option state and reset the options that
// serve one stream (codec name, stream copy, language, ...). Raise FFmpegException on failure,
// leaving the container unchanged.
void CreateVideoStream(TCustomFFmpeg& Core, TOutputFileEntry& File);
void CreateAudioStream(TCustomFFmpeg& Core, TOutputFileEntry& File);
void CreateSubtitleStream(TCustomFFmpeg& Core, TOutputFileEntry& File);

} // namespace zeltasession
