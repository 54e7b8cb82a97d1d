#include "pages/services/name_collator.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

namespace vesko {

void NameCollator::Close::operator()(UCollator* collator) const {
    ucol_close(collator);
}

NameCollator::NameCollator(const std::string& locale) {
    std::string name = locale;
    if (name.empty()) {
        name = uloc_getDefault();
        // ICU's rules for the POSIX locale are plain code-point order, which puts "Zebra"
        // before "apple" and "Émile" after "Zoe": no reader's order.
        if (name.find("POSIX") != std::string::npos)
            name = "root";
    }
    UErrorCode status = U_ZERO_ERROR;
    m_collator.reset(ucol_open(name.c_str(), &status));
    if (U_FAILURE(status)) {
        m_collator.reset();
        return;
    }
    ucol_setAttribute(m_collator.get(), UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
}

NameCollator::~NameCollator() = default;

std::string NameCollator::SortKey(std::u16string_view text) const {
    std::string key;
    if (!m_collator) {
        // Without ICU's data the names still come in a fixed order: by code unit.
        for (const char16_t c : text) {
            key += static_cast<char>(c >> 8);
            key += static_cast<char>(c & 0xFF);
        }
        return key;
    }
    const auto* chars = reinterpret_cast<const UChar*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    key.resize(text.size() * 4 + 16);
    int32_t needed =
        ucol_getSortKey(m_collator.get(), chars, length, reinterpret_cast<uint8_t*>(key.data()),
                        static_cast<int32_t>(key.size()));
    if (needed > static_cast<int32_t>(key.size())) {
        key.resize(static_cast<size_t>(needed));
        needed =
            ucol_getSortKey(m_collator.get(), chars, length, reinterpret_cast<uint8_t*>(key.data()),
                            static_cast<int32_t>(key.size()));
    }
    // The key ends with a zero byte, which compares like the end of the key.
    key.resize(needed > 0 ? static_cast<size_t>(needed - 1) : 0);
    return key;
}

}  // namespace vesko
