// Crops as a person makes them, through Start: every shipped video profile, with settings never
// touched, converts a square-pixel, an anamorphic (32:27) and a turned (90°) movie with a
// magenta border, each with no margins, one side cut, margins that differ on both axes and all
// four sides cut. Every conversion succeeds; the cut sides lose the border and the others keep
// it; the frame has the profile's size; the picture keeps the shape the crop left it (the
// letterbox fitting a fresh profile uses) and fills the frame on one axis.
#include "app/AppPaths.h"
#include "app/BatchDriver.h"
#include "app/FormatCatalogue.h"
#include "app/SettingsKeys.h"
#include "component/FFConverter.h"
#include "fixtures/Fixtures.h"

#include "EnvOverride.h"
#include "ShownPicture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

using namespace zelta;
using namespace shownpicture;
namespace fs = std::filesystem;

namespace {

constexpr int Border = 12;   // stored pixels of magenta round every picture
constexpr int Cut = 24;      // a cut side: the border and as much again

struct TSource {
    const char* Name;
    int Width, Height;       // stored
    int SarNum, SarDen;
    int Rotation;
    int UprightWidth() const { return Rotation % 180 ? Height : Width; }
    int UprightHeight() const { return Rotation % 180 ? Width : Height; }
    double UprightSar() const { return Rotation % 180 ? double(SarDen) / SarNum : double(SarNum) / SarDen; }
};
const TSource Sources[] = {
    {"square", 320, 180, 1, 1, 0},
    {"anamorphic", 360, 240, 32, 27, 0},
    {"turned", 320, 180, 1, 1, 90},
};

struct TMargins {
    const char* Name;
    int Top, Left, Bottom, Right; // of the upright picture, as the crop dialog stores them
};
const TMargins MarginCases[] = {
    {"none", 0, 0, 0, 0},
    {"left", 0, Cut, 0, 0},
    {"top-right", Cut, 0, 0, Cut + 8},
    {"all", Cut, Cut, Cut, Cut},
};

std::string Movie(const TSource& S)
{
    fixtures::TMediaSpec spec;
    spec.Format = "mp4";
    spec.VideoEncoder = "mpeg4";
    spec.Width = S.Width;
    spec.Height = S.Height;
    spec.PixelAspectNum = S.SarNum;
    spec.PixelAspectDen = S.SarDen;
    spec.Rotation = S.Rotation;
    spec.Marker = true;
    spec.Border = Border;
    spec.FrameRateNum = 10;
    spec.Seconds = 0.4;
    spec.AudioEncoders = {"aac"}; // the PSP's container wants one sound track with the picture
    const std::string path = fixtures::Fixtures().Dir + "/crop_av_" + S.Name + ".mp4";
    fixtures::MakeMediaOnce(path, spec);
    return path;
}

// Waits for the run's end; nothing may be asked.
class THost : public TBatchHost {
public:
    void ShowMessage(std::string_view, std::string_view Text) override
    {
        ADD_FAILURE() << "message: " << Text;
    }
    bool AskYesNo(std::string_view, std::string_view Text) override
    {
        ADD_FAILURE() << "question: " << Text;
        return false;
    }
    void TaskEnded(const TTerminateInfo& Info) override
    {
        std::lock_guard guard(Lock);
        Ends.push_back(Info);
    }
    void RunEnded() override
    {
        std::lock_guard guard(Lock);
        Ended = true;
        Changed.notify_all();
    }
    void Wait()
    {
        std::unique_lock guard(Lock);
        Changed.wait(guard, [&] { return Ended; });
    }
    std::mutex Lock;
    std::condition_variable Changed;
    bool Ended = false;
    std::vector<TTerminateInfo> Ends;
};

// The share of magenta pixels along one side of Box, two pixels in (the outermost pixel is a
// blend with the bar next to it).
double MagentaShare(const TShownPicture& P, const TBox& Box, char Side)
{
    int hits = 0, count = 0;
    const bool vertical = Side == 'L' || Side == 'R';
    const int length = vertical ? Box.H() : Box.W();
    for (int i = length / 8; i < length - length / 8; ++i) {
        const int x = Side == 'L' ? Box.X0 + 2 : Side == 'R' ? Box.X1 - 2 : Box.X0 + i;
        const int y = Side == 'T' ? Box.Y0 + 2 : Side == 'B' ? Box.Y1 - 2 : Box.Y0 + i;
        hits += P.Magenta(x, y) ? 1 : 0;
        ++count;
    }
    return count > 0 ? double(hits) / count : 0;
}

// The frame size a profile states ("WxH"), or the cropped picture's own (even) size for "as
// source".
std::pair<int, int> ExpectedSize(const std::string& SizeItem, int CroppedW, int CroppedH)
{
    const std::size_t x = SizeItem.find('x');
    if (SizeItem == "as source" || x == std::string::npos)
        return {CroppedW - CroppedW % 2, CroppedH - CroppedH % 2};
    return {std::stoi(SizeItem.substr(0, x)), std::stoi(SizeItem.substr(x + 1))};
}

class CropMatrix : public testing::Test {
protected:
    test::TTempFolder Dir;
    test::TEnvOverride HomeVar{"HOME", Dir.File("home")};
    TIniFile Catalogue{JoinPath(ProgramFolder(), CatalogueFileName)};
};

TEST_F(CropMatrix, EveryVideoProfileConvertsEveryCropOfEveryPicture)
{
    std::vector<std::string> movies;
    for (const TSource& s : Sources)
        movies.push_back(Movie(s));

    int profiles = 0;
    for (const TFormatProfile& profile : ListFormatProfiles(ReadFormatCatalogue(Catalogue))) {
        if (profile.Code < 100)
            continue; // the audio profiles take no picture
        ++profiles;
        SCOPED_TRACE(profile.Name);
        const std::string folder = Dir.File(std::to_string(profile.Code));
        TIniFile settings(folder + "/zeltavideoaudioconverter.ini");
        fs::create_directories(folder + "/out");
        ASSERT_TRUE(settings.WriteString(SectionSettings, KeyFormatCode, std::to_string(profile.Code)));
        ASSERT_TRUE(settings.WriteString(SectionSettings, KeyOutPutDir, folder + "/out"));

        // One source file per case, as a person adds them.
        std::vector<std::string> paths;
        for (size_t s = 0; s < std::size(Sources); ++s)
            for (const TMargins& m : MarginCases) {
                const std::string path = folder + "/" + Sources[s].Name + "-" + m.Name + ".mp4";
                fs::create_hard_link(movies[s], path);
                paths.push_back(path);
            }
        THost host;
        TFFConverter converter;
        TSourceListModel list;
        ASSERT_EQ(list.AddFiles(paths, converter, "", settings, Catalogue, host).Added,
                  int(paths.size()));
        for (int row = 0; row < list.RowCount(); ++row) {
            const TMargins& m = MarginCases[size_t(row) % std::size(MarginCases)];
            TlvFilesRecord& r = list.Record(row);
            r.CropTop = m.Top, r.CropLeft = m.Left, r.CropBottom = m.Bottom, r.CropRight = m.Right;
        }
        TBatchDriver driver(converter, list, host);
        driver.ConnectEvents();
        const TBatchDriver::TBuildResult built = driver.BuildTasks(settings, Catalogue);
        ASSERT_FALSE(built.Stopped) << built.Error;
        ASSERT_EQ(built.Tasks, int(paths.size()));
        converter.StartTask(2);
        host.Wait();

        const std::string sizeItem =
            CatalogueDefaultItem(Catalogue, profile.Code, {KeyListVideoSize, KeyIVideoSize}).value_or("");
        for (const TTerminateInfo& end : host.Ends) {
            const int row = driver.CheckedRows()[size_t(end.TaskIndex)];
            const TSource& src = Sources[size_t(row) / std::size(MarginCases)];
            const TMargins& m = MarginCases[size_t(row) % std::size(MarginCases)];
            SCOPED_TRACE(testing::Message() << src.Name << ", margins " << m.Name);
            ASSERT_TRUE(end.Finished) << end.ExceptionMsg;
            const TShownPicture out = FirstPicture(driver.Destination(end.TaskIndex));
            ASSERT_GT(out.Width, 0);

            const int croppedW = src.UprightWidth() - m.Left - m.Right;
            const int croppedH = src.UprightHeight() - m.Top - m.Bottom;
            const auto [w, h] = ExpectedSize(sizeItem, croppedW, croppedH);
            EXPECT_EQ(out.Width, w);
            EXPECT_EQ(out.Height, h);

            // The picture without its black bars: the shape the crop left, filling the frame
            // one way.
            const TBox picture = Brighter(out, 35);
            ASSERT_FALSE(picture.Empty());
            const double shown = double(picture.W()) * av_q2d(out.Sar) / picture.H();
            const double cropped = croppedW * src.UprightSar() / croppedH;
            EXPECT_NEAR(shown / cropped, 1.0, 0.02 + 3.0 / std::min(picture.W(), picture.H()))
                << picture.W() << "x" << picture.H() << " in " << out.Width << "x" << out.Height
                << ", pixels " << out.Sar.num << ":" << out.Sar.den;
            EXPECT_TRUE(picture.W() >= out.Width - 4 || picture.H() >= out.Height - 4);

            const struct {
                char Side;
                int Margin;
            } sides[] = {{'T', m.Top}, {'L', m.Left}, {'B', m.Bottom}, {'R', m.Right}};
            for (const auto& side : sides) {
                const double share = MagentaShare(out, picture, side.Side);
                if (side.Margin > 0)
                    EXPECT_LT(share, 0.05) << "side " << side.Side << " still shows the border";
                else
                    EXPECT_GT(share, 0.5) << "side " << side.Side << " lost its border";
            }
        }
        EXPECT_EQ(host.Ends.size(), paths.size());
    }
    EXPECT_GE(profiles, 10);
}

}  // namespace
