#include "ui/startup/SplashForm.h"

#include "config/SettingKeys.h"
#include "config/SiteAddresses.h"
#include "model/Utils.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "platform/qt/Version.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QTimer>

namespace quorvel {

QString (*TSplashForm::VersionSource)() = &VersionString;

QString UpdateCheckURLFor(const QString& version)
{
    if (version.isEmpty())
        return {};
    return ToQString(ConfiguredSiteAddresses().MakerSite) + "index.asp?OPT=8&DATA=1&VER=" + version;
}

namespace {

constexpr int kClientWidth = 407;
constexpr int kClientHeight = 277;

QLabel* MakeLabel(QWidget* parent, const QRect& place, const QFont& font)
{
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setMouseTracking(true);
    return label;
}

// One cartridge seen from the front: shell, grip ridges and a label in Color.
void DrawCartridge(QPainter& p, const QRectF& body, const QColor& shell, const QColor& label)
{
    QPainterPath outline;
    outline.addRoundedRect(body, 6, 6);
    QLinearGradient shade(body.topLeft(), body.topRight());
    shade.setColorAt(0, shell.lighter(125));
    shade.setColorAt(1, shell.darker(130));
    p.fillPath(outline, shade);
    p.setPen(QPen(shell.darker(170), 1.5));
    p.drawPath(outline);

    const QRectF face(body.left() + 9, body.top() + 10, body.width() - 18, body.height() * 0.55);
    QLinearGradient shine(face.topLeft(), face.bottomLeft());
    shine.setColorAt(0, label.lighter(140));
    shine.setColorAt(1, label.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(face, 3, 3);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QPointF(face.center().x(), face.top() + face.height() * 0.45), face.width() * 0.22,
                  face.width() * 0.22);

    p.setPen(QPen(shell.darker(160), 2));
    for (int i = 0; i < 4; ++i) {
        const qreal y = body.bottom() - 10 - i * 6;
        p.drawLine(QPointF(body.left() + 12, y), QPointF(body.right() - 12, y));
    }
}

}  // namespace

QPixmap SplashPicture()
{
    QPixmap picture(401, 250);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 250);
    sky.setColorAt(0, QColor(12, 18, 48));
    sky.setColorAt(0.55, QColor(40, 28, 86));
    sky.setColorAt(1, QColor(92, 36, 92));
    p.fillRect(picture.rect(), sky);

    // A fixed scatter of stars, the same on every start.
    quint32 seed = 20261206u;
    for (int i = 0; i < 70; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int x = int(seed % 401u);
        seed = seed * 1664525u + 1013904223u;
        const int y = int(seed % 130u);
        p.setPen(QColor(255, 255, 255, 60 + int(seed >> 25)));
        p.drawPoint(x, y);
    }

    // A shelf with three cartridges standing on it.
    p.fillRect(QRectF(0, 196, 401, 6), QColor(150, 96, 60));
    p.fillRect(QRectF(0, 202, 401, 3), QColor(90, 56, 36));
    DrawCartridge(p, QRectF(96, 112, 64, 84), QColor(120, 124, 136), QColor(214, 72, 64));
    DrawCartridge(p, QRectF(168, 100, 66, 96), QColor(60, 62, 70), QColor(238, 186, 58));
    DrawCartridge(p, QRectF(242, 112, 64, 84), QColor(150, 150, 160), QColor(64, 160, 220));

    QFont title("Arial", 26, QFont::Bold);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRectF(2, 208, 401, 40), Qt::AlignCenter, "QUORVEL");
    p.setPen(QColor(250, 236, 200));
    p.drawText(QRectF(0, 206, 401, 40), Qt::AlignCenter, "QUORVEL");
    return picture;
}

