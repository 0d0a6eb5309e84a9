#pragma once
// The content of a parameter page: its group text ("-,0,1,-,2") read as
// group-box openers and parameter indices. Every reader of a page's group
// goes through PageEntries, so all of them skip the same bad entries.
#include <string>
#include <string_view>
#include <vector>

namespace params {

struct PageEntry {
  bool opensGroupBox = false;  // "-"
  int index = -1;              // the parameter index, for any other entry
  bool operator==(const PageEntry&) const = default;
};

// The valid entries of `group` in order. Each entry is trimmed; "-" opens a
// group box; decimal digits naming an index below `itemCount` are a
// parameter; anything else (empty, letters, signs, inner blanks, an index
// of `itemCount` or more) is skipped.
std::vector<PageEntry> PageEntries(std::string_view group, int itemCount);

// The entries as a group text: "-" and decimal indices joined by ",".
std::string PageGroupText(const std::vector<PageEntry>& entries);

}  // namespace params
