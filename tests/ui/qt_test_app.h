#pragma once
// The QApplication of the ui tests (made by their main).

#include <QApplication>

namespace vesko::testing {

inline QApplication& TestApp() {
    return *qApp;
}

}  // namespace vesko::testing
