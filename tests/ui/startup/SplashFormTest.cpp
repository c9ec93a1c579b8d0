#include "ui/startup/SplashForm.h"
#include "config/SiteAddresses.h"
#include "model/Utils.h"
#include "support/GlobalsTest.h"
#include "support/qt/FakeServices.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// No configuration folder is known here: the default.
const QString kMakerSite = QString::fromStdString(SiteAddresses {}.MakerSite);

class SplashFormTest : public test::GlobalsTest {
protected:
    void TearDown() override
    {
        TSplashForm::VersionSource = saved;
        GlobalsTest::TearDown();
    }

    static void Send(QWidget* widget, QEvent::Type type)
    {
        const QPointF at(2, 2);
        QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    // A part of the window by its object name.
    template <typename T> static T* Part(const QObject& form, const char* name) { return form.findChild<T*>(name); }
    static void Click(QWidget* widget)
    {
        Send(widget, QEvent::MouseButtonPress);
        Send(widget, QEvent::MouseButtonRelease);
    }

    test::FakeServices fake;
    QString (*saved)() = TSplashForm::VersionSource;
};

TEST_F(SplashFormTest, VersionLabelAndUpdateAddress)
{
    for (auto [version, url] : {std::pair {"1.2.3.4", kMakerSite + "index.asp?OPT=8&DATA=1&VER=1.2.3.4"},
                                std::pair {"", QString()}}) {
        static QString source;
        source = version;
        TSplashForm::VersionSource = [] { return source; };
        TSplashForm form;
        EXPECT_EQ(Part<QLabel>(form, "Version")->text(), "Version " + source);
        EXPECT_EQ(UpdateCheckURLFor(form.GetVersionString()), url);
    }
}

TEST_F(SplashFormTest, SplashClosesOnTimerOrClickAndNeverHoldsTheProgram)
{
    TSplashForm form;
    EXPECT_FALSE(form.testAttribute(Qt::WA_QuitOnClose));
    for (QWidget* target : {Part<QWidget>(form, "Image1"), Part<QWidget>(form, "Version"),
                            Part<QWidget>(form, "CopyrightNotice"), Part<QWidget>(form, "Panel1")}) {
        form.show();
        EXPECT_TRUE(Part<QTimer>(form, "Timer1")->isActive());
        Click(target);
        EXPECT_FALSE(form.isVisible()) << target->metaObject()->className();
    }
    form.show();
    form.Timer1Timer();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(Part<QTimer>(form, "Timer1")->isActive());

    G_ConfigFile = PathOf("Quorvel.ini");
    WriteIniBool(G_ConfigFile, "General", "ShowSplash", false);
    form.ShowAtStartUp();
    EXPECT_FALSE(form.isVisible());
    WriteIniBool(G_ConfigFile, "General", "ShowSplash", true);
    form.ShowAtStartUp();
    EXPECT_TRUE(form.isVisible());

    // A modal box that comes up while the splash shows is not hidden behind it.
    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    EXPECT_FALSE(form.isVisible());
    box.hide();
}

TEST_F(SplashFormTest, LinkOpensTheSiteAndChangesColourOnHover)
{
    TSplashForm form;
    form.show();
    Send(Part<QWidget>(form, "Image1"), QEvent::MouseMove);
    EXPECT_EQ(Part<QLabel>(form, "WebSiteText")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    Send(Part<QWidget>(form, "WebSiteText"), QEvent::MouseMove);
    EXPECT_EQ(Part<QLabel>(form, "WebSiteText")->palette().color(QPalette::WindowText), QColor(Qt::white));
    Click(Part<QWidget>(form, "WebSiteText"));
    EXPECT_EQ(fake.openedUrls, (std::vector<QUrl> {QUrl(kMakerSite)}));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SplashFormTest, AboutWaitsForTheSplashThenStaysUntilClicked)
{
    TSplashForm form;
    form.show();
    form.ShowAbout();  // the start-up splash is still up: nothing
    EXPECT_FALSE(form.AboutMode);
    form.Timer1Timer();

    bool timerRan = true;
    fake.dialogAnswers.push_back([&](QDialog&) {
        timerRan = Part<QTimer>(form, "Timer1")->isActive();
        Click(Part<QWidget>(form, "Image1"));
        EXPECT_FALSE(form.isVisible());
        return int(QDialog::Rejected);
    });
    form.ShowAbout();
    EXPECT_TRUE(form.AboutMode);
    EXPECT_FALSE(timerRan);
}

}  // namespace
}  // namespace quorvel
