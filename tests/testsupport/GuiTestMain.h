#pragma once

#include "app/ZQApplication.h"

#include <QTest>

// Runs a widget test inside the program's own application object, so that errors escaping handlers
// reach the user as they would in the program.
#define ZQ_GUI_TEST_MAIN(TestObject)                                                                         \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        TZQApplication application(argc, argv);                                                              \
        TestObject test;                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
