#pragma once
// The profile catalogue's texts as a person reads them: category and profile names and the
// choice words of the settings lists ("as source", "mono 1 channel"), in the interface language.
// Stored settings and the catalogue file keep the English texts; only what is shown changes.
#include <string>
#include <string_view>

namespace zelta {

// English when the text is not one the catalogue ships (a profile a user named himself).
std::string CatalogueText(std::string_view English);

} // namespace zelta
