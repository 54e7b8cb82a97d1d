#pragma once
// The Icon page: a row of buttons and the page counter along the top, and 18 picture
// slots in 3 rows of 6, each with its satellite, transponder and service line. The
// buttons, keys, wheel and clicks call the page directly: none of them is a command of
// the window, and none writes a working copy.

#include <array>

#include "pages/icons/icon_page.h"
#include "ui/page_widget.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vesko::ui {

class IconPicture;
class SlotLine;

class IconPageWidget : public PageWidget {
    Q_OBJECT
public:
    IconPageWidget(CEditorDlg& editor, CIconPage& page, QWidget* parent = nullptr);
    void Refresh() override;

    struct SlotWidgets {
        IconPicture* picture = nullptr;
        SlotLine* satelliteLine = nullptr;
        SlotLine* transponderLine = nullptr;
        SlotLine* serviceLine = nullptr;
    };
    const SlotWidgets& Slot(int slot) const { return m_slots[static_cast<std::size_t>(slot)]; }
    QLineEdit* PageNumberBox() const { return m_pageNumber; }
    QLabel* PageLabel() const { return m_pageLabel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QPushButton* Button(const QString& text, const char* name, double x, double width);
    // Runs what a key, button or the wheel asks for and shows the result.
    void Act(IconPageAction action);
    void GoToTypedPage();

    CIconPage& m_page;
    QLineEdit* m_pageNumber;
    QLabel* m_pageLabel;
    std::array<SlotWidgets, CIconPage::kSlotsPerPage> m_slots;
    int m_wheelTurn = 0;  // eighths of a degree not yet turned into a page
};

}  // namespace vesko::ui
