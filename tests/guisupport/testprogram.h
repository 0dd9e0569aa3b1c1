#pragma once

// Window tests that share one program: each file names its test class with
// COCKPIX_TEST_CLASS instead of QTEST_MAIN, and the program's main (gui_tests_main.cpp) runs
// every class named so, each on a fresh object.

#include <QObject>

#include <memory>
#include <vector>

namespace cockpix::test {

using TestClassMaker = std::unique_ptr<QObject> (*)();

inline std::vector<TestClassMaker>& testClasses() {
    static std::vector<TestClassMaker> classes;
    return classes;
}

inline bool addTestClass(TestClassMaker maker) {
    testClasses().push_back(maker);
    return true;
}

} // namespace cockpix::test

#define COCKPIX_TEST_CLASS(TestClass)                                                              \
    namespace {                                                                                    \
    const bool testClassAdded = ::cockpix::test::addTestClass(                                     \
        []() -> std::unique_ptr<QObject> { return std::make_unique<TestClass>(); });               \
    }
