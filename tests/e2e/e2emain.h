// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QApplication>
#include <QtTest>

// The end-to-end tests drive the program on displays of their own; the
// reference pictures they compare with come from the program's window on
// Qt's offscreen platform, in the test itself.
#define CLICKSHOW_E2E_MAIN(TestClass)                                                                 \
    int main(int argc, char *argv[])                                                                   \
    {                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                       \
        QApplication app(argc, argv);                                                                  \
        TestClass test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                        \
    }
