// The vendor's web pages that the Help, Web Site and Support and Contact commands and the about
// window's link open.
#pragma once

#include "app/GlobalObject.h"

#include <string>
#include <string_view>

namespace zelta {

inline constexpr std::string_view SupportPageAddress = "https://zelta.example.org/support/";

enum class TWebPage { Help, Home, Support };

// HelpPage or HomePage of the global object, or the support page.
std::string WebPageAddress(const TGlobalObject& Globals, TWebPage Page);

}  // namespace zelta
