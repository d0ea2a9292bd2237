#include "batch/code_list.h"

#include <cstdint>
#include <new>
#include <variant>

#include "batch/int_text.h"

namespace glyphory {
namespace {

struct CodeRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
};

// One item of the text: a single entry kept as typed, or a range.
using CodeItem = std::variant<std::string_view, CodeRange>;

bool IsItemSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

// The non-empty items of the text, in order.
std::vector<std::string_view> SplitItems(std::string_view text) {
  std::vector<std::string_view> items;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos <= text.size(); ++pos) {
    if (pos == text.size() || IsItemSeparator(text[pos])) {
      if (pos > start) {
        items.push_back(text.substr(start, pos - start));
      }
      start = pos + 1;
    }
  }
  return items;
}

// A range item: start before the first "-", end up to the next "-" (anything
// after a second "-" is ignored). Nothing when either end does not convert.
std::optional<CodeRange> ParseRange(std::string_view item) {
  const std::size_t hyphen = item.find('-');
  const std::string_view startText = item.substr(0, hyphen);
  std::string_view endText = item.substr(hyphen + 1);
  endText = endText.substr(0, endText.find('-'));
  const auto first = TryStrToInt(startText);
  const auto last = TryStrToInt(endText);
  if (!first || !last) {
    return std::nullopt;
  }
  return CodeRange{*first, *last};
}

// Number of entries a range contributes (0 when reversed).
std::uint64_t RangeWidth(const CodeRange& range) {
  if (range.last < range.first) {
    return 0;
  }
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(range.last) - range.first) + 1;
}

void AppendItem(const CodeItem& item, CodeList& list) {
  if (const auto* single = std::get_if<std::string_view>(&item)) {
    list.emplace_back(*single);
    return;
  }
  const auto& range = std::get<CodeRange>(item);
  for (std::int64_t code = range.first; code <= range.last; ++code) {
    list.push_back(IntToStr(code));
  }
}

}  // namespace

std::optional<CodeList> ParseCodeList(std::string_view text) {
  // First every item is checked and counted, so that a bad or oversized list
  // fails before anything is built.
  std::vector<CodeItem> items;
  std::uint64_t total = 0;
  for (const std::string_view item : SplitItems(text)) {
    if (item.find('-') == std::string_view::npos) {
      items.emplace_back(item);
      ++total;
    } else {
      const auto range = ParseRange(item);
      if (!range) {
        return std::nullopt;
      }
      items.emplace_back(*range);
      total += RangeWidth(*range);
    }
    if (total > kMaxCodeListEntries) {
      return std::nullopt;
    }
  }
  CodeList list;
  list.reserve(static_cast<std::size_t>(total));
  for (const CodeItem& item : items) {
    AppendItem(item, list);
  }
  return list;
}

CodeList ExpandCodes(std::string_view text, const ShowMessageFn& showMessage) {
  std::optional<CodeList> list;
  try {
    list = ParseCodeList(text);
  } catch (const std::bad_alloc&) {
    list.reset();
  }
  if (!list) {
    if (showMessage) {
      showMessage(kCodeListErrorMessage);
    }
    return {};
  }
  return std::move(*list);
}

}  // namespace glyphory
