#pragma once

#include <string>
#include <vector>

// Text helpers shared by the console, the XML reader and the widgets.
//
// Quote rule for the "outside quotes" searches: double quotes pair up from the
// left; a match between an opening quote and its partner is skipped; after an
// opening quote without a partner every later match is skipped.
namespace vorn {

// Removes the characters of `what` (blanks and tabs by default) from both ends.
std::string Trim(const std::string& text, const char* what = " \t");
std::string ToUpper(const std::string& text);
std::string ToLower(const std::string& text);

// Position of the first `needle` at or after `from` that lies outside double
// quotes, or std::string::npos.
size_t FindOutsideQuotes(const std::string& text, const std::string& needle, size_t from = 0);

// Position of the first character of `chars` outside double quotes, or npos.
size_t FindFirstOfOutsideQuotes(const std::string& text, const std::string& chars, size_t from = 0);

// Cuts text at every delimiter outside quotes; empty pieces are dropped.
std::vector<std::string> SplitOutsideQuotes(const std::string& text, const std::string& delimiter);

// Cuts text at every delimiter (quotes not considered); empty pieces are dropped.
std::vector<std::string> Split(const std::string& text, const std::string& delimiter);

bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWith(const std::string& text, const std::string& suffix);

// Replaces every occurrence of what by with.
std::string ReplaceAll(std::string text, const std::string& what, const std::string& with);

}  // namespace vorn
