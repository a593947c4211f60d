// The list kept across restarts, at ten thousand rows with trims, crops, tags and a text layer
// each (goals: saved in under 50 ms, of which the main thread's part is the encoding; read
// back into the list, the missing files marked, in under 1 s).
#include "app/ListKeeper.h"
#include "app/ListStore.h"
#include "engine/SafeWrite.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace zelta;

constexpr int Rows = 10000;

std::vector<TListRow> MakeRows(const std::string& Folder)
{
    std::vector<TListRow> Out;
    for (int I = 0; I < Rows; ++I) {
        TListRow Row;
        Row.Checked = I % 3 != 0;
        Row.Length = std::to_string(180 + I % 60);
        Row.TrimmedLength = "120";
        TlvFilesRecord& R = Row.Record;
        R.SrcFile = Folder + "/Künstler " + std::to_string(I / 100) + "/Album/" +
                    std::to_string(I % 100) + " Ein ziemlich langer Titel.flac";
        R.Root = Folder;
        R.Duration = 180;
        R.TrimStart = 5'000'000;
        R.TrimLength = 120'000'000;
        R.CropLeft = 12;
        R.CropTop = 8;
        R.NameTags = {{"artist", "Künstler"}, {"album", "Album"}, {"title", "Titel"},
                      {"track", std::to_string(I % 100)}};
        auto Layer = std::make_unique<TWmRec>();
        Layer->Text = "© 2026";
        Layer->Font = std::make_unique<TWmFont>();
        Layer->Font->Name = "DejaVu Sans";
        R.WaterMarks.push_back(std::move(Layer));
        Out.push_back(std::move(Row));
    }
    return Out;
}

std::string Folder()
{
    const auto F = std::filesystem::temp_directory_path() / "zelta-list-bench";
    std::filesystem::create_directories(F);
    return F.string();
}

void BM_EncodeTenThousandRows(benchmark::State& State)
{
    TSourceListModel Files;
    Files.AppendKeptRows(MakeRows(Folder()));
    for (auto _ : State)
        benchmark::DoNotOptimize(EncodeList(Files));
}
BENCHMARK(BM_EncodeTenThousandRows)->Unit(benchmark::kMillisecond);

// Encoding and the durable write, as the keeper does one save.
void BM_SaveTenThousandRows(benchmark::State& State)
{
    TSourceListModel Files;
    Files.AppendKeptRows(MakeRows(Folder()));
    const std::string File = Folder() + "/list.txt";
    for (auto _ : State) {
        const std::string Text = EncodeList(Files);
        if (WriteFileSafely(File, Text, TSafeFile::TPublish::Replace, true) != 0)
            State.SkipWithError("the list could not be written");
    }
}
BENCHMARK(BM_SaveTenThousandRows)->Unit(benchmark::kMillisecond);

void BM_RestoreTenThousandRows(benchmark::State& State)
{
    const std::string File = Folder() + "/list.txt";
    {
        TSourceListModel Files;
        Files.AppendKeptRows(MakeRows(Folder()));
        WriteFileSafely(File, EncodeList(Files), TSafeFile::TPublish::Replace, true);
    }
    for (auto _ : State) {
        TSourceListModel Files;
        if (RestoreList(Files, File) != Rows)
            State.SkipWithError("the list did not come back whole");
    }
}
BENCHMARK(BM_RestoreTenThousandRows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
