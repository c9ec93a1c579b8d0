#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QTimer;

namespace quorvel {

// The update-check page for Version on the configured maker's site, or an empty text when there is
// no version.
QString UpdateCheckURLFor(const QString& version);

// The splash picture shown at start-up, and the About box. As the splash it closes itself after five
// seconds or at a click; as the About box it stays until clicked.
class TSplashForm : public QDialog {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);

    bool AboutMode = false;

    // The program's version ("1.2.3.4"), or an empty text.
    QString GetVersionString();
    // Start-up: shows the splash without waiting, painted at once, unless General/ShowSplash is off.
    void ShowAtStartUp();
    // The Help menu's About: shows the window modally unless the start-up splash is still up.
    void ShowAbout();

    void Timer1Timer();
    void WebSiteTextClick();
    void Image1MouseMove();
    void WebSiteTextMouseMove();
    void CopyrightNoticeMouseUp();
    void Panel1MouseUp();

    // Where the version comes from; tests replace it.
    static QString (*VersionSource)();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetWebSiteTextColor(const QColor& color);

    // Each carries its name as object name.
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* CopyrightNotice = nullptr;
    QLabel* WebSiteText = nullptr;
    QTimer* Timer1 = nullptr;
};

// The splash picture, drawn for the program (401 by 250 pixels).
QPixmap SplashPicture();

}  // namespace quorvel
