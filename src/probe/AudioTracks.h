// The audio tracks and chapters of an opened container, as people choose between them: a film's
// English and French sound, a concert's songs. Read from the container context alone (no
// decoding), so they are known as soon as a file is probed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AVFormatContext;

// One audio stream of a file, excluding none: every audio stream is a track people can pick.
struct TAudioTrack {
    int StreamIndex = -1;  // the stream's index in the container
    int Number = 0;        // 1 for the first audio stream, 2 for the second, ...
    std::string Language;  // the "language" tag as stored (ISO 639-2, "eng"); "" when untagged
    std::string Codec;     // the codec's short name ("aac", "mp3")
    int Channels = 0;      // 0 when unknown
    std::string Title;     // the stream's "title" tag; "" when none
    bool Default = false;  // flagged as the track to play by default

    bool operator==(const TAudioTrack&) const = default;
};

// One chapter; times in microseconds from the start of the file's timeline.
struct TChapter {
    int64_t Start = 0;
    int64_t End = 0;
    std::string Title; // the chapter's "title" tag; "" when none

    bool operator==(const TChapter&) const = default;
};

// Every audio stream of Context in stream order; empty for a null context.
std::vector<TAudioTrack> ReadAudioTracks(const AVFormatContext* Context);
// The chapters of Context, ordered by start; an end missing or before its start becomes the
// next chapter's start (the file's end for the last). Empty for a null context.
std::vector<TChapter> ReadChapters(const AVFormatContext* Context);

// "2: eng, aac, 2 channels, "Commentary" (default)": how a track is listed to people.
std::string AudioTrackText(const TAudioTrack& Track);
