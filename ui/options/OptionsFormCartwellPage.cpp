#include "ui/options/OptionsFormCartwellPage.h"

#include "config/ReferenceData.h"
#include "config/SiteAddresses.h"
#include "platform/SafeFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/options/OptionsFormLists.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>

namespace quorvel {

using namespace options;

OptionsCartwellPage::OptionsCartwellPage(QTabWidget* pages, std::function<void()> updateButtons)
    : updateButtons_(std::move(updateButtons))
{
    auto* page = new QWidget;
    platformList_ = NewList(page, "PlatformCartwellLB", QAbstractItemView::SingleSelection);
    systemIdEdit_ = NewEdit("SystemIDEdit", page);
    link_ = new PlainLabel(page);
    link_->setObjectName("CartwellLink");
    // The one label made for markup: a link, its address escaped where it is set.
    link_->setTextFormat(Qt::RichText);
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link_->setCursor(Qt::PointingHandCursor);
    QObject::connect(link_, &QLabel::linkActivated, page,
                     Guarded([] { OpenDocument(ToQString(ConfiguredSiteAddresses().Cartwell)); }));
    auto* note = new QPlainTextEdit(page);
    note->setObjectName("CartwellNote");
    note->setReadOnly(true);
    note->setPlainText("Cartwell is a collector site that catalogues the software and hardware of many platforms. "
                       "Enter the System ID that Cartwell uses for the selected platform; More Info looks items up "
                       "on Cartwell with it.");

    QObject::connect(platformList_, &QListWidget::itemSelectionChanged, page,
                     Guarded([this] { PlatformCartwellClick(); }));
    // Every change is written at once; filling the edit from a platform's file counts as one.
    QObject::connect(systemIdEdit_, &QLineEdit::textChanged, page, Guarded([this] { SystemIdEdited(); }));

    auto* grid = new QGridLayout(page);
    grid->addWidget(new PlainLabel("Platform", page), 0, 0);
    grid->addWidget(platformList_, 1, 0, 4, 1);
    grid->addWidget(new PlainLabel("System ID", page), 0, 1);
    grid->addWidget(systemIdEdit_, 1, 1);
    grid->addWidget(link_, 2, 1);
    grid->addWidget(note, 3, 1);
    pages->addTab(page, "Cartwell");
}

void OptionsCartwellPage::ShowPlatforms(const std::vector<std::string>& names, const std::string& preset)
{
    FillAndSelect(platformList_, names, preset);
    PlatformCartwellClick();
    // The address comes from a file the collector edits: never markup of its own. Last: a file that
    // cannot be read stops here, with the platforms shown.
    const QString site = ToQString(ConfiguredSiteAddresses().Cartwell).toHtmlEscaped();
    link_->setText(QStringLiteral("<a href=\"%1\" style=\"color:blue; text-decoration:underline\">%1</a>").arg(site));
}

void OptionsCartwellPage::UpdateButtons() { systemIdEdit_->setEnabled(!platformList_->selectedItems().isEmpty()); }

void OptionsCartwellPage::PlatformCartwellClick()
{
    failedPlatform_.clear();
    systemIdEdit_->setText(ToQString(ReferenceData::SystemId(SelectedEntry(platformList_))));
    updateButtons_();
}

void OptionsCartwellPage::SystemIdEdited()
{
    const std::string platform = SelectedEntry(platformList_);
    if (platform.empty())
        return;
    try {
        ReferenceData::SaveSystemId(platform, FromQString(systemIdEdit_->text()));
        failedPlatform_.clear();
    } catch (const FileError&) {
        // Every keystroke writes: a file that cannot be read or written is reported once, not per keystroke.
        if (failedPlatform_ == platform)
            return;
        failedPlatform_ = platform;
        throw;
    }
}

}  // namespace quorvel
