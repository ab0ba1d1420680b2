// Qt tests run GoogleTest inside one application, offscreen unless a platform is named (also
// when CTest lists the tests, before its environment applies): a QApplication for widget tests,
// a QGuiApplication where KORVEL_TEST_WITHOUT_WIDGETS is defined (what draws without widgets).

#include <gtest/gtest.h>

#ifdef KORVEL_TEST_WITHOUT_WIDGETS
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TestApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
