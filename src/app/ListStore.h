// The list kept across restarts: the rows of the source list (check, order, caption, the two
// length columns and the whole record: trim, crop, zoom, picture adjustments, watermark layers,
// tags, folder) as a text file in the settings folder, and the rows read back from it.
//
// The file is plain UTF-8 text, one line a row and one line for each of its watermark layers:
//
//   zelta-list 1
//   row <TAB> key=value <TAB> key=value ...
//   layer <TAB> key=value ...          (belongs to the row above)
//
// Values escape "\" as "\\", a tab as "\t", a line break as "\n" and a carriage return as "\r".
// Unknown keys and lines are passed over and missing keys keep the record's defaults, so a file
// of an older or newer program reads as much as it can. A damaged file gives the rows read
// before the damage.
//
// No widgets; EncodeList and DecodeList are pure functions, any thread.
#pragma once

#include "app/SourceList.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// Name of the list file in the settings folder.
inline constexpr std::string_view ListFileName = "list.txt";
// The list file beside the settings file SettingsFile.
std::string ListFilePath(const std::string& SettingsFile);

using TStoredRow = TListRow;

// The file's text for the rows of Files, in their order.
std::string EncodeList(const TSourceListModel& Files);
// The rows of Text; rows without a source are passed over.
std::vector<TStoredRow> DecodeList(std::string_view Text);

}  // namespace zelta
