#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "platform/Settings.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Services, InstalledFakeServesUntilItsGuardEndsThenTheDefaultReturns) {
    RecordingDialogs outer;
    {
        ScopedDialogs outerGuard(outer);
        RecordingDialogs inner;
        {
            ScopedDialogs innerGuard(inner);
            EXPECT_EQ(&Dialogs(), &inner);
        }
        EXPECT_EQ(&Dialogs(), &outer);
    }
    EXPECT_EQ(&Dialogs(), &TDialogs::Default());
    EXPECT_NE(dynamic_cast<QtDialogs*>(&Dialogs()), nullptr);
}

TEST(Services, FileFilterBecomesQtFilter) {
    EXPECT_EQ(QtFileFilter(QStringLiteral("Bitmap (*.bmp)|*.bmp|Plot Files|*.ipl;*.txt")),
              QStringLiteral("Bitmap (*.bmp);;Plot Files (*.ipl *.txt)"));
}

TEST(Services, QtSettingsRoundTripThroughIniFilesPerRoot) {
    QTemporaryDir directory;
    const QString machine = directory.filePath(QStringLiteral("machine.ini"));
    const QString user = directory.filePath(QStringLiteral("user.ini"));
    const QString key = QStringLiteral("SOFTWARE\\Varlex\\Themes");
    {
        QtSettings settings(machine, user);
        settings.WriteString(TSettingsRoot::LocalMachine, key,
                             QStringLiteral("Varlex Defined Theme Path"),
                             QStringLiteral("/themes"));
        settings.WriteString(TSettingsRoot::CurrentUser, key,
                             QStringLiteral("User Defined Theme Path"), QStringLiteral("/mine"));
    }
    QtSettings reopened(machine, user);
    EXPECT_EQ(reopened.ReadString(TSettingsRoot::LocalMachine, key,
                                  QStringLiteral("Varlex Defined Theme Path")),
              u"/themes");
    EXPECT_EQ(reopened.ReadString(TSettingsRoot::CurrentUser, key,
                                  QStringLiteral("Varlex Defined Theme Path")),
              QString());
    EXPECT_EQ(reopened.ReadString(TSettingsRoot::CurrentUser, key,
                                  QStringLiteral("User Defined Theme Path")),
              u"/mine");
}

TEST(Services, QtClipboardHoldsSvgBytesUnderTheirMimeType) {
    Clipboard().SetText(QStringLiteral("before"));
    Clipboard().SetSvg(QByteArrayLiteral("<svg/>"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(TClipboard::SvgMimeType()), QByteArrayLiteral("<svg/>"));
    EXPECT_FALSE(data->hasText());
}

TEST(Services, PdfPrinterPrintsOnePageWithTheRequestedLayout) {
    QTemporaryDir directory;
    const QString fileName = directory.filePath(QStringLiteral("chart.pdf"));
    QtPrinter printer(fileName);
    ScopedPrinter guard(printer);
    Printer().SetOrientation(poLandscape);
    Printer().SetTitle(QStringLiteral("Untitled"));
    const auto mode = Printer().DeviceMode();
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->Orientation, TDeviceMode::OrientationLandscape);
    EXPECT_GT(Printer().PageWidth(), Printer().PageHeight());
    EXPECT_TRUE(Printer().ExecutePrintDialog());
    EXPECT_EQ(Printer().Painter(), nullptr);
    Printer().BeginDoc();
    EXPECT_TRUE(Printer().Printing());
    Printer().Painter()->drawLine(0, 0, 100, 100);
    Printer().EndDoc();
    EXPECT_FALSE(Printer().Printing());
    EXPECT_GT(QFileInfo(fileName).size(), 0);
}
