#include "../component/PlotComponentTestSupport.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Exception.h"
#include "platform/Metafile.h"
#include "platform/Printer.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotOutput.h"
#include "plot/iPlotPrinting.h"
#include "plot/iPlotToolBar.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using K = TiPlotObjectKind;

// The painted part of an image: every pixel that is not the page's white.
QRect PaintedRect(const QImage& Image) {
    QRect painted;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (Image.pixel(x, y) != qRgb(255, 255, 255)) painted |= QRect(x, y, 1, 1);
    return painted;
}

// A printer whose page is an image, with a printer list, a device mode that may be missing,
// and the calls made on it logged.
class ImagePrinter : public TPrinter {
public:
    QStringList Printers() override { return {QStringLiteral("Office"), QStringLiteral("Lab")}; }
    int PrinterIndex() override { return index; }
    void SetPrinterIndex(int Index) override {
        index = Index;
        Log << QStringLiteral("index %1").arg(Index);
    }
    void SetOrientation(TPrinterOrientation Value) override { orientation = Value; }
    void SetTitle(const QString& Value) override { title = Value; }
    std::optional<TDeviceMode> DeviceMode() override {
        if (missingDeviceModes > 0) {
            --missingDeviceModes;
            return std::nullopt;
        }
        return TDeviceMode{TDeviceMode::PaperA4, TDeviceMode::OrientationLandscape};
    }
    int PageWidth() override { return pageSize.width(); }
    int PageHeight() override { return pageSize.height(); }
    int PixelsPerInchX() override { return 100; }
    int PixelsPerInchY() override { return 100; }
    bool ExecutePrintDialog() override {
        Log << QStringLiteral("dialog");
        return dialogAnswer;
    }
    bool Printing() override { return painter != nullptr; }
    void BeginDoc() override {
        Log << QStringLiteral("begin");
        page = QImage(pageSize, QImage::Format_RGB32);
        page.fill(Qt::white);
        painter = std::make_unique<QPainter>(&page);
    }
    void EndDoc() override {
        Log << QStringLiteral("end");
        painter.reset();
    }
    QPainter* Painter() override { return painter.get(); }

    QStringList Log;
    int index = 0;
    int missingDeviceModes = 0;
    bool dialogAnswer = true;
    TPrinterOrientation orientation = poPortrait;
    QString title;
    // An 11 x 8.5 inch page at 100 pixels per inch.
    QSize pageSize{1100, 850};
    QImage page;
    std::unique_ptr<QPainter> painter;
};

class PlotOutput : public ::testing::Test {
protected:
    void SetUp() override { plot.GetChannel(0)->AddXY(0, 0); }

    TiPlotToolBar* ToolBar(int Index) { return plot.GetToolBar(Index); }
    bool AnySelected() {
        for (int kind = 0; kind < PlotObjectKindCount; ++kind)
            for (int i = 0; i < plot.Master()->Count(K(kind)); ++i)
                if (plot.Master()->Get(K(kind), i)->UserSelected()) return true;
        return false;
    }
    // Whether a change waits for the end of an update batch instead of repainting.
    bool Batched() {
        plot.SetAutoFrameRate(false);
        const int before = plot.Repaints;
        plot.InvalidateChange();
        return plot.Repaints == before;
    }
    // The plot as a copy shows it: toolbars hidden for the moment.
    QImage WithoutToolBars() {
        const bool visible = ToolBar(0)->Visible();
        ToolBar(0)->SetVisible(false);
        const QImage image = plot.PaintToBitmap()->Image();
        ToolBar(0)->SetVisible(visible);
        return image;
    }

    TestStripPlot plot;
};

class PlotPrint : public PlotOutput {
protected:
    ImagePrinter printer;
    ScopedPrinter guard{printer};
};

class PlotSave : public PlotOutput {
protected:
    QString Path(const QString& Name) const { return directory.filePath(Name); }
    // Saves through the dialog answered with Name, the filter at Chosen picked.
    QString SaveAs(const QString& Name, int Chosen = 0) {
        dialogs.FileNames.push_back(Path(Name));
        dialogs.ChosenFilter = Chosen;
        return MessageOf([&] { plot.Save(); });
    }
    QByteArray Bytes(const QString& Name) const {
        QFile file(Path(Name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir directory;
    RecordingDialogs dialogs;
    ScopedDialogs guard{dialogs};
};

} // namespace

TEST_F(PlotOutput, VectorCopyPutsSvgAndPngOfThePlotWithoutToolBarsOnTheClipboard) {
    const QImage expected = WithoutToolBars();
    plot.GetChannel(0)->SetUserSelected(true);
    plot.CopyToClipBoard();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray svg = data->data(TClipboard::SvgMimeType());
    EXPECT_TRUE(svg.contains("<title>Varlex</title>"));
    EXPECT_TRUE(svg.contains("<desc>Strip Chart</desc>"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 500 200\""));
    EXPECT_EQ(QImage::fromData(data->data(TClipboard::PngMimeType()), "PNG")
                  .convertToFormat(QImage::Format_RGB32),
              expected);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              expected);
    EXPECT_TRUE(ToolBar(0)->Visible());
    EXPECT_FALSE(AnySelected());
}

TEST_F(PlotOutput, BitmapAndJpegCopiesUseTheirOwnForms) {
    plot.SetCopyToClipBoardFormat(TiPlotComponent::ipefBitmap);
    plot.CopyToClipBoard();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              WithoutToolBars());

