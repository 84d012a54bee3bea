// A window test's screen. Qt's offscreen platform has one screen of 800 x 800
// pixels, on which the main window at its designed place does not fit and is
// moved; these tests run on a screen of the size and scaling they name. On
// any other platform the system's own screen is used.
#pragma once

#include <QApplication>
#include <QtTest>

// Before the application exists: the offscreen screen, `width` x `height`
// device pixels, scaled by `dpi` / 96.
void UseTestScreen(int width, int height, int dpi = 96);

#define DRAVIK_TEST_MAIN_ON_SCREEN(TestObject, width, height, dpi) \
    int main(int argc, char* argv[])                               \
    {                                                              \
        UseTestScreen(width, height, dpi);                         \
        QApplication app(argc, argv);                              \
        TestObject test;                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&test, argc, argv);                    \
    }
