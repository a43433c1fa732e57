#pragma once

#include <QApplication>
#include <QtTest>

namespace pellomarin::support {

template <typename Test>
int runQtTest(int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
}

// Runs several QtTest classes in one program, one after another; the exit
// status counts the failures.
template <typename... Tests>
int runQtTests(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    ((failed += runQtTest<Tests>(argc, argv)), ...);
    return failed;
}

}  // namespace pellomarin::support
