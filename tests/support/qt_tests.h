#pragma once

#include <QApplication>
#include <QtTest>

namespace pellomarin::support {

// Runs several QtTest classes in one program, one after another; the exit
// status counts the failures.
template <typename... Tests>
int runQtTests(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    ((failed += QTest::qExec(std::make_unique<Tests>().get(), argc, argv)), ...);
    return failed;
}

}  // namespace pellomarin::support
