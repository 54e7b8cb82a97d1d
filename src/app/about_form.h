#pragma once
// The About box as a form: its texts, the link rectangle and the mouse rules that
// make the web-site line a link.

#include <string>
#include <string_view>

#include "base/platform.h"

namespace vesko {

// The day this editor was built, as the compiler gives it ("May  9 2012").
std::string_view BuildDate();
// The product line: the version and the day it was built.
std::u16string VersionLine(std::string_view buildDate = BuildDate());

// Mouse state flags as the About box sees them with a button press.
enum MouseFlags : unsigned {
    kMouseLeft = 0x1,
    kMouseRight = 0x2,
    kMouseShift = 0x4,
    kMouseControl = 0x8,
    kMouseMiddle = 0x10,
};

struct LinkRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    // Strictly inside: a point on the border does not count.
    bool ContainsStrictly(int x, int y) const {
        return left < x && x < right && top < y && y < bottom;
    }
};

class CAboutDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kCaption = u"About Vesko Editor";
    static constexpr std::u16string_view kSecondLine = u"Channel list editor for DVB receivers";
    static constexpr std::u16string_view kSiteAddress = u"https://vesko-editor.example.org/";

    explicit CAboutDlg(Platform& platform) : m_platform(platform) {}

    // When the dialog opens: the version line and the link's rectangle (client coordinates).
    void Open(const LinkRect& linkRect, std::string_view buildDate = BuildDate());

    // Mouse moved: true when the hand cursor is to be shown.
    bool OnMouseMove(int x, int y) const { return m_linkRect.ContainsStrictly(x, y); }
    // A button went down with `flags`: the site opens for the left button alone inside
    // the link. Returns whether it opened.
    bool OnLeftButtonDown(int x, int y, unsigned flags);

    const std::u16string& GetVersionLine() const { return m_versionLine; }
    const LinkRect& GetLinkRect() const { return m_linkRect; }

private:
    Platform& m_platform;
    std::u16string m_versionLine;
    LinkRect m_linkRect;
};

}  // namespace vesko
