// What goes into the outputs before the first packet: the metadata maps, the inputs' chapters
// within the converted range, the headers (with the cover picture first), the loudness meter's
// stream, and the SDP of an all-RTP run.

#include "engine/Transcode.h"

#include "engine/FFLogger.h"
#include "engine/GenericOptions.h"
#include "engine/Loudness.h"
#include "engine/Tags.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
}

namespace {

struct TDictionary {
    AVDictionary* Dict = nullptr;
    TDictionary() = default;
    explicit TDictionary(AVDictionary* D) : Dict(D) {}
    ~TDictionary() { av_dict_free(&Dict); }
    TDictionary(const TDictionary&) = delete;
    TDictionary& operator=(const TDictionary&) = delete;
};

} // namespace

void TTranscoder::MapMetadata() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const std::vector<TInputFileEntry>& inputs = Session_.InputEntries();
    for (const TMetaDataMap& m : Options().MetaDataMaps) {
        if (m.OutFile < 0 || m.OutFile >= int(outputs.size()))
            FailAfterMapping(FormatText("Invalid output file index %d map_meta_data(%d,%d)",
                                        m.OutFile, m.OutFile, m.InFile));
        if (m.InFile < 0 || m.InFile >= int(inputs.size()))
            FailAfterMapping(FormatText("Invalid input file index %d map_meta_data(%d,%d)",
                                        m.InFile, m.OutFile, m.InFile));
        AVFormatContext* oc = outputs[size_t(m.OutFile)].Context;
        const AVFormatContext* ic = inputs[size_t(m.InFile)].Context.get();
        // The muxers translate the generic tag names themselves.
        if (av_dict_copy(&oc->metadata, ic->metadata, AV_DICT_DONT_OVERWRITE) < 0)
            throw FFmpegException("av_dict_copy fail");
    }
}

void TTranscoder::CopyChapters() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const std::vector<TInputFileEntry>& inputs = Session_.InputEntries();
    const TOptionState& o = Options();
    for (const TInputFileEntry& input : inputs) {
        const AVFormatContext* ic = input.Context.get();
        if (ic->nb_chapters == 0)
            continue;
        for (size_t k = 0; k < outputs.size(); ++k) {
            AVFormatContext* oc = outputs[k].Context;
            if (outputs[k].Owned == nullptr && k > 0)
                continue; // a join entry: the chapters went to the shared container already
            for (unsigned c = 0; c < ic->nb_chapters; ++c) {
                const AVChapter* in = ic->chapters[c];
                const int64_t offset =
                    av_rescale_q(o.StartTime - input.TsOffset, AV_TIME_BASE_Q, in->time_base);
                const int64_t limit =
                    o.RecordingTime == INT64_MAX
                        ? INT64_MAX
                        : av_rescale_q(o.RecordingTime, AV_TIME_BASE_Q, in->time_base);
                if (in->end < offset)
                    continue;
                if (limit != INT64_MAX && in->start > offset + limit)
                    break;
                auto* chapter = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
                if (chapter == nullptr)
                    throw FFmpegException("av_mallocz fail");
                chapter->id = in->id;
                chapter->time_base = in->time_base;
                chapter->start = std::max<int64_t>(0, in->start - offset);
                chapter->end = std::min(limit, in->end - offset);
                if (av_dict_copy(&chapter->metadata, in->metadata, 0) < 0) {
                    av_dict_free(&chapter->metadata);
                    av_free(chapter);
                    throw FFmpegException("av_mallocz fail");
                }
                auto* grown = static_cast<AVChapter**>(
                    av_realloc_array(oc->chapters, oc->nb_chapters + 1, sizeof(AVChapter*)));
                if (grown == nullptr) {
                    av_dict_free(&chapter->metadata);
                    av_free(chapter);
                    throw FFmpegException("av_realloc fail");
                }
                oc->chapters = grown;
                oc->chapters[oc->nb_chapters++] = chapter;
            }
        }
    }
}

void TTranscoder::WriteHeaders() {
    std::vector<TOutputFileEntry>& outputs = Session_.OutputEntries();
    const size_t count = Session_.JoinMode() ? std::min<size_t>(1, outputs.size()) : outputs.size();
    bool allRtp = !outputs.empty();
    for (size_t i = 0; i < count; ++i) {
        AVFormatContext* oc = outputs[i].Context;
        TDictionary muxerOptions(Session_.OptionContexts().PrivateOptions(AV_OPT_FLAG_ENCODING_PARAM));
        if (avformat_write_header(oc, &muxerOptions.Dict) < 0)
            FailAfterMapping(FormatText(
                "Could not write header for output file #%d (incorrect codec parameters ?)",
                int(i)));
        // The cover goes first: the MP3 and FLAC muxers hold the audio back until it is there.
        if (outputs[i].CoverStream != nullptr) {
            const int r = zeltatags::WriteCover(oc, outputs[i].CoverStream, outputs[i].CoverSource);
            if (r < 0)
                throw FFmpegException(ErrorText("Could not write the cover picture", r));
        }
        if (TLoudnessMeter* meter = outputs[i].Loudness.get())
            for (const auto& p : OutputStreams_)
                if (p->FileIndex == int(i) && p->Encoder != nullptr &&
                    MediaTypeOf(*p) == AVMEDIA_TYPE_AUDIO) {
                    p->Loudness = meter;
                    break;
                }
        allRtp = allRtp && std::string(oc->oformat->name) == "rtp";
    }
    if (allRtp) {
        std::vector<AVFormatContext*> contexts;
        for (size_t i = 0; i < count; ++i)
            contexts.push_back(outputs[i].Context);
        char sdp[2048] = {};
        if (av_sdp_create(contexts.data(), int(contexts.size()), sdp, sizeof sdp) == 0) {
            std::string text(sdp);
            while (!text.empty() &&
                   (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
                text.pop_back();
            GetLogger().LogMessage(Session_.LogSender(), llInfo, "SDP:\r\n" + text);
        }
    }
}