    plot.SetCopyToClipBoardFormat(TiPlotComponent::ipefJPEG);
    plot.CopyToClipBoard();
    const QByteArray jpeg =
        QGuiApplication::clipboard()->mimeData()->data(TClipboard::JpegMimeType());
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
    // Baseline (start of frame 0), not progressive.
    EXPECT_TRUE(jpeg.contains("\xFF\xC0"));
    EXPECT_FALSE(jpeg.contains("\xFF\xC2"));
    EXPECT_EQ(QImage::fromData(jpeg, "JPEG").size(), QSize(500, 200));
}

TEST_F(PlotOutput, CopyGivesEachToolBarItsOwnVisibleBackAndWorksWithoutToolBars) {
    plot.AddToolBar();
    ToolBar(0)->SetVisible(false);
    ToolBar(1)->SetVisible(true);
    plot.CopyToClipBoard();
    EXPECT_FALSE(ToolBar(0)->Visible());
    EXPECT_TRUE(ToolBar(1)->Visible());

    plot.RemoveAllToolBars();
    plot.SetCopyToClipBoardFormat(TiPlotComponent::ipefBitmap);
    plot.CopyToClipBoard();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(500, 200));
}

TEST_F(PlotOutput, CopyRunsInOneUpdateBatch) {
    plot.SetAutoFrameRate(false);
    const int before = plot.Repaints;
    plot.CopyToClipBoard();
    // Hiding and showing the toolbar would repaint twice outside a batch.
    EXPECT_EQ(plot.Repaints - before, 1);
    EXPECT_FALSE(Batched());
}

TEST_F(PlotOutput, SnapShotIsOwnedByThePlotAndReplacedByTheNextCall) {
    plot.GetChannel(0)->SetUserSelected(true);
    TMetafile* first = plot.GetSnapShotPicture();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Data().contains("<title>Varlex</title>"));
    EXPECT_EQ(first->Width(), 500);
    plot.resize(300, 120);
    EXPECT_EQ(plot.GetSnapShotPicture(), first);
    EXPECT_EQ(first->Width(), 300);
    EXPECT_EQ(first->Height(), 120);
    // Toolbars and selection stay as they are.
    EXPECT_TRUE(ToolBar(0)->Visible());
    EXPECT_TRUE(plot.GetChannel(0)->UserSelected());
}

TEST(PlotPrintPlacement, ScalesUniformlyIntoTheTopLeftMarginCorner) {
    // Letter in landscape at 300 pixels per inch, 1 inch margins, a plot of 500 x 200.
    EXPECT_EQ(PrintPlacement({500, 200}, {3300, 2550}, {300, 300}, {1, 1, 1, 1}),
              (TRect{300, 300, 3000, 1380}));
    // A4 in landscape at 600 pixels per inch: the height limits a tall plot.
    EXPECT_EQ(PrintPlacement({100, 200}, {7016, 4961}, {600, 600}, {0.5, 1, 0.5, 1}),
              (TRect{300, 600, 2180, 4361}));
    EXPECT_EQ(MessageOf([] {
                  PrintPlacement({0, 200}, {3300, 2550}, {300, 300}, {});
              }),
              "Cannot print a plot without width or height");
    EXPECT_EQ(MessageOf([] {
                  PrintPlacement({500, 200}, {3300, 2550}, {300, 300}, {6, 1, 6, 1});
              }),
              "Print margins exceed the page");
    EXPECT_EQ(MessageOf([] {
                  PrintPlacement({500, 200}, {3300, 2550}, {300, 300}, {1, 5, 1, 4});
              }),
              "Print margins exceed the page");
}

