#pragma once

#include "ui/MainFormAccess.h"

#include <QString>

#include <memory>

namespace quorvel {

class TSplashForm;
class TTextViewerForm;

// The Help and Web menus: the local help, the two text files, the About window, the update check,
// web pages and mail links handed to the shell.
class HelpCommands : public CommandGroup {
    Q_OBJECT
public:
    HelpCommands(MainFormAccess& form, TSplashForm& splash);
    ~HelpCommands() override;

    void Help1Click();
    void RevisionsMainMenuClick();
    void LicenseAgreementMainMenuClick();
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

    // The mail link to the maker's support with the subject "Quorvel " + version + Suffix, encoded.
    static QString SupportMailLink(const QString& version, const char* suffix);

    TTextViewerForm& TextViewer() { return *textViewer_; }

private:
    void ShowTextFile(const char* fileName, const char* caption);

    TSplashForm& splash_;
    std::unique_ptr<TTextViewerForm> textViewer_;
};

}  // namespace quorvel
