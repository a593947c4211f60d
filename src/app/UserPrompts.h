// The questions and messages the application core puts to the user. The main window answers
// them with message boxes; the command-line program prints the messages on standard error and
// answers every question with "yes"; tests record them.
//
// Called on the main thread, at the moment the core needs the answer.
#pragma once

#include <QtGlobal>

#include <string_view>

namespace zelta {

// The captions the core gives, for the windows (and the command line) to translate in the
// context "UserPrompts" where they show them.
inline constexpr const char* PromptCaptionTexts[] = {
    QT_TRANSLATE_NOOP("UserPrompts", "Warning"), QT_TRANSLATE_NOOP("UserPrompts", "Error"),
    QT_TRANSLATE_NOOP("UserPrompts", "Information"), QT_TRANSLATE_NOOP("UserPrompts", "Add Folder")};

class TUserPrompts {
public:
    virtual ~TUserPrompts() = default;
    // The texts come translated; a caption comes in English ("Warning", "Error"), as the windows
    // tell the kind of box by it, and is translated where it is shown.
    // A message box with the given caption, the text and an OK button.
    virtual void ShowMessage(std::string_view Caption, std::string_view Text) = 0;
    // A message box with Yes and No buttons and the question icon; true for Yes.
    virtual bool AskYesNo(std::string_view Caption, std::string_view Text) = 0;
};

}  // namespace zelta
