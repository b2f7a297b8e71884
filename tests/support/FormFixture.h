// A test fixture for the main window on a demo database in a folder of its own (the current
// directory while the test runs), with settings in that folder and no timer running by itself.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <memory>
#include <string>
#include <vector>

#include "db/DataModule.h"
#include "devices/DeviceType.h"
#include "link/Bus.h"
#include "link/Comm.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"
#include "support/TestForm.h"

namespace tarvo::test {

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDir = QDir::currentPath();
        QDir::setCurrent(db.Dir());
        Bus().Clear();
        ScriptedOperator::Instance().Clear();
    }
    void TearDown() override
    {
        form.reset();
        EXPECT_EQ(TheComm(), nullptr);  // the last panel stopped the communication thread
        dm.Disconnect();
        QDir::setCurrent(savedDir);
    }
    // The main window on the database, its timers stopped.
    TestForm& MakeForm()
    {
        dm.Connect(db.Path());
        form = std::make_unique<TestForm>(dm, settings);
        form->StopTimers();
        return *form;
    }
    TDeviceType* Panel(const QString& name) const
    {
        for (TDeviceType* d : form->DeviceList)
            if (d->objectName() == name)
                return d;
        return nullptr;
    }
    std::vector<std::string> Texts() const { return ScriptedOperator::Instance().Texts(); }

    TempDatabase db;
    Settings settings = Settings::AtFile(db.Dir() + "/settings.ini");
    TDModule dm;
    std::unique_ptr<TestForm> form;
    QString savedDir;
};

}  // namespace tarvo::test
