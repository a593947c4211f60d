#include "engine/FFTypes.h"
#include "engine/FFmpegLoader.h"

#include <gtest/gtest.h>

#include <array>
#include <cfenv>
#include <filesystem>
#include <stdexcept>
#include <string>

extern "C" {
#include <libavcodec/version.h>
#include <libavformat/version.h>
}
#include <SDL2/SDL_version.h>

#include <elf.h>
#include <link.h>

namespace {

// A loader over the built-in table whose one-time initialisations only count their calls, so
// that tests see which libraries were loaded anew.
class CountingLoader {
public:
    explicit CountingLoader(const std::function<void(TLibraryTable&)>& Change = {})
        : Loader_(MakeTable(Change)) {}

    TFFmpegLoader& operator*() { return Loader_; }
    TFFmpegLoader* operator->() { return &Loader_; }
    int Loads(TLibraryKind Kind) const { return Counts_[Kind]; }

private:
    TLibraryTable MakeTable(const std::function<void(TLibraryTable&)>& Change) {
        TLibraryTable table = BuiltInLibraryTable();
        for (TLibraryItem& item : table)
            item.AfterLoad = [this, k = item.Kind] { ++Counts_[k]; };
        if (Change)
            Change(table);
        return table;
    }

    std::array<int, LibraryKindCount> Counts_{};
    TFFmpegLoader Loader_; // after Counts_: its table refers to them
};

const TLibraryKind EngineKinds[] = {lkAVCodec, lkAVFilter, lkAVFormat, lkAVUtil, lkSWScale, lkMSVCRT};

} // namespace

TEST(LoaderTest, PlayerSetThenEngineSetLoadsNothingAnew) {
    CountingLoader loader;
    ASSERT_TRUE(loader->LoadLibs(PlayerLibraries)) << loader->LastError();
    for (TLibraryKind k : EngineKinds)
        EXPECT_EQ(loader.Loads(k), 1) << k;
    EXPECT_EQ(loader.Loads(lkSDL), 1);
    EXPECT_EQ(loader.Loads(lkAVDevice), 0);
    EXPECT_FALSE(loader->LibLoaded(lkAVDevice));

    EXPECT_TRUE(loader->LoadLibs(EngineLibraries));
    for (TLibraryKind k : EngineKinds)
        EXPECT_EQ(loader.Loads(k), 1) << k;
    EXPECT_TRUE(loader->LibsLoaded(PlayerLibraries));
    EXPECT_EQ(loader->LastError(), "");

    // The process-wide loader passes the run-time version checks of the real libraries.
    EXPECT_TRUE(FFLoader().LoadLibs(PlayerLibraries)) << FFLoader().LastError();
    EXPECT_TRUE(FFLoader().LibsLoaded(EngineLibraries));
}

TEST(LoaderTest, WrongSDLVersionUnloadsTheWholeSetAndNamesTheFile) {
    CountingLoader loader([](TLibraryTable& t) {
        t[lkSDL].RuntimeVersion = [] { return (1u << 16) | (2u << 8) | 15u; };
    });
    loader->SetLibraryPath("/opt/zelta/LibAV");
    // Libraries loaded by an earlier request are unloaded with the failing set too.
    ASSERT_TRUE(loader->LoadLibs(LibrarySetOf(lkAVCodec)));

    EXPECT_FALSE(loader->LoadLibs(PlayerLibraries));
    const std::string error = loader->LastError();
    // The library named is the one in use (here the system's), not the configured folder's.
    ASSERT_EQ(error.rfind("Load library /", 0), 0u) << error;
    const std::string named = error.substr(13, error.find(" error: ") - 13);
    EXPECT_EQ(named.rfind("/opt/zelta/", 0), std::string::npos) << error;
    EXPECT_TRUE(named.size() > 17 && named.compare(named.size() - 17, 17, "/libSDL2-2.0.so.0") == 0) << error;
    EXPECT_TRUE(std::filesystem::exists(named)) << error;
    EXPECT_NE(error.find("1.2.15"), std::string::npos) << error;
    EXPECT_NE(error.find(std::to_string(SDL_MAJOR_VERSION)), std::string::npos) << error;
    for (TLibraryKind k : EngineKinds) {
        EXPECT_FALSE(loader->LibLoaded(k)) << k;
        EXPECT_EQ(loader.Loads(k), 1) << k;
    }
    EXPECT_EQ(loader.Loads(lkSDL), 0);
    EXPECT_FALSE(loader->LibsLoaded(EngineLibraries));

    // The six are loaded anew by the next request; its success leaves the error text alone.
    EXPECT_TRUE(loader->LoadLibs(EngineLibraries));
    for (TLibraryKind k : EngineKinds)
        EXPECT_EQ(loader.Loads(k), 2) << k;
    EXPECT_EQ(loader->LastError(), error);

    // A library the program was built without is refused the same way.
    EXPECT_FALSE(loader->LoadLib(lkAVDevice));
    EXPECT_EQ(loader->LastError().rfind("Load library /opt/zelta/LibAV/" +
                                            loader->Item(lkAVDevice).FileName + " error: ", 0),
              0u)
        << loader->LastError();
}

