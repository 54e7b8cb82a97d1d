#pragma once
// The fixed choices of the satellite and transponder dialogs, and how a stored value
// selects one of them.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vesko {

using ChoiceItems = std::span<const std::u16string_view>;

// LNB types, in list order; the first two are the universal types.
inline constexpr std::array<std::u16string_view, 15> kLnbTypes{u"Uni.(9750/10600)",
                                                               u"Uni.(9750/10750)",
                                                               u"Low Band(9750)",
                                                               u"High Band(10600)",
                                                               u"C-Band(5150)",
                                                               u"KU Band(11300)",
                                                               u"One Cable L",
                                                               u"One Cable H",
                                                               u"KU(10000/10450)",
                                                               u"MDU-1",
                                                               u"MDU-2",
                                                               u"MDU-3",
                                                               u"MDU-4",
                                                               u"KU(10750)",
                                                               u"User"};
inline constexpr int kUserLnbType = 14;
inline constexpr std::array<std::u16string_view, 1> kK22Universal{u"AUTO"};
inline constexpr std::array<std::u16string_view, 2> kOffOn{u"OFF", u"ON"};
inline constexpr std::array<std::u16string_view, 7> kPowers{u"OFF",  u"13",   u"18",       u"13/18",
                                                            u"13.5", u"18.5", u"13.5/18.5"};
inline constexpr std::array<std::u16string_view, 5> kDiseqc10Ports{u"OFF", u"A", u"B", u"C", u"D"};
inline constexpr std::array<std::u16string_view, 17> kDiseqc11Ports{
    u"OFF", u"1",  u"2",  u"3",  u"4",  u"5",  u"6",  u"7", u"8",
    u"9",   u"10", u"11", u"12", u"13", u"14", u"15", u"16"};
inline constexpr std::array<std::u16string_view, 3> kMotors{u"OFF", u"DiSEqC1.2", u"USALS"};

inline constexpr std::array<std::u16string_view, 2> kPolarizations{u"H", u"V"};
inline constexpr std::array<std::u16string_view, 14> kFecs{u"Auto", u"1/2", u"2/3", u"3/4", u"4/5",
                                                           u"5/6",  u"6/7", u"7/8", u"8/9", u"1/4",
                                                           u"1/3",  u"2/5", u"3/5", u"9/10"};
// The satellite Mode choice shows the DVB generation; the file stores the modulation.
inline constexpr std::array<std::u16string_view, 2> kSatModes{u"DVB-S", u"DVB-S2"};
inline constexpr std::array<std::u16string_view, 2> kSatModulations{u"QPSK", u"8PSK"};
inline constexpr std::array<std::u16string_view, 6> kCableModulations{
    u"AUTO", u"16QAM", u"32QAM", u"64QAM", u"128QAM", u"256QAM"};

// The item a stored value selects: the first whose text begins with the value,
// ignoring letter case, searched from the second item on and wrapping round to the
// first; -1 when none does. An empty value (the setting is missing) selects nothing.
int MatchChoice(ChoiceItems items, std::u16string_view stored);

// A drop-down list of a dialog. A stored value that selects no item (one written by a
// newer receiver, say) is kept: unless the user picks an item, the field writes
// nothing and the value stays as it was.
struct Choice {
    Choice() = default;
    explicit Choice(ChoiceItems list) : items(list) {}

    ChoiceItems items;
    int selected = -1;
    std::u16string stored;

    // Selects the item the stored value matches.
    void Show(std::u16string_view value) {
        stored = value;
        selected = MatchChoice(items, value);
    }
    bool Picked() const { return selected >= 0 && selected < static_cast<int>(items.size()); }
    // What the record holds with this choice: the item, or the kept value.
    std::u16string_view Text() const {
        return Picked() ? items[static_cast<std::size_t>(selected)] : std::u16string_view(stored);
    }
};

}  // namespace vesko
