// The player's building blocks on their own: the event ring, the packet queue, the display
// geometry, bitmap subtitles and the audio visualisation.

#include "player/EventRing.h"
#include "player/PacketQueue.h"
#include "player/PlayerDraw.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace {

using namespace player;

TPlayerEvent PositionEvent(int64_t Pts) { return TPlayerEvent{ekPosition, psPlay, Pts}; }
TPlayerEvent StateEvent(TPlayState S) { return TPlayerEvent{ekState, S, 0}; }

TEST(EventRing, UndeliveredEntryOfTheSameKindIsReplaced) {
    TEventRing ring;
    ring.Post(PositionEvent(100000));
    ring.Post(PositionEvent(250000));
    ring.Post(StateEvent(psPause));
    ring.Post(StateEvent(psResume));
    ring.Post(PositionEvent(300000));
    TPlayerEvent e;
    ASSERT_TRUE(ring.Take(e));
    EXPECT_EQ(e.Kind, ekPosition);
    EXPECT_EQ(e.Position, 250000);
    ASSERT_TRUE(ring.Take(e));
    EXPECT_EQ(e.Kind, ekState);
    EXPECT_EQ(e.State, psResume);
    ASSERT_TRUE(ring.Take(e));
    EXPECT_EQ(e.Position, 300000);
    EXPECT_FALSE(ring.Take(e));
}

TEST(EventRing, DeliveredEntryIsNotReplacedAndSignalFollowsContent) {
    TEventRing ring;
    EXPECT_FALSE(ring.Available().IsSet());
    ring.Post(PositionEvent(1));
    EXPECT_TRUE(ring.Available().IsSet());
    TPlayerEvent e;
    ASSERT_TRUE(ring.Take(e));
    EXPECT_FALSE(ring.Available().IsSet());
    ring.Post(PositionEvent(2)); // the ring is empty: a new entry, not an overwrite
    ASSERT_TRUE(ring.Take(e));
    EXPECT_EQ(e.Position, 2);
    EXPECT_TRUE(ring.Empty());
}

TEST(EventRing, FullRingDropsTheOldestEntry) {
    TEventRing ring;
    // Alternating kinds never overwrite; nine entries fit.
    for (int i = 0; i < 12; ++i)
        ring.Post(i % 2 == 0 ? PositionEvent(i) : TPlayerEvent{ekState, TPlayState(i % 6), i});
    std::vector<int64_t> seen;
    TPlayerEvent e;
    while (ring.Take(e))
        seen.push_back(e.Position);
    ASSERT_EQ(seen.size(), 9u);
    EXPECT_EQ(seen.front(), 3);
    EXPECT_EQ(seen.back(), 11);
}

TPacketPtr DataPacket(int Size) {
    TPacketPtr p(av_packet_alloc());
    if (av_new_packet(p.get(), Size) < 0)
        return nullptr;
    return p;
}

TEST(PacketQueue, CountsBytesWithNodeOverheadAndKeepsOrder) {
    TPacketQueue q;
    int taken = 0;
    q.SetOnTaken([&] { ++taken; });
    q.Start();
    EXPECT_EQ(q.Count(), 1); // the flush marker
    ASSERT_TRUE(q.Put(DataPacket(100)));
    q.PutEnd();
    EXPECT_EQ(q.Count(), 3);
    EXPECT_EQ(q.Size(), 100 + 3 * TPacketQueue::NodeOverhead);
    TQueuedPacket item;
    ASSERT_EQ(q.Get(item, false), 1);
    EXPECT_EQ(item.Kind, TPacketKind::Flush);
    ASSERT_EQ(q.Get(item, false), 1);
    EXPECT_EQ(item.Kind, TPacketKind::Data);
    EXPECT_EQ(item.Packet->size, 100);
    ASSERT_EQ(q.Get(item, false), 1);
    EXPECT_EQ(item.Kind, TPacketKind::End);
    EXPECT_EQ(q.Get(item, false), 0);
    EXPECT_EQ(q.Size(), 0);
    EXPECT_EQ(taken, 3);
}

TEST(PacketQueue, FlushEmptiesAndAbortReleasesABlockedReader) {
    TPacketQueue q;
    q.Start();
    ASSERT_TRUE(q.Put(DataPacket(10)));
    q.Flush();
    EXPECT_EQ(q.Count(), 0);
    EXPECT_EQ(q.Size(), 0);

    std::atomic<int> result{2};
    std::thread reader([&] {
        TQueuedPacket item;
        result = q.Get(item, true);
    });
    q.Abort();
    reader.join();
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(q.Put(DataPacket(10)));
    q.Start(); // a restarted queue works again
    TQueuedPacket item;
    EXPECT_EQ(q.Get(item, false), 1);
}

