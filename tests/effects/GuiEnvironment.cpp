// Text layers are drawn with QPainter, whose fonts need a QGuiApplication. One is created for
// the whole test program, on the offscreen platform unless the caller chose another.
#include <QByteArray>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TGuiEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        FApp = std::make_unique<QGuiApplication>(FArgc, FArgv);
    }
    void TearDown() override { FApp.reset(); }

private:
    // QGuiApplication keeps references to these for its whole life.
    int FArgc = 1;
    char FName[20] = "zelta_effects_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QGuiApplication> FApp;
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] testing::Environment* const GuiEnvironment =
    testing::AddGlobalTestEnvironment(std::make_unique<TGuiEnvironment>().release());

}  // namespace
