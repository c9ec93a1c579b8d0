#include "reports/HelpCommands.h"

#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/PathText.h"
#include "platform/qt/Services.h"
#include "platform/qt/Version.h"
#include "ui/SiteAddresses.h"
#include "ui/SplashForm.h"
#include "ui/TextViewerForm.h"

#include <QUrl>

namespace quorvel {

HelpCommands::HelpCommands(MainFormAccess& form, TSplashForm& splash)
    : CommandGroup(form), splash_(splash), textViewer_(std::make_unique<TTextViewerForm>(&form.Window()))
{
    Connect("Help1", [this] { Help1Click(); });
    Connect("RevisionsMainMenu", [this] { RevisionsMainMenuClick(); });
    Connect("LicenseAgreementMainMenu", [this] { LicenseAgreementMainMenuClick(); });
    Connect("CheckForUpdatesMainMenu", [this] { CheckForUpdatesMainMenuClick(); });
    Connect("About1", [this] { About1Click(); });
    Connect("ReportaBug1", [this] { ReportaBug1Click(); });
    Connect("RequestaFeature1", [this] { RequestaFeature1Click(); });
    Connect("AskaQuestion1", [this] { AskaQuestion1Click(); });
    Connect("QuorvelHomePage1", [this] { QuorvelHomePage1Click(); });
    Connect("Pelmora1", [this] { Pelmora1Click(); });
    Connect("Cartwell1", [this] { Cartwell1Click(); });
    Connect("GamersLedgerCollectorsGuide1", [this] { GamersLedgerCollectorsGuide1Click(); });
    Connect("Snipercade1", [this] { Snipercade1Click(); });
    Connect("StarLadderHighScoreDatabase1", [this] { StarLadderHighScoreDatabase1Click(); });
}

HelpCommands::~HelpCommands() = default;

QString HelpCommands::SupportMailLink(const QString& version, const char* suffix)
{
    // A blank or "&" in the subject must stay in the subject.
    const QByteArray subject = QUrl::toPercentEncoding("Quorvel " + version + QString::fromLatin1(suffix));
    return QStringLiteral("mailto:") + SupportMailAddress + "?Subject=" + QString::fromLatin1(subject);
}

void HelpCommands::Help1Click()
{
    OpenDocument(PathToQString(JoinPath(ShippedDataDir(), "help/index.html")));
}

void HelpCommands::ShowTextFile(const char* fileName, const char* caption)
{
    // The viewer says itself when the file is missing.
    textViewer_->FileName = JoinPath(ShippedDataDir(), fileName);
    textViewer_->setWindowTitle(caption);
    ExecDialog(*textViewer_);
}

void HelpCommands::RevisionsMainMenuClick()
{
    ShowTextFile("revisions.txt", "Quorvel Revision History");
}

void HelpCommands::LicenseAgreementMainMenuClick()
{
    ShowTextFile("license.txt", "Quorvel Licensing");
}

void HelpCommands::CheckForUpdatesMainMenuClick()
{
    // Without a version there is no address to ask.
    if (!UpdateCheckURL.isEmpty())
        OpenDocument(UpdateCheckURL);
}

void HelpCommands::About1Click()
{
    splash_.ShowAbout();
}

void HelpCommands::ReportaBug1Click()
{
    OpenDocument(SupportMailLink(VersionString(), " Bug Report"));
}

void HelpCommands::RequestaFeature1Click()
{
    OpenDocument(SupportMailLink(VersionString(), " Feature Request"));
}

void HelpCommands::AskaQuestion1Click()
{
    OpenDocument(SupportMailLink(VersionString(), " Question"));
}

void HelpCommands::QuorvelHomePage1Click()
{
    OpenDocument(QString::fromLatin1(PelmoraHomePage) + "index.asp?opt=10&data=3&cbt=20");
}

void HelpCommands::Pelmora1Click()
{
    OpenDocument(PelmoraHomePage);
}

void HelpCommands::Cartwell1Click()
{
    OpenDocument(CartwellHomePage);
}

void HelpCommands::GamersLedgerCollectorsGuide1Click()
{
    OpenDocument(GamersLedgerHomePage);
}

void HelpCommands::Snipercade1Click()
{
    OpenDocument(SnipercadeHomePage);
}

void HelpCommands::StarLadderHighScoreDatabase1Click()
{
    OpenDocument(StarLadderHomePage);
}

}  // namespace quorvel
