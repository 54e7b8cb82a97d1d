#pragma once
// Names in the order their readers expect, through ICU's collation: accented letters
// beside their base letters, each script in its own alphabetical order, and numbers
// inside names by their value ("Sport 2" before "Sport 10").

#include <memory>
#include <string>
#include <string_view>

struct UCollator;

namespace vesko {

class NameCollator {
public:
    // `locale` as ICU names it ("de", "sv", "ru"); empty: the user's own language. A
    // system without one (the "C" locale) gets the common rules of every language.
    explicit NameCollator(const std::string& locale = {});
    ~NameCollator();
    NameCollator(const NameCollator&) = delete;
    NameCollator& operator=(const NameCollator&) = delete;

    // Bytes that compare, byte by byte and shorter first, as the texts collate. Worked
    // out once per name, they make a sort of ten thousand names cheap.
    std::string SortKey(std::u16string_view text) const;

private:
    struct Close {
        void operator()(UCollator* collator) const;
    };
    std::unique_ptr<UCollator, Close> m_collator;
};

}  // namespace vesko
