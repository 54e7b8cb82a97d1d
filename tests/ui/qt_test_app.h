#pragma once
// One QApplication for all ui tests, on the offscreen platform unless told otherwise.

#include <QApplication>

namespace vesko::testing {

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "vesko_ui_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

}  // namespace vesko::testing
