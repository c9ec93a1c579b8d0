#include "ui/commands/WebCommands.h"

#include "config/SiteAddresses.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "platform/qt/Version.h"
#include "ui/window/MenuNames.h"
#include "ui/startup/SplashForm.h"

#include <QUrl>

namespace quorvel {

WebCommands::WebCommands(MainFormAccess& form, TSplashForm& splash, QString version)
    : CommandGroup(form), Version(std::move(version)), splash_(splash)
{
    Connect(entry::Help1, [this] { Help1Click(); });
    Connect(entry::CheckForUpdatesMainMenu, [this] { CheckForUpdatesMainMenuClick(); });
    Connect(entry::About1, [this] { About1Click(); });
    Connect(entry::ReportaBug1, [this] { ReportaBug1Click(); });
    Connect(entry::RequestaFeature1, [this] { RequestaFeature1Click(); });
    Connect(entry::AskaQuestion1, [this] { AskaQuestion1Click(); });
    Connect(entry::QuorvelHomePage1, [this] { QuorvelHomePage1Click(); });
    Connect(entry::Pelmora1, [this] { Pelmora1Click(); });
    Connect(entry::Cartwell1, [this] { Cartwell1Click(); });
    Connect(entry::GamersLedgerCollectorsGuide1, [this] { GamersLedgerCollectorsGuide1Click(); });
    Connect(entry::Snipercade1, [this] { Snipercade1Click(); });
    Connect(entry::StarLadderHighScoreDatabase1, [this] { StarLadderHighScoreDatabase1Click(); });
}

QString WebCommands::SupportMailLink(const QString& version, const char* suffix)
{
    // A blank or "&" in the subject must stay in the subject.
    const QByteArray subject = QUrl::toPercentEncoding("Quorvel " + version + QString::fromLatin1(suffix));
    return "mailto:" + ToQString(ConfiguredSiteAddresses().SupportMail) + "?Subject=" + QString::fromLatin1(subject);
}

void WebCommands::Help1Click() { OpenDocument(PathToQString(JoinPath(ShippedDataDir(), "help/index.html"))); }

void WebCommands::CheckForUpdatesMainMenuClick()
{
    // Without a version there is no address to ask.
    const QString address = UpdateCheckURLFor(Version);
    if (!address.isEmpty())
        OpenDocument(address);
}

void WebCommands::About1Click() { splash_.ShowAbout(); }

void WebCommands::ReportaBug1Click() { OpenDocument(SupportMailLink(VersionString(), " Bug Report")); }

void WebCommands::RequestaFeature1Click() { OpenDocument(SupportMailLink(VersionString(), " Feature Request")); }

void WebCommands::AskaQuestion1Click() { OpenDocument(SupportMailLink(VersionString(), " Question")); }

void WebCommands::QuorvelHomePage1Click()
{
    OpenDocument(ToQString(ConfiguredSiteAddresses().MakerSite + "index.asp?opt=10&data=3&cbt=20"));
}

void WebCommands::Pelmora1Click() { OpenDocument(ToQString(ConfiguredSiteAddresses().MakerSite)); }

void WebCommands::Cartwell1Click() { OpenDocument(ToQString(ConfiguredSiteAddresses().Cartwell)); }

void WebCommands::GamersLedgerCollectorsGuide1Click()
{
    OpenDocument(ToQString(ConfiguredSiteAddresses().GamersLedger));
}

void WebCommands::Snipercade1Click() { OpenDocument(ToQString(ConfiguredSiteAddresses().Snipercade)); }

void WebCommands::StarLadderHighScoreDatabase1Click()
{
    OpenDocument(ToQString(ConfiguredSiteAddresses().StarLadder));
}

}  // namespace quorvel
