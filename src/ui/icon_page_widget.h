#pragma once
// The Icon page: a row of buttons and the page counter along the top, and 18 picture
// slots, each with its satellite, transponder and service line.

#include <array>

#include "ui/page_widget.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vesko {
class CIconPage;
}

namespace vesko::ui {

class IconPicture;

class IconPageWidget : public PageWidget {
    Q_OBJECT
public:
    IconPageWidget(CEditorDlg& editor, CIconPage& page, QWidget* parent = nullptr);
    void Refresh() override;

private:
    struct SlotWidgets {
        IconPicture* picture = nullptr;
        QLabel* satelliteLine = nullptr;
        QLabel* transponderLine = nullptr;
        QLabel* serviceLine = nullptr;
    };

    QPushButton* Button(const QString& text, double x, double width);

    CIconPage& m_page;
    QLineEdit* m_pageNumber;
    QLabel* m_pageLabel;
    std::array<SlotWidgets, 18> m_slots;
};

}  // namespace vesko::ui
