#pragma once
// Which widget shows which page. Each page widget adds one line to the list in
// page_registry.cpp: PageWidgetFor<ThePage, TheWidget>(), where TheWidget has a
// constructor TheWidget(CEditorDlg&, ThePage&, QWidget* parent).

#include <functional>
#include <vector>

#include "pages/page.h"

class QWidget;

namespace vesko {
class CEditorDlg;
}

namespace vesko::ui {

class PageWidget;

// Makes the widget of a page, or nothing when the page is not this factory's kind.
using PageWidgetFactory = std::function<PageWidget*(CEditorDlg&, CPage&, QWidget* parent)>;

template <class Page, class Widget>
PageWidgetFactory PageWidgetFor() {
    return [](CEditorDlg& editor, CPage& page, QWidget* parent) -> PageWidget* {
        if (auto* typed = dynamic_cast<Page*>(&page)) {
            return new Widget(editor, *typed, parent);
        }
        return nullptr;
    };
}

// The widget of a page (owned by `parent`); null for a page no widget shows.
PageWidget* CreatePageWidget(CEditorDlg& editor, CPage& page, QWidget* parent);

}  // namespace vesko::ui