TEST_F(PlotPrint, CancelledDialogPrintsNothingAndFiresNoEvent) {
    printer.dialogAnswer = false;
    int events = 0;
    plot.OnBeforePrint = [&](QObject*) { ++events; };
    plot.OnAfterPrint = [&](QObject*) { ++events; };
    plot.SetPrintDocumentName(QStringLiteral("Run 7"));
    plot.PrintChart();
    EXPECT_EQ(printer.Log, QStringList{"dialog"});
    EXPECT_EQ(events, 0);
    EXPECT_EQ(printer.orientation, poLandscape);
    EXPECT_EQ(printer.title, "Run 7");
}

TEST_F(PlotPrint, PrintsThePlotWithoutToolBarsInsideTheMarginsBetweenItsEvents) {
    QStringList events;
    plot.OnBeforePrint = [&](QObject* Sender) {
        events << (Sender == &plot ? "before" : "?");
        EXPECT_TRUE(printer.Log.isEmpty() || printer.Log.last() == "dialog");
    };
    plot.OnAfterPrint = [&](QObject*) { events << QStringLiteral("after"); };
    plot.SetPrinterName(QStringLiteral(" lab "));
    plot.SetPrintOrientation(TiPlotComponent::poPortrait);
    // Without the border, whose light edge would not show on the white page.
    plot.SetBorderStyle(ibsNone);
    plot.GetChannel(0)->SetUserSelected(true);
    plot.PrintChart();

    EXPECT_EQ(events, (QStringList{"before", "after"}));
    EXPECT_EQ(printer.Log, (QStringList{"dialog", "index 1", "begin", "end"}));
    EXPECT_EQ(printer.orientation, poPortrait);
    // 900 x 650 pixels inside 1 inch margins: the 500 x 200 plot at 1.8 times its size.
    EXPECT_EQ(PaintedRect(printer.page), QRect(QPoint(100, 100), QPoint(999, 459)));
    EXPECT_TRUE(ToolBar(0)->Visible());
    EXPECT_FALSE(AnySelected());
}

TEST_F(PlotPrint, MissingDeviceModeIsLoadedAgainOnceThenRaised) {
    plot.SetPrintShowDialog(false);
    printer.missingDeviceModes = 1;
    plot.PrintChart();
    EXPECT_EQ(printer.Log, (QStringList{"index 0", "begin", "end"}));

    printer.Log.clear();
    printer.missingDeviceModes = 2;
    EXPECT_EQ(MessageOf([&] { plot.PrintChart(); }),
              "Error Printing : Could not initialize printer DeviceMode Structure");
    EXPECT_EQ(printer.Log, QStringList{"index 0"});
}

TEST_F(PlotPrint, UnprintableSizesRaiseBeforeAPageBeginsAndLeaveThePlotAsItWas) {
    plot.SetPrintShowDialog(false);
    plot.SetPrintMarginLeft(6);
    plot.SetPrintMarginRight(6);
    EXPECT_EQ(MessageOf([&] { plot.PrintChart(); }),
              "Error Printing : Print margins exceed the page");
    plot.SetPrintMarginLeft(1);
    plot.SetPrintMarginRight(1);
    plot.resize(0, 200);
    EXPECT_EQ(MessageOf([&] { plot.PrintChart(); }),
              "Error Printing : Cannot print a plot without width or height");
    EXPECT_TRUE(printer.Log.isEmpty());
    EXPECT_TRUE(ToolBar(0)->Visible());
    EXPECT_FALSE(Batched());
}

TEST_F(PlotPrint, GivesEachToolBarItsOwnVisibleBack) {
    plot.SetPrintShowDialog(false);
    plot.AddToolBar();
    ToolBar(0)->SetVisible(false);
    plot.PrintChart();
    EXPECT_FALSE(ToolBar(0)->Visible());
    EXPECT_TRUE(ToolBar(1)->Visible());
}

TEST_F(PlotPrint, EndsADocumentStillPrintingAndPrintsWithoutToolBars) {
    plot.SetPrintShowDialog(false);
    printer.BeginDoc();
    printer.Log.clear();
    plot.RemoveAllToolBars();
    plot.PrintChart();
    plot.DoPrintChart();
    EXPECT_EQ(printer.Log, (QStringList{"end", "begin", "end", "begin", "end"}));
    EXPECT_FALSE(printer.Printing());
}

