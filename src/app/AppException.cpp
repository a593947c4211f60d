#include "app/AppException.h"
#include "app/Translation.h"

#include "engine/FFTypes.h"

namespace zelta {

std::string ExceptionDisplayText(const std::string& Message) {
    if (!Message.empty() && static_cast<unsigned char>(Message.back()) > '.')
        return Message + ".";
    return Message;
}

TAppExceptionReport DescribeException(const std::exception& E) {
    TAppExceptionReport r;
    r.Message = ExceptionDisplayText(E.what());
    r.Presentation = dynamic_cast<const FFmpegException*>(&E) != nullptr
                         ? TExceptionPresentation::Warning
                         : TExceptionPresentation::Error;
    return r;
}

TAppExceptionReport DescribeCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        return DescribeException(e);
    } catch (...) {
        return TAppExceptionReport{TrText("AppException", "Unknown exception."),
                                   TExceptionPresentation::Error};
    }
}

}  // namespace zelta
