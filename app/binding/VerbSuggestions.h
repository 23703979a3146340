// Finding the infinitives closest to a misspelt verb.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class LanguageModule;

// Windows-1252 text folded for comparison: lower case, accents dropped,
// "œ" and "æ" spelt out, the typographic apostrophe made plain.
std::string FoldForComparison(std::string_view cp1252Text);

// The edit distance (insertions, deletions, substitutions) of two texts.
int EditDistance(std::string_view a, std::string_view b);

// Up to `limit` distinct infinitives of `module` closest to `cp1252Text`
// (accents and case ignored), nearest first, each within a distance that
// grows with the length of the text. Windows-1252.
std::vector<std::string> SuggestVerbs(const LanguageModule& module, std::string_view cp1252Text,
                                      size_t limit = 5);
