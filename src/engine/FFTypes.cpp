#include "engine/FFTypes.h"

void AssertionFailure(const std::string& unit, const std::string& detail) {
    std::string text = "Assertion failure (" + unit + ")";
    if (!detail.empty())
        text += ": " + detail;
    throw EAssertionFailed(text);
}
