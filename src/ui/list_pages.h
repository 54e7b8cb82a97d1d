#pragma once
// The tab pages built from lists: TV and Radio, Satellite, and the three transponder
// pages (Fav Tv and Fav Radio have a file of their own).

#include "ui/page_widget.h"

class QComboBox;
class QPushButton;

namespace vesko {
class CServicePage;
class CSatellitePage;
class CTransponderPage;
}  // namespace vesko

namespace vesko::ui {

class DragListView;

// Page size of every list page, in dialog units.
inline constexpr double kListPageWidth = 700;
inline constexpr double kListPageHeight = 310;

class ServicePageWidget : public PageWidget {
    Q_OBJECT
public:
    ServicePageWidget(CEditorDlg& editor, CServicePage& page, QWidget* parent = nullptr);
    DragListView* ListView() const { return m_list; }

private:
    CServicePage& m_page;
    DragListView* m_list;
};

class SatellitePageWidget : public PageWidget {
    Q_OBJECT
public:
    SatellitePageWidget(CEditorDlg& editor, CSatellitePage& page, QWidget* parent = nullptr);
    void Refresh() override;
    DragListView* SatelliteView() const { return m_satellites; }
    DragListView* ServiceView() const { return m_services; }
    QPushButton* TunerButton() const { return m_tunerButton; }
    QPushButton* KindButton() const { return m_kindButton; }

protected:
    // A key that moved the satellite list's selection makes its row the current one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSatellitePage& m_page;
    QPushButton* m_tunerButton;
    QPushButton* m_kindButton;
    DragListView* m_satellites;
    DragListView* m_services;
};

class TransponderPageWidget : public PageWidget {
    Q_OBJECT
public:
    TransponderPageWidget(CEditorDlg& editor, CTransponderPage& page, QWidget* parent = nullptr);
    void Refresh() override;
    DragListView* TransponderView() const { return m_transponders; }
    DragListView* ServiceView() const { return m_services; }
    QComboBox* SatelliteChoice() const { return m_satelliteChoice; }
    QPushButton* KindButton() const { return m_kindButton; }

protected:
    // A key that moved the transponder list's selection makes its row the current one;
    // Escape on the satellite transponders writes them in the order the list shows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CTransponderPage& m_page;
    QComboBox* m_satelliteChoice = nullptr;
    QPushButton* m_kindButton;
    DragListView* m_transponders;
    DragListView* m_services;
};

}  // namespace vesko::ui
