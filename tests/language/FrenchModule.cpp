#include "FrenchModule.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/ModuleLoader.h"

namespace testing_support {
namespace {

const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

template <typename T>
T Bind(platform::ModuleHandle module, const char* name) {
    void* p = platform::FindEntryPoint(module, name);
    if (!p) throw std::runtime_error(std::string("missing export ") + name);
    return reinterpret_cast<T>(p);
}

struct Loaded {
    platform::ModuleHandle handle = nullptr;
    Exports exports{};
    Loaded() {
        handle = platform::LoadModule(FRENCH_MODULE_PATH);
        if (!handle)
            throw std::runtime_error("cannot load " FRENCH_MODULE_PATH ": " + platform::LastErrorMessage());
        exports = {Bind<GetVerbCountFn>(handle, "GetVerbCount"),
                   Bind<GetVerbFn>(handle, "GetVerb"),
                   Bind<GetEnglishDefinitionFn>(handle, "GetEnglishDefinition"),
                   Bind<GetTenseNameFn>(handle, "GetTenseName"),
                   Bind<GetTenseName2Fn>(handle, "GetTenseName2"),
                   Bind<GetTabNameFn>(handle, "GetTabName"),
                   Bind<GetLanguageFn>(handle, "GetLanguage"),
                   Bind<GetLanguageVersionFn>(handle, "GetLanguageVersion"),
                   Bind<GetQuestionFn>(handle, "GetQuestion"),
                   Bind<ConjugateVerbFn>(handle, "ConjugateVerb"),
                   Bind<FindFn>(handle, "Find"),
                   Bind<FreeSearchPtrFn>(handle, "FreeSearchPtr"),
                   Bind<SetSearchProgressHwndFn>(handle, "SetSearchProgressHwnd"),
                   Bind<LookupFormFn>(handle, "LookupForm")};
    }
};

Loaded& Instance() {
    static Loaded loaded;
    return loaded;
}

}  // namespace

const Exports& Module() { return Instance().exports; }
platform::ModuleHandle ModuleHandle() { return Instance().handle; }

std::string ToUtf8(const char* text) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        char32_t cp = *p;
        if (cp >= 0x80 && cp < 0xA0) cp = kHigh[cp - 0x80] ? kHigh[cp - 0x80] : U'?';
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string ToCp1252(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = utf8[i];
        char32_t cp;
        if (c < 0x80) {
            cp = c;
            i += 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = ((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
            i += 2;
        } else {
            cp = ((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
            i += 3;
        }
        if (cp < 0x100 && !(cp >= 0x80 && cp < 0xA0)) {
            out += static_cast<char>(cp);
            continue;
        }
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] == cp) out += static_cast<char>(0x80 + k);
    }
    return out;
}

std::vector<int> VerbIndices(const std::string& infinitive) {
    const std::string wanted = ToCp1252(infinitive);
    std::vector<int> found;
    for (int i = 0; i < Module().GetVerbCount(); ++i)
        if (wanted == Module().GetVerb(i)) found.push_back(i);
    return found;
}

int VerbIndex(const std::string& infinitive) {
    const auto all = VerbIndices(infinitive);
    return all.empty() ? -1 : all.front();
}

Conjugation Conjugate(int verbIndex, bool pronominal, bool alternate, bool suppressPlaceholders) {
    Conjugation c;
    // Separate buffers of exactly the guaranteed size, so that the address
    // sanitizer sees any write past one of them.
    std::vector<std::vector<char>> buffers(FormSlotCount, std::vector<char>(FormBufferSize, 0));
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) forms[s] = buffers[s].data();
    char labels[256] = {};
    bool useAlternate = alternate;
    c.pronominal = pronominal;
    c.ok = Module().ConjugateVerb(verbIndex, suppressPlaceholders, &c.hasAlternate, &c.canBePronominal,
                                  &useAlternate, &c.pronominal, labels, forms);
    if (!c.ok) return c;
    c.labels[0] = ToUtf8(labels);
    c.labels[1] = ToUtf8(labels + std::strlen(labels) + 1);
    for (int s = 0; s < FormSlotCount; ++s) c.forms[s] = ToUtf8(buffers[s].data());
    return c;
}

Conjugation Conjugate(const std::string& infinitive, bool pronominal, bool alternate,
                      bool suppressPlaceholders) {
    const int index = VerbIndex(infinitive);
    if (index < 0) throw std::runtime_error("no verb " + infinitive);
    return Conjugate(index, pronominal, alternate, suppressPlaceholders);
}

std::vector<SearchResult> Search(const std::string& pattern, int32_t flags, int32_t* capacity) {
    SearchResultList* list = nullptr;
    const std::string cp = ToCp1252(pattern);
    Module().Find(cp.c_str(), flags, &list);
    std::vector<SearchResult> results;
    if (!list) return results;
    for (int i = 0; i < list->count; ++i) results.push_back({ToUtf8(list->texts[i]), list->values[i]});
    if (capacity) *capacity = list->capacity;
    Module().FreeSearchPtr(list);
    return results;
}

std::vector<SearchResult> Lookup(const std::string& text, int32_t flags) {
    SearchResultList* list = nullptr;
    const std::string cp = ToCp1252(text);
    Module().LookupForm(cp.c_str(), flags, &list);
    std::vector<SearchResult> results;
    if (!list) return results;
    for (int i = 0; i < list->count; ++i) results.push_back({ToUtf8(list->texts[i]), list->values[i]});
    Module().FreeSearchPtr(list);
    return results;
}

}  // namespace testing_support