TEST(DisplayRect, KeepsThePictureAspectCentred) {
    // 4:3 picture on a wide surface: full height, centred horizontally.
    EXPECT_EQ(DisplayRect(0, AVRational{1, 1}, 320, 240, 400, 200), (TRect{67, 0, 266, 200}));
    // 16:9 picture on a 4:3 surface: full width, centred vertically.
    EXPECT_EQ(DisplayRect(0, AVRational{0, 1}, 1920, 1080, 640, 480), (TRect{0, 60, 640, 360}));
    // The sample aspect widens the picture.
    EXPECT_EQ(DisplayRect(0, AVRational{2, 1}, 200, 200, 400, 400), (TRect{0, 100, 400, 200}));
}

TEST(DisplayRect, NegativeAspectFillsAndPositiveAspectIsForced) {
    EXPECT_EQ(DisplayRect(-1, AVRational{1, 1}, 320, 240, 400, 200), (TRect{0, 0, 400, 200}));
    EXPECT_EQ(DisplayRect(2.0f, AVRational{1, 1}, 320, 240, 300, 300), (TRect{0, 75, 300, 150}));
    // A computed size is rounded down to even; a size taken from the surface is kept.
    EXPECT_EQ(DisplayRect(0, AVRational{1, 1}, 333, 250, 301, 301), (TRect{0, 37, 301, 226}));
    EXPECT_EQ(DisplayRect(0, AVRational{1, 1}, 250, 333, 301, 301), (TRect{37, 0, 226, 301}));
    EXPECT_EQ(DisplayRect(0, AVRational{1, 1}, 320, 240, 0, 0), TRect{});
}

TEST(Subtitles, PaletteBecomesStudioRangeYUV) {
    EXPECT_EQ(PaletteToYUVA(0xFFFFFFFFu), 0xFFEB8080u); // white: Y 235
    EXPECT_EQ(PaletteToYUVA(0x80000000u), 0x80108080u); // black keeps its alpha: Y 16
    EXPECT_EQ(PaletteToYUVA(0xFFFF0000u), 0xFF515AF0u); // red: Y 81, U 90, V 240
    EXPECT_EQ(PaletteToYUVA(0xFF0000FFu), 0xFF29F06Eu); // blue: Y 41, U 240, V 110
}

// An 8 x 8 grey picture and a subtitle rectangle of one colour.
struct TBlendCase {
    uint8_t Y[64], U[16], V[16];
    TYUVPlanes Planes;
    uint8_t Index[64] = {};
    uint32_t Palette[2];
    AVSubtitleRect Rect{};

    TBlendCase(int X, int Yp, int W, int H, uint32_t AYUV) {
        std::fill(std::begin(Y), std::end(Y), uint8_t(100));
        std::fill(std::begin(U), std::end(U), uint8_t(100));
        std::fill(std::begin(V), std::end(V), uint8_t(100));
        Planes.Data[0] = Y;
        Planes.Data[1] = U;
        Planes.Data[2] = V;
        Planes.Linesize[0] = 8;
        Planes.Linesize[1] = Planes.Linesize[2] = 4;
        Planes.Width = Planes.Height = 8;
        Palette[0] = 0;
        Palette[1] = AYUV;
        std::fill(std::begin(Index), std::end(Index), uint8_t(1));
        Rect.type = SUBTITLE_BITMAP;
        Rect.x = X;
        Rect.y = Yp;
        Rect.w = W;
        Rect.h = H;
        Rect.nb_colors = 2;
        Rect.data[0] = Index;
        Rect.data[1] = reinterpret_cast<uint8_t*>(Palette);
        Rect.linesize[0] = 8;
    }
};

TEST(Subtitles, OpaqueRectangleReplacesLumaAndFullyCoveredChroma) {
    TBlendCase c(2, 2, 4, 4, 0xFFC85030u); // A 255, Y 200, U 80, V 48
    BlendSubtitleRect(c.Planes, c.Rect);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
            EXPECT_EQ(c.Y[y * 8 + x], inside ? 200 : 100) << x << "," << y;
        }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1 && y < 3;
            EXPECT_EQ(c.U[y * 4 + x], inside ? 80 : 100) << x << "," << y;
            EXPECT_EQ(c.V[y * 4 + x], inside ? 48 : 100) << x << "," << y;
        }
}

