#pragma once

#include "ui/window/MainFormAccess.h"

#include <QString>

namespace quorvel {

class TSplashForm;

// What the Help and Web menus hand to the shell (the local help, web pages, mail links, the update
// check) and the About window. The addresses are those configured when the entry is chosen.
class WebCommands : public CommandGroup {
    Q_OBJECT
public:
    // Version: the running version, empty without one (then there is no update check to ask).
    WebCommands(MainFormAccess& form, TSplashForm& splash, QString version);

    void Help1Click();
    void CheckForUpdatesMainMenuClick();
    void About1Click();
    void ReportaBug1Click();
    void RequestaFeature1Click();
    void AskaQuestion1Click();
    void QuorvelHomePage1Click();
    void Pelmora1Click();
    void Cartwell1Click();
    void GamersLedgerCollectorsGuide1Click();
    void Snipercade1Click();
    void StarLadderHighScoreDatabase1Click();

    // The mail link to the configured support mailbox with the subject "Quorvel " + version + Suffix,
    // encoded.
    static QString SupportMailLink(const QString& version, const char* suffix);

    QString Version;

private:
    TSplashForm& splash_;
};

}  // namespace quorvel
