#pragma once

#include "model/Utils.h"
#include "support/GlobalsTest.h"
#include "support/qt/FakeServices.h"

#include <QComboBox>
#include <QDialog>

#include <functional>

namespace quorvel::test {

// A temporary folder whose Config/ is the configuration folder, and the fake services.
class DialogTest : public GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        G_ConfigFiles = Path(Dir().string() + "/Config/");
    }
    // Runs the dialog modally while Work does what the user does; Work returns how it closes.
    int Run(
        QDialog& dialog, const std::function<int()>& work = [] { return int(QDialog::Accepted); })
    {
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
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
};

}  // namespace quorvel::test
