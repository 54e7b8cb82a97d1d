#pragma once
// Names of the files in an icon folder. The receiver looks a service's picture up by a
// name built from where the service is received; people collect pictures named after
// the channel, which the Icon page renames.

#include <string>
#include <string_view>

namespace vesko {

// The receiver's name of a service's icon: "0_0_0_" + orbital position + "_" +
// frequency + "_" + polarization flag + "_" + service id + ".jpg", the numbers in
// upper-case hexadecimal. The position is in tenths of a degree (west below 0), the
// frequency in MHz; the flag is 0 for "H" and 1 for anything else.
inline constexpr std::u16string_view kKeyNamePrefix = u"0_0_0_";
std::u16string IconFileName(std::u16string_view serviceId, std::u16string_view position,
                            std::u16string_view frequency, std::u16string_view polarization);

// A number as the receiver's files hold it: optional blanks and sign, then digits; what
// follows the digits is ignored, and text without digits reads as 0.
long long ReadDecimal(std::u16string_view text);

// True when `name` can name a file inside the icon folder and nothing else: not empty,
// not "." or "..", and without path separators or control characters. A service name
// that is not such a name is never used to build a path.
bool IsPlainFileName(std::u16string_view name);

}  // namespace vesko
