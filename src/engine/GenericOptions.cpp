#include "engine/GenericOptions.h"

#include "engine/FFTypes.h"
#include "engine/OptionConvert.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

using ffopt::Trim;

namespace {

constexpr AVMediaType HolderMediaType[CodecHolderCount] = {
    AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_DATA, AVMEDIA_TYPE_SUBTITLE,
    AVMEDIA_TYPE_ATTACHMENT};

constexpr int HolderMask[CodecHolderCount] = {AV_OPT_FLAG_VIDEO_PARAM, AV_OPT_FLAG_AUDIO_PARAM, 0,
                                              AV_OPT_FLAG_SUBTITLE_PARAM, 0};

void LogInvalidValue(void* Object, const std::string& Name, const std::string& Value) {
    av_log(Object, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", Value.c_str(),
           Name.c_str());
}

// The union of the flags of every private option named Name among the child classes of Parent
// (every codec's or every container's private class); -1 when none declares it.
int PrivateOptionFlags(const AVClass* Parent, const std::string& Name) {
    int flags = -1;
    void* iter = nullptr;
    while (const AVClass* child = av_opt_child_class_iterate(Parent, &iter)) {
        const AVClass* fake = child;
        if (const AVOption* o = av_opt_find(&fake, Name.c_str(), nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ))
            flags = (flags < 0 ? 0 : flags) | o->flags;
    }
    return flags;
}

unsigned CodecHoldersOf(int Flags) {
    unsigned bits = 0;
    if (Flags & AV_OPT_FLAG_VIDEO_PARAM)
        bits |= 1u << ohVideo;
    if (Flags & AV_OPT_FLAG_AUDIO_PARAM)
        bits |= 1u << ohAudio;
    if (Flags & AV_OPT_FLAG_SUBTITLE_PARAM)
        bits |= 1u << ohSubtitle;
    if (bits == 0) // a private option of no particular media type
        bits = (1u << ohVideo) | (1u << ohAudio) | (1u << ohSubtitle);
    return bits;
}

} // namespace

void TOptionContexts::TCodecDeleter::operator()(AVCodecContext* c) const {
    avcodec_free_context(&c);
}

void TOptionContexts::TFormatDeleter::operator()(AVFormatContext* c) const {
    avformat_free_context(c);
}

void TOptionContexts::TScalerDeleter::operator()(SwsContext* c) const {
    sws_freeContext(c);
}

TOptionContexts::TOptionContexts(int SwsFlags) {
    for (int h = 0; h < CodecHolderCount; ++h) {
        Codecs_[h].reset(avcodec_alloc_context3(nullptr));
        if (!Codecs_[h])
            throw FFmpegException("avcodec_alloc_context3 failed");
        Codecs_[h]->codec_type = HolderMediaType[h];
    }
    Format_.reset(avformat_alloc_context());
    if (!Format_)
        throw FFmpegException("avformat_alloc_context failed");
    Scaler_.reset(sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_YUV420P, SwsFlags,
                                 nullptr, nullptr, nullptr));
    if (!Scaler_)
        throw FFmpegException("sws_getContext failed");
}

TOptionContexts::~TOptionContexts() = default;

int TOptionContexts::CodecMask(int Holder) {
    return Holder >= 0 && Holder < CodecHolderCount ? HolderMask[Holder] : 0;
}

AVCodecContext* TOptionContexts::Codec(int Holder) const {
    return Holder >= 0 && Holder < CodecHolderCount ? Codecs_[Holder].get() : nullptr;
}

void* TOptionContexts::Holder(int Holder) const {
    if (Holder >= 0 && Holder < CodecHolderCount)
        return Codecs_[Holder].get();
    if (Holder == ohFormat)
        return Format_.get();
    if (Holder == ohScaler)
        return Scaler_.get();
    return nullptr;
}

int TOptionContexts::SetOn(int Holder, const std::string& Name, const std::string& Value) {
    void* obj = this->Holder(Holder);
    const int r = av_opt_set(obj, Name.c_str(), Value.c_str(), 0);
    if (r < 0)
        LogInvalidValue(obj, Name, Value);
    return r;
}

void TOptionContexts::Remember(const std::string& Name, int Flags, int Holder) {
    for (TSetGenericOption& e : SetOptions_)
        if (!e.PrivateValue && e.Name == Name) {
            e.Flags |= Flags;
            e.SetOn |= 1u << Holder;
            return;
        }
    SetOptions_.push_back({Name, Flags, 1u << Holder, std::nullopt});
}

bool TOptionContexts::SetPrivate(const std::string& Name, const std::string& Value) {
    const int codecFlags = PrivateOptionFlags(avcodec_get_class(), Name);
    const int formatFlags = PrivateOptionFlags(avformat_get_class(), Name);
    if (codecFlags < 0 && formatFlags < 0)
        return false;
    TSetGenericOption e{Name, 0, 0, Value};
    if (codecFlags >= 0) {
        e.Flags |= codecFlags;
        e.SetOn |= CodecHoldersOf(codecFlags);
    }
    if (formatFlags >= 0) {
        e.Flags |= formatFlags;
        e.SetOn |= 1u << ohFormat;
    }
    // Every statement is kept, in order: relative values ("+flag") build on the ones before.
    SetOptions_.push_back(std::move(e));
    return true;
}

