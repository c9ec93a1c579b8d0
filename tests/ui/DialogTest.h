#pragma once

#include "model/Utils.h"
#include "support/TempDir.h"
#include "support/qt/FakeServices.h"

#include <QComboBox>
#include <QDialog>
#include <QStringList>

#include <functional>

namespace quorvel::test {

// A temporary folder whose Config/ is the configuration folder, and the fake services.
class DialogTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        savedConfigFiles_ = G_ConfigFiles;
        G_ConfigFiles = Dir().string() + "/Config/";
    }
    void TearDown() override
    {
        G_ConfigFiles = savedConfigFiles_;
        TempDirTest::TearDown();
    }

    // Queues what the user does while the next modal dialog is open; Work returns how it closes.
    void Answer(const std::function<int()>& work = [] { return int(QDialog::Accepted); })
    {
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
    }
    int Run(QDialog& dialog, const std::function<int()>& work = [] { return int(QDialog::Accepted); })
    {
        Answer(work);
        return ExecDialog(dialog);
    }
    static QStringList Entries(const QComboBox* box)
    {
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        return entries;
    }

    FakeServices fake;

private:
    std::string savedConfigFiles_;
};

}  // namespace quorvel::test
