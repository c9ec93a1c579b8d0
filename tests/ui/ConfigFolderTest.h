#pragma once

#include "support/ConfigDirTest.h"
#include "support/qt/FakeServices.h"
#include "ui/options/OptionsForm.h"

#include <QListWidget>

#include <algorithm>
#include <memory>

namespace quorvel::test {

// The configuration folder with fake services installed and the options dialog built over it.
class ConfigFolderTest : public ConfigDirTest {
protected:
    void TearDown() override
    {
        form.reset();
        ConfigDirTest::TearDown();
    }

    TOptionsForm& MakeForm()
    {
        form = std::make_unique<TOptionsForm>(*settings, platforms);
        return *form;
    }

    template <typename T> T* Child(const char* name) const
    {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static std::vector<std::string> Entries(const QListWidget* list)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->item(i)->text().toStdString());
        return entries;
    }

    // Selects exactly these entries in one step from the current selection, as a click does.
    static void Select(QListWidget* list, const std::vector<std::string>& names)
    {
        auto flag = QItemSelectionModel::ClearAndSelect;
        for (int i = 0; i < list->count(); ++i) {
            if (std::find(names.begin(), names.end(), list->item(i)->text().toStdString()) != names.end()) {
                list->setCurrentRow(i, flag);
                flag = QItemSelectionModel::Select;
            }
        }
    }

    FakeServices fake;
    std::unique_ptr<TOptionsForm> form;
};

}  // namespace quorvel::test
