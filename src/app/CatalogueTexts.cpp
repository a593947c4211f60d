#include "app/CatalogueTexts.h"

#include "app/Translation.h"

#include <QtGlobal>

#include <algorithm>
#include <iterator>

namespace zelta {

namespace {

// Every text the shipped catalogue shows: the built-in audio category and profiles, the
// categories and profiles of data/zeltaaudioformat.ini, and the word choices of its lists.
// Listed here so that the translation tools collect them.
constexpr const char* Shipped[] = {
    QT_TRANSLATE_NOOP("Catalogue", "General Audio formates"),
    QT_TRANSLATE_NOOP("Catalogue", "General Video formats"),
    QT_TRANSLATE_NOOP("Catalogue", "DVD / VCD / SVCD"),
    QT_TRANSLATE_NOOP("Catalogue", "Devices"),
    QT_TRANSLATE_NOOP("Catalogue", "MP3 MPEG Layer-3 Audio (*.mp3)"),
    QT_TRANSLATE_NOOP("Catalogue", "AAC Advenced Audio Codec (*.aac)"),
    QT_TRANSLATE_NOOP("Catalogue", "M4A MPEG-4 Audio (*.m4a)"),
    QT_TRANSLATE_NOOP("Catalogue", "WMA - Windows Meida Audio (*.wma)"),
    QT_TRANSLATE_NOOP("Catalogue", "WAV - Waveform Audio (*.wav)"),
    QT_TRANSLATE_NOOP("Catalogue", "OGG Vorbis Audio Codec (*.ogg)"),
    QT_TRANSLATE_NOOP("Catalogue", "AC-3 Audio Codec (*.ac3)"),
    QT_TRANSLATE_NOOP("Catalogue", "FLAC Free Lossless Audio Codec (*.flac)"),
    QT_TRANSLATE_NOOP("Catalogue", "Opus Audio Codec (*.opus)"),
    QT_TRANSLATE_NOOP("Catalogue", "ALAC Apple Lossless Audio (*.m4a)"),
    QT_TRANSLATE_NOOP("Catalogue", "MP4 MPEG-4 H.264 Video (*.mp4)"),
    QT_TRANSLATE_NOOP("Catalogue", "AVI MPEG-4 Video with MP3 Audio (*.avi)"),
    QT_TRANSLATE_NOOP("Catalogue", "WMV Windows Media Video (*.wmv)"),
    QT_TRANSLATE_NOOP("Catalogue", "FLV Flash Video (*.flv)"),
    QT_TRANSLATE_NOOP("Catalogue", "MOV QuickTime Video (*.mov)"),
    QT_TRANSLATE_NOOP("Catalogue", "MPEG-2 Video (*.mpg)"),
    QT_TRANSLATE_NOOP("Catalogue", "DVD PAL MPEG-2 Video (*.vob)"),
    QT_TRANSLATE_NOOP("Catalogue", "DVD NTSC MPEG-2 Video (*.vob)"),
    QT_TRANSLATE_NOOP("Catalogue", "VCD PAL MPEG-1 Video (*.mpg)"),
    QT_TRANSLATE_NOOP("Catalogue", "VCD NTSC MPEG-1 Video (*.mpg)"),
    QT_TRANSLATE_NOOP("Catalogue", "SVCD PAL MPEG-2 Video (*.mpg)"),
    QT_TRANSLATE_NOOP("Catalogue", "SVCD NTSC MPEG-2 Video (*.mpg)"),
    QT_TRANSLATE_NOOP("Catalogue", "Apple iPod Video MPEG-4 Movie (*.mp4)"),
    QT_TRANSLATE_NOOP("Catalogue", "Sony PSP MPEG-4 Movie (*.mp4)"),
    QT_TRANSLATE_NOOP("Catalogue", "Sony PS3 H.264 Movie (*.mp4)"),
    QT_TRANSLATE_NOOP("Catalogue", "3GP Mobile Phone Video (*.3gp)"),
    QT_TRANSLATE_NOOP("Catalogue", "as source"),
    QT_TRANSLATE_NOOP("Catalogue", "mono 1 channel"),
    QT_TRANSLATE_NOOP("Catalogue", "stereo 2 channels"),
};

const char* ShippedText(std::string_view English) {
    const auto it = std::find_if(std::begin(Shipped), std::end(Shipped),
                                 [English](const char* s) { return English == s; });
    return it != std::end(Shipped) ? *it : nullptr;
}

} // namespace

std::string CatalogueText(std::string_view English) {
    const char* shipped = ShippedText(English);
    return shipped != nullptr ? TrText("Catalogue", shipped) : std::string(English);
}

} // namespace zelta
