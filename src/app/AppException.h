// Text and presentation rules of the application's handler for exceptions nothing caught.
#pragma once

#include <exception>
#include <string>

namespace zelta {

enum class TExceptionPresentation {
    Warning, // the engine's own refusals (FFmpegException)
    Error,   // everything else
};

struct TAppExceptionReport {
    std::string Message;
    TExceptionPresentation Presentation = TExceptionPresentation::Error;
};

// The message as shown: a "." is appended when the message is not empty and its last character
// sorts after ".".
std::string ExceptionDisplayText(const std::string& Message);

// Classifies the current exception (call inside a catch block) or E.
TAppExceptionReport DescribeException(const std::exception& E);
TAppExceptionReport DescribeCurrentException();

}  // namespace zelta
