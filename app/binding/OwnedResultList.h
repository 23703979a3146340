// A search result the program owns: a list it filtered or merged itself
// from the module's results, laid out as the module's SearchResultList so
// that the same code shows and prints both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LanguageModuleAbi.h"

struct OwnedResultList {
    std::vector<std::string> texts;
    std::vector<int32_t> values;
    std::vector<char*> pointers;
    SearchResultList list{};

    // Points `list` at the entries added to texts and values; call once they
    // are all there (the pointers stay good while the object lives, moves
    // included).
    void Seal() {
        pointers.clear();
        for (std::string& text : texts) pointers.push_back(text.data());
        list.texts = pointers.data();
        list.values = values.data();
        list.count = int32_t(texts.size());
        list.capacity = list.count;
    }
};
