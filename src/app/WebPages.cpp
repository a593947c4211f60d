#include "app/WebPages.h"

namespace zelta {

std::string WebPageAddress(const TGlobalObject& Globals, TWebPage Page) {
    switch (Page) {
    case TWebPage::Help:
        return Globals.HelpPage();
    case TWebPage::Home:
        return Globals.HomePage();
    case TWebPage::Support:
        break;
    }
    return std::string(SupportPageAddress);
}

}  // namespace zelta
