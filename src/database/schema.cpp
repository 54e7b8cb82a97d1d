#include "database/schema.h"

namespace vesko {

std::u16string TunerAttribute(std::u16string_view setting, int tunerIndex) {
    std::u16string name(setting);
    if (tunerIndex > 0) {
        name += u'_';
        for (char c : std::to_string(tunerIndex + 1)) {
            name += static_cast<char16_t>(c);
        }
    }
    return name;
}

}  // namespace vesko
