#pragma once

#include "ui/MainFormAccess.h"

#include <QString>

#include <memory>

namespace quorvel {

class TTextViewerForm;

// The Help and Web menus: the local help, web pages and mail links handed to the shell.
class HelpCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit HelpCommands(MainFormAccess& form);
    ~HelpCommands() override;

    void Help1Click();
    void RevisionsMainMenuClick();
    void LicenseAgreementMainMenuClick();
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

    std::unique_ptr<TTextViewerForm> textViewer_;
};

}  // namespace quorvel
