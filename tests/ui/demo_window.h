#pragma once
// The real main window on a fresh copy of the demo database, shown: the stage of the ui
// tests that play a user's session.

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "app/editor_dlg.h"
#include "fake_platform.h"
#include "temp_dir.h"
#include "ui/main_window.h"
#include "ui/qt_test_app.h"

namespace vesko::testing {

class DemoWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(VESKO_SOURCE_DIR) / "examples/demo", m_folder);
        ASSERT_TRUE(m_editor.OpenDroppedFolder(m_folder));
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    struct App {
        App() { TestApp(); }
    } m_app;  // before any widget
    TempDir m_work{true};
    TempDir m_scratch;
    std::filesystem::path m_folder = m_scratch.Path() / "demo";
    FakePlatform m_platform;
    MemorySettings m_settings;
    CEditorDlg m_editor{m_platform, m_settings};
    ui::MainWindow m_window{m_editor};
};

}  // namespace vesko::testing