TSplashForm::TSplashForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // Never keeps the program alive once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(QFont("Arial"));
    setCursor(Qt::WaitCursor);

    // The window has no title bar, so it loses that much height.
    const int height = kClientHeight - style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setFixedSize(kClientWidth, height);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 0, kClientWidth, height);

    Image1 = new QLabel(Panel1);
    Image1->setPixmap(SplashPicture());
    Image1->setGeometry(1, 1, 401, 250);
    Image1->setMouseTracking(true);

    QFont bold("Arial");
    bold.setBold(true);
    Version = MakeLabel(Panel1, QRect(29, 38, 345, 25), bold);
    CopyrightNotice = MakeLabel(Panel1, QRect(29, 53, 345, 28), bold);
    CopyrightNotice->setWordWrap(true);
    WebSiteText = MakeLabel(Panel1, QRect(29, 73, 345, 17), bold);
    WebSiteText->setText("Visit the Pelmora!");
    WebSiteText->setCursor(Qt::PointingHandCursor);

    for (QWidget* w : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Image1), static_cast<QWidget*>(Version),
                       static_cast<QWidget*>(CopyrightNotice), static_cast<QWidget*>(WebSiteText)})
        w->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(5000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));

    const std::pair<QObject*, const char*> names[] = {
        {Panel1, "Panel1"},           {Image1, "Image1"}, {Version, "Version"}, {CopyrightNotice, "CopyrightNotice"},
        {WebSiteText, "WebSiteText"}, {Timer1, "Timer1"}};
    for (const auto& [part, name] : names)
        part->setObjectName(name);

    Version->setText("Version " + GetVersionString());
    CopyrightNotice->setText(PelmoraRightsNotice);

    const QSize screen = Screen().PrimaryScreenSize();
    move((screen.width() - width()) / 2, (screen.height() - height) / 2);
}

QString TSplashForm::GetVersionString() { return VersionSource ? VersionSource() : QString(); }

void TSplashForm::ShowAtStartUp()
{
    AboutMode = false;
    if (!ReadIniBool(G_ConfigFile, "General", setting::ShowSplash, true))
        return;
    show();
    // Paint now: the main window is still being built.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashForm::ShowAbout()
{
    // While the start-up splash is still up, About does nothing.
    if (isVisible())
        return;
    AboutMode = true;
    ExecDialog(*this);
}

void TSplashForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!AboutMode) {
        Timer1->start();
        // A message box that comes up during start-up must not sit hidden behind the splash.
        qApp->installEventFilter(this);
    }
}

void TSplashForm::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

void TSplashForm::Timer1Timer()
{
    Timer1->stop();
    hide();
}

void TSplashForm::WebSiteTextClick() { OpenDocument(ToQString(ConfiguredSiteAddresses().MakerSite)); }

void TSplashForm::SetWebSiteTextColor(const QColor& color)
{
    QPalette palette = WebSiteText->palette();
    if (palette.color(QPalette::WindowText) == color)
        return;
    palette.setColor(QPalette::WindowText, color);
    WebSiteText->setPalette(palette);
}

void TSplashForm::Image1MouseMove() { SetWebSiteTextColor(QColor(255, 255, 0)); }

void TSplashForm::WebSiteTextMouseMove() { SetWebSiteTextColor(Qt::white); }

void TSplashForm::CopyrightNoticeMouseUp() { Timer1Timer(); }

void TSplashForm::Panel1MouseUp() { Timer1Timer(); }

bool TSplashForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && isVisible() && !AboutMode) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget != this && widget->isWindow() && widget->windowModality() != Qt::NonModal)
            Timer1Timer();
        return false;
    }
    if (watched == WebSiteText) {
        if (type == QEvent::MouseMove)
            WebSiteTextMouseMove();
        if (type == QEvent::MouseButtonPress)
            return true;  // the release that follows is the click
        if (type == QEvent::MouseButtonRelease) {
            if (WebSiteText->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                RunCommand([this] { WebSiteTextClick(); });
            return true;  // the link's release never closes the window
        }
        return false;
    }
    if (watched == Image1 && type == QEvent::MouseMove)
        Image1MouseMove();
    if (watched == Panel1 || watched == Image1 || watched == Version || watched == CopyrightNotice) {
        if (type == QEvent::MouseButtonPress)
            return true;
        if (type == QEvent::MouseButtonRelease) {
            if (watched == CopyrightNotice)
                CopyrightNoticeMouseUp();
            else
                Panel1MouseUp();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quorvel
