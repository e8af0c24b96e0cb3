#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>

// The tests of the core run without the widgets, so that nothing there can reach one; the
// others get the widgets' application object.
#ifdef LINEAVO_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

// Every test program runs with a real application object on the offscreen platform, in the
// C number format unless a test chooses another.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        char runtimeDir[] = "/tmp/lineavo-test-XXXXXX"; // mkdtemp makes it private
        if (mkdtemp(runtimeDir))
            qputenv("XDG_RUNTIME_DIR", runtimeDir);
    }
    TestApplication app(argc, argv);
    TestApplication::setApplicationName(QStringLiteral("Lineavo-Pressolo-Tests"));
    TestApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
