// The main of a program that holds several window test classes. Without arguments it runs
// them all; a first argument that names a class runs that class alone, with the arguments
// after it given to Qt Test (for example: tst_app TestUndo quitAsksOneQuestion).

#include "guisupport/testprogram.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true); // as QTEST_MAIN sets it
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> arguments(argv, argv + argc);
    if (only)
        arguments.erase(arguments.begin() + 1);
    int failed = 0;
    bool found = false;
    for (const cockpix::test::TestClassMaker make : cockpix::test::testClasses()) {
        const std::unique_ptr<QObject> tests = make();
        if (only && std::strcmp(tests->metaObject()->className(), only) != 0)
            continue;
        found = true;
        failed += QTest::qExec(tests.get(), int(arguments.size()), arguments.data());
    }
    if (only && !found) {
        qWarning("no test class %s in this program", only);
        return 1;
    }
    return failed;
}