bool TOptionContexts::SetOption(const std::string& AName, const std::string& AValue) {
    const std::string name = Trim(AName);
    const std::string value = Trim(AValue);
    if (name.empty() || value.empty())
        return false;

    struct TFound {
        std::string Name;
        int Flags;
        int Holder;
    };
    std::vector<TFound> found;

    for (int h = 0; h < CodecHolderCount; ++h) {
        // The video bit rate only: audio has "ab". The rate limits belong to video too: the
        // libraries flag them for audio as well, and libvorbis switches to managed bit rate
        // when it finds them.
        if ((name == "b" || name == "maxrate" || name == "minrate" || name == "bufsize") &&
            h != ohVideo)
            continue;
        const AVOption* o = av_opt_find(Codecs_[h].get(), name.c_str(), nullptr, HolderMask[h], 0);
        if (!o)
            continue;
        if (SetOn(h, name, value) < 0)
            return false;
        found.push_back({o->name, o->flags, h});
    }
    if (found.empty()) {
        for (int h : {int(ohFormat), int(ohScaler)}) {
            const AVOption* o = av_opt_find(Holder(h), name.c_str(), nullptr, 0, 0);
            if (!o)
                continue;
            if (SetOn(h, name, value) < 0)
                return false;
            found.push_back({o->name, o->flags, h});
            break;
        }
    }
    if (found.empty() && name.size() > 1) {
        int h = -1;
        switch (name[0]) {
        case 'a': h = ohAudio; break;
        case 'v': h = ohVideo; break;
        case 's': h = ohSubtitle; break;
        default: break;
        }
        const std::string rest = name.substr(1);
        if (h >= 0)
            if (const AVOption* o = av_opt_find(Holder(h), rest.c_str(), nullptr, 0, 0)) {
                if (SetOn(h, rest, value) < 0)
                    return false;
                found.push_back({o->name, o->flags, h});
            }
    }
    if (found.empty())
        return SetPrivate(name, value);

    for (const TFound& f : found)
        Remember(f.Name, f.Flags, f.Holder);
    return true;
}

const TSetGenericOption* TOptionContexts::FindSetOption(const std::string& Name) const {
    for (auto it = SetOptions_.rbegin(); it != SetOptions_.rend(); ++it)
        if (it->Name == Name)
            return &*it;
    return nullptr;
}

int TOptionContexts::SourceHolder(int Mask) {
    if (Mask & AV_OPT_FLAG_VIDEO_PARAM)
        return ohVideo;
    if (Mask & AV_OPT_FLAG_AUDIO_PARAM)
        return ohAudio;
    if (Mask & AV_OPT_FLAG_SUBTITLE_PARAM)
        return ohSubtitle;
    return ohFormat;
}

AVDictionary* TOptionContexts::PrivateOptions(int Mask) const {
    const int source = SourceHolder(Mask);
    AVDictionary* dict = nullptr;
    for (const TSetGenericOption& e : SetOptions_)
        if (e.PrivateValue && (e.Flags & Mask) == Mask && (e.SetOn & (1u << source)))
            if (av_dict_set(&dict, e.Name.c_str(), e.PrivateValue->c_str(), 0) < 0) {
                av_dict_free(&dict);
                throw FFmpegException("av_dict_set failed");
            }
    return dict;
}

int TOptionContexts::CopyOptionsTo(void* Target, int Mask) const {
    const int source = SourceHolder(Mask);
    int rejected = 0;
    for (const TSetGenericOption& e : SetOptions_) {
        if ((e.Flags & Mask) != Mask || !(e.SetOn & (1u << source)))
            continue;
        std::string value;
        if (e.PrivateValue) {
            value = *e.PrivateValue;
        } else {
            uint8_t* text = nullptr;
            if (av_opt_get(Holder(source), e.Name.c_str(), 0, &text) < 0 || text == nullptr)
                continue;
            value = reinterpret_cast<const char*>(text);
            av_free(text);
        }
        const int r = av_opt_set(Target, e.Name.c_str(), value.c_str(), AV_OPT_SEARCH_CHILDREN);
        if (r == AVERROR_OPTION_NOT_FOUND)
            continue;
        if (r < 0) {
            LogInvalidValue(Target, e.Name, value);
            ++rejected;
        }
    }
    return rejected;
}

int TOptionContexts::ScalerFlags() const {
    int64_t flags = 0;
    if (av_opt_get_int(Scaler_.get(), "sws_flags", 0, &flags) < 0)
        return 0;
    return int(flags);
}

bool TOptionContexts::DebugRequested() const {
    return Codecs_[ohVideo]->debug != 0 || Format_->debug != 0;
}
