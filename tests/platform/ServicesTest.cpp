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

TEST(Services, SaveDialogAppendsTheChosenFiltersEndingToANameWithoutOne) {
    const QString filter = QStringLiteral("Bitmap (*.bmp)|*.bmp|Pictures|*.png;*.jpg|All|*.*");
    EXPECT_EQ(WithFilterEnding(QStringLiteral("/tmp/Untitled"), filter, 0), "/tmp/Untitled.bmp");
    EXPECT_EQ(WithFilterEnding(QStringLiteral("Untitled"), filter, 1), "Untitled.png");
    EXPECT_EQ(WithFilterEnding(QStringLiteral("Untitled"), filter, 2), "Untitled");
    EXPECT_EQ(WithFilterEnding(QStringLiteral("Untitled"), filter, 3), "Untitled");
    EXPECT_EQ(WithFilterEnding(QStringLiteral("Untitled"), filter, -1), "Untitled");
    EXPECT_EQ(WithFilterEnding(QStringLiteral("plot.JPG"), filter, 0), "plot.JPG");

    RecordingDialogs dialogs;
    dialogs.FileNames = {QStringLiteral("a"), QStringLiteral("b")};
    dialogs.ChosenFilter = 1;
    EXPECT_EQ(dialogs.SaveFileName({QString(), filter, {}, {}, {}}), "a.png");
    EXPECT_EQ(dialogs.OpenFileName({QString(), filter, {}, {}, {}}), "b");
}

TEST(Services, QtClipboardHoldsOnePictureInSeveralForms) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    Clipboard().SetContent({picture,
                            {{TClipboard::SvgMimeType(), QByteArrayLiteral("<svg/>")},
                             {TClipboard::PngMimeType(), QByteArrayLiteral("png")}}});
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(TClipboard::SvgMimeType()), QByteArrayLiteral("<svg/>"));
    EXPECT_EQ(data->data(TClipboard::PngMimeType()), QByteArrayLiteral("png"));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(4, 3));

    RecordingClipboard recording;
    recording.SetText(QStringLiteral("x"));
    recording.SetContent({picture, {{TClipboard::SvgMimeType(), QByteArrayLiteral("<svg/>")}}});
    EXPECT_EQ(recording.Text, QString());
    EXPECT_EQ(recording.Image.size(), QSize(4, 3));
    EXPECT_EQ(recording.Forms.size(), 1);
    EXPECT_EQ(recording.Assignments, 2);
}

TEST(Services, PdfPrinterReportsItsResolution) {
    QTemporaryDir directory;
    QtPrinter printer(directory.filePath(QStringLiteral("chart.pdf")));
    EXPECT_EQ(printer.PixelsPerInchX(), 1200);
    EXPECT_EQ(printer.PixelsPerInchY(), 1200);
}
