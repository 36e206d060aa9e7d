// The one QApplication of the platform tests (fonts, images and widgets need one). Every test
// file reaches it through here or through an equivalent check of QCoreApplication::instance(),
// so whichever test runs first creates it and the others reuse it.
#pragma once

#include <QApplication>

namespace rave::platform::testing {

inline QApplication& TestApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace rave::platform::testing
