// Test entry point: one QApplication for the whole test program, headless unless told
// otherwise, and the recording operator interface installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "support/ScriptedOperator.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    tarvo::test::ScriptedOperator op;
    tarvo::SetOperator(&op);
    const int rc = RUN_ALL_TESTS();
    tarvo::SetOperator(nullptr);
    return rc;
}
