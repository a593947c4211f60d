#include "probe/AudioTracks.h"

#include "engine/FFUtils.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

std::vector<TAudioTrack> ReadAudioTracks(const AVFormatContext* Context) {
    std::vector<TAudioTrack> tracks;
    if (Context == nullptr)
        return tracks;
    for (unsigned i = 0; i < Context->nb_streams; ++i) {
        const AVStream* st = Context->streams[i];
        if (st->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        TAudioTrack t;
        t.StreamIndex = int(i);
        t.Number = int(tracks.size()) + 1;
        t.Language = MetadataValue(st->metadata, "language");
        // "und" is the containers' way of saying there is no language.
        if (t.Language == "und")
            t.Language.clear();
        t.Codec = avcodec_get_name(st->codecpar->codec_id);
        t.Channels = std::max(0, st->codecpar->ch_layout.nb_channels);
        t.Title = MetadataValue(st->metadata, "title");
        t.Default = (st->disposition & AV_DISPOSITION_DEFAULT) != 0;
        tracks.push_back(std::move(t));
    }
    return tracks;
}

std::vector<TChapter> ReadChapters(const AVFormatContext* Context) {
    std::vector<TChapter> chapters;
    if (Context == nullptr)
        return chapters;
    for (unsigned i = 0; i < Context->nb_chapters; ++i) {
        const AVChapter* c = Context->chapters[i];
        if (c->start == AV_NOPTS_VALUE)
            continue;
        TChapter ch;
        ch.Start = av_rescale_q(c->start, c->time_base, AV_TIME_BASE_Q);
        ch.End = c->end == AV_NOPTS_VALUE ? -1 : av_rescale_q(c->end, c->time_base, AV_TIME_BASE_Q);
        ch.Title = MetadataValue(c->metadata, "title");
        chapters.push_back(std::move(ch));
    }
    std::stable_sort(chapters.begin(), chapters.end(),
                     [](const TChapter& a, const TChapter& b) { return a.Start < b.Start; });
    int64_t fileEnd = -1;
    if (Context->duration != AV_NOPTS_VALUE && Context->duration > 0)
        fileEnd = (Context->start_time != AV_NOPTS_VALUE ? Context->start_time : 0) + Context->duration;
    for (size_t i = 0; i < chapters.size(); ++i) {
        TChapter& ch = chapters[i];
        if (ch.End > ch.Start)
            continue;
        const int64_t next = i + 1 < chapters.size() ? chapters[i + 1].Start : fileEnd;
        ch.End = next > ch.Start ? next : ch.Start;
    }
    return chapters;
}

std::string AudioTrackText(const TAudioTrack& Track) {
    std::string s = std::to_string(Track.Number) + ": ";
    s += Track.Language.empty() ? "no language" : Track.Language;
    if (!Track.Codec.empty())
        s += ", " + Track.Codec;
    if (Track.Channels == 1)
        s += ", 1 channel";
    else if (Track.Channels > 1)
        s += ", " + std::to_string(Track.Channels) + " channels";
    if (!Track.Title.empty())
        s += ", \"" + Track.Title + "\"";
    if (Track.Default)
        s += " (default)";
    return s;
}