TEST(LoaderTest, FailingInitialisationGivesItsMessageAndLeavesTheLibraryUnloaded) {
    bool refuse = true;
    CountingLoader loader([&](TLibraryTable& t) {
        t[lkAVFormat].AfterLoad = [&] {
            if (refuse)
                throw FFmpegException("protocol set-up refused");
        };
    });
    EXPECT_FALSE(loader->LoadLib(lkAVFormat));
    EXPECT_EQ(loader->LastError(), "protocol set-up refused");
    EXPECT_FALSE(loader->LibLoaded(lkAVFormat));

    // In a set, the libraries before it are unloaded again.
    EXPECT_FALSE(loader->LoadLibs(EngineLibraries));
    EXPECT_EQ(loader.Loads(lkAVCodec), 1);
    EXPECT_FALSE(loader->LibLoaded(lkAVCodec));
    EXPECT_EQ(loader.Loads(lkAVUtil), 0);

    refuse = false;
    EXPECT_TRUE(loader->LoadLib(lkAVFormat));
    EXPECT_TRUE(loader->LibLoaded(lkAVFormat));
    EXPECT_EQ(loader->LastError(), "protocol set-up refused");

    loader->UnloadLib(lkAVFormat);
    EXPECT_FALSE(loader->LibLoaded(lkAVFormat));
}

TEST(LoaderTest, EmptySetsAreProgrammingErrors) {
    CountingLoader loader;
    auto expectAssertion = [](const std::function<void()>& Call) {
        try {
            Call();
            ADD_FAILURE() << "no assertion";
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Assertion failure", 0), 0u) << e.what();
        }
    };
    expectAssertion([&] { loader->LoadLibs(0); });
    expectAssertion([&] { loader->LibsLoaded(0); });
    expectAssertion([&] { loader->UnloadLibs(0); });
}

TEST(LoaderTest, LibraryFileNameJoinsThePathWithOneSlash) {
    CountingLoader loader;
    const std::string avcodec = "libavcodec.so." + std::to_string(LIBAVCODEC_VERSION_MAJOR);
    EXPECT_EQ(loader->LibraryFileName(lkAVCodec), avcodec);
    loader->SetLibraryPath("/usr/lib/zelta/LibAV");
    EXPECT_EQ(loader->LibraryFileName(lkAVCodec), "/usr/lib/zelta/LibAV/" + avcodec);
    loader->SetLibraryPath("/usr/lib/zelta/LibAV/");
    EXPECT_EQ(loader->LibraryFileName(lkAVFormat),
              "/usr/lib/zelta/LibAV/libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR));
    EXPECT_EQ(loader->LibraryFileName(lkSDL), "/usr/lib/zelta/LibAV/libSDL2-2.0.so.0");
    EXPECT_EQ(loader->LibraryPath(), "/usr/lib/zelta/LibAV/");
}

TEST(LoaderTest, FloatingPointTrapsAreMaskedWhileALoaderLives) {
    ASSERT_EQ(fegetexcept(), 0);
    ASSERT_NE(feenableexcept(FE_DIVBYZERO), -1);
    {
        CountingLoader loader;
        EXPECT_EQ(fegetexcept(), 0);
    }
    EXPECT_EQ(fegetexcept(), FE_DIVBYZERO);
    fedisableexcept(FE_ALL_EXCEPT);
}

// LibAV beside the program must win over LD_LIBRARY_PATH: the search path is recorded as
// DT_RPATH (searched before the environment), not DT_RUNPATH (searched after it).
TEST(LoaderTest, TheProgramSearchesLibAVBeforeTheEnvironment) {
    struct TFound {
        bool RPath = false, RunPath = false;
    } found;
    dl_iterate_phdr(
        [](dl_phdr_info* Info, size_t, void* Data) {
            auto& f = *static_cast<TFound*>(Data);
            for (int i = 0; i < Info->dlpi_phnum; ++i) {
                if (Info->dlpi_phdr[i].p_type != PT_DYNAMIC)
                    continue;
                const auto* d = reinterpret_cast<const ElfW(Dyn)*>(Info->dlpi_addr + Info->dlpi_phdr[i].p_vaddr);
                for (; d->d_tag != DT_NULL; ++d) {
                    f.RPath |= d->d_tag == DT_RPATH;
                    f.RunPath |= d->d_tag == DT_RUNPATH;
                }
            }
            return 1; // the first object is the program itself
        },
        &found);
    EXPECT_TRUE(found.RPath);
    EXPECT_FALSE(found.RunPath);
}
