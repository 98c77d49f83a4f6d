#pragma once
// main() for a window test: the real application object (with the global error handler),
// offscreen, then the Qt Test class.
#include "ui/common/FkApplication.h"

#include <QtTest>

#define FK_UI_TEST_MAIN(TestClass)                                   \
    int main(int argc, char** argv)                                  \
    {                                                                \
        qputenv("QT_QPA_PLATFORM", "offscreen");                     \
        FkApplication app(argc, argv);                               \
        TestClass test;                                              \
        return QTest::qExec(&test, argc, argv);                      \
    }
