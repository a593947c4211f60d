// Whether a file's first bytes look like audio or video the libraries can read, without opening
// it as media: the content check for files whose name does not tell (a folder walk keeps a
// ".wav" by its name, and asks this of a "track07" or a ".dat").
//
// No Qt; any thread.
#pragma once

#include <string>

namespace zelta {

// True when the start of the regular file Path is recognised by a demuxer of the libraries with
// some confidence, pictures (image pipes), text subtitles and plain text excepted. False for a
// file that cannot be read.
bool LooksLikeMedia(const std::string& Path);

}  // namespace zelta
