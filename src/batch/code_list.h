// Code list expansion: the code field's text ("32-126,168,192-255") turned into
// the ordered list of entries a batch run walks through.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphory {

// Ordered entry texts. Entries from a range are canonical decimal texts; single
// entries are kept exactly as typed ("065", "$41", " 65", "abc").
using CodeList = std::vector<std::string>;

// Shows one of the program's messages to the user (the window's message box;
// tests record it). The core itself never opens a dialog.
using ShowMessageFn = std::function<void(const std::string& message)>;

// "Ошибка формирования списка символов!" in Windows-1251.
inline constexpr const char* kCodeListErrorMessage =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xF4\xEE\xF0\xEC\xE8\xF0\xEE\xE2\xE0\xED\xE8\xFF "
    "\xF1\xEF\xE8\xF1\xEA\xE0 \xF1\xE8\xEC\xE2\xEE\xEB\xEE\xE2!";

// More entries than this in one list fail at once instead of being built: a
// range such as 0-2000000000 would otherwise take minutes and all memory.
inline constexpr std::size_t kMaxCodeListEntries = 1048576;

// The expansion itself: nothing when a range end is not integer text or the
// list would exceed kMaxCodeListEntries. Items are split at ",", CR and LF;
// empty items are dropped, blanks are kept as part of their item.
[[nodiscard]] std::optional<CodeList> ParseCodeList(std::string_view text);

// ParseCodeList for a batch run: on failure shows kCodeListErrorMessage through
// `showMessage` and returns an empty list (never the part built so far).
[[nodiscard]] CodeList ExpandCodes(std::string_view text, const ShowMessageFn& showMessage);

}  // namespace glyphory