TEST_F(PlotOutput, PdfPrintShowsThePlotInsideTheMarginsOfALandscapePage) {
    const QString rasteriser = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (rasteriser.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir directory;
    const QString pdf = directory.filePath(QStringLiteral("plot.pdf"));
    QtPrinter printer(pdf);
    ScopedPrinter guard(printer);
    plot.PrintChart();
    // One page at 72 pixels per inch: margins of one inch are 72 pixels.
    const QString prefix = directory.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(rasteriser, {"-r", "72", "-png", "-singlefile", pdf, prefix}), 0);
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    const QRect painted = PaintedRect(page.convertToFormat(QImage::Format_RGB32));
    EXPECT_GE(painted.left(), 72);
    EXPECT_GE(painted.top(), 72);
    EXPECT_LE(painted.right(), page.width() - 72);
    EXPECT_LE(painted.bottom(), page.height() - 72);
    // Uniformly scaled, as wide as the space between the margins allows.
    EXPECT_NEAR(double(painted.width()) / painted.height(), 2.5, 0.05);
    EXPECT_GT(painted.width(), (page.width() - 2 * 72) * 0.9);
}

TEST_F(PlotSave, DialogOffersTheImageFormatsAndProposesUntitled) {
    EXPECT_EQ(SaveAs(QStringLiteral("Untitled")), QString());
    ASSERT_EQ(dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs[0].FileName, "Untitled");
    EXPECT_TRUE(dialogs.FileDialogs[0].Filter.startsWith(
        "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File Interchange Format "
        "(*.jpg)|*.jpg|"));
    // The chosen filter's ending is appended to a name without one.
    EXPECT_TRUE(Bytes(QStringLiteral("Untitled.bmp")).startsWith("BM"));
    EXPECT_EQ(SaveAs(QStringLiteral("Untitled"), 3), QString());
    EXPECT_TRUE(Bytes(QStringLiteral("Untitled.png")).startsWith("\x89PNG"));
    // Cancelled: nothing.
    dialogs.FileNames.push_back(std::nullopt);
    plot.GetChannel(0)->SetUserSelected(true);
    plot.Save();
    EXPECT_TRUE(plot.GetChannel(0)->UserSelected());
}

TEST_F(PlotSave, EndingsChooseTheFormatWhateverTheirCase) {
    plot.GetChannel(0)->SetUserSelected(true);
    EXPECT_EQ(SaveAs(QStringLiteral("a.BMP")), QString());
    EXPECT_FALSE(AnySelected());
    EXPECT_EQ(QImage(Path(QStringLiteral("a.BMP")), "BMP").size(), QSize(500, 200));
    for (const char* name : {"b.Emf", "c.SVG"}) {
        EXPECT_EQ(SaveAs(QString::fromLatin1(name)), QString());
        const QByteArray svg = Bytes(QString::fromLatin1(name));
        EXPECT_TRUE(svg.contains("<svg")) << name;
        EXPECT_TRUE(svg.contains("<title>Varlex</title>")) << name;
    }
    EXPECT_EQ(SaveAs(QStringLiteral("d.Png")), QString());
    EXPECT_EQ(QImage(Path(QStringLiteral("d.Png")), "PNG").convertToFormat(QImage::Format_RGB32),
              plot.PaintToBitmap()->Image());
    EXPECT_EQ(SaveAs(QStringLiteral("e.PDF")), QString());
    EXPECT_TRUE(Bytes(QStringLiteral("e.PDF")).startsWith("%PDF"));
}

TEST_F(PlotSave, JpegIsProgressiveAtQualityOneHundred) {
    EXPECT_EQ(SaveAs(QStringLiteral("plot.JPG")), QString());
    const QByteArray jpeg = Bytes(QStringLiteral("plot.JPG"));
    // Start of frame 2: progressive.
    EXPECT_TRUE(jpeg.contains("\xFF\xC2"));
    // Quality 100 quantizes by 1: the first table (after marker, length and table id) is all 1.
    const qsizetype table = jpeg.indexOf("\xFF\xDB");
    ASSERT_GE(table, 0);
    EXPECT_EQ(jpeg.mid(table + 5, 64), QByteArray(64, char(1)));
}

TEST_F(PlotSave, UnknownEndingRaisesAndSavesNothing) {
    plot.GetChannel(0)->SetUserSelected(true);
    EXPECT_EQ(SaveAs(QStringLiteral("plot.gif")), "Unknown picture file extension (.gif)");
    EXPECT_EQ(SaveAs(QStringLiteral("plot.bmp.txt")), "Unknown picture file extension (.txt)");
    EXPECT_TRUE(QDir(directory.path()).isEmpty());
    EXPECT_TRUE(plot.GetChannel(0)->UserSelected());
}

TEST_F(PlotSave, PdfIsOnePageOfThePlotsSize) {
    EXPECT_EQ(SaveAs(QStringLiteral("plot.pdf")), QString());
    const QString rasteriser = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (rasteriser.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString prefix = Path(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(rasteriser,
                                {"-r", "96", "-png", "-singlefile", Path("plot.pdf"), prefix}),
              0);
    EXPECT_EQ(QImage(prefix + QStringLiteral(".png")).size(), QSize(500, 200));
}
