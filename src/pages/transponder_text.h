#pragma once
// How a transponder is named wherever a service shows where it is received (the TV and
// Radio lists, the edit dialog, the Icon page): "frequency/<second><join><third>", with
// the attributes of its kind.

#include <string>
#include <string_view>

namespace vesko {

struct TransponderTextFormat {
    std::u16string_view second;
    std::u16string_view join;
    std::u16string_view third;
};
inline constexpr TransponderTextFormat kSatelliteTextFormat{u"symbol_rate", u"/", u"polarization"};
inline constexpr TransponderTextFormat kTerrestrialTextFormat{u"band", u"/CH", u"channel_no"};
inline constexpr TransponderTextFormat kCableTextFormat{u"symbol_rate", u"/", u"modulation_mode"};

// `attribute(name)` gives the transponder's value of an attribute.
template <class Attribute>
std::u16string TransponderText(const TransponderTextFormat& format, Attribute&& attribute) {
    std::u16string text = attribute(u"frequency");
    text += u'/';
    text += attribute(format.second);
    text += format.join;
    text += attribute(format.third);
    return text;
}

}  // namespace vesko
