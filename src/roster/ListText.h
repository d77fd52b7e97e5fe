// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <tuple>

namespace movrand {

// Texts of the window's lists as the platform's list controls compare them. Texts are UTF-8;
// positions and lengths count characters, not bytes.

// The text as code points (a byte that is no valid UTF-8 stands for itself).
std::u32string CodePoints(std::string_view utf8);
std::string Utf8OfCodePoints(std::u32string_view text);

// The lower-case form of a letter of the roster's character set (ASCII and the Latin letters of
// Windows-1252); anything else is returned unchanged.
char32_t FoldCase(char32_t c);

// The order of a sorted list box: without regard to case, accents counting after the base
// letter, hyphens and apostrophes counting only when everything else is equal ("O'Brien" sorts
// among the "Ob..." names).
bool ListLess(std::string_view a, std::string_view b);
// The same order as a value to keep: texts compare as ListLess has them when their keys do. A
// list that is sorted as it is filled works each text's key out once, not at every comparison.
using ListSortKey = std::tuple<std::u32string, std::u32string, std::u32string>;
ListSortKey ListKey(std::string_view text);

// Whether text begins with prefix, without regard to case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

std::size_t CharacterCount(std::string_view utf8);
// The first n characters (all of them when there are fewer).
std::string FirstCharacters(std::string_view utf8, std::size_t n);

}  // namespace movrand