TEST(Subtitles, PartlyCoveredChromaGetsAQuarterOfTheAlphaPerPixel) {
    TBlendCase c(1, 1, 2, 2, 0xFFC85030u);
    BlendSubtitleRect(c.Planes, c.Rect);
    EXPECT_EQ(c.Y[1 * 8 + 1], 200);
    EXPECT_EQ(c.Y[2 * 8 + 2], 200);
    EXPECT_EQ(c.Y[0], 100);
    // Each of the four chroma samples sees one covered pixel: alpha 255 >> 2 = 63.
    const int expected = ((255 - 63) * 100 + 63 * 80) / 255;
    for (int i : {0, 1, 4, 5})
        EXPECT_EQ(c.U[i], expected) << i;
    EXPECT_EQ(c.U[2], 100);
}

TEST(Subtitles, HalfAlphaBlendsAndOversizedRectanglesAreMovedInside) {
    TBlendCase half(0, 0, 8, 8, 0x80C85030u);
    BlendSubtitleRect(half.Planes, half.Rect);
    EXPECT_EQ(half.Y[27], (127 * 100 + 128 * 200) / 255);

    TBlendCase big(5, 6, 20, 3, 0xFFC85030u);
    BlendSubtitleRect(big.Planes, big.Rect);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(big.Y[y * 8 + 3], y >= 5 ? 200 : 100) << y;
}

TEST(Waveform, TriggerIsASignChangeWithinTheSearchWindow) {
    std::vector<int16_t> ring(SampleRingSize, 0);
    for (int i = 0; i < SampleRingSize; ++i)
        ring[size_t(i)] = int16_t(std::lrint(20000 * std::sin(i * 2 * M_PI / 97.0)));
    const int start = 50000;
    const int at = WaveformTrigger(ring.data(), start, 1);
    EXPECT_LE(at, start);
    EXPECT_GT(at, start - 1000);
    EXPECT_LT(ring[size_t(at + 4)] ^ ring[size_t(at + 5)], 0);
    // Silence has no sign change: the start stays.
    std::vector<int16_t> silence(SampleRingSize, 0);
    EXPECT_EQ(WaveformTrigger(silence.data(), start, 2), start);
}

TEST(Waveform, DrawsBandsPerChannelWithSeparators) {
    std::vector<int16_t> ring(SampleRingSize, 0);
    ring[0] = 16384; // left channel, first column
    ring[3] = -16384; // right channel, second column
    TBitmap24 bmp;
    bmp.SetSize(8, 100);
    DrawWaveform(bmp, ring.data(), 0, 2);
    auto white = [&](int x, int y) { return bmp.ScanLine(y)[x * 3] == 0xFF; };
    // Bands of 50 rows: centres 25 and 75, amplitude 16384 * 22 / 32768 = 11 rows.
    for (int y = 0; y < 100; ++y) {
        EXPECT_EQ(white(0, y), (y >= 25 && y < 36) || y == 50) << y;
        EXPECT_EQ(white(1, y), (y >= 64 && y < 75) || y == 50) << y;
        EXPECT_EQ(white(5, y), y == 50) << y;
    }
}

TEST(Spectrum, ToneLightsItsFrequencyRow) {
    const int height = 64;
    const int n = TSpectrum::BlockSize(height);
    ASSERT_EQ(n, 128);
    std::vector<int16_t> ring(SampleRingSize, 0);
    for (int i = 0; i < n; ++i)
        ring[size_t(i)] = int16_t(std::lrint(30000 * std::sin(i * 2 * M_PI * 16 / n)));
    TBitmap24 bmp;
    bmp.SetSize(4, height);
    TSpectrum spectrum;
    ASSERT_TRUE(spectrum.DrawColumn(bmp, 2, ring.data(), 0, 1));
    auto red = [&](int row) { return int(bmp.ScanLine(row)[2 * 3 + 2]); };
    const int toneRow = height - 1 - 16;
    EXPECT_GT(red(toneRow), 150);
    EXPECT_LT(red(height - 1 - 40), red(toneRow) / 4);
    EXPECT_EQ(bmp.ScanLine(toneRow)[0 * 3 + 2], 0); // other columns untouched
}

} // namespace
