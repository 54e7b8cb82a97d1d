#include "database/schema.h"

#include "xml/decimal_text.h"

namespace vesko {

std::u16string TunerAttribute(std::u16string_view setting, int tunerIndex) {
    std::u16string name(setting);
    if (tunerIndex > 0) {
        name += u'_';
        name += DecimalText(tunerIndex + 1);
    }
    return name;
}

}  // namespace vesko
